// The outcome of a replay as JSON, for a driver team's CI job.
#pragma once

#include <string>

#include "replay/replay_runner.h"

namespace replay {

std::string ResultJson(const std::string& log, const std::string& dataSource,
                       const ReplayResult& result);

}  // namespace replay
