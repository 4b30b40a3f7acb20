#include "replay/divergence.h"

#include <map>
#include <utility>

#include "log_reader/text_helpers.h"

namespace replay {

namespace {

constexpr const char* kAbsent = "(none)";

// Values that differ from run to run whatever the source does: addresses of pointers and
// handles, and the identity number the source manager assigns.
bool Ignored(const log_reader::DumpField& field) {
  return log_reader::StartsWith(field.value, "<") || field.key == "Id";
}

// The dump's fields and items keyed by their name and occurrence, in the dump's order: a field
// that appears twice ("ItemType" of a container in a capability) stays apart.
using Keyed = std::vector<std::pair<std::string, std::string>>;

Keyed KeyFields(const log_reader::Triplet& entry) {
  Keyed keyed;
  std::map<std::string, int> seen;
  for (const log_reader::DumpField& field : entry.fields) {
    if (Ignored(field)) continue;
    std::string key(field.key);
    int occurrence = seen[key]++;
    if (occurrence > 0) key += "#" + std::to_string(occurrence + 1);
    keyed.emplace_back(key, std::string(field.value));
  }
  for (const log_reader::ListItem& item : entry.items) {
    keyed.emplace_back("ItemList[" + std::to_string(item.index) + "]", std::string(item.text));
  }
  return keyed;
}

const std::string* Find(const Keyed& keyed, const std::string& key) {
  for (const auto& [name, value] : keyed) {
    if (name == key) return &value;
  }
  return nullptr;
}

std::string StateText(const log_reader::Triplet& entry) {
  return entry.state ? std::to_string(*entry.state) : kAbsent;
}

}  // namespace

std::vector<Divergence> Compare(const log_reader::Triplet& logged,
                                const log_reader::Triplet& replayed,
                                const std::string& returnCode) {
  std::vector<Divergence> found;
  if (logged.returnCode != returnCode) {
    found.push_back({"Return Code", std::string(logged.returnCode), returnCode});
  }
  Keyed before = KeyFields(logged);
  Keyed after = KeyFields(replayed);
  for (const auto& [key, value] : before) {
    const std::string* now = Find(after, key);
    if (now == nullptr) {
      found.push_back({key, value, kAbsent});
    } else if (*now != value) {
      found.push_back({key, value, *now});
    }
  }
  for (const auto& [key, value] : after) {
    if (Find(before, key) == nullptr) found.push_back({key, kAbsent, value});
  }
  if (logged.state != replayed.state && logged.state && replayed.state) {
    found.push_back({"TWAIN Status", StateText(logged), StateText(replayed)});
  }
  return found;
}

}  // namespace replay
