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
// an event without a message shows nothing; TW_UINT32 shows the pointer itself, even when null.
TEST_F(ControlDump, EachStructureDumpsByteForByte) {
  TW_IDENTITY identity = SampleIdentity();
  DumpIdentity(Context(MSG_OPENDSM), &identity);
  DumpIdentity(Context(MSG_OPENDS), &identity);
  TW_VERSION version{1, 0, 0xFFFF, 999, {}};
  memset(version.Info, 'i', sizeof(version.Info));
  DumpVersion(Context(), &version);
  TW_PENDINGXFERS pending{0xFFFF, {0xFFFFFFFF}};
  DumpPendingXfers(Context(), &pending);
  TW_SETUPMEMXFER memXfer{16, 0x80000000, 65536};
  DumpSetupMemXfer(Context(), &memXfer);
  TW_SETUPFILEXFER fileXfer{{}, TWFF_BMP, -2};
  memset(fileXfer.FileName, 'f', sizeof(fileXfer.FileName));
  DumpSetupFileXfer(Context(), &fileXfer);
  TW_MEMORY memory{0x12, 4096, reinterpret_cast<TW_MEMREF>(uintptr_t{0x1234567890})};
  DumpMemory(Context(), &memory);
  TW_CUSTOMDSDATA custom{0xFFFFFFFF, nullptr};
  DumpCustomDsData(Context(), &custom);
  TW_EVENT noMessage{reinterpret_cast<TW_MEMREF>(uintptr_t{0x10}), MSG_NULL};
  DumpEvent(Context(), &noMessage);
  DumpUint32Item(Context(), nullptr);
  DumpUint32Item(Context(), reinterpret_cast<void*>(uintptr_t{0xfeed00000010}));
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
  DumpStatus(Context(), &status);
  DumpStatus(Context(), &unknownStatus);
  DumpEvent(Context(), &event);
  DumpEvent(Context(), &unknownEvent);
  DumpEvent(Context(), &standardEvent);
  DumpUserInterface(Context(), &ui);
  EXPECT_TRUE(SameText(Text(), ExpectedDump("control_vendor_dumps.txt")));
}

}  // namespace
