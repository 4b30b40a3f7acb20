// The debug output directory made through the File Manager, which answers in its own status
// codes.
#include "log/temp_directory.h"

#include <cstdio>
#include <cstdlib>

#include "platform/macos/apple_services.h"

// The File Manager's path calls carry deprecation marks in newer SDKs and stay available.
#pragma clang diagnostic ignored "-Wdeprecated-declarations"

namespace {

void PrintWhereOutputGoes(const char* path) {
  fprintf(stderr, "Output debug image data file is put in: %s ", path);
}

// The name's UTF-16 code units and the copy that holds them, when the string does not hand
// them out directly.
struct NameUnits {
  const UniChar* units = nullptr;
  UniChar* copy = nullptr;
};

bool GetNameUnits(CFStringRef name, NameUnits* out) {
  out->units = CFStringGetCharactersPtr(name);
  if (out->units != nullptr) return true;
  CFIndex length = CFStringGetLength(name);
  out->copy = static_cast<UniChar*>(malloc(sizeof(UniChar) * static_cast<size_t>(length)));
  if (out->copy == nullptr) return false;
  CFStringGetCharacters(name, CFRange{0, length}, out->copy);
  out->units = out->copy;
  return true;
}

}  // namespace

// The caller's path is resolved whole, whatever its length; the file system alone decides
// whether it is too long.
extern "C" int CreateTandraTempDirectory(char* path) {
  if (path == nullptr) return kStatusParameterError;

  FSRef parent{};
  OSStatus resolved = FSPathMakeRef(reinterpret_cast<const UInt8*>(path), &parent, nullptr);
  if (resolved != 0) {
    PrintWhereOutputGoes(path);
    return static_cast<SInt16>(resolved);
  }

  CFStringRef name =
      CFStringCreateWithCString(nullptr, kDebugOutputDirectoryName, kCFStringEncodingMacRoman);
  if (name == nullptr) {
    PrintWhereOutputGoes(path);
    return kStatusOutOfMemory;
  }
  NameUnits units;
  if (!GetNameUnits(name, &units)) {
    CFRelease(name);
    PrintWhereOutputGoes(path);
    return kStatusOutOfMemory;
  }

  OSErr status =
      FSCreateDirectoryUnicode(&parent, static_cast<UniCharCount>(CFStringGetLength(name)),
                               units.units, kFSCatInfoNone, nullptr, nullptr, nullptr, nullptr);
  free(units.copy);
  CFRelease(name);
  return status;
}
