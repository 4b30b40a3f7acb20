#include "names/name_table.h"

#include <cstring>

#include "analyzer/line_format.h"

const char* FindName(const NameTableRow* rows, size_t rowCount, int64_t key) {
  for (size_t i = 0; i < rowCount; ++i) {
    if (rows[i].value == key) return rows[i].name;
  }
  return nullptr;
}

const char* LookupName(const NameTableRow* rows, size_t rowCount, int64_t key, char* out) {
  const char* name = FindName(rows, rowCount, key);
  if (name != nullptr) {
    size_t length = strnlen(name, kMacroNameSize - 1);
    memcpy(out, name, length);
    out[length] = '\0';
  } else {
    TW_FORMAT(out, kMacroNameSize, "%s(%d)", rows[rowCount].name, static_cast<int32_t>(key));
  }
  return out;
}
