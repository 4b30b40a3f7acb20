#include "report/failures.h"

namespace report {

std::optional<size_t> StatusAfter(const std::vector<log_reader::Triplet>& triplets, size_t index) {
  for (size_t next = index + 1; next < triplets.size(); ++next) {
    const log_reader::Triplet& triplet = triplets[next];
    if (!triplet.hasHeader) continue;
    if (triplet.argumentType == "DAT_STATUS" && triplet.hasResult && !triplet.Failed() &&
        triplet.HasField("ConditionCode")) {
      return next;
    }
    return std::nullopt;
  }
  return std::nullopt;
}

std::vector<Failure> FindFailures(const std::vector<log_reader::Triplet>& triplets) {
  std::vector<Failure> failures;
  for (size_t i = 0; i < triplets.size(); ++i) {
    if (!triplets[i].Failed()) continue;
    Failure failure;
    failure.triplet = i;
    failure.status = StatusAfter(triplets, i);
    if (failure.status) failure.conditionCode = triplets[*failure.status].Field("ConditionCode");
    failures.push_back(failure);
  }
  return failures;
}

}  // namespace report
