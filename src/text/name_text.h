#pragma once

#include <cstddef>

// A text and its length in bytes, its NUL apart: a name is measured once, when the data source
// is compiled, not on every line that shows it. It reads as the text itself where a C string
// is wanted.
struct NameText {
  const char* text;
  size_t length;
  constexpr operator const char*() const { return text; }
};
