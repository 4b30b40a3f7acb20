#include <cstdio>
#include <cstring>
#include <mutex>

#include "analyzer/para_analyze.h"
#include "log/log_file.h"
#include "platform/source_manager_memory.h"
#include "platform/visibility.h"
#include "shell/macho_main.h"
#include "twaintrace/twain_abi.h"

TripletOperator* g_pcTripletOperator = nullptr;

namespace {

// The most text of one analysis that reaches the log; longer text is cut and marked.
constexpr size_t kTextLimit = 5120;
constexpr char kTooLongMarker[] = "Size of CAP_xxx too long";
constexpr char kErrorStatusStart[] = "*** Inspect Error Status Start ***";
constexpr char kErrorStatusEnd[] = "*** Inspect Error Status End   ***";

void WriteText(const char* text, size_t length) {
  WriteLogFile(reinterpret_cast<const unsigned char*>(text), length);
}

// The Linux source manager hands over its memory functions before it opens the source; from
// then on the data source makes and locks its handles through them. The triplet itself goes on
// to the operator unchanged like any other.
void TakeSourceManagerMemory(TW_UINT32 DG, TW_UINT16 DAT, TW_UINT16 MSG, TW_MEMREF pData) {
  if (kLinuxSourceManagerAbi && DG == DG_CONTROL && DAT == DAT_ENTRYPOINT && MSG == MSG_SET) {
    KeepSourceManagerMemory(static_cast<const TW_ENTRYPOINT*>(pData));
  }
}

void WriteErrorStatusLine(const char* text) {
  char line[256];
  int length = snprintf(line, sizeof(line), "%s%s", text, "\r\n");
  WriteText(line, static_cast<size_t>(length));
}

}  // namespace

extern "C" TWAINTRACE_EXPORT TW_UINT16 DS_Entry(TW_IDENTITY* pOrigin, TW_UINT32 DG, TW_UINT16 DAT,
                                                TW_UINT16 MSG, TW_MEMREF pData) {
  static bool stack = false;

  // Without an operator there is nobody to execute the triplet: it fails, and is logged so.
  TW_UINT16 rc = g_pcTripletOperator != nullptr
                     ? g_pcTripletOperator->ProcessTriplet(pOrigin, DG, DAT, MSG, pData)
                     : TWRC_FAILURE;
  TakeSourceManagerMemory(DG, DAT, MSG, pData);

  char* data = static_cast<char*>(pData);
  // Without a log file every text would be dropped unread: only what the analysis keeps from
  // call to call, the header count and the tracked state, is brought up to date.
  if (g_pLogFile == nullptr) {
    g_cParaAnalyze.TrackCall(pOrigin, DG, DAT, MSG, data, rc);
    return rc;
  }

  // The analyzer and the log are shared by every caller; a host that calls from two threads at
  // once still gets whole entries, one after the other. The forwarded call stays outside: the
  // source may need its calls to overlap. Without a log the counts kept above are read by no
  // one, and the pass-through is left as fast as it was.
  static std::mutex analysisMutex;
  std::lock_guard<std::mutex> analysisLock(analysisMutex);

  // One byte beyond the limit lets an over-long text show itself; the analyzer never writes
  // past the buffer.
  char text[kTextLimit + 2];

  text[0] = '\0';
  g_cParaAnalyze.TripletAnalyze(pOrigin, nullptr, DG, DAT, MSG, data, text, sizeof(text));
  size_t length = g_cParaAnalyze.OutTextLength();
  if (length != 0) WriteText(text, length);

  text[0] = '\0';
  g_cParaAnalyze.ParaAnalyze(pOrigin, nullptr, DG, DAT, MSG, data, rc, text, sizeof(text));
  length = g_cParaAnalyze.OutTextLength();
  if (length > kTextLimit) {
    WriteText(text, kTextLimit);
    WriteText(kTooLongMarker, sizeof(kTooLongMarker) - 1);
  } else if (length != 0) {
    WriteText(text, length);
  }

  if (rc == TWRC_FAILURE && !stack) {
    stack = true;
    WriteErrorStatusLine(kErrorStatusStart);
    WriteErrorStatusLine(kErrorStatusEnd);
    stack = false;
  }
  return rc;
}
