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

// The most bytes of a name's text, its NUL included: every table's names and the text of a value
// no table names, "ERROR!(<32-bit value>)", fit.
inline constexpr size_t kNameTextSize = 64;

// A name as a line shows it: a table's own text or, for a value no table names, its text
// written into this name's own bytes, so that two unnamed values in one line each show their
// own. It is made where the line is written and handed on by reference, never copied, since
// its text may lie within it.
class ShownName {
 public:
  // `lookup(out)` returns the name, writing an unnamed value's text to `out` (kNameTextSize
  // bytes).
  template <typename Lookup>
  explicit ShownName(Lookup lookup) {
    name_ = lookup(unnamed_);
  }
  ShownName(const ShownName&) = delete;
  ShownName& operator=(const ShownName&) = delete;

  NameText Text() const { return name_; }

 private:
  char unnamed_[kNameTextSize];
  NameText name_{nullptr, 0};
};
