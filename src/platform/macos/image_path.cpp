// This image found in the dynamic loader's list by its Mach-O header.
#include "platform/image_path.h"

#include <cstring>

#include "platform/macos/apple_services.h"

// The runtime's handle of an image is the address of its own Mach-O header.
extern "C" void* __dso_handle;

// Image 0 is the host program, which is never this data source.
const char* OwnImagePath() {
  uint32_t count = _dyld_image_count();
  for (uint32_t index = 1; index < count; ++index) {
    if (static_cast<const void*>(_dyld_get_image_header(index)) == &__dso_handle) {
      return _dyld_get_image_name(index);
    }
  }
  return nullptr;
}

const char* LastPathComponent(const char* path) {
  const char* slash = strrchr(path, '/');
  return slash != nullptr ? slash + 1 : path;
}
