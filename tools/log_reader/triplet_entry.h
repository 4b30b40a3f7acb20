// One traced call as the log shows it: the header's names, the result lines, the fields of the
// structure dump and the state line, with what is missing or does not fit the log's forms.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "log_reader/line_patterns.h"
#include "log_reader/log_lines.h"
#include "log_reader/log_splitter.h"

namespace log_reader {

// "    Cap        = [ICAP_PIXELTYPE]" gives key "Cap" and value "ICAP_PIXELTYPE"; a pointer
// keeps its angle brackets ("<0x00a1b2c0>"), a one-line list its braces.
struct DumpField {
  std::string_view key;
  std::string_view value;
};

// "          2:TWPT_RGB" of an item list; the separating comma is not part of the text.
struct ListItem {
  long long index = 0;
  std::string_view text;
};

// The header's names are those of its HeaderLine, blank when the entry has no header.
struct Triplet : HeaderLine {
  size_t ordinal = 0;  // 1-based position among the log's entries
  size_t firstLine = 0;
  size_t offset = 0;  // of the entry's first byte in the file
  std::string_view raw;

  bool hasHeader = false;

  bool hasResult = false;
  std::string_view returnCode;
  std::string_view dataPointer;
  std::optional<int> state;

  std::vector<DumpField> fields;
  std::vector<std::string_view> blocks;  // structure names in the order their dumps open
  std::vector<ListItem> items;

  bool cut = false;
  bool cutAtLimit = false;
  bool errorStatus = false;        // both error-status markers follow
  bool truncatedLine = false;      // the log ends inside the entry's last line
  std::vector<LogLine> malformed;  // lines of the entry that fit no form of the log

  bool Failed() const;
  // The tracer wrote everything of this call: a state line, a cut, or a failure's markers.
  bool Complete() const;
  // The first dump field of that name; empty when there is none.
  std::string_view Field(std::string_view key) const;
  bool HasField(std::string_view key) const;
  bool HasBlock(std::string_view name) const;
};

Triplet ParseTriplet(const RawEntry& entry, size_t ordinal);
// The same into `triplet`, whose lists keep their storage.
void ParseTriplet(const RawEntry& entry, size_t ordinal, Triplet* triplet);

// "DG_CONTROL/DAT_CAPABILITY/MSG_GET"; an entry without header was a MSG_PROCESSEVENT, the only
// triplet the tracer logs without one.
std::string TripletText(const Triplet& triplet);
// The running number as the header prints it, or "-----" without a header.
std::string SequenceText(const Triplet& triplet);

}  // namespace log_reader
