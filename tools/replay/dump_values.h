// The way back from a dump's text to the values that produced it: constant names to their
// values, numbers in the forms the dumps print them, and capability items by their item type.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "twaintrace/twain_types.h"

namespace replay {

// The value a triplet's own names stand for: data groups, data argument types, messages, return
// codes and capabilities; "ERROR!(n)" stands for n.
std::optional<int64_t> DataGroupValue(std::string_view name);
std::optional<int64_t> ArgumentTypeValue(std::string_view name);
std::optional<int64_t> MessageValue(std::string_view name);
std::optional<int64_t> ReturnCodeValue(std::string_view name);
std::optional<int64_t> CapabilityValue(std::string_view name);
// A data argument type the replay knows how to send: one of the standard's or vendor's tables,
// or the source manager's hand-over of its entry points; whichever build's names the log has.
bool IsKnownArgumentType(int64_t dat);

// Field constants: container types, item types, languages, countries, file formats.
std::optional<int64_t> ContainerTypeValue(std::string_view name);
std::optional<int64_t> ItemTypeValue(std::string_view name);
std::optional<int64_t> LanguageValue(std::string_view name);
std::optional<int64_t> CountryValue(std::string_view name);
std::optional<int64_t> FileFormatValue(std::string_view name);

std::optional<int64_t> IntegerValue(std::string_view text);
// "0x1f" as the dumps print flags and 8-bit items.
std::optional<int64_t> HexValue(std::string_view text);
std::optional<bool> BoolValue(std::string_view text);
// "300.000": the nearest TW_FIX32, which prints as the same text.
std::optional<TW_FIX32> Fix32Value(std::string_view text);

// One capability item of `itemType` as the dumps show it, written into `item` (room for the
// largest item, TWTY_STR255); false for a text the item type cannot have produced.
bool ParseItem(TW_UINT16 cap, TW_UINT16 itemType, std::string_view text, void* item);

}  // namespace replay
