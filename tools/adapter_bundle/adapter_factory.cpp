// The bundle's one export: the factory the data source calls when it loads.
#include <dlfcn.h>

#include <new>

#include "adapter_operator.h"
#include "target_file.h"

namespace {

// The path of this bundle's executable, as the data source loaded it.
std::string OwnExecutable() {
  Dl_info info{};
  if (dladdr(reinterpret_cast<void*>(&OwnExecutable), &info) == 0 || info.dli_fname == nullptr) {
    return {};
  }
  return info.dli_fname;
}

}  // namespace

// The data source's file name is not needed: the target file names the data source to reach.
extern "C" __attribute__((visibility("default"))) void CreateHalvern(
    ExecutableFileNameRef /*executableFileName*/, TripletOperator** out) {
  if (out == nullptr) return;
  try {
    *out = new AdapterOperator(TargetFileOf(OwnExecutable()));
  } catch (const std::bad_alloc&) {
    *out = nullptr;
  }
}
