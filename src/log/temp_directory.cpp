#include "log/temp_directory.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

constexpr mode_t kDebugOutputDirectoryMode = 0755;

int StatusOfErrno(int error) {
  switch (error) {
    case ENOENT:
      return kStatusNotFound;
    case EEXIST:
      return kStatusDuplicateName;
    case ENOTDIR:
      return kStatusNotADirectory;
    case EACCES:
    case EPERM:
      return kStatusAccessDenied;
    case ENAMETOOLONG:
      return kStatusNameTooLong;
    default:
      return kStatusIoError;
  }
}

void PrintWhereOutputGoes(const char* path) {
  fprintf(stderr, "Output debug image data file is put in: %s ", path);
}

}  // namespace

// The caller's path is used whole, whatever its length; the file system alone decides whether
// it is too long.
extern "C" int CreateTandraTempDirectory(char* path) {
  if (path == nullptr) return kStatusParameterError;

  struct stat resolved {};
  if (stat(path, &resolved) != 0) {
    int status = StatusOfErrno(errno);
    PrintWhereOutputGoes(path);
    return status;
  }

  size_t pathLength = strlen(path);
  size_t size = pathLength + 1 + sizeof(kDebugOutputDirectoryName);
  char* subdirectory = static_cast<char*>(malloc(size));
  if (subdirectory == nullptr) {
    PrintWhereOutputGoes(path);
    return kStatusOutOfMemory;
  }
  snprintf(subdirectory, size, "%s/%s", path, kDebugOutputDirectoryName);

  // Others may read the debug output but not plant files in it, whatever the host's umask. An
  // entry already at the name, a link among them, is never taken for the new directory.
  int status =
      mkdir(subdirectory, kDebugOutputDirectoryMode) == 0 ? kStatusNoError : StatusOfErrno(errno);
  free(subdirectory);
  return status;
}
