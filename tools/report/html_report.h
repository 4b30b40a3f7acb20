// The report as one self-contained HTML page: the same sections as the text report, a state
// timeline, and every entry of the log behind a collapsible row.
#pragma once

#include <ostream>

#include "report/report_model.h"

namespace report {

void WriteHtmlReport(const Report& report, std::ostream& out);

}  // namespace report
