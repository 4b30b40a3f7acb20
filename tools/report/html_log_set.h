// One HTML page for several logs: the index as a table whose rows lead to each log's section,
// then the sections, each as the page of a single log has them.
#pragma once

#include <cstddef>
#include <ostream>
#include <string>

#include "report/log_index.h"
#include "report/report_model.h"

namespace report {

// The page up to the first log's section.
void WriteHtmlIndexPage(const LogSetIndex& index, std::ostream& out);
// The section of the log in row `number`; its element id is LogSectionId(number).
void WriteHtmlLogSection(const Report& report, size_t number, std::ostream& out);
// The section of a log that could not be read a second time, so that its row still leads to
// something that says why.
void WriteHtmlUnreadSection(size_t number, const std::string& problem, std::ostream& out);
void WriteHtmlPageEnd(std::ostream& out);

std::string LogSectionId(size_t number);

}  // namespace report
