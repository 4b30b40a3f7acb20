// Small text helpers shared by the readers and the renderers.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace log_reader {

bool StartsWith(std::string_view text, std::string_view prefix);
bool EndsWith(std::string_view text, std::string_view suffix);
std::string_view TrimSpaces(std::string_view text);
std::string_view TrimTrailingSpaces(std::string_view text);
std::string_view TrimLineEnds(std::string_view text);
bool IsDigit(char c);
bool AllDigits(std::string_view text);
// A decimal integer that may carry a sign and surrounding blanks; nothing for anything else.
std::optional<long long> ParseInteger(std::string_view text);
// Log text shown on a terminal: control bytes become \xNN so that no log can drive the
// terminal; every other byte is kept.
std::string Printable(std::string_view text);
// "1 strip", "3 strips".
std::string Counted(size_t count, const char* singular, const char* plural);
// Cuts `text` to at most `width` bytes, marking the cut with "...".
std::string Shorten(std::string_view text, size_t width);

}  // namespace log_reader
