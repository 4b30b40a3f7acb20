// The model of Apple's functions against the behaviour Apple documents for them, where the
// data source's tests rely on it.
#include "apple_model.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace fs = std::filesystem;

namespace {

// Objects are counted from their creation to their last release, whose count the data source's
// tests compare. (The strings and the image list the data source finds its own file name
// through: the lifecycle test's factory name. A bundle that is missing or has no code: the
// platform layer's bundle faults.)
TEST(AppleModel, ObjectsAreCountedUntilReleased) {
  const fs::path root = fs::path(TWAINTRACE_TEST_SCRATCH_DIR) / "model-bundle";
  fs::create_directories(root / "Some.bundle");
  const std::string path = (root / "Some.bundle").string();
  CFURLRef url =
      CFURLCreateFromFileSystemRepresentation(nullptr, reinterpret_cast<const UInt8*>(path.data()),
                                              static_cast<CFIndex>(path.size()), true);
  CFBundleRef bundle = CFBundleCreate(nullptr, url);
  ASSERT_NE(bundle, nullptr);
  EXPECT_EQ(apple_model::LiveObjects(), 2u);
  CFRelease(bundle);
  CFRelease(url);
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

}  // namespace
