// The report as one self-contained HTML page: the same sections as the text report, a state
// timeline, and every entry of the log behind a collapsible row.
#pragma once

#include <ostream>
#include <string>
#include <string_view>

#include "report/report_model.h"

namespace report {

void WriteHtmlReport(const Report& report, std::ostream& out);

// The parts the page of several logs shares with the page of one.
// Opens the page: the head with the page's style (and `extraStyle`) and the body.
void WriteHtmlHead(const std::string& title, std::ostream& out, std::string_view extraStyle = "");
// Every section of one log; `ids` comes before each element id and link target, so that the
// sections of several logs can stand on one page.
void WriteHtmlSections(const Report& report, const std::string& ids, std::ostream& out);

}  // namespace report
