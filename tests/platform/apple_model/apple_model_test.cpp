// The model of Apple's functions against the behaviour Apple documents for them, where the
// data source's tests rely on it.
#include "apple_model.h"

#include <dlfcn.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <climits>
#include <cstring>
#include <filesystem>
#include <string>

namespace fs = std::filesystem;

namespace {

CFURLRef UrlOf(const std::string& path) {
  return CFURLCreateFromFileSystemRepresentation(nullptr,
                                                 reinterpret_cast<const UInt8*>(path.data()),
                                                 static_cast<CFIndex>(path.size()), true);
}

// A bundle is made once per directory: a second CFBundleCreate answers the same object with one
// more reference. A path that is no directory makes no bundle. Strings of ASCII hand out no
// character pointer; the last path component ignores a trailing slash. (A bundle without its
// Info.plist has no code: the platform layer's bundle faults show that.)
TEST(AppleModel, CoreFoundationObjectsAreCountedAndBundlesMadeOncePerDirectory) {
  const fs::path root = fs::path(TWAINTRACE_TEST_SCRATCH_DIR) / "model-bundle";
  fs::create_directories(root / "Some.bundle");
  CFURLRef url = UrlOf((root / "Some.bundle").string() + "/");
  CFBundleRef first = CFBundleCreate(nullptr, url);
  CFBundleRef second = CFBundleCreate(nullptr, url);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first, second);
  CFStringRef name = CFURLCopyLastPathComponent(url);
  ASSERT_EQ(CFStringGetLength(name), 11);
  EXPECT_EQ(CFStringGetCharactersPtr(name), nullptr);
  UniChar units[11];
  CFStringGetCharacters(name, CFRange{0, 11}, units);
  EXPECT_EQ(std::u16string(units, units + 11), u"Some.bundle");
  CFURLRef file = UrlOf((root / "absent").string());
  EXPECT_EQ(CFBundleCreate(nullptr, file), nullptr);
  // The bundle goes with its second release, not its first.
  const size_t live = apple_model::LiveObjects();
  CFRelease(first);
  EXPECT_EQ(apple_model::LiveObjects(), live);
  CFRelease(second);
  EXPECT_EQ(apple_model::LiveObjects(), live - 1);
  for (CFTypeRef object : {CFTypeRef(url), CFTypeRef(name), CFTypeRef(file)}) CFRelease(object);
  EXPECT_EQ(apple_model::LiveObjects(), 0u);
  fs::remove_all(root);
}

// A block is zero-filled and knows its size; the lock is one bit of its state, not a count; a
// handle the Memory Manager does not know has size 0.
TEST(AppleModel, MemoryManagerBlocksKeepSizeAndOneLockBit) {
  Handle handle = NewHandleClear(40);
  ASSERT_NE(handle, nullptr);
  EXPECT_EQ(GetHandleSize(handle), 40);
  EXPECT_EQ((*handle)[39], 0);
  HLock(handle);
  HLock(handle);
  EXPECT_EQ(HGetState(handle) & kHandleLockedBit, kHandleLockedBit);
  HUnlock(handle);
  EXPECT_EQ(HGetState(handle) & kHandleLockedBit, 0);
  Ptr notAHandle[1] = {nullptr};
  EXPECT_EQ(GetHandleSize(notAHandle), 0);
  EXPECT_EQ(NewHandleClear(-1), nullptr);
  DisposeHandle(handle);
  EXPECT_EQ(apple_model::LiveHandles(), 0u);
}

// Image 0 is the host program by its path; the header of the image holding the model is where
// the loader mapped that image.
TEST(AppleModel, ImageListStartsWithTheHostAndGivesEachImagesHeader) {
  char self[PATH_MAX] = {};
  ASSERT_GT(readlink("/proc/self/exe", self, sizeof(self) - 1), 0);
  EXPECT_STREQ(_dyld_get_image_name(0), self);
  Dl_info info{};
  ASSERT_NE(dladdr(reinterpret_cast<void*>(&_dyld_image_count), &info), 0);
  bool found = false;
  for (uint32_t index = 1; index < _dyld_image_count(); ++index) {
    if (static_cast<const void*>(_dyld_get_image_header(index)) == info.dli_fbase) {
      found = true;
      EXPECT_STREQ(_dyld_get_image_name(index), info.dli_fname);
    }
  }
  EXPECT_TRUE(found);
  EXPECT_EQ(_dyld_get_image_name(_dyld_image_count()), nullptr);
}

}  // namespace
