#include "replay/dump_values.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>

#include "names/capability_values.h"
#include "names/field_names.h"
#include "names/triplet_names.h"
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

template <size_t N>
std::optional<int64_t> TableValue(const NameTableRow (&rows)[N], std::string_view name) {
  if (std::optional<int64_t> value = RowValue(rows, N - 1, name)) return value;
  return UnnamedValue(name);
}

template <size_t N, size_t M>
std::optional<int64_t> TableValue(const NameTableRow (&low)[N], const NameTableRow (&high)[M],
                                  std::string_view name) {
  if (std::optional<int64_t> value = RowValue(high, M - 1, name)) return value;
  return TableValue(low, name);
}

template <typename T>
void Store(void* item, T value) {
  memcpy(item, &value, sizeof(value));
}

// A 16-bit item: a capability name in the supported-capabilities list, a version, a constant of
// the capability's own value table, or a plain number.
std::optional<int64_t> Uint16Item(TW_UINT16 cap, std::string_view text) {
  if (cap == CAP_SUPPORTEDCAPS) return CapabilityValue(text);
  if (cap == CAP_VX_VERSION) {
    size_t dot = text.find('.');
    if (dot == std::string_view::npos) return std::nullopt;
    std::optional<int64_t> major = HexValue("0x" + std::string(text.substr(0, dot)));
    std::optional<int64_t> minor = HexValue("0x" + std::string(text.substr(dot + 1)));
    if (!major || !minor) return std::nullopt;
    return (*major << 8) | *minor;
  }
  const CapValueMapRow* row = FindCapValues(IsVendorId(cap) ? VALTOCAPVX : VALTOCAP, cap);
  if (row == nullptr) return IntegerValue(text);
  if (std::optional<int64_t> value = RowValue(row->table, row->rowCount - 1, text)) return value;
  return UnnamedValue(text);
}

bool StoreString(std::string_view text, size_t size, void* item) {
  if (text.size() >= size) return false;
  memset(item, 0, size);
  memcpy(item, text.data(), text.size());
  return true;
}

}  // namespace

std::optional<int64_t> DataGroupValue(std::string_view name) {
  return TableValue(dg_macros, name);
}

std::optional<int64_t> ArgumentTypeValue(std::string_view name) {
  return TableValue(dat_macros, dat_vx_macros, name);
}

std::optional<int64_t> MessageValue(std::string_view name) {
  return TableValue(msg_macros, msg_vx_macros, name);
}

std::optional<int64_t> ReturnCodeValue(std::string_view name) {
  return TableValue(twrc_macros, name);
}

std::optional<int64_t> CapabilityValue(std::string_view name) {
  if (auto value = RowValue(cap_macros, std::size(cap_macros) - 1, name)) return value;
  if (auto value = RowValue(icap_macros, std::size(icap_macros) - 1, name)) return value;
  if (auto value = RowValue(cap_vx_macros, std::size(cap_vx_macros) - 1, name)) return value;
  if (auto value = RowValue(icap_vx_macros, std::size(icap_vx_macros) - 1, name)) return value;
  return UnnamedValue(name);
}

std::optional<int64_t> ContainerTypeValue(std::string_view name) {
  return TableValue(twon_macros, name);
}

std::optional<int64_t> ItemTypeValue(std::string_view name) {
  return TableValue(twty_macros, name);
}

std::optional<int64_t> LanguageValue(std::string_view name) {
  return TableValue(twlg_macros, name);
}

std::optional<int64_t> CountryValue(std::string_view name) {
  return TableValue(twcy_macros, name);
}

std::optional<int64_t> FileFormatValue(std::string_view name) {
  return TableValue(twff_macros, name);
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
