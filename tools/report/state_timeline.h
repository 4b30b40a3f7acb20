// The tracked TWAIN state over the log's triplets as an inline SVG: one point per state line,
// a cross for each failure at the state it left unchanged.
#pragma once

#include <string>

#include "report/report_model.h"

namespace report {

// Each point links to its entry, whose element id is `ids` followed by "t" and the ordinal.
std::string StateTimelineSvg(const Report& report, const std::string& ids = "");

}  // namespace report
