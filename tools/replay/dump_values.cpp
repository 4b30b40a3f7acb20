#include "replay/dump_values.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <string>

#include "names/capability_values.h"
#include "names/field_names.h"
#include "names/triplet_names.h"
#include "names/twain25_names.h"
#include "twaintrace/twain_abi.h"
#include "twaintrace/twain_items.h"
#include "twaintrace/twain_vendor.h"

namespace replay {

namespace {

// "ERROR!(1027)": the lookup's text for a value no row names.
std::optional<int64_t> UnnamedValue(std::string_view name) {
  constexpr std::string_view kPrefix = "ERROR!(";
  if (name.size() <= kPrefix.size() + 1 || name.substr(0, kPrefix.size()) != kPrefix ||
      name.back() != ')') {
    return std::nullopt;
  }
  return IntegerValue(name.substr(kPrefix.size(), name.size() - kPrefix.size() - 1));
}

std::optional<int64_t> RowValue(const NameTableRow* rows, size_t rowCount, std::string_view name) {
  for (size_t i = 0; i < rowCount; ++i) {
    if (name == rows[i].name) return rows[i].value;
  }
  return std::nullopt;
}

// A table's rows up to its "ERROR!" row. A supplement's rows are read whole, whether or not this
// build names with them: a log of the other build does.
size_t RowsBeforeEnd(const NameTableRow* rows) {
  size_t count = 0;
  while (rows[count].value != -1 || std::string_view(rows[count].name) != "ERROR!") ++count;
  return count;
}

struct Rows {
  template <size_t N>
  constexpr Rows(const NameTableRow (&table)[N]) : rows(table), count(N - 1) {}  // NOLINT
  const NameTableRow* rows;
  size_t count;
};

// Every name any build writes for one kind of value: the tables' own rows first, as the lookup
// rule has it, then "ERROR!(n)".
std::optional<int64_t> NamedValue(std::initializer_list<Rows> tables, std::string_view name) {
  for (const Rows& table : tables) {
    if (std::optional<int64_t> value = RowValue(table.rows, table.count, name)) return value;
  }
  return UnnamedValue(name);
}

template <typename T>
void Store(void* item, T value) {
  memcpy(item, &value, sizeof(value));
}

// A 16-bit item: a capability name in the supported-capabilities list, a version, a constant of
// the capability's own value table or its TWAIN 2.5 supplement, or a plain number (as a build
// without the vendor's extensions writes the values of the vendor's capabilities).
std::optional<int64_t> Uint16Item(TW_UINT16 cap, std::string_view text) {
  if (cap == CAP_SUPPORTEDCAPS) return CapabilityValue(text);
  size_t dot = text.find('.');
  if (cap == CAP_VX_VERSION && dot != std::string_view::npos) {
    std::optional<int64_t> major = HexValue("0x" + std::string(text.substr(0, dot)));
    std::optional<int64_t> minor = HexValue("0x" + std::string(text.substr(dot + 1)));
    if (!major || !minor) return std::nullopt;
    return (*major << 8) | *minor;
  }
  const CapValueMapRow* row = FindCapValues(IsVendorId(cap) ? VALTOCAPVX : VALTOCAP, cap);
  if (row != nullptr) {
    if (auto value = RowValue(row->table, row->rowCount - 1, text)) return value;
    const NameTableRow* supplement = ValueSupplementOf(row->table).rows;
    if (supplement != nullptr) {
      if (auto value = RowValue(supplement, RowsBeforeEnd(supplement), text)) return value;
    }
    if (auto value = UnnamedValue(text)) return value;
  }
  return IntegerValue(text);
}

bool StoreString(std::string_view text, size_t size, void* item) {
  if (text.size() >= size) return false;
  memset(item, 0, size);
  memcpy(item, text.data(), text.size());
  return true;
}

}  // namespace

std::optional<int64_t> DataGroupValue(std::string_view name) {
  return NamedValue({dg_macros, twain25_dg_macros}, name);
}

std::optional<int64_t> ArgumentTypeValue(std::string_view name) {
  return NamedValue({dat_macros, dat_vx_macros, twain25_dat_macros}, name);
}

bool IsKnownArgumentType(int64_t dat) {
  return dat == DAT_ENTRYPOINT || FindName(dat_macros, dat).text != nullptr ||
         FindName(dat_vx_macros, dat).text != nullptr;
}

std::optional<int64_t> MessageValue(std::string_view name) {
  return NamedValue({msg_macros, msg_vx_macros, twain25_msg_macros}, name);
}

std::optional<int64_t> ReturnCodeValue(std::string_view name) {
  return NamedValue({twrc_macros, twain25_twrc_macros}, name);
}

std::optional<int64_t> CapabilityValue(std::string_view name) {
  return NamedValue({cap_macros, icap_macros, cap_vx_macros, icap_vx_macros, twain25_cap_macros},
                    name);
}

std::optional<int64_t> ContainerTypeValue(std::string_view name) {
  return NamedValue({twon_macros}, name);
}

std::optional<int64_t> ItemTypeValue(std::string_view name) {
  return NamedValue({twty_macros, twain25_twty_macros}, name);
}

std::optional<int64_t> LanguageValue(std::string_view name) {
  return NamedValue({twlg_macros}, name);
}

std::optional<int64_t> CountryValue(std::string_view name) {
  return NamedValue({twcy_macros}, name);
}

std::optional<int64_t> FileFormatValue(std::string_view name) {
  return NamedValue({twff_macros, twain25_twff_macros}, name);
}

std::optional<int64_t> IntegerValue(std::string_view text) {
  std::string copy(text);
  if (copy.empty()) return std::nullopt;
  char* end = nullptr;
  errno = 0;
  long long value = strtoll(copy.c_str(), &end, 10);
  if (errno != 0 || *end != '\0') return std::nullopt;
  return value;
}

std::optional<int64_t> HexValue(std::string_view text) {
  if (text.size() < 3 || text.substr(0, 2) != "0x") return std::nullopt;
  std::string digits(text.substr(2));
  char* end = nullptr;
  errno = 0;
  unsigned long long value = strtoull(digits.c_str(), &end, 16);
  if (errno != 0 || *end != '\0' || digits[0] == '-' || digits[0] == '+') return std::nullopt;
  return static_cast<int64_t>(value);
}

std::optional<bool> BoolValue(std::string_view text) {
  if (text == "true") return true;
  if (text == "false") return false;
  return std::nullopt;
}

std::optional<TW_FIX32> Fix32Value(std::string_view text) {
  std::string copy(text);
  if (copy.empty()) return std::nullopt;
  char* end = nullptr;
  double value = strtod(copy.c_str(), &end);
  if (*end != '\0' || !std::isfinite(value) || value < -32768.0 || value >= 32768.0) {
    return std::nullopt;
  }
  long scaled = std::lround(value * 65536.0);
  TW_FIX32 fix;
  fix.Whole = static_cast<TW_INT16>(scaled >> 16);
  fix.Frac = static_cast<TW_UINT16>(scaled & 0xFFFF);
  return fix;
}

bool ParseItem(TW_UINT16 cap, TW_UINT16 itemType, std::string_view text, void* item) {
  std::optional<int64_t> value;
  switch (itemType) {
    case TWTY_INT8:
    case TWTY_UINT8:
      if (!(value = HexValue(text)) || *value > 0xFF) return false;
      Store(item, static_cast<TW_UINT8>(*value));
      return true;
    case TWTY_INT16:
      if (!(value = IntegerValue(text))) return false;
      Store(item, static_cast<TW_INT16>(*value));
      return true;
    case TWTY_INT32:
    case TWTY_UINT32:
      if (!(value = IntegerValue(text))) return false;
      Store(item, static_cast<TW_UINT32>(*value));
      return true;
    case TWTY_UINT16:
      if (!(value = Uint16Item(cap, text))) return false;
      Store(item, static_cast<TW_UINT16>(*value));
      return true;
    case TWTY_BOOL: {
      std::optional<bool> flag = BoolValue(text);
      if (!flag) return false;
      Store(item, static_cast<TW_BOOL>(*flag ? 1 : 0));
      return true;
    }
    case TWTY_FIX32: {
      std::optional<TW_FIX32> fix = Fix32Value(text);
      if (!fix) return false;
      Store(item, *fix);
      return true;
    }
    case TWTY_FRAME: {
      // "Left,Top,Right,Bottom"
      TW_FRAME frame{};
      TW_FIX32* sides[] = {&frame.Left, &frame.Top, &frame.Right, &frame.Bottom};
      for (size_t side = 0; side < 4; ++side) {
        size_t comma = side < 3 ? text.find(',') : text.size();
        if (comma == std::string_view::npos) return false;
        std::optional<TW_FIX32> fix = Fix32Value(text.substr(0, comma));
        if (!fix) return false;
        *sides[side] = *fix;
        text.remove_prefix(std::min(text.size(), comma + 1));
      }
      Store(item, frame);
      return true;
    }
    case TWTY_STR32:
    case TWTY_STR64:
    case TWTY_STR128:
    case TWTY_STR255:
      return StoreString(text, TwainItemSize(itemType), item);
    default:
      return false;
  }
}

}  // namespace replay
