// Log text made safe for an HTML page.
#pragma once

#include <string>
#include <string_view>

namespace report {

// Escapes markup characters; CR LF becomes a line feed, and control bytes and bytes that are
// not UTF-8 are shown as \xNN, so that no log text can end up as markup or break the page.
std::string EscapeHtml(std::string_view text);

}  // namespace report
