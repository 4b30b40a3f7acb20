// What a replayed call answered differently from the logged one: the return code, the dumped
// fields (pointers, handles and the source manager's identity numbers apart) and the tracked
// state.
#pragma once

#include <string>
#include <vector>

#include "log_reader/triplet_entry.h"

namespace replay {

struct Divergence {
  std::string field;  // "Return Code", "CurrentValue", "ItemList[2]", "TWAIN Status"
  std::string logged;
  std::string replayed;
};

// `replayed` is the text the tracer would have written for the replayed call, read back with the
// log reader; `returnCode` the name of the code the source returned.
std::vector<Divergence> Compare(const log_reader::Triplet& logged,
                                const log_reader::Triplet& replayed, const std::string& returnCode);

}  // namespace replay
