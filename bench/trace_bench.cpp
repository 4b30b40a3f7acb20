// What tracing costs a call, against what it cannot avoid.
//
//   Analysis/<case>     the header and parameter texts built into a buffer, no file;
//   PassThrough/<case>  DS_Entry with logging off, against calling the operator directly and
//                       against the direct call plus the analysis;
//   Logged/<case>       DS_Entry writing its trace to a file in shared memory, against the floor:
//                       one bare write(2) of the call's bytes to the same kind of file; and
//                       against the operator called directly before that write
//                       (x_call_floor: what the tracer adds to the scanner's own work).
//
// A measured variant and its references run in alternating batches of kBatch calls, so that
// both see the same machine; the reported time is the measured variant's time per call, and
// the counters give the references per call and the ratios. Every benchmark also counts the
// heap allocations of the traced calls: the process exits with failure if there are any.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <memory>
#include <set>
#include <string>

#include "allocation_counter.h"
#include "analyzer/para_analyze.h"
#include "bench_cases.h"
#include "data_source_host.h"
#include "platform/memory_handle.h"
#include "twaintrace/twain_abi.h"

namespace {

constexpr int kBatch = 16;
// The entry point's text buffer: the text limit and room to see it passed.
constexpr size_t kTextSize = log_format::kParameterTextLimit + 2;
// The log and the floors' files are emptied when they pass this, so that shared memory holds
// them however long the run.
constexpr off_t kFileLimit = 4 << 20;

DataSourceHost* g_host = nullptr;
bool g_smoke = false;
std::set<std::string> g_allocatingBenchmarks;

using Clock = std::chrono::steady_clock;

template <typename Call>
double BatchSeconds(Call&& call) {
  Clock::time_point start = Clock::now();
  for (int i = 0; i < kBatch; ++i) call();
  return std::chrono::duration<double>(Clock::now() - start).count();
}

// The allocations made while `run` runs.
template <typename Run>
uint64_t AllocationsDuring(Run&& run) {
  uint64_t before = AllocationCount();
  run();
  return AllocationCount() - before;
}

// A call's header and parameter texts, made by an analyzer of their own.
struct CallTexts {
  CParaAnalyze analyzer;
  char header[kTextSize];
  char parameters[kTextSize];
  size_t headerLength = 0;
  size_t parametersLength = 0;
};

// One case's call as an application makes it: its own identity, the structure, and for a
// capability the container the operator fills in.
class CaseCall {
 public:
  explicit CaseCall(const BenchCase& benchCase) : case_(benchCase) {
    origin_.Id = IdentityIdFrom(0x17);
    strncpy(origin_.ProductName, "Acme Scan", sizeof(origin_.ProductName) - 1);
    if (case_.containerSize != 0) {
      container_ = NewMemoryHandle(case_.containerSize);
      TW_CAPABILITY capability{case_.Cap, TWON_DONTCARE16, container_};
      memcpy(data_, &capability, sizeof(capability));
    }
  }
  ~CaseCall() { DisposeMemoryHandle(container_); }
  CaseCall(const CaseCall&) = delete;
  CaseCall& operator=(const CaseCall&) = delete;

  TW_UINT16 Through(DataSourceHost::Entry entry) {
    return entry(&origin_, case_.DG, case_.DAT, case_.MSG, data_);
  }
  TW_UINT16 Direct(TripletOperator* op) {
    return op->ProcessTriplet(&origin_, case_.DG, case_.DAT, case_.MSG, data_);
  }
  // The two texts of the call as the entry point builds them.
  void Analyze(TW_UINT16 rc, CallTexts& texts) {
    texts.header[0] = '\0';
    texts.analyzer.TripletAnalyze(&origin_, nullptr, case_.DG, case_.DAT, case_.MSG, data_,
                                  texts.header, kTextSize);
    texts.headerLength = texts.analyzer.OutTextLength();
    texts.parameters[0] = '\0';
    texts.analyzer.ParaAnalyze(&origin_, nullptr, case_.DG, case_.DAT, case_.MSG, data_, rc,
                               texts.parameters, kTextSize);
    texts.parametersLength = texts.analyzer.OutTextLength();
  }

 private:
  const BenchCase& case_;
  TW_IDENTITY origin_{};
  alignas(16) char data_[kBenchDataSize] = {};
  char** container_ = nullptr;
};

void ReportAllocations(benchmark::State& state, const char* kind, const BenchCase& benchCase,
                       uint64_t allocations, double calls) {
  state.counters["allocs_per_call"] = calls > 0 ? allocations / calls : 0;
  if (allocations != 0) g_allocatingBenchmarks.insert(std::string(kind) + "/" + benchCase.name);
}

void BM_Analysis(benchmark::State& state, const BenchCase& benchCase) {
  g_host->Load(false);
  CaseCall call(benchCase);
  TW_UINT16 rc = call.Direct(g_host->Operator());
  static CallTexts texts;
  uint64_t allocations = AllocationsDuring([&] {
    for (auto _ : state) {
      call.Analyze(rc, texts);
      benchmark::DoNotOptimize(texts.header);
      benchmark::DoNotOptimize(texts.parameters);
    }
  });
  state.counters["bytes_per_call"] =
      static_cast<double>(texts.headerLength + texts.parametersLength);
  ReportAllocations(state, "Analysis", benchCase, allocations,
                    static_cast<double>(state.iterations()));
}

void BM_PassThrough(benchmark::State& state, const BenchCase& benchCase) {
  g_host->Load(false);
  DataSourceHost::Entry entry = g_host->DsEntry();
  TripletOperator* op = g_host->Operator();
  CaseCall call(benchCase);
  TW_UINT16 rc = call.Direct(op);
  if (call.Through(entry) != rc) {
    state.SkipWithError("the data source changed the operator's return code");
    return;
  }
  static CallTexts texts;

  double passSeconds = 0;
  double directSeconds = 0;
  double analysisSeconds = 0;
  uint64_t allocations = 0;
  bool passFirst = true;
  for (auto _ : state) {
    double pass = 0;
    auto passBatch = [&] {
      allocations += AllocationsDuring([&] { pass = BatchSeconds([&] { call.Through(entry); }); });
    };
    if (passFirst) passBatch();
    directSeconds += BatchSeconds([&] { call.Direct(op); });
    analysisSeconds += BatchSeconds([&] { call.Analyze(rc, texts); });
    if (!passFirst) passBatch();
    passFirst = !passFirst;
    passSeconds += pass;
    state.SetIterationTime(pass / kBatch);
  }
  double calls = static_cast<double>(state.iterations()) * kBatch;
  if (calls == 0) return;
  state.counters["direct_ns"] = directSeconds / calls * 1e9;
  state.counters["analysis_ns"] = analysisSeconds / calls * 1e9;
  state.counters["x_direct"] = passSeconds / directSeconds;
  state.counters["x_direct_analysis"] = passSeconds / (directSeconds + analysisSeconds);
  ReportAllocations(state, "PassThrough", benchCase, allocations, calls);
}

off_t FileSize(int fd) {
  struct stat status {};
  return fstat(fd, &status) == 0 ? status.st_size : 0;
}

void BM_Logged(benchmark::State& state, const BenchCase& benchCase) {
  g_host->Load(true);
  DataSourceHost::Entry entry = g_host->DsEntry();
  CaseCall call(benchCase);
  // The floor writes the bytes the data source writes for the call, in one write.
  TW_UINT16 rc = call.Direct(g_host->Operator());
  static CallTexts texts;
  call.Analyze(rc, texts);
  static char callBytes[2 * kTextSize];
  memcpy(callBytes, texts.header, texts.headerLength);
  memcpy(callBytes + texts.headerLength, texts.parameters, texts.parametersLength);
  const size_t callLength = texts.headerLength + texts.parametersLength;

  TripletOperator* op = g_host->Operator();
  int log = open(g_host->LogFile().c_str(), O_WRONLY);
  std::string floorPath = g_host->ScratchDirectory() + "/floor.txt";
  int floor = open(floorPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_APPEND, 0644);
  if (log < 0 || floor < 0) {
    state.SkipWithError("cannot open the log or the floor's file");
    if (log >= 0) close(log);
    if (floor >= 0) close(floor);
    return;
  }
  auto writeEntry = [&] { (void)!write(floor, callBytes, callLength); };

  double loggedSeconds = 0;
  double floorSeconds = 0;
  double callFloorSeconds = 0;
  uint64_t allocations = 0;
  off_t loggedBytes = 0;
  bool loggedFirst = true;
  for (auto _ : state) {
    double logged = 0;
    auto loggedBatch = [&] {
      off_t before = FileSize(log);
      allocations +=
          AllocationsDuring([&] { logged = BatchSeconds([&] { call.Through(entry); }); });
      loggedBytes += FileSize(log) - before;
    };
    if (loggedFirst) loggedBatch();
    floorSeconds += BatchSeconds(writeEntry);
    if (!loggedFirst) loggedBatch();
    callFloorSeconds += BatchSeconds([&] {
      call.Direct(op);
      writeEntry();
    });
    loggedFirst = !loggedFirst;
    loggedSeconds += logged;
    state.SetIterationTime(logged / kBatch);

    if (FileSize(log) > kFileLimit || FileSize(floor) > kFileLimit) {
      (void)!ftruncate(log, 0);
      (void)!ftruncate(floor, 0);
    }
  }
  close(log);
  close(floor);
  unlink(floorPath.c_str());

  double calls = static_cast<double>(state.iterations()) * kBatch;
  if (calls == 0) return;
  // The header's running number grows a digit past 99999, so the data source's entries can be
  // a byte or two longer than the floor's, made by an analyzer of its own.
  double bytesPerCall = static_cast<double>(loggedBytes) / calls;
  if (bytesPerCall < static_cast<double>(callLength) ||
      bytesPerCall > static_cast<double>(callLength) + 3) {
    state.SkipWithError("the floor writes other bytes than the data source logs");
    return;
  }
  state.counters["floor_ns"] = floorSeconds / calls * 1e9;
  state.counters["x_floor"] = loggedSeconds / floorSeconds;
  state.counters["x_call_floor"] = loggedSeconds / callFloorSeconds;
  state.counters["bytes_per_call"] = bytesPerCall;
  ReportAllocations(state, "Logged", benchCase, allocations, calls);
}

template <typename Function>
benchmark::internal::Benchmark* Register(const char* kind, Function function,
                                         const BenchCase& benchCase) {
  std::string name = std::string(kind) + "/" + benchCase.name;
  return benchmark::RegisterBenchmark(name.c_str(), function, benchCase);
}

void RegisterAll() {
  // One kind after the other, so that the data source is loaded once per kind.
  for (const BenchCase& benchCase : kBenchCases) {
    auto* bench = Register("Analysis", BM_Analysis, benchCase);
    if (g_smoke) bench->Iterations(kBatch);
  }
  for (auto function : {BM_PassThrough, BM_Logged}) {
    const char* kind = function == BM_PassThrough ? "PassThrough" : "Logged";
    for (const BenchCase& benchCase : kBenchCases) {
      auto* bench = Register(kind, function, benchCase)->UseManualTime();
      // The time is per measured call, but each iteration makes several batches of calls.
      if (g_smoke) {
        bench->Iterations(2);
      } else {
        bench->MinTime(0.02);
      }
    }
  }
}

// "--smoke": a few iterations of each benchmark, to check that all of them run and that no
// traced call allocates.
bool TakeSmokeFlag(int* argc, char** argv) {
  bool found = false;
  int kept = 1;
  for (int i = 1; i < *argc; ++i) {
    if (strcmp(argv[i], "--smoke") == 0) {
      found = true;
    } else {
      argv[kept++] = argv[i];
    }
  }
  *argc = kept;
  return found;
}

}  // namespace

int main(int argc, char** argv) {
  g_smoke = TakeSmokeFlag(&argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  try {
    DataSourceHost host;
    g_host = &host;
    RegisterAll();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
  } catch (const std::exception& error) {
    fprintf(stderr, "benchmark set-up failed: %s\n", error.what());
    return 1;
  }
  if (!AllocationsCounted()) {
    fprintf(stderr, "allocations are not counted in this build\n");
  }
  for (const std::string& name : g_allocatingBenchmarks) {
    fprintf(stderr, "heap allocation on the trace path: %s\n", name.c_str());
  }
  return g_allocatingBenchmarks.empty() ? 0 : 1;
}
