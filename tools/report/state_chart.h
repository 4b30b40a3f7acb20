// The tracked TWAIN state over the log, kept at the chart's resolution: at most kBuckets
// stretches of calls, each with the lowest, highest and last state it showed and its failures.
// A log of millions of calls keeps as many as a log of a thousand.
#pragma once

#include <cstddef>
#include <optional>
#include <vector>

#include "log_reader/triplet_entry.h"
#include "report/entry_mark.h"

namespace report {

struct StateBucket {
  size_t first = 0;  // ordinals of the first and last call in it
  size_t last = 0;
  std::optional<int> lowest;
  std::optional<int> highest;
  std::optional<int> end;  // the last state line's
  size_t failures = 0;
  EntryMark firstFailure;
};

class StateChart {
 public:
  static constexpr size_t kBuckets = 1024;

  void Take(const log_reader::Triplet& triplet);
  const std::vector<StateBucket>& Buckets() const { return buckets_; }
  size_t CallsPerBucket() const { return width_; }

 private:
  void Halve();

  std::vector<StateBucket> buckets_;
  size_t width_ = 1;
};

}  // namespace report
