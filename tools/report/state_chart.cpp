#include "report/state_chart.h"

#include <algorithm>

namespace report {

namespace {

void Join(const StateBucket& later, StateBucket* bucket) {
  bucket->last = later.last;
  if (later.lowest) {
    bucket->lowest = std::min(bucket->lowest.value_or(*later.lowest), *later.lowest);
    bucket->highest = std::max(bucket->highest.value_or(*later.highest), *later.highest);
    bucket->end = later.end;
  }
  if (later.failures > 0 && bucket->failures == 0) bucket->firstFailure = later.firstFailure;
  bucket->failures += later.failures;
}

}  // namespace

// Two neighbours become one: the chart keeps its resolution as the log grows.
void StateChart::Halve() {
  std::vector<StateBucket> halved;
  halved.reserve(kBuckets);
  for (size_t i = 0; i < buckets_.size(); i += 2) {
    halved.push_back(buckets_[i]);
    if (i + 1 < buckets_.size()) Join(buckets_[i + 1], &halved.back());
  }
  buckets_ = std::move(halved);
  width_ *= 2;
}

void StateChart::Take(const log_reader::Triplet& triplet) {
  size_t index = (triplet.ordinal - 1) / width_;
  while (index >= kBuckets) {
    Halve();
    index = (triplet.ordinal - 1) / width_;
  }
  if (index >= buckets_.size()) {
    buckets_.emplace_back();
    buckets_.back().first = triplet.ordinal;
  }
  StateBucket& bucket = buckets_.back();
  bucket.last = triplet.ordinal;
  if (triplet.state) {
    bucket.lowest = std::min(bucket.lowest.value_or(*triplet.state), *triplet.state);
    bucket.highest = std::max(bucket.highest.value_or(*triplet.state), *triplet.state);
    bucket.end = triplet.state;
  }
  if (triplet.Failed() && bucket.failures++ == 0) bucket.firstFailure = MarkOf(triplet);
}

}  // namespace report
