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

inline constexpr size_t kMacroNameSize = 64;

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

// A long table's compared rows in the order of their values, rows of equal value in table
// order: the same lookup rule by binary search, for the tables that a scan would cross on
// every call (languages, countries, capabilities). Made when the data source is compiled.
// The values are also kept on their own, packed, so that a search reads a few cache lines of
// them rather than a row per step.
template <size_t N>
struct NameIndex {
  int64_t values[N - 1];
  NameTableRow byValue[N - 1];
  const char* missName;  // the table's "ERROR!" row
};

// Insertion sort: stable, so that the first of equal rows stays first.
template <size_t N>
constexpr void InsertByValue(NameIndex<N>& index, size_t& count, const NameTableRow& row) {
  size_t at = count++;
  while (at > 0 && index.byValue[at - 1].value > row.value) {
    index.byValue[at] = index.byValue[at - 1];
    index.values[at] = index.values[at - 1];
    --at;
  }
  index.byValue[at] = row;
  index.values[at] = row.value;
}

template <size_t N>
constexpr NameIndex<N> IndexByValue(const NameTableRow (&rows)[N]) {
  NameIndex<N> index{};
  size_t count = 0;
  for (size_t i = 0; i + 1 < N; ++i) InsertByValue(index, count, rows[i]);
  index.missName = rows[N - 1].name;
  return index;
}

// Two tables looked up in turn, the second only when the first has no row for the key, as one
// index: the first table's rows come before the second's of equal value. The second table's
// "ERROR!" row names a key in neither.
template <size_t N, size_t M>
constexpr NameIndex<N + M - 1> IndexByValue(const NameTableRow (&first)[N],
                                            const NameTableRow (&second)[M]) {
  NameIndex<N + M - 1> index{};
  size_t count = 0;
  for (size_t i = 0; i + 1 < N; ++i) InsertByValue(index, count, first[i]);
  for (size_t i = 0; i + 1 < M; ++i) InsertByValue(index, count, second[i]);
  index.missName = second[M - 1].name;
  return index;
}

// FindName and LookupName over rows sorted by value, their values in `values`.
NameText FindSortedName(const int64_t* values, const NameTableRow* byValue, size_t rowCount,
                        int64_t key);
NameText LookupSortedName(const int64_t* values, const NameTableRow* byValue, size_t rowCount,
                          const char* missName, int64_t key, char* out);

template <size_t N>
NameText FindName(const NameIndex<N>& index, int64_t key) {
  return FindSortedName(index.values, index.byValue, N - 1, key);
}

template <size_t N>
NameText LookupName(const NameIndex<N>& index, int64_t key, char* out) {
  return LookupSortedName(index.values, index.byValue, N - 1, index.missName, key, out);
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
