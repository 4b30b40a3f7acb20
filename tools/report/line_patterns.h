// The fixed texts and line forms that the tracer writes, and the recognisers for the lines that
// begin something new in a log: a triplet header, the result lines of an entry without header,
// an error-status marker, a logger message.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

namespace report {

// The tracer writes at most this many bytes of one call's parameter text; the rest is dropped
// and the marker follows, without a line end.
inline constexpr size_t kParameterTextLimit = 5120;
inline constexpr std::string_view kCutMarker = "Size of CAP_xxx too long";
inline constexpr std::string_view kErrorStatusStart = "*** Inspect Error Status Start ***";
inline constexpr std::string_view kErrorStatusEnd = "*** Inspect Error Status End   ***";
inline constexpr std::string_view kReturnCodePrefix = "        Return Code = [";
inline constexpr std::string_view kDataPointerPrefix = "pData   = <";
inline constexpr std::string_view kStatePrefix = "TWAIN Status = [";
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

}  // namespace report
