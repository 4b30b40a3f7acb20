// What twaintrace-report was asked to do.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace report {

struct CommandLine {
  std::vector<std::string> paths;  // log files and folders, as given
  std::string html;                // the page to write; empty for none
  std::vector<size_t> only;        // --only: index row numbers (1-based), ascending, each once
  bool help = false;
};

// False with the reason when the arguments do not make a valid call.
bool ParseCommandLine(int argc, const char* const* argv, CommandLine* commandLine,
                      std::string* error);

// "2,5" gives {2, 5}; false for anything but positive row numbers separated by commas.
bool ParseRowNumbers(const std::string& text, std::vector<size_t>* numbers);

}  // namespace report
