// The demo host's command line.
#pragma once

#include <string>

#include "twaintrace/twain_types.h"

struct DemoOptions {
  int pages = 2;
  int sessions = 1;
  TW_UINT16 transferMechanism = TWSX_MEMORY;
  TW_UINT16 pixelType = TWPT_GRAY;
  int resolution = 100;
  std::string dataSource = TWAINTRACE_DEMO_DATA_SOURCE;
  std::string logDirectory = TWAINTRACE_DEMO_LOG_DIR;
  bool printLog = false;
  // The TWAIN 2 way: the source's notices come through the source manager, not the event loop.
  bool notifyByCallback = false;
  int noticeTimeoutMs = 5000;  // how long to wait for one notice
};

enum class ParseResult { kRun, kHelp, kError };

ParseResult ParseOptions(int argc, char** argv, DemoOptions* options, std::string* error);

extern const char kUsage[];

const char* PixelTypeName(TW_UINT16 pixelType);
const char* MechanismName(TW_UINT16 mechanism);
