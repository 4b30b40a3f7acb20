// Failed triplets and the condition code the application then read with DAT_STATUS.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "log_reader/triplet_entry.h"
#include "report/entry_mark.h"

namespace report {

struct Failure {
  EntryMark triplet;
  std::string tripletText;
  std::string capability;
  std::optional<EntryMark> status;  // the DAT_STATUS triplet that followed, if any
  std::string conditionCode;
};

// The successful DAT_STATUS showing a condition code, which answers a failure when it is the
// next triplet with a header after it (event entries in between do not count).
bool IsStatusAnswer(const log_reader::Triplet& triplet);

// Collects the failures in log order, the first `kept` of them with their details.
class FailureCollector {
 public:
  static constexpr size_t kKept = 100;

  void Take(const log_reader::Triplet& triplet);
  size_t Count() const { return count_; }
  std::vector<Failure> Failures() && { return std::move(failures_); }

 private:
  std::vector<Failure> failures_;
  size_t count_ = 0;
  bool waiting_ = false;  // the last kept failure waits for its status request
};

}  // namespace report
