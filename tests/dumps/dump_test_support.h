// Runs structure formatters straight into a buffer, and reads the expected dumps that sit
// beside the tests (stored with LF line ends, compared with the CR LF of the log; a difference
// is reported line by line).
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "dumps/structure_dumps.h"
#include "test_support.h"
#include "text/out_text.h"

inline TW_FIX32 Fix(int whole, unsigned frac = 0) {
  return TW_FIX32{static_cast<TW_INT16>(whole), static_cast<TW_UINT16>(frac)};
}

// What `formatter(context)` appends to an empty output text, for a call with `MSG`.
template <typename Formatter>
std::string Dump(Formatter formatter, TW_UINT16 MSG = MSG_GET) {
  std::string buffer(32768, '\0');
  OutText out;
  out.Start(buffer.data(), buffer.size());
  formatter(DumpContext{out, MSG, TWRC_SUCCESS, nullptr});
  return buffer.substr(0, out.Length());
}

inline std::string ExpectedDump(const std::string& name) {
  std::string text;
  for (char c : ReadFile(std::string(TWAINTRACE_EXPECTED_DUMPS_DIR) + "/" + name)) {
    if (c == '\n') text += '\r';
    text += c;
  }
  EXPECT_FALSE(text.empty()) << "no expected dump " << name;
  return text;
}
