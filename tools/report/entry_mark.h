// Where an entry stands in its log and how the report names it: all the report keeps of an
// entry, so that what it keeps does not grow with the entries' text.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "log_reader/triplet_entry.h"

namespace report {

struct EntryMark {
  size_t ordinal = 0;  // 1-based position among the log's entries
  bool hasHeader = false;
  long long sequence = 0;
  size_t line = 0;
  uint64_t offset = 0;
  size_t length = 0;
};

EntryMark MarkOf(const log_reader::Triplet& triplet);
// The running number as the header prints it, or "-----" without a header.
std::string SequenceText(const EntryMark& mark);

}  // namespace report
