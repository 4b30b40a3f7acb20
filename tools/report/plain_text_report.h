// The report as plain text for a terminal or a support ticket.
#pragma once

#include <ostream>

#include "report/log_index.h"
#include "report/report_model.h"

namespace report {

void WriteTextReport(const Report& report, std::ostream& out);

// Several logs: one line per log read, the files that could not be read, and which logs are
// reported in full below.
void WriteTextIndex(const LogSetIndex& index, std::ostream& out);

// The report of the log in row `number` of the index, under a line that names the row.
void WriteTextReportInSet(const Report& report, size_t number, size_t logs, std::ostream& out);

}  // namespace report
