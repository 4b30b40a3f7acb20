#include <cstring>
#include <mutex>

#include "analyzer/para_analyze.h"
#include "log/log_file.h"
#include "platform/source_manager_memory.h"
#include "platform/visibility.h"
#include "shell/macho_main.h"
#include "text/line_format.h"
#include "twaintrace/log_format.h"
#include "twaintrace/twain_abi.h"

TripletOperator* g_pcTripletOperator = nullptr;

namespace {

using log_format::kCutMarker;
using log_format::kErrorStatusEnd;
using log_format::kErrorStatusStart;
// The most text of one analysis that reaches the log; longer text is cut and marked.
constexpr size_t kTextLimit = log_format::kParameterTextLimit;
// Each analysis gets one byte beyond the limit, so that an over-long text shows itself; the
// analyzer never writes past its room. The header has no limit of its own and the same room.
constexpr size_t kAnalysisRoom = kTextLimit + 2;
constexpr size_t kErrorStatusLineSize = 256;
// Header, parameter text, marker and the two error-status lines, one after the other.
constexpr size_t kEntrySize =
    2 * kAnalysisRoom + (sizeof(kCutMarker) - 1) + 2 * kErrorStatusLineSize;

// The Linux source manager hands over its memory functions before it opens the source; from
// then on the data source makes and locks its handles through them. The triplet itself goes on
// to the operator unchanged like any other.
void TakeSourceManagerMemory(TW_UINT32 DG, TW_UINT16 DAT, TW_UINT16 MSG, TW_MEMREF pData) {
  if (kLinuxSourceManagerAbi && DG == DG_CONTROL && DAT == DAT_ENTRYPOINT && MSG == MSG_SET) {
    KeepSourceManagerMemory(static_cast<const TW_ENTRYPOINT*>(pData));
  }
}

// The header and the parameter text of one call at `entry`, the parameter text cut at the limit
// and marked; returns the entry's length so far.
size_t AnalyzeInto(char* entry, TW_IDENTITY* pOrigin, TW_UINT32 DG, TW_UINT16 DAT, TW_UINT16 MSG,
                   char* data, TW_UINT16 rc) {
  entry[0] = '\0';
  g_cParaAnalyze.TripletAnalyze(pOrigin, nullptr, DG, DAT, MSG, data, entry, kAnalysisRoom);
  size_t length = g_cParaAnalyze.OutTextLength();

  char* parameters = entry + length;
  parameters[0] = '\0';
  g_cParaAnalyze.ParaAnalyze(pOrigin, nullptr, DG, DAT, MSG, data, rc, parameters, kAnalysisRoom);
  size_t parametersLength = g_cParaAnalyze.OutTextLength();
  if (parametersLength <= kTextLimit) return length + parametersLength;

  memcpy(parameters + kTextLimit, kCutMarker, sizeof(kCutMarker) - 1);
  return length + kTextLimit + sizeof(kCutMarker) - 1;
}

size_t AppendErrorStatusLine(char* end, const char* text) {
  return TW_FORMAT(end, kErrorStatusLineSize, "%s%s", text, log_format::kLineEnd);
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

  // The whole entry reaches the file in one write, so that it stays whole among the lines that
  // other threads or processes write to the same file.
  char entry[kEntrySize];
  size_t length = AnalyzeInto(entry, pOrigin, DG, DAT, MSG, data, rc);
  if (rc == TWRC_FAILURE && !stack) {
    stack = true;
    length += AppendErrorStatusLine(entry + length, kErrorStatusStart);
    length += AppendErrorStatusLine(entry + length, kErrorStatusEnd);
    stack = false;
  }
  if (length != 0) WriteLogFile(reinterpret_cast<const unsigned char*>(entry), length);
  return rc;
}
