// The analyzer's Line: a formatted line appended to the text of the call being traced.
// Included by the formatters' sources only, with the line formatter they write through.
#pragma once

#include "analyzer/para_analyze.h"
#include "text/line_format.h"

// Written as the call it stands for: TW_LINE("    Cap        = [%s]%s", name, kCrLf).
#define TW_LINE(format, ...) AppendLine(TW_LINE_FORMAT(format) __VA_OPT__(TW_PASS_ALL(__VA_ARGS__)))

template <typename Format, typename... Args>
void CParaAnalyze::AppendLine(Format, const Args&... args) {
  line_format::Append<Format>(m_out, args...);
}
