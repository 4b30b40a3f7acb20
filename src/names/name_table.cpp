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

NameText FindIndexedName(const IndexSlot* slots, size_t slotCount, const NameTableRow* rows,
                         int64_t key) {
  // Every indexed value takes 32 bits: a wider key names nothing.
  if (static_cast<int32_t>(key) != key) return NameText{nullptr, 0};
  for (size_t at = IndexSlotOf(key, slotCount); slots[at].row != 0;
       at = (at + 1) & (slotCount - 1)) {
    if (slots[at].value == key) return rows[slots[at].row - 1].Name();
  }
  return NameText{nullptr, 0};
}

NameText LookupIndexedName(const IndexSlot* slots, size_t slotCount, const NameTableRow* rows,
                           const char* missName, int64_t key, char* out) {
  NameText name = FindIndexedName(slots, slotCount, rows, key);
  return name.text != nullptr ? name : Unnamed(missName, key, out);
}
