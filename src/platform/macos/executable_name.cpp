// The file name as a CoreFoundation string, taken from a file URL of the executable's path.
#include "platform/executable_name.h"

#include <cstring>

#include "platform/macos/apple_services.h"

ExecutableFileNameRef CreateExecutableFileName(const char* imagePath) {
  if (imagePath == nullptr) return nullptr;
  CFURLRef url =
      CFURLCreateFromFileSystemRepresentation(nullptr, reinterpret_cast<const UInt8*>(imagePath),
                                              static_cast<CFIndex>(strlen(imagePath)), false);
  if (url == nullptr) return nullptr;
  CFStringRef name = CFURLCopyLastPathComponent(url);
  CFRelease(url);
  // The factory's type is CFStringRef itself on a Mac; a build against the model of Apple's
  // functions elsewhere hands over the same string object under that platform's type.
  return reinterpret_cast<ExecutableFileNameRef>(name);
}

void ReleaseExecutableFileName(ExecutableFileNameRef name) {
  if (name != nullptr) CFRelease(name);
}
