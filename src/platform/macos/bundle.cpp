// Bundles of CoreFoundation: the bundle reference is the CFBundle itself, which finds the
// executable through the bundle's Info.plist and loads it on the first function lookup.
#include "platform/bundle.h"

#include <cstring>

#include "platform/macos/apple_services.h"

namespace {

CFBundleRef AsCFBundle(PlatformBundle* bundle) {
  return reinterpret_cast<CFBundleRef>(bundle);
}

}  // namespace

PlatformBundle* CreateBundle(const char* directory) {
  if (directory == nullptr) return nullptr;
  CFURLRef url =
      CFURLCreateFromFileSystemRepresentation(nullptr, reinterpret_cast<const UInt8*>(directory),
                                              static_cast<CFIndex>(strlen(directory)), true);
  if (url == nullptr) return nullptr;
  CFBundleRef bundle = CFBundleCreate(nullptr, url);
  CFRelease(url);
  return reinterpret_cast<PlatformBundle*>(bundle);
}

void* BundleFunction(PlatformBundle* bundle, const char* name) {
  if (bundle == nullptr || name == nullptr) return nullptr;
  CFStringRef functionName = CFStringCreateWithCString(nullptr, name, kCFStringEncodingUTF8);
  if (functionName == nullptr) return nullptr;
  void* function = CFBundleGetFunctionPointerForName(AsCFBundle(bundle), functionName);
  CFRelease(functionName);
  return function;
}

// CoreFoundation decides whether the code is unloaded with the last reference.
void ReleaseBundle(PlatformBundle* bundle) {
  if (bundle != nullptr) CFRelease(AsCFBundle(bundle));
}
