// Value conversions shared by every structure formatter, so that a formatter reads as its list
// of lines: fixed-point numbers, booleans, pointers and fixed-size text fields.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "twaintrace/twain_types.h"

inline constexpr char kCrLf[] = "\r\n";

// Whole (signed) plus Frac / 65536.
inline double Fix32ToDouble(const TW_FIX32& value) {
  return static_cast<double>(value.Whole) + static_cast<double>(value.Frac) / 65536.0;
}

inline const char* BoolText(unsigned value) {
  return value != 0 ? "true" : "false";
}

// A 32-bit field shown as "%ld": always 0 to 4294967295, also where the application means it
// as signed.
inline long Unsigned32(uint32_t value) {
  return static_cast<long>(value);
}

// Pointers and handles show their low-order 32 bits.
inline unsigned PointerLow32(const void* pointer) {
  return static_cast<unsigned>(reinterpret_cast<uintptr_t>(pointer));
}

// A fixed-size text field, printable however it ends: its bytes up to the first NUL or up to
// the field's end, whichever comes first.
template <size_t N>
struct FieldTextCopy {
  char text[N + 1];
};

template <size_t N, typename Char>
FieldTextCopy<N> FieldText(const Char (&field)[N]) {
  static_assert(sizeof(Char) == 1);
  FieldTextCopy<N> copy;
  size_t length = strnlen(reinterpret_cast<const char*>(field), N);
  memcpy(copy.text, field, length);
  copy.text[length] = '\0';
  return copy;
}
