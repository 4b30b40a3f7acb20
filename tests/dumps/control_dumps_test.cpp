// The control structures, field by field.
#include <cstring>
#include <string>

#include "dumps/dump_fixture.h"
#include "dumps/dump_test_support.h"
#include "twaintrace/twain_abi.h"
#include "twaintrace/twain_vendor.h"
#include "vendor_build.h"

namespace {

using ControlDump = DumpTest;

// An Id beyond 31 bits shows as a positive number: the natural Id is pointer-sized, the Linux
// source manager's 32 bits wide.
constexpr uintptr_t kIdentityId = kLinuxSourceManagerAbi ? 0xFFFFFFF9 : 0x100000007;
constexpr const char* kIdentityIdText = kLinuxSourceManagerAbi ? "4294967289" : "4294967303";

TW_IDENTITY SampleIdentity() {
  TW_VERSION version{2, 1, 13, 27, "1.0 release"};
  TW_IDENTITY identity{
      IdentityIdFrom(kIdentityId), version, 2, 4, 0x80000003, "Velix", "Tandra", {}};
  memset(identity.ProductName, 'P', sizeof(identity.ProductName));  // no NUL at all
  return identity;
}

// The expected dumps, with the identity's Id as this binary interface shows it.
std::string Expected(const std::string& name) {
  std::string text = ExpectedDump(name);
  for (size_t at = text.find("<id>"); at != std::string::npos; at = text.find("<id>", at)) {
    text.replace(at, 4, kIdentityIdText);
  }
  return text;
}

// The identity's header says whose it is when opening the manager; a version's unknown
// language and country show by number; strings without their NUL stop at the field's end;
// TW_UINT32 shows the pointer itself, even when null.
TEST_F(ControlDump, EachStructureDumpsByteForByte) {
  TW_IDENTITY identity = SampleIdentity();
  analyzer.m_MSG = MSG_OPENDSM;
  analyzer.TwIdentityAnalyze(&identity);
  analyzer.m_MSG = MSG_OPENDS;
  analyzer.TwIdentityAnalyze(&identity);
  TW_VERSION version{1, 0, 0xFFFF, 999, {}};
  memset(version.Info, 'i', sizeof(version.Info));
  analyzer.TwVersionAnalyze(&version);
  TW_PENDINGXFERS pending{0xFFFF, {0xFFFFFFFF}};
  analyzer.TwPendingXfersAnalyze(&pending);
  TW_SETUPMEMXFER memXfer{16, 0x80000000, 65536};
  analyzer.TwSetupMemXferAnalyze(&memXfer);
  TW_SETUPFILEXFER fileXfer{{}, TWFF_BMP, -2};
  memset(fileXfer.FileName, 'f', sizeof(fileXfer.FileName));
  analyzer.TwSetupFileXferAnalyze(&fileXfer);
  TW_MEMORY memory{0x12, 4096, reinterpret_cast<TW_MEMREF>(uintptr_t{0x1234567890})};
  analyzer.TwMemoryAnalyze(&memory);
  TW_CUSTOMDSDATA custom{0xFFFFFFFF, nullptr};
  analyzer.TwCustomDsDataAnalyze(&custom);
  analyzer.TwUint32(nullptr);
  analyzer.TwUint32(reinterpret_cast<void*>(uintptr_t{0xfeed00000010}));
  EXPECT_TRUE(SameText(Text(), Expected("control_dumps.txt")));
}

TEST_F(ControlDump, StatusEventAndUserInterfaceDumpByteForByte) {
  SKIP_UNLESS_VENDOR_BUILD();
  TW_STATUS status{TWCC_SEQERROR, {}};
  TW_STATUS unknownStatus{7, {}};
  TW_EVENT event{reinterpret_cast<TW_MEMREF>(uintptr_t{0x7ffee4b2c010}), MSG_VX_XFERREQUEST};
  TW_EVENT unknownEvent{nullptr, 0x8003};
  TW_EVENT standardEvent{reinterpret_cast<TW_MEMREF>(uintptr_t{0x10}), MSG_XFERREADY};
  TW_USERINTERFACE ui{2, 0, reinterpret_cast<TW_HANDLE>(uintptr_t{0xabcdef0123})};
  analyzer.TwStatusAnalyze(&status);
  analyzer.TwStatusAnalyze(&unknownStatus);
  analyzer.TwEventAnalyze(&event);
  analyzer.TwEventAnalyze(&unknownEvent);
  analyzer.TwEventAnalyze(&standardEvent);
  analyzer.TwUserInterfaceAnalyze(&ui);
  EXPECT_TRUE(SameText(Text(), ExpectedDump("control_vendor_dumps.txt")));
}

TEST_F(ControlDump, NullStructuresAndEmptyEventsAddNothing) {
  TW_EVENT noMessage{reinterpret_cast<TW_MEMREF>(uintptr_t{0x10}), MSG_NULL};
  EXPECT_TRUE(analyzer.TwIdentityAnalyze(nullptr) && analyzer.TwVersionAnalyze(nullptr) &&
              analyzer.TwStatusAnalyze(nullptr) && analyzer.TwEventAnalyze(nullptr) &&
              analyzer.TwEventAnalyze(&noMessage) && analyzer.TwUserInterfaceAnalyze(nullptr) &&
              analyzer.TwPendingXfersAnalyze(nullptr) && analyzer.TwSetupMemXferAnalyze(nullptr) &&
              analyzer.TwSetupFileXferAnalyze(nullptr) && analyzer.TwMemoryAnalyze(nullptr) &&
              analyzer.TwCustomDsDataAnalyze(nullptr) && analyzer.TwTwunkIdentityAnalyze());
  EXPECT_EQ(Text(), "");
}

}  // namespace
