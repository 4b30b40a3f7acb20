// The control structures, field by field.
#include <cstring>
#include <string>

#include "dumps/dump_fixture.h"
#include "twaintrace/twain_abi.h"
#include "twaintrace/twain_vendor.h"
#include "vendor_build.h"

namespace {

using ControlDump = DumpTest;

// An Id beyond 31 bits shows as a positive number: the natural Id is pointer-sized, the Linux
// source manager's 32 bits wide.
constexpr uintptr_t kIdentityId = kLinuxSourceManagerAbi ? 0xFFFFFFF9 : 0x100000007;
constexpr const char* kIdentityIdLine = kLinuxSourceManagerAbi
                                            ? "    Id              = [4294967289]\r\n"
                                            : "    Id              = [4294967303]\r\n";

TW_IDENTITY SampleIdentity() {
  TW_IDENTITY identity{};
  identity.Id = IdentityIdFrom(kIdentityId);
  identity.Version = {2, 1, 13, 27, "1.0 release"};
  identity.ProtocolMajor = 2;
  identity.ProtocolMinor = 4;
  identity.SupportedGroups = 0x80000003;
  strcpy(identity.Manufacturer, "Velix");
  strcpy(identity.ProductFamily, "Tandra");
  memset(identity.ProductName, 'P', sizeof(identity.ProductName));  // no NUL at all
  return identity;
}

const std::string kIdentityBody = std::string(kIdentityIdLine) +
                                  "    Version         =\r\n"
                                  "    TW_VERSION = {\r\n"
                                  "      MajorNum = [2]\r\n"
                                  "      MinorNum = [1]\r\n"
                                  "      Language = [TWLG_USA]\r\n"
                                  "      Country  = [TWCY_ANDORRA]\r\n"
                                  "      Info     = [1.0 release]\r\n"
                                  "    }\r\n"
                                  "    ProtocolMajor   = [2]\r\n"
                                  "    ProtocolMinor   = [4]\r\n"
                                  "    SupportedGroups = [2147483651]\r\n"
                                  "    Manufacturer    = [Velix]\r\n"
                                  "    ProductFamily   = [Tandra]\r\n"
                                  "    ProductName     = [" +
                                  std::string(34, 'P') +
                                  "]\r\n"
                                  "  }\r\n";

TEST_F(ControlDump, IdentityHeaderSaysWhoseItIsWhenOpeningTheManager) {
  TW_IDENTITY identity = SampleIdentity();
  analyzer.m_MSG = MSG_OPENDSM;
  analyzer.TwIdentityAnalyze(&identity);
  analyzer.m_MSG = MSG_OPENDS;
  analyzer.TwIdentityAnalyze(&identity);
  EXPECT_EQ(Text(), "  pOrigin:TW_IDENTITY = {\r\n" + kIdentityBody + "  TW_IDENTITY = {\r\n" +
                        kIdentityBody);
}

TEST_F(ControlDump, VersionNamesUnknownLanguageAndCountryByNumber) {
  TW_VERSION version{1, 0, 0xFFFF, 999, {}};
  memset(version.Info, 'i', sizeof(version.Info));
  analyzer.TwVersionAnalyze(&version);
  EXPECT_EQ(Text(),
            "    TW_VERSION = {\r\n"
            "      MajorNum = [1]\r\n"
            "      MinorNum = [0]\r\n"
            "      Language = [ERROR!(65535)]\r\n"
            "      Country  = [ERROR!(999)]\r\n"
            "      Info     = [" +
                std::string(34, 'i') +
                "]\r\n"
                "    }\r\n");
}

TEST_F(ControlDump, StatusEventAndUserInterface) {
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
  EXPECT_EQ(Text(),
            "  TW_STATUS = {\r\n"
            "    ConditionCode = [TWCC_SEQERROR]\r\n"
            "  }\r\n"
            "  TW_STATUS = {\r\n"
            "    ConditionCode = [ERROR!(7)]\r\n"
            "  }\r\n"
            "  TW_EVENT = {\r\n"
            "    pEvent    = <0xe4b2c010>\r\n"
            "    TWMessage = [MSG_VX_XFERREQUEST]\r\n"
            "  }\r\n"
            "  TW_EVENT = {\r\n"
            "    pEvent    = <0x00000000>\r\n"
            "    TWMessage = [ERROR!(32771)]\r\n"
            "  }\r\n"
            "  TW_EVENT = {\r\n"
            "    pEvent    = <0x00000010>\r\n"
            "    TWMessage = [MSG_XFERREADY]\r\n"
            "  }\r\n"
            "  TW_USERINTERFACE = {\r\n"
            "    ShowUI  = [true]\r\n"
            "    ModalUI = [false]\r\n"
            "    hParent = <0xcdef0123>\r\n"
            "  }\r\n");
}

TEST_F(ControlDump, TransferSetUpsAndMemory) {
  TW_PENDINGXFERS pending{0xFFFF, {0xFFFFFFFF}};
  TW_SETUPMEMXFER memXfer{16, 0x80000000, 65536};
  TW_SETUPFILEXFER fileXfer{};
  memset(fileXfer.FileName, 'f', sizeof(fileXfer.FileName));
  fileXfer.Format = TWFF_BMP;
  fileXfer.VRefNum = -2;
  TW_MEMORY memory{0x12, 4096, reinterpret_cast<TW_MEMREF>(uintptr_t{0x1234567890})};
  TW_CUSTOMDSDATA custom{0xFFFFFFFF, nullptr};
  analyzer.TwPendingXfersAnalyze(&pending);
  analyzer.TwSetupMemXferAnalyze(&memXfer);
  analyzer.TwSetupFileXferAnalyze(&fileXfer);
  analyzer.TwMemoryAnalyze(&memory);
  analyzer.TwCustomDsDataAnalyze(&custom);
  EXPECT_EQ(Text(),
            "  TW_PENDINGXFERS = {\r\n"
            "    Count = [-1]\r\n"
            "    EOJ   = [4294967295]\r\n"
            "  }\r\n"
            "  TW_SETUPMEMXFER = {\r\n"
            "    MinBufSize = [16]\r\n"
            "    MaxBufSize = [2147483648]\r\n"
            "    Preferred  = [65536]\r\n"
            "  }\r\n"
            "  TW_SETUPFILEXFER = {\r\n"
            "    FileName = [" +
                std::string(256, 'f') +
                "]\r\n"
                "    Format   = [TWFF_BMP]\r\n"
                "    VRefNum  = [-2]\r\n"
                "  }\r\n"
                "    TW_MEMORY = {\r\n"
                "      Flags  = [0x12]\r\n"
                "      Length = [4096]\r\n"
                "      TheMem = <0x34567890>\r\n"
                "    }\r\n"
                "  TW_CUSTOMDSDATA = {\r\n"
                "    InfoLength = [-1]\r\n"
                "    hData      = <0x00000000>\r\n"
                "  }\r\n");
}

TEST_F(ControlDump, Uint32ShowsThePointerItselfEvenWhenNull) {
  analyzer.TwUint32(nullptr);
  analyzer.TwUint32(reinterpret_cast<void*>(uintptr_t{0xfeed00000010}));
  EXPECT_EQ(Text(),
            "  TW_UINT32 = {\r\n"
            "    Item = <0x00000000>\r\n"
            "  }\r\n"
            "  TW_UINT32 = {\r\n"
            "    Item = <0x00000010>\r\n"
            "  }\r\n");
}

TEST_F(ControlDump, NullStructuresAndEmptyEventsAddNothing) {
  TW_EVENT noMessage{reinterpret_cast<TW_MEMREF>(uintptr_t{0x10}), MSG_NULL};
  EXPECT_TRUE(analyzer.TwIdentityAnalyze(nullptr));
  EXPECT_TRUE(analyzer.TwVersionAnalyze(nullptr));
  EXPECT_TRUE(analyzer.TwStatusAnalyze(nullptr));
  EXPECT_TRUE(analyzer.TwEventAnalyze(nullptr));
  EXPECT_TRUE(analyzer.TwEventAnalyze(&noMessage));
  EXPECT_TRUE(analyzer.TwUserInterfaceAnalyze(nullptr));
  EXPECT_TRUE(analyzer.TwPendingXfersAnalyze(nullptr));
  EXPECT_TRUE(analyzer.TwSetupMemXferAnalyze(nullptr));
  EXPECT_TRUE(analyzer.TwSetupFileXferAnalyze(nullptr));
  EXPECT_TRUE(analyzer.TwMemoryAnalyze(nullptr));
  EXPECT_TRUE(analyzer.TwCustomDsDataAnalyze(nullptr));
  EXPECT_TRUE(analyzer.TwTwunkIdentityAnalyze());
  EXPECT_EQ(Text(), "");
}

}  // namespace
