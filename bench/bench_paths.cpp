// The in-process analyzer never opens a log; its directory is a path in the build tree all the
// same.
#include "log/log_file.h"

const char* const kTwainLogDirectory = BENCH_UNUSED_LOG_DIR;
