#include "demo_options.h"

#include <cstdlib>
#include <cstring>

const char kUsage[] =
    "Usage: twaintrace-demo [options]\n"
    "Runs a TWAIN session (or several in one load) through the TwainTrace data source and the\n"
    "sample scanner.\n"
    "  --pages N            pages to scan from the feeder, 1 to 50 (default 2)\n"
    "  --sessions N         whole sessions to run one after another in one load of the data\n"
    "                       source, so into one log, 1 to 1000000 (default 1)\n"
    "  --xfer memory|native transfer mechanism (default memory)\n"
    "  --pixel bw|gray|rgb  pixel type (default gray)\n"
    "  --dpi N              resolution: 75, 100, 150, 200, 300, 400 or 600 (default 100)\n"
    "  --notify event|callback  how the source says an image is ready and asks to be closed: the\n"
    "                       event loop, or notices through the source manager (default event)\n"
    "  --notice-timeout MS  how long to wait for each notice, 1 to 600000 (default 5000)\n"
    "  --data-source PATH   the data source to load (default: the demo's own copy)\n"
    "  --log-dir PATH       where the data source writes its log (default: the demo's)\n"
    "  --print-log          print the session's log before the summary\n"
    "  --help               show this text\n";

namespace {

// Enough for a log of many gigabytes; a bound keeps a mistyped count from running for days.
constexpr int kMostSessions = 1000000;

struct Named {
  const char* name;
  TW_UINT16 value;
};

constexpr Named kPixelTypes[] = {{"bw", TWPT_BW}, {"gray", TWPT_GRAY}, {"rgb", TWPT_RGB}};
constexpr Named kMechanisms[] = {{"memory", TWSX_MEMORY}, {"native", TWSX_NATIVE}};
constexpr Named kNotifyWays[] = {{"event", 0}, {"callback", 1}};

template <size_t N>
bool FindValue(const Named (&names)[N], const char* text, TW_UINT16* value) {
  for (const Named& named : names) {
    if (strcmp(named.name, text) == 0) {
      *value = named.value;
      return true;
    }
  }
  return false;
}

template <size_t N>
const char* FindName(const Named (&names)[N], TW_UINT16 value) {
  for (const Named& named : names) {
    if (named.value == value) return named.name;
  }
  return "?";
}

bool ParseCount(const char* text, int low, int high, int* value) {
  char* end = nullptr;
  long number = strtol(text, &end, 10);
  if (end == text || *end != '\0' || number < low || number > high) return false;
  *value = static_cast<int>(number);
  return true;
}

// Applies one option that takes a value; false when the value is not valid.
bool ApplyValue(const std::string& option, const char* value, DemoOptions* options) {
  if (option == "--pages") return ParseCount(value, 1, 50, &options->pages);
  if (option == "--sessions") return ParseCount(value, 1, kMostSessions, &options->sessions);
  if (option == "--dpi") return ParseCount(value, 1, 1200, &options->resolution);
  if (option == "--xfer") return FindValue(kMechanisms, value, &options->transferMechanism);
  if (option == "--pixel") return FindValue(kPixelTypes, value, &options->pixelType);
  if (option == "--notice-timeout") return ParseCount(value, 1, 600000, &options->noticeTimeoutMs);
  if (option == "--notify") {
    TW_UINT16 byCallback = 0;
    if (!FindValue(kNotifyWays, value, &byCallback)) return false;
    options->notifyByCallback = byCallback != 0;
    return true;
  }
  std::string& path = option == "--data-source" ? options->dataSource : options->logDirectory;
  path = value;
  return !path.empty();
}

bool TakesValue(const std::string& option) {
  return option == "--pages" || option == "--sessions" || option == "--dpi" || option == "--xfer" ||
         option == "--pixel" || option == "--notify" || option == "--notice-timeout" ||
         option == "--data-source" || option == "--log-dir";
}

}  // namespace

ParseResult ParseOptions(int argc, char** argv, DemoOptions* options, std::string* error) {
  for (int i = 1; i < argc; ++i) {
    std::string option = argv[i];
    if (option == "--help") return ParseResult::kHelp;
    if (option == "--print-log") {
      options->printLog = true;
    } else if (!TakesValue(option)) {
      *error = "unknown option " + option;
      return ParseResult::kError;
    } else if (i + 1 >= argc) {
      *error = option + " needs a value";
      return ParseResult::kError;
    } else if (!ApplyValue(option, argv[++i], options)) {
      *error = "invalid value for " + option + ": " + argv[i];
      return ParseResult::kError;
    }
  }
  return ParseResult::kRun;
}

const char* PixelTypeName(TW_UINT16 pixelType) {
  return FindName(kPixelTypes, pixelType);
}

const char* MechanismName(TW_UINT16 mechanism) {
  return FindName(kMechanisms, mechanism);
}
