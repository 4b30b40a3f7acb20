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

CapabilityCall CallOf(const std::vector<log_reader::Triplet>& triplets, size_t index) {
  const log_reader::Triplet& triplet = triplets[index];
  CapabilityCall call;
  call.triplet = index;
  call.result = triplet.returnCode;
  call.value = ContainerSummary(triplet);
  if (triplet.Failed()) {
    std::optional<size_t> status = StatusAfter(triplets, index);
    if (status) call.conditionCode = triplets[*status].Field("ConditionCode");
  }
  return call;
}

CapabilityNegotiation* FindOrAdd(std::string_view capability,
                                 std::vector<CapabilityNegotiation>* negotiations) {
  for (CapabilityNegotiation& negotiation : *negotiations) {
    if (negotiation.capability == capability) return &negotiation;
  }
  negotiations->push_back(CapabilityNegotiation{});
  negotiations->back().capability = capability;
  return &negotiations->back();
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

std::vector<CapabilityNegotiation> NegotiateCapabilities(
    const std::vector<log_reader::Triplet>& triplets) {
  std::vector<CapabilityNegotiation> negotiations;
  for (size_t i = 0; i < triplets.size(); ++i) {
    const log_reader::Triplet& triplet = triplets[i];
    if (!triplet.hasCapability || triplet.capability.empty() || !triplet.hasResult) continue;
    CapabilityNegotiation* negotiation = FindOrAdd(triplet.capability, &negotiations);
    ++negotiation->calls;
    std::optional<CapabilityOperation> operation = OperationOf(triplet.message);
    if (!operation) continue;
    CapabilityOutcome& outcome = negotiation->outcomes[static_cast<size_t>(*operation)];
    if (triplet.Failed()) {
      if (outcome.last && !triplets[outcome.last->triplet].Failed()) {
        outcome.lastAnswered = outcome.last;
      }
    } else {
      outcome.lastAnswered.reset();
    }
    outcome.last = CallOf(triplets, i);
  }
  return negotiations;
}

}  // namespace report
