// Constant tables that name TWAIN and vendor constants, in the manner of xlat tables: rows of
// {name, value} ending in the {"ERROR!", -1} row, which is never compared.
#pragma once

#include <cstddef>
#include <cstdint>

#include "text/name_text.h"

constexpr size_t LiteralLength(const char* text) {
  size_t length = 0;
  while (text[length] != '\0') ++length;
  return length;
}

struct NameTableRow {
  constexpr NameTableRow() = default;
  constexpr NameTableRow(const char* rowName, int64_t rowValue)
      : name(rowName), value(rowValue), length(LiteralLength(rowName)) {}
  constexpr NameText Name() const { return NameText{name, length}; }

  const char* name = "";
  int64_t value = 0;
  size_t length = 0;  // of `name`
};

// A row built from the constant itself, so that its name and value cannot drift apart.
// clang-format off
#define TW_NAME(constant) NameTableRow{#constant, static_cast<int64_t>(constant)}
#define TW_NAME_END NameTableRow{"ERROR!", -1}
// clang-format on

inline constexpr size_t kMacroNameSize = kNameTextSize;

// The lookup rule: the first of `rowCount` rows whose value equals `key` names it; with no such
// row the text is "ERROR!(<key as signed 32-bit decimal>)". A found name is the table's own
// text; the other is written to `out` (64 bytes). Returns the text.
NameText LookupName(const NameTableRow* rows, size_t rowCount, int64_t key, char* out);

// The first matching row's name, or a null text; for lookups that fall through to a second
// table.
NameText FindName(const NameTableRow* rows, size_t rowCount, int64_t key);

// Number of compared rows of a table: all but the final "ERROR!" row.
template <size_t N>
constexpr size_t ScannedRows(const NameTableRow (&)[N]) {
  return N - 1;
}

template <size_t N>
constexpr bool EndsWithSentinel(const NameTableRow (&rows)[N]) {
  return rows[N - 1].value == -1 && rows[N - 1].name[0] == 'E' && rows[N - 1].name[5] == '!' &&
         rows[N - 1].name[6] == '\0';
}

template <size_t N>
NameText LookupName(const NameTableRow (&rows)[N], int64_t key, char* out) {
  return LookupName(rows, N - 1, key, out);
}

template <size_t N>
NameText FindName(const NameTableRow (&rows)[N], int64_t key) {
  return FindName(rows, N - 1, key);
}

// A long table's rows by value, for the tables that a scan would cross on every call
// (languages, countries, capabilities): the same lookup rule, the first row of a value naming
// it, through an open-addressing hash made when the data source is compiled. A traced call
// looks names up between two writes of the log, with little of them left in the cache: a
// lookup reads one slot, mostly, where a search would read a row per step.
struct IndexSlot {
  int32_t value = 0;
  uint16_t row = 0;  // 1 + the row's place in the index's rows; 0 for a free slot
};

// At least twice as many slots as rows, so that a probe mostly ends at its first slot.
constexpr size_t IndexSlotCount(size_t rows) {
  size_t slots = 1;
  while (slots < 2 * rows) slots *= 2;
  return slots;
}

constexpr size_t IndexSlotOf(int64_t value, size_t slotCount) {
  uint32_t hash = static_cast<uint32_t>(value) * 0x9E3779B1u;
  return static_cast<size_t>(hash ^ (hash >> 16)) & (slotCount - 1);
}

template <size_t N>
struct NameIndex {
  static constexpr size_t kSlotCount = IndexSlotCount(N - 1);
  IndexSlot slots[kSlotCount];
  NameTableRow rows[N - 1];
  size_t rowCount;
  const char* missName;  // the table's "ERROR!" row
};

// Adds `row` unless a row of its value came first. Every value must be a 32-bit one.
template <size_t N>
constexpr void InsertByValue(NameIndex<N>& index, const NameTableRow& row) {
  if (static_cast<int32_t>(row.value) != row.value) throw "an indexed value takes 32 bits";
  size_t at = IndexSlotOf(row.value, NameIndex<N>::kSlotCount);
  for (; index.slots[at].row != 0; at = (at + 1) & (NameIndex<N>::kSlotCount - 1)) {
    if (index.slots[at].value == row.value) return;
  }
  index.rows[index.rowCount++] = row;
  index.slots[at] =
      IndexSlot{static_cast<int32_t>(row.value), static_cast<uint16_t>(index.rowCount)};
}

template <size_t N>
constexpr NameIndex<N> IndexByValue(const NameTableRow (&rows)[N]) {
  static_assert(N < 0xFFFF, "a row's place takes 16 bits");
  NameIndex<N> index{};
  for (size_t i = 0; i + 1 < N; ++i) InsertByValue(index, rows[i]);
  index.missName = rows[N - 1].name;
  return index;
}

// Two tables looked up in turn, the second only when the first has no row for the key, as one
// index: the first table's row of a value comes before the second's. The second table's
// "ERROR!" row names a key in neither.
template <size_t N, size_t M>
constexpr NameIndex<N + M - 1> IndexByValue(const NameTableRow (&first)[N],
                                            const NameTableRow (&second)[M]) {
  static_assert(N + M < 0xFFFF, "a row's place takes 16 bits");
  NameIndex<N + M - 1> index{};
  for (size_t i = 0; i + 1 < N; ++i) InsertByValue(index, first[i]);
  for (size_t i = 0; i + 1 < M; ++i) InsertByValue(index, second[i]);
  index.missName = second[M - 1].name;
  return index;
}

// FindName and LookupName through an index's slots (`slotCount` of them, a power of two).
NameText FindIndexedName(const IndexSlot* slots, size_t slotCount, const NameTableRow* rows,
                         int64_t key);
NameText LookupIndexedName(const IndexSlot* slots, size_t slotCount, const NameTableRow* rows,
                           const char* missName, int64_t key, char* out);

template <size_t N>
NameText FindName(const NameIndex<N>& index, int64_t key) {
  return FindIndexedName(index.slots, NameIndex<N>::kSlotCount, index.rows, key);
}

template <size_t N>
NameText LookupName(const NameIndex<N>& index, int64_t key, char* out) {
  return LookupIndexedName(index.slots, NameIndex<N>::kSlotCount, index.rows, index.missName, key,
                           out);
}

// Rows searched only when a table's own rows name nothing, by the same rule: the table's rows
// always win. An empty supplement leaves the table's lookup exactly as it is.
struct NameSupplement {
  const NameTableRow* rows = nullptr;
  size_t count = 0;
};

// The not-found text of the lookup rule, "ERROR!(<key>)", written to `out` (64 bytes).
NameText UnnamedName(int64_t key, char* out);

template <typename Rows>
NameText LookupName(const Rows& rows, const NameSupplement& supplement, int64_t key, char* out) {
  NameText name = FindName(rows, key);
  if (name.text == nullptr) name = FindName(supplement.rows, supplement.count, key);
  return name.text != nullptr ? name : UnnamedName(key, out);
}
