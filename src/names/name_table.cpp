#include "names/name_table.h"

#include <cstring>

#include "analyzer/line_format.h"

const char* FindName(const NameTableRow* rows, size_t rowCount, int64_t key) {
  for (size_t i = 0; i < rowCount; ++i) {
    if (rows[i].value == key) return rows[i].name;
  }
  return nullptr;
}

namespace {

const char* Unnamed(const char* missName, int64_t key, char* out) {
  TW_FORMAT(out, kMacroNameSize, "%s(%d)", missName, static_cast<int32_t>(key));
  return out;
}

}  // namespace

const char* LookupName(const NameTableRow* rows, size_t rowCount, int64_t key, char* out) {
  const char* name = FindName(rows, rowCount, key);
  return name != nullptr ? name : Unnamed(rows[rowCount].name, key, out);
}

const char* FindSortedName(const NameTableRow* byValue, size_t rowCount, int64_t key) {
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
  return first != byValue + rowCount && first->value == key ? first->name : nullptr;
}

const char* LookupSortedName(const NameTableRow* byValue, size_t rowCount, const char* missName,
                             int64_t key, char* out) {
  const char* name = FindSortedName(byValue, rowCount, key);
  return name != nullptr ? name : Unnamed(missName, key, out);
}
