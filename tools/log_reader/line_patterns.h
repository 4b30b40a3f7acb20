// The fixed texts and line forms that the tracer writes, and the recognisers for the lines that
// begin something new in a log: a triplet header, the result lines of an entry without header,
// an error-status marker, a logger message.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

#include "twaintrace/log_format.h"

namespace log_reader {

inline constexpr size_t kParameterTextLimit = log_format::kParameterTextLimit;
inline constexpr std::string_view kCutMarker = log_format::kCutMarker;
inline constexpr std::string_view kErrorStatusStart = log_format::kErrorStatusStart;
inline constexpr std::string_view kErrorStatusEnd = log_format::kErrorStatusEnd;
inline constexpr std::string_view kReturnCodePrefix = log_format::kReturnCodePrefix;
inline constexpr std::string_view kDataPointerPrefix = log_format::kDataPointerPrefix;
inline constexpr std::string_view kStatePrefix = log_format::kStatePrefix;
inline constexpr std::string_view kFailureCode = "TWRC_FAILURE";

// "[00012] [APP] DG_CONTROL/DAT_CAPABILITY/MSG_GETCURRENT (ICAP_PIXELTYPE)"
struct HeaderLine {
  long long sequence = 0;
  std::string_view tag;
  std::string_view group;
  std::string_view argumentType;
  std::string_view message;
  bool hasCapability = false;
  std::string_view capability;  // empty for a capability triplet without data
};

std::optional<HeaderLine> ParseHeaderLine(std::string_view text);
bool IsHeaderLine(std::string_view text);
bool IsErrorStatusLine(std::string_view text);
// A header, a logger message, an error-status marker or the return-code line.
bool StartsUnit(std::string_view text);

}  // namespace log_reader
