// The report as plain text for a terminal or a support ticket.
#pragma once

#include <ostream>

#include "report/report_model.h"

namespace report {

void WriteTextReport(const Report& report, std::ostream& out);

}  // namespace report
