// Value conversions shared by every structure formatter, so that a formatter reads as its list
// of lines: constants by name, fixed-point numbers, booleans, pointers and fixed-size text fields.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "names/name_table.h"
#include "text/name_text.h"
#include "text/value_text.h"
#include "twaintrace/twain_items.h"
#include "twaintrace/twain_types.h"

// A constant named by a table, its text held by the name itself when no row names it.
template <typename Table>
ShownName Name(const Table& table, int64_t value) {
  return ShownName([&](char* out) { return LookupName(table, value, out); });
}
template <typename Table>
ShownName Name(const Table& table, const NameSupplement& supplement, int64_t value) {
  return ShownName([&](char* out) { return LookupName(table, supplement, value, out); });
}
// A value named by a naming function such as CapabilityNameOf.
template <NameText (*Naming)(TW_UINT16, char*)>
ShownName NamedBy(TW_UINT16 value) {
  return ShownName([&](char* out) { return Naming(value, out); });
}

// True for any value but 0, however wide the field.
template <typename Flag>
NameText BoolText(Flag value) {
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
