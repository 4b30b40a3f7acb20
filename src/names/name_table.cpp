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

NameText FindSortedName(const NameTableRow* byValue, size_t rowCount, int64_t key) {
  // The first row whose value is not below the key.
  const NameTableRow* first = byValue;
  size_t count = rowCount;
  while (count > 0) {
    size_t half = count / 2;
    if (first[half].value < key) {
      first += half + 1;
      count -= half + 1;
    } else {
      count = half;
    }
  }
  if (first != byValue + rowCount && first->value == key) return first->Name();
  return NameText{nullptr, 0};
}

NameText LookupSortedName(const NameTableRow* byValue, size_t rowCount, const char* missName,
                          int64_t key, char* out) {
  NameText name = FindSortedName(byValue, rowCount, key);
  return name.text != nullptr ? name : Unnamed(missName, key, out);
}
