// The model of Apple's functions against the behaviour Apple documents for them, where the
// data source's tests rely on it.
#include "apple_model.h"

#include <gtest/gtest.h>

namespace {

// Objects are counted from their creation to their last release: the count that the data
// source's tests compare. (The strings and the image list the data source finds its own file
// name through: the lifecycle test's factory name. A bundle that is missing or has no code: the
// platform layer's bundle faults.)
TEST(AppleModel, ObjectsAreCountedUntilReleased) {
  CFStringRef name = CFStringCreateWithCString(nullptr, "Halvern", kCFStringEncodingUTF8);
  ASSERT_NE(name, nullptr);
  EXPECT_EQ(apple_model::LiveObjects(), 1u);
  CFRelease(name);
  EXPECT_EQ(apple_model::LiveObjects(), 0u);
}

// The lock is one bit of a block's state, not a count; a handle the Memory Manager does not know
// has size 0. (A block's size and its zero fill: the data source's lifecycle test.)
TEST(AppleModel, MemoryManagerBlocksKeepOneLockBit) {
  Handle handle = NewHandleClear(40);
  ASSERT_NE(handle, nullptr);
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
