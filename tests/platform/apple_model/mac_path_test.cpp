// The macOS platform layer under the faults a Mac shows it: containers whose handle tells no
// size, and a File Manager that refuses the debug directory. Whatever happens, every
// CoreFoundation object the data source made is released by the time it is unloaded. Last, the
// model of Apple's functions itself, where these tests rely on it.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "apple_model.h"
#include "common/host_memory.h"
#include "log/temp_directory.h"
#include "shell/data_source_harness.h"

namespace fs = std::filesystem;

namespace {

// Checked when the tests have run, so after each one as CTest runs them: nothing of
// CoreFoundation or the Memory Manager is left, whichever bundle fault the shell's tests made.
class NothingLeftBehind : public ::testing::Environment {
 public:
  void TearDown() override {
    EXPECT_EQ(apple_model::LiveObjects(), 0u);
    EXPECT_EQ(apple_model::LiveHandles(), 0u);
  }
};
const auto* const g_check = ::testing::AddGlobalTestEnvironment(new NothingLeftBehind);

DataSourceHarness* g_harness = nullptr;
Size g_sizeAnswer = 0;

// A one-value container whose handle then answers `g_sizeAnswer` for its size.
TW_UINT16 AnswerUnsizedOneValue(TW_IDENTITY*, TW_UINT32, TW_UINT16, TW_UINT16, TW_MEMREF data) {
  auto* capability = static_cast<TW_CAPABILITY*>(data);
  capability->ConType = TWON_ONEVALUE;
  capability->hContainer = g_harness->AllocThroughDataSource(sizeof(TW_ONEVALUE));
  auto* oneValue = static_cast<TW_ONEVALUE*>(HostMemory::Lock(capability->hContainer));
  *oneValue = TW_ONEVALUE{TWTY_UINT16, TWPT_RGB};
  HostMemory::Unlock(capability->hContainer);
  apple_model::AnswerHandleSize(capability->hContainer, g_sizeAnswer);
  return TWRC_SUCCESS;
}

// A handle that GetHandleSize answers 0 or a negative error for holds nothing the data source
// may read: the log shows the container cut before its first field, and the block is left
// unlocked.
TEST(MacPlatformLayer, ContainerWhoseHandleTellsNoSizeIsNotRead) {
  for (Size answer : {Size{0}, Size{-1}, Size{-109}}) {
    SCOPED_TRACE(answer);
    DataSourceHarness harness;
    g_harness = &harness;
    g_sizeAnswer = answer;
    harness.Load();
    harness.SetHandler(&AnswerUnsizedOneValue);
    TW_CAPABILITY capability{ICAP_PIXELTYPE, TWON_DONTCARE16, nullptr};
    EXPECT_EQ(harness.Call(DG_CONTROL, DAT_CAPABILITY, MSG_GET, &capability), TWRC_SUCCESS);
    harness.Unload();
    const std::string log = harness.LogText();
    EXPECT_EQ(log.substr(log.find("    TW_ONEVALUE")),
              "    TW_ONEVALUE = {\r\n"
              "      !!! rest not shown: past the container's known size !!!\r\n"
              "    }\r\n  }\r\n\r\nTWAIN Status = [3]\r\n");
    EXPECT_EQ(HostMemory::LockCount(capability.hContainer), 0);
    HostMemory::Free(capability.hContainer);
  }
}

// Each status the File Manager may refuse the debug directory with comes back unchanged, with
// nothing made, nothing on stderr (the path did resolve), and the name's string released.
TEST(MacPlatformLayer, DebugDirectoryRefusalsAnswerTheFileManagersStatus) {
  const fs::path root = fs::path(TWAINTRACE_TEST_SCRATCH_DIR) / "refusals";
  fs::remove_all(root);
  fs::create_directories(root);
  auto expectRefused = [&root](OSStatus answer, const std::string& stderrText) {
    std::string path = root.string();
    testing::internal::CaptureStderr();
    EXPECT_EQ(CreateTandraTempDirectory(path.data()), answer);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), stderrText);
    EXPECT_TRUE(fs::is_empty(root));
    EXPECT_EQ(apple_model::LiveObjects(), 0u);
  };
  for (int status :
       {kStatusDuplicateName, kStatusNotFound, kStatusNotADirectory, kStatusAccessDenied,
        kStatusNameTooLong, kStatusIoError, kStatusOutOfMemory, kStatusParameterError}) {
    SCOPED_TRACE(status);
    apple_model::FailNextCreateDirectory(static_cast<OSErr>(status));
    expectRefused(status, "");
  }
  // A path the File Manager cannot resolve is named on stderr, with its status; one outside the
  // classic codes' range (here a POSIX error as a status, and one that 16 bits would cut to 0)
  // is an I/O error, never success.
  for (OSStatus status : {OSStatus{-43}, OSStatus{100000 + 13}, OSStatus{-65536}}) {
    SCOPED_TRACE(status);
    apple_model::FailNextPathMakeRef(status);
    expectRefused(status == -43 ? -43 : kStatusIoError,
                  "Output debug image data file is put in: " + root.string() + " ");
  }
}

// The model of Apple's functions against the behaviour Apple documents for them, where the
// tests above rely on it.

// A bundle is made once per directory: a second CFBundleCreate answers the same object with one
// more reference, and the bundle goes with its second release. (The strings and the image list
// the data source finds its own file name through: the lifecycle test's factory name. A bundle
// that is missing or has no code: the platform layer's bundle faults.)
TEST(AppleModel, BundlesAreMadeOncePerDirectoryAndCounted) {
  const fs::path root = fs::path(TWAINTRACE_TEST_SCRATCH_DIR) / "model-bundle";
  fs::create_directories(root / "Some.bundle");
  const std::string path = (root / "Some.bundle").string();
  CFURLRef url =
      CFURLCreateFromFileSystemRepresentation(nullptr, reinterpret_cast<const UInt8*>(path.data()),
                                              static_cast<CFIndex>(path.size()), true);
  CFBundleRef first = CFBundleCreate(nullptr, url);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(CFBundleCreate(nullptr, url), first);
  CFRelease(first);
  CFRelease(url);
  EXPECT_EQ(apple_model::LiveObjects(), 2u);  // the bundle, and its URL that it retains
  CFRelease(first);
  EXPECT_EQ(apple_model::LiveObjects(), 0u);
  fs::remove_all(root);
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
