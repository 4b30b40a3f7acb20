// The line end, fixed-point numbers and the room for a value's text: what the names, the
// analyzer and the structure formatters all write into their lines.
#pragma once

#include <cstddef>
#include <cstdint>

#include "twaintrace/twain_types.h"

inline constexpr char kCrLf[] = "\r\n";

// A fixed-point value as the double Whole (signed) plus Frac / 65536. It keeps the value in
// 1/65536ths until it is used as a double, so that a line's "%.3f" writes it straight from the
// integer, exactly.
struct Fix32Number {
  int32_t units;
  int32_t Units() const { return units; }
  operator double() const { return static_cast<double>(units) / 65536.0; }
};

inline Fix32Number ToFix32Number(const TW_FIX32& value) {
  return Fix32Number{static_cast<int32_t>(value.Whole) * 65536 + value.Frac};
}

// Room for the text of any one capability value: a full TW_STR255 and its NUL is the longest.
inline constexpr size_t kValueTextSize = sizeof(TW_STR255) + 1;

// What a list shows for an item it does not render, and what a one-value or range container
// shows for an item type without a known size.
inline constexpr char kNotImplementedText[] = "!!! not implemented.!!!";
