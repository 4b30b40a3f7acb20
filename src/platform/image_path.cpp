#include "platform/image_path.h"

#include <dlfcn.h>

#include <cstring>

const char* OwnImagePath() {
  Dl_info info{};
  if (dladdr(reinterpret_cast<void*>(&OwnImagePath), &info) == 0) return nullptr;
  return info.dli_fname;
}

const char* LastPathComponent(const char* path) {
  const char* slash = strrchr(path, '/');
  return slash != nullptr ? slash + 1 : path;
}
