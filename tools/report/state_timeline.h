// The tracked TWAIN state over the log's triplets as an inline SVG: one point per state line,
// a cross for each failure at the state it left unchanged.
#pragma once

#include <string>

#include "report/report_model.h"

namespace report {

std::string StateTimelineSvg(const Report& report);

}  // namespace report
