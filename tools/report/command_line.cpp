#include "report/command_line.h"

#include <algorithm>

#include "log_reader/text_helpers.h"

namespace report {

namespace {

// Long enough for any index, short enough that no number overflows.
constexpr size_t kMostDigits = 9;

bool ParseRowNumber(std::string_view text, size_t* number) {
  if (text.empty() || text.size() > kMostDigits || !log_reader::AllDigits(text)) return false;
  *number = static_cast<size_t>(*log_reader::ParseInteger(text));
  return *number > 0;
}

}  // namespace

bool ParseRowNumbers(const std::string& text, std::vector<size_t>* numbers) {
  std::vector<size_t> parsed;
  size_t start = 0;
  while (true) {
    size_t comma = text.find(',', start);
    std::string_view item = std::string_view(text).substr(start, comma - start);
    size_t number = 0;
    if (!ParseRowNumber(item, &number)) return false;
    parsed.push_back(number);
    if (comma == std::string::npos) break;
    start = comma + 1;
  }
  std::sort(parsed.begin(), parsed.end());
  parsed.erase(std::unique(parsed.begin(), parsed.end()), parsed.end());
  *numbers = std::move(parsed);
  return true;
}

bool ParseCommandLine(int argc, const char* const* argv, CommandLine* commandLine,
                      std::string* error) {
  bool onlyGiven = false;
  for (int i = 1; i < argc; ++i) {
    std::string argument = argv[i];
    if (argc == 2 && (argument == "--help" || argument == "-h")) {
      commandLine->help = true;
      return true;
    }
    bool option = argument == "--html" || argument == "--only";
    if (option && (i + 1 == argc || argv[i + 1][0] == '\0')) {
      *error = argument + " needs a value";
      return false;
    }
    if (option && (argument == "--html" ? !commandLine->html.empty() : onlyGiven)) {
      *error = argument + " given twice";
      return false;
    }
    if (argument == "--html") {
      commandLine->html = argv[++i];
    } else if (argument == "--only") {
      onlyGiven = true;
      if (!ParseRowNumbers(argv[++i], &commandLine->only)) {
        *error = std::string("--only ") + argv[i] +
                 ": expected the index's row numbers, counted from 1, such as 2,5";
        return false;
      }
    } else if (argument.empty() || argument[0] == '-') {
      *error = argument.empty() ? "an empty argument" : argument + ": not understood";
      return false;
    } else {
      commandLine->paths.push_back(argument);
    }
  }
  if (commandLine->paths.empty()) *error = "no log named";
  return !commandLine->paths.empty();
}

}  // namespace report
