// The debug output directory made through the File Manager, which answers in its own status
// codes.
#include "log/temp_directory.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

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

// A failure outside the classic codes' range (a POSIX error code as a status, say) is reported
// as an I/O error: cut to 16 bits, it could read as another status, or as success.
int ClassicStatus(OSStatus status) {
  return status < 0 && status >= -32768 ? static_cast<int>(status) : kStatusIoError;
}

// `path`/VELIXScanTwainLog, to be freed by the caller; null when memory runs out.
char* SubdirectoryPath(const char* path) {
  size_t size = strlen(path) + 1 + sizeof(kDebugOutputDirectoryName);
  char* subdirectory = static_cast<char*>(malloc(size));
  if (subdirectory != nullptr)
    snprintf(subdirectory, size, "%s/%s", path, kDebugOutputDirectoryName);
  return subdirectory;
}

// The File Manager gives a new directory what the host's umask leaves of full permissions.
// Others may read the debug output but not plant files in it, whatever that umask: group and
// others lose write permission. An entry put at the name meanwhile is left as it is.
bool KeepOthersFromWriting(const char* subdirectory) {
  struct stat status {};
  if (lstat(subdirectory, &status) != 0 || !S_ISDIR(status.st_mode)) return false;
  return fchmodat(AT_FDCWD, subdirectory, status.st_mode & 0755, AT_SYMLINK_NOFOLLOW) == 0;
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
    return ClassicStatus(resolved);
  }

  char* subdirectory = SubdirectoryPath(path);
  CFStringRef name =
      subdirectory != nullptr
          ? CFStringCreateWithCString(nullptr, kDebugOutputDirectoryName, kCFStringEncodingMacRoman)
          : nullptr;
  NameUnits units;
  if (name == nullptr || !GetNameUnits(name, &units)) {
    if (name != nullptr) CFRelease(name);
    free(subdirectory);
    PrintWhereOutputGoes(path);
    return kStatusOutOfMemory;
  }

  OSErr status =
      FSCreateDirectoryUnicode(&parent, static_cast<UniCharCount>(CFStringGetLength(name)),
                               units.units, kFSCatInfoNone, nullptr, nullptr, nullptr, nullptr);
  free(units.copy);
  CFRelease(name);
  // A directory others could write to is not the one promised: reported as the failure it is.
  if (status == kStatusNoError && !KeepOthersFromWriting(subdirectory)) status = kStatusIoError;
  free(subdirectory);
  return status;
}
