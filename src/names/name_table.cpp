#include "names/name_table.h"

#include <cstring>

#include "text/line_format.h"

NameText FindName(const NameTableRow* rows, size_t rowCount, int64_t key) {
  for (size_t i = 0; i < rowCount; ++i) {
    if (rows[i].value == key) return rows[i].Name();
  }
  return NameText{nullptr, 0};
}

namespace {

NameText Unnamed(const char* missName, int64_t key, char* out) {
  return {out, TW_FORMAT(out, kMacroNameSize, "%s(%d)", missName, static_cast<int32_t>(key))};
}

}  // namespace

NameText UnnamedName(int64_t key, char* out) {
  return Unnamed("ERROR!", key, out);
}

NameText LookupName(const NameTableRow* rows, size_t rowCount, int64_t key, char* out) {
  NameText name = FindName(rows, rowCount, key);
  return name.text != nullptr ? name : Unnamed(rows[rowCount].name, key, out);
}

NameText FindSortedName(const int64_t* values, const NameTableRow* byValue, size_t rowCount,
                        int64_t key) {
  if (rowCount == 0) return NameText{nullptr, 0};
  // The first value not below the key, by halves whose sizes depend on the count alone: a step
  // is a conditional move, not a branch that goes either way at random.
  const int64_t* first = values;
  for (size_t count = rowCount; count > 1;) {
    size_t half = count / 2;
    first = first[half] < key ? first + half : first;
    count -= half;
  }
  size_t at = static_cast<size_t>(first - values) + (*first < key ? 1 : 0);
  if (at != rowCount && values[at] == key) return byValue[at].Name();
  return NameText{nullptr, 0};
}

NameText LookupSortedName(const int64_t* values, const NameTableRow* byValue, size_t rowCount,
                          const char* missName, int64_t key, char* out) {
  NameText name = FindSortedName(values, byValue, rowCount, key);
  return name.text != nullptr ? name : Unnamed(missName, key, out);
}
