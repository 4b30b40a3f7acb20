// Failed triplets and the condition code the application then read with DAT_STATUS.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

#include "log_reader/triplet_entry.h"

namespace report {

struct Failure {
  size_t triplet = 0;            // index into the log's triplets
  std::optional<size_t> status;  // the DAT_STATUS triplet that followed, if any
  std::string_view conditionCode;
};

std::vector<Failure> FindFailures(const std::vector<log_reader::Triplet>& triplets);

// The successful DAT_STATUS that the application sent next after triplet `index` and that
// shows a condition code. Event entries in between do not count as the next triplet.
std::optional<size_t> StatusAfter(const std::vector<log_reader::Triplet>& triplets, size_t index);

}  // namespace report
