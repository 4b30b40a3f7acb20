// Value conversions shared by every structure formatter, so that a formatter reads as its list
// of lines: fixed-point numbers, booleans, pointers and fixed-size text fields.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "names/name_table.h"
#include "twaintrace/twain_items.h"
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

inline NameText BoolText(unsigned value) {
  return value != 0 ? NameText{"true", 4} : NameText{"false", 5};
}

// A 32-bit field shown as "%ld": always 0 to 4294967295, also where the application means it
// as signed.
inline long Uint32AsLong(uint32_t value) {
  return static_cast<long>(value);
}

// Pointers and handles show their low-order 32 bits.
inline unsigned PointerLow32(const void* pointer) {
  return static_cast<unsigned>(reinterpret_cast<uintptr_t>(pointer));
}

// A fixed-size text field, printable however it ends: its bytes up to the first NUL or up to
// the field's end, whichever comes first, read in place.
template <size_t N, typename Char>
NameText FieldText(const Char (&field)[N]) {
  static_assert(sizeof(Char) == 1);
  const char* text = reinterpret_cast<const char*>(field);
  return NameText{text, strnlen(text, N)};
}

// Room for the text of any one capability value: a full TW_STR255 and its NUL is the longest.
inline constexpr size_t kValueTextSize = sizeof(TW_STR255) + 1;

// What a list shows for an item it does not render, and what a one-value or range container
// shows for an item type without a known size.
inline constexpr char kNotImplementedText[] = "!!! not implemented.!!!";
