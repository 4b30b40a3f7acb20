#include "platform/bundle.h"

#include <dlfcn.h>
#include <sys/stat.h>

#include <cstdio>
#include <cstring>

#include "platform/image_path.h"

struct PlatformBundle {
  char executable[4096];
  void* code;
};

namespace {

constexpr char kBundleSuffix[] = ".bundle";

// <dir>/Contents/MacOS/<last component of dir without ".bundle">
bool ExecutablePath(const char* directory, char* out, size_t size) {
  size_t dirLength = strlen(directory);
  while (dirLength > 1 && directory[dirLength - 1] == '/') --dirLength;
  char trimmed[4096];
  if (dirLength >= sizeof(trimmed)) return false;
  memcpy(trimmed, directory, dirLength);
  trimmed[dirLength] = '\0';
  const char* name = LastPathComponent(trimmed);
  size_t nameLength = strlen(name);
  size_t suffixLength = sizeof(kBundleSuffix) - 1;
  if (nameLength > suffixLength && strcmp(name + nameLength - suffixLength, kBundleSuffix) == 0) {
    nameLength -= suffixLength;
  }
  int written =
      snprintf(out, size, "%s/Contents/MacOS/%.*s", trimmed, static_cast<int>(nameLength), name);
  return written > 0 && static_cast<size_t>(written) < size;
}

}  // namespace

PlatformBundle* CreateBundle(const char* directory) {
  struct stat status {};
  if (directory == nullptr || stat(directory, &status) != 0 || !S_ISDIR(status.st_mode)) {
    return nullptr;
  }
  auto* bundle = new PlatformBundle{};
  if (!ExecutablePath(directory, bundle->executable, sizeof(bundle->executable))) {
    delete bundle;
    return nullptr;
  }
  return bundle;
}

void* BundleFunction(PlatformBundle* bundle, const char* name) {
  if (bundle == nullptr) return nullptr;
  if (bundle->code == nullptr) bundle->code = dlopen(bundle->executable, RTLD_NOW | RTLD_LOCAL);
  if (bundle->code == nullptr) return nullptr;
  return dlsym(bundle->code, name);
}

void ReleaseBundle(PlatformBundle* bundle) {
  if (bundle == nullptr) return;
  if (bundle->code != nullptr) dlclose(bundle->code);
  delete bundle;
}
