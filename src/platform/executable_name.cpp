#include "platform/executable_name.h"

#include "platform/image_path.h"

// The name is a part of the loader's own path text, which outlives the call: nothing to free.
ExecutableFileNameRef CreateExecutableFileName(const char* imagePath) {
  return imagePath != nullptr ? LastPathComponent(imagePath) : nullptr;
}

void ReleaseExecutableFileName(ExecutableFileNameRef /*name*/) {}
