// The facts of the log's format that the data source writes and the tools read back: one place,
// so that the writer and its readers cannot drift apart.
#pragma once

#include <cstddef>

namespace log_format {

// The most bytes of one call's parameter text that reach the log; the rest is dropped and the
// cut marker follows it directly, without a line end.
inline constexpr size_t kParameterTextLimit = 5120;
inline constexpr char kCutMarker[] = "Size of CAP_xxx too long";

// After a failed call's entry, each on a line of its own.
inline constexpr char kErrorStatusStart[] = "*** Inspect Error Status Start ***";
inline constexpr char kErrorStatusEnd[] = "*** Inspect Error Status End   ***";

// The trace's line end; the levelled logger ends its lines with "\n" alone.
inline constexpr char kLineEnd[] = "\r\n";

// The first lines of an entry's parameter text, and its last.
inline constexpr char kReturnCodePrefix[] = "        Return Code = [";
inline constexpr char kDataPointerPrefix[] = "pData   = <";
inline constexpr char kStatePrefix[] = "TWAIN Status = [";

// Each load's log: "Twainlog_YYYYMMDD_HHMMSS_mmmm.txt", the local time of one clock reading,
// its milliseconds rounded (1000 closes a second).
inline constexpr char kFileNamePrefix[] = "Twainlog_";
inline constexpr char kFileNameSuffix[] = ".txt";
// The name's shape, a 'd' for each decimal digit.
inline constexpr char kFileNameShape[] = "Twainlog_dddddddd_dddddd_dddd.txt";

}  // namespace log_format
