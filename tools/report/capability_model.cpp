#include "report/capability_model.h"

#include <algorithm>

#include "log_reader/text_helpers.h"
#include "report/failures.h"

namespace report {

namespace {

// Long lists are shown by their first items and their count.
constexpr size_t kItemsShown = 16;

std::optional<CapabilityOperation> OperationOf(std::string_view message) {
  if (message == "MSG_GET") return CapabilityOperation::kGet;
  if (message == "MSG_GETCURRENT") return CapabilityOperation::kGetCurrent;
  if (message == "MSG_GETDEFAULT") return CapabilityOperation::kGetDefault;
  if (message == "MSG_SET") return CapabilityOperation::kSet;
  return std::nullopt;
}

std::string JoinItems(const log_reader::Triplet& triplet) {
  if (triplet.items.empty()) return "no items";
  std::string text;
  size_t shown = std::min(triplet.items.size(), kItemsShown);
  for (size_t i = 0; i < shown; ++i) {
    if (i > 0) text += ", ";
    text += triplet.items[i].text;
  }
  std::string_view count = triplet.Field("NumItems");
  if (triplet.items.size() > shown || (triplet.cut && !count.empty())) {
    text += ", ... (" + std::string(count.empty() ? std::to_string(triplet.items.size()) : count) +
            " items)";
  }
  return text;
}

// The item an enumeration's index points to, or the index itself when the list lacks it.
std::string IndexedItem(const log_reader::Triplet& triplet, std::string_view indexField) {
  std::string_view index = triplet.Field(indexField);
  std::optional<long long> value = log_reader::ParseInteger(index);
  if (value) {
    for (const log_reader::ListItem& item : triplet.items) {
      if (item.index == *value) return std::string(item.text);
    }
  }
  return "index " + std::string(index);
}

std::string EnumerationSummary(const log_reader::Triplet& triplet) {
  return "enumeration: " + JoinItems(triplet) + "; current " +
         IndexedItem(triplet, "CurrentIndex") + ", default " + IndexedItem(triplet, "DefaultIndex");
}

std::string RangeSummary(const log_reader::Triplet& triplet) {
  return "range: " + std::string(triplet.Field("MinValue")) + ".." +
         std::string(triplet.Field("MaxValue")) + " step " +
         std::string(triplet.Field("StepSize")) + "; current " +
         std::string(triplet.Field("CurrentValue")) + ", default " +
         std::string(triplet.Field("DefaultValue"));
}

std::string ShapeSummary(const log_reader::Triplet& triplet) {
  if (triplet.HasBlock("TW_ONEVALUE")) return std::string(triplet.Field("Item"));
  if (triplet.HasBlock("TW_ENUMERATION")) return EnumerationSummary(triplet);
  if (triplet.HasBlock("TW_ARRAY")) return "array: " + JoinItems(triplet);
  if (triplet.HasBlock("TW_RANGE")) return RangeSummary(triplet);
  if (triplet.Field("hContainer") == "<0x00000000>") return "no container";
  return std::string(triplet.Field("ConType")) + ", no values shown";
}

CapabilityCall CallOf(const log_reader::Triplet& triplet) {
  CapabilityCall call;
  call.triplet = MarkOf(triplet);
  call.result = std::string(triplet.returnCode);
  call.failed = triplet.Failed();
  call.value = ContainerSummary(triplet);
  return call;
}

}  // namespace

const char* OperationName(CapabilityOperation operation) {
  switch (operation) {
    case CapabilityOperation::kGet:
      return "get";
    case CapabilityOperation::kGetCurrent:
      return "get current";
    case CapabilityOperation::kGetDefault:
      return "get default";
    case CapabilityOperation::kSet:
      return "set";
  }
  return "";
}

std::string ContainerSummary(const log_reader::Triplet& triplet) {
  if (triplet.Failed() || !triplet.HasField("ConType")) return {};
  std::string summary = ShapeSummary(triplet);
  if (triplet.cut) summary += " (cut)";
  return summary;
}

CapabilityNegotiation* CapabilityCollector::FindOrAdd(std::string_view capability) {
  for (CapabilityNegotiation& negotiation : negotiations_) {
    if (negotiation.capability == capability) return &negotiation;
  }
  if (negotiations_.size() >= kKept) return nullptr;
  negotiations_.push_back(CapabilityNegotiation{});
  negotiations_.back().capability = std::string(capability);
  return &negotiations_.back();
}

void CapabilityCollector::Take(const log_reader::Triplet& triplet) {
  // The waiting call is answered, or not, before a new capability may move the list.
  if (triplet.hasHeader && waiting_ != nullptr) {
    if (IsStatusAnswer(triplet)) waiting_->conditionCode = triplet.Field("ConditionCode");
    waiting_ = nullptr;
  }
  if (!triplet.hasCapability || triplet.capability.empty() || !triplet.hasResult) return;
  CapabilityNegotiation* negotiation = FindOrAdd(triplet.capability);
  if (negotiation == nullptr) {
    ++callsLeftOut_;
    return;
  }
  ++negotiation->calls;
  std::optional<CapabilityOperation> operation = OperationOf(triplet.message);
  if (!operation) return;
  CapabilityOutcome& outcome = negotiation->outcomes[static_cast<size_t>(*operation)];
  if (triplet.Failed()) {
    if (outcome.last && !outcome.last->failed) outcome.lastAnswered = std::move(outcome.last);
  } else {
    outcome.lastAnswered.reset();
  }
  outcome.last = CallOf(triplet);
  if (triplet.Failed()) waiting_ = &*outcome.last;
}

}  // namespace report
