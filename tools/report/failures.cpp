#include "report/failures.h"

namespace report {

EntryMark MarkOf(const log_reader::Triplet& triplet) {
  EntryMark mark;
  mark.ordinal = triplet.ordinal;
  mark.hasHeader = triplet.hasHeader;
  mark.sequence = triplet.sequence;
  mark.line = triplet.firstLine;
  mark.offset = triplet.offset;
  mark.length = triplet.raw.size();
  return mark;
}

std::string SequenceText(const EntryMark& mark) {
  log_reader::Triplet named;
  named.hasHeader = mark.hasHeader;
  named.sequence = mark.sequence;
  return log_reader::SequenceText(named);
}

bool IsStatusAnswer(const log_reader::Triplet& triplet) {
  return triplet.argumentType == "DAT_STATUS" && triplet.hasResult && !triplet.Failed() &&
         triplet.HasField("ConditionCode");
}

void FailureCollector::Take(const log_reader::Triplet& triplet) {
  if (triplet.hasHeader && waiting_) {
    waiting_ = false;
    if (IsStatusAnswer(triplet)) {
      failures_.back().status = MarkOf(triplet);
      failures_.back().conditionCode = std::string(triplet.Field("ConditionCode"));
    }
  }
  if (!triplet.Failed()) return;
  if (count_++ >= kKept) return;
  Failure failure;
  failure.triplet = MarkOf(triplet);
  failure.tripletText = log_reader::TripletText(triplet);
  failure.capability = std::string(triplet.capability);
  failures_.push_back(std::move(failure));
  waiting_ = true;
}

}  // namespace report
