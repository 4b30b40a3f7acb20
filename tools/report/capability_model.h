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

namespace report {

enum class CapabilityOperation { kGet, kGetCurrent, kGetDefault, kSet };
inline constexpr size_t kCapabilityOperations = 4;

const char* OperationName(CapabilityOperation operation);

struct CapabilityCall {
  size_t triplet = 0;  // index into the log's triplets
  std::string_view result;
  std::string value;               // the container in short; empty when the log shows none
  std::string_view conditionCode;  // of a failure, from the DAT_STATUS that followed
};

struct CapabilityOutcome {
  std::optional<CapabilityCall> last;
  // When the last call failed: the last one before it that did not.
  std::optional<CapabilityCall> lastAnswered;
};

struct CapabilityNegotiation {
  std::string_view capability;
  size_t calls = 0;
  std::array<CapabilityOutcome, kCapabilityOperations> outcomes;

  const CapabilityOutcome& Outcome(CapabilityOperation operation) const {
    return outcomes[static_cast<size_t>(operation)];
  }
};

// In the order the capabilities first appear in the log.
std::vector<CapabilityNegotiation> NegotiateCapabilities(
    const std::vector<log_reader::Triplet>& triplets);

// "enumeration: TWPT_BW, TWPT_GRAY, TWPT_RGB; current TWPT_RGB, default TWPT_RGB" and the like.
std::string ContainerSummary(const log_reader::Triplet& triplet);

}  // namespace report
