// The debug output directory: a fixed subdirectory that holds debug image data.
#pragma once

#include "platform/visibility.h"

// The classic file-system status codes the helper reports.
inline constexpr int kStatusNoError = 0;
inline constexpr int kStatusParameterError = -50;
inline constexpr int kStatusOutOfMemory = -108;
inline constexpr int kStatusNotFound = -43;
inline constexpr int kStatusDuplicateName = -48;
inline constexpr int kStatusNotADirectory = -120;
inline constexpr int kStatusAccessDenied = -5000;
inline constexpr int kStatusNameTooLong = -37;
inline constexpr int kStatusIoError = -36;

// The subdirectory made inside the caller's directory.
inline constexpr char kDebugOutputDirectoryName[] = "VELIXScanTwainLog";

// Creates `path`/VELIXScanTwainLog inside the existing directory `path`. Returns 0, or a
// negative status: -50 for a null path, -108 when memory runs out, otherwise the file system's
// failure (-48 when the subdirectory exists already). When `path` cannot be resolved or memory
// runs out it names `path` on stderr.
extern "C" TWAINTRACE_EXPORT int CreateTandraTempDirectory(char* path);
