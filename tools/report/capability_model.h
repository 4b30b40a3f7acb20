// Capability negotiation as the log shows it: per capability, what the source last reported
// for each kind of get and what the application last set, with the result.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "log_reader/triplet_entry.h"
#include "report/entry_mark.h"

namespace report {

enum class CapabilityOperation { kGet, kGetCurrent, kGetDefault, kSet };
inline constexpr size_t kCapabilityOperations = 4;

const char* OperationName(CapabilityOperation operation);

struct CapabilityCall {
  EntryMark triplet;
  std::string result;
  bool failed = false;
  std::string value;          // the container in short; empty when the log shows none
  std::string conditionCode;  // of a failure, from the DAT_STATUS that followed
};

struct CapabilityOutcome {
  std::optional<CapabilityCall> last;
  // When the last call failed: the last one before it that did not.
  std::optional<CapabilityCall> lastAnswered;
};

struct CapabilityNegotiation {
  std::string capability;
  size_t calls = 0;
  std::array<CapabilityOutcome, kCapabilityOperations> outcomes;

  const CapabilityOutcome& Outcome(CapabilityOperation operation) const {
    return outcomes[static_cast<size_t>(operation)];
  }
};

// The negotiations in the order the capabilities first appear in the log; a log naming more
// capabilities than any source has keeps the first kKept.
class CapabilityCollector {
 public:
  static constexpr size_t kKept = 200;

  void Take(const log_reader::Triplet& triplet);
  // Calls of capabilities beyond the first kKept.
  size_t CallsLeftOut() const { return callsLeftOut_; }
  std::vector<CapabilityNegotiation> Negotiations() && { return std::move(negotiations_); }

 private:
  CapabilityNegotiation* FindOrAdd(std::string_view capability);

  std::vector<CapabilityNegotiation> negotiations_;
  size_t callsLeftOut_ = 0;
  CapabilityCall* waiting_ = nullptr;  // a failed call waiting for its status request
};

// "enumeration: TWPT_BW, TWPT_GRAY, TWPT_RGB; current TWPT_RGB, default TWPT_RGB" and the like.
std::string ContainerSummary(const log_reader::Triplet& triplet);

}  // namespace report
