// A formatted line appended to an output text, its format a literal read when the data source
// is compiled: TW_LINE("    Cap        = [%s]%s", name, kCrLf) inside a formatter, whose
// DumpContext is `context`, and TW_LINE_TO(out, ...) elsewhere. Included by the formatters'
// sources and the analyzer's, with the line formatter they write through.
#pragma once

#include "dumps/dump_context.h"
#include "text/line_format.h"

template <typename Format, typename... Args>
void AppendLine(OutText& out, Format, const Args&... args) {
  line_format::Append<Format>(out, args...);
}

#define TW_LINE_TO(out, format, ...) \
  AppendLine(out, TW_LINE_FORMAT(format) __VA_OPT__(TW_PASS_ALL(__VA_ARGS__)))
#define TW_LINE(format, ...) TW_LINE_TO(context.out, format __VA_OPT__(, ) __VA_ARGS__)
