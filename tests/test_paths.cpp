// The log directory of the in-process tests: inside the build tree, created by the tests that
// need it.
#include "log/log_file.h"

const char* const kTwainLogDirectory = TWAINTRACE_TEST_LOG_DIR;
