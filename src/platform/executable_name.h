// The data source's executable file name in the form the implementation bundle's factory
// takes it (ExecutableFileNameRef).
#pragma once

#include "twaintrace/triplet_operator.h"

// The last path component of `imagePath`; null when `imagePath` is null or the name cannot be
// made. Each name made is given to ReleaseExecutableFileName after the factory's call.
ExecutableFileNameRef CreateExecutableFileName(const char* imagePath);
void ReleaseExecutableFileName(ExecutableFileNameRef name);
