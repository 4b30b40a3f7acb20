// What a build makes of the vendor's ranges and of the standard's later constants: the vendor's
// build names and dumps its own extensions and leaves later constants unnamed, exactly as its
// logs always were; a build for any other source never reads another source's structures as the
// vendor's and names the TWAIN 2.5 constants.
#include "names/vendor_extensions.h"

#include <gtest/gtest.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstring>
#include <string>

#include "analyzer/para_analyze.h"
#include "twaintrace/twain_abi.h"
#include "twaintrace/twain_vendor.h"
#include "vendor_build.h"

namespace {

// The header line and the parameter text of one successful call, as the entry point asks for
// them.
std::string Traced(TW_UINT16 DAT, TW_UINT16 MSG, void* pData, TW_UINT16 rc = TWRC_SUCCESS) {
  CParaAnalyze analyzer;
  char header[1024] = {};
  char text[8192] = {};
  analyzer.TripletAnalyze(nullptr, nullptr, DG_CONTROL, DAT, MSG, static_cast<char*>(pData), header,
                          sizeof(header));
  analyzer.ParaAnalyze(nullptr, nullptr, DG_CONTROL, DAT, MSG, static_cast<char*>(pData), rc, text,
                       sizeof(text));
  return std::string(header) + text;
}

std::string Expected(const std::string& triplet, const void* pData, const std::string& dump,
                     const char* rc = "TWRC_SUCCESS") {
  char pointer[64];
  snprintf(pointer, sizeof(pointer), "pData   = <0x%08x>\r\n",
           static_cast<unsigned>(reinterpret_cast<uintptr_t>(pData)));
  return "[00001] [APP] DG_CONTROL/" + triplet + "\r\n        Return Code = [" + rc + "]\r\n" +
         pointer + dump + "\r\nTWAIN Status = [0]\r\n";
}

// `size` bytes that end where an unreadable page begins: they may be read up to their last byte
// and no further. The two pages stay mapped for the process.
char* BeforeUnreadablePage(size_t size) {
  const size_t page = static_cast<size_t>(sysconf(_SC_PAGESIZE));
  void* pages = mmap(nullptr, 2 * page, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (pages == MAP_FAILED || mprotect(static_cast<char*>(pages) + page, page, PROT_NONE) != 0) {
    return nullptr;
  }
  return static_cast<char*>(pages) + page - size;
}

// Another source's own small structure sent with a data argument type in the vendor's range.
// The vendor's build dumps its own structures there (tests/analyzer/dispatch_test).
TEST(VendorRange, AnotherSourcesCustomTypesAreReadOnlyByTheVendorsBuild) {
  if (kVendorExtensions) GTEST_SKIP() << "the vendor's build reads its own structures";
  static char* const small = BeforeUnreadablePage(4);
  ASSERT_NE(small, nullptr);
  memcpy(small, "\x01\x02\x03\x04", 4);
  for (TW_UINT16 DAT = 0x8001; DAT <= 0x800B; ++DAT) {
    std::string unnamed = "ERROR!(" + std::to_string(DAT) + ")";
    EXPECT_EQ(Traced(DAT, MSG_GET, small), Expected(unnamed + "/MSG_GET", small, "")) << DAT;
    EXPECT_EQ(Traced(DAT, MSG_GET, nullptr), Expected(unnamed + "/MSG_GET", nullptr, "")) << DAT;
  }
}

// The vendor's messages and capabilities, by their names and their values' forms, only in its
// build.
TEST(VendorRange, MessagesAndCapabilitiesAreTheVendorsOnlyInTheVendorsBuild) {
  CParaAnalyze analyzer;
  char text[300] = {};
  TW_CAPABILITY version{CAP_VX_VERSION, TWON_ONEVALUE, nullptr};
  ASSERT_TRUE(analyzer.GetStringOfCapability(&version, text, sizeof(text)));
  EXPECT_STREQ(text, kVendorExtensions ? "CAP_VX_VERSION" : "ERROR!(32769)");
  analyzer.ValToCap(CAP_VX_VERSION, 0x0103, text);
  EXPECT_STREQ(text, kVendorExtensions ? "1.3" : "259");
  analyzer.ValToCap(CAP_VX_UIMODE, TWVX_UI_EASY, text);
  EXPECT_STREQ(text, kVendorExtensions ? "TWVX_UI_EASY" : "2");
  analyzer.MakeCapSupportedCaps(ICAP_VX_FILMTYPE, text);
  EXPECT_STREQ(text, kVendorExtensions ? "ICAP_VX_FILMTYPE" : "ERROR!(32771)");

  TW_EVENT event{nullptr, MSG_VX_XFERREQUEST};
  std::string traced = Traced(DAT_EVENT, MSG_VX_TIMERRESET, &event);
  EXPECT_NE(traced.find(kVendorExtensions ? "DAT_EVENT/MSG_VX_TIMERRESET\r\n"
                                          : "DAT_EVENT/ERROR!(32769)\r\n"),
            std::string::npos)
      << traced;
  EXPECT_NE(traced.find(kVendorExtensions ? "    TWMessage = [MSG_VX_XFERREQUEST]\r\n"
                                          : "    TWMessage = [ERROR!(32770)]\r\n"),
            std::string::npos)
      << traced;
}

// TWAIN 2.5 names where the tables have no row, in the build for other sources; the vendor's
// build leaves them unnamed.
TEST(StandardNames, Twain25NamesOnlyWhereTheTablesHaveNone) {
  auto named = Twain25Name;
  TW_ENTRYPOINT entry{};
  EXPECT_EQ(Traced(DAT_ENTRYPOINT, MSG_SET, &entry),
            Expected(named("DAT_ENTRYPOINT", 1027) + "/MSG_SET", &entry, ""));

  TW_CAPABILITY all{twain25::CAP_SUPPORTEDDATS, TWON_DONTCARE16, nullptr};
  std::string header = Traced(DAT_CAPABILITY, twain25::MSG_RESETALL, &all).substr(0, 80);
  EXPECT_EQ(header.substr(0, header.find("\r\n")), "[00001] [APP] DG_CONTROL/DAT_CAPABILITY/" +
                                                       named("MSG_RESETALL", 2561) + " (" +
                                                       named("CAP_SUPPORTEDDATS", 4158) + ")");

  CParaAnalyze analyzer;
  char text[300] = {};
  analyzer.ValToCap(ICAP_PIXELTYPE, twain25::TWPT_SRGB, text);
  EXPECT_EQ(text, named("TWPT_SRGB", 10));
  // Two 2.5 names share 11: the first in the standard's list wins, as in every table.
  analyzer.ValToCap(ICAP_PIXELTYPE, 11, text);
  EXPECT_EQ(text, named("TWPT_SCRGB", 11));
  analyzer.ValToCap(ICAP_PIXELTYPE, TWPT_RGB, text);
  EXPECT_STREQ(text, "TWPT_RGB");
  analyzer.ValToCap(ICAP_PIXELTYPE, 40, text);
  EXPECT_STREQ(text, "ERROR!(40)");
  analyzer.MakeCapSupportedCaps(twain25::ICAP_AUTOMATICCOLORENABLED, text);
  EXPECT_EQ(text, named("ICAP_AUTOMATICCOLORENABLED", 4441));

  TW_STATUS status{twain25::TWCC_NOMEDIA, {}};
  EXPECT_EQ(Traced(DAT_STATUS, MSG_GET, &status, twain25::TWRC_BUSY),
            Expected("DAT_STATUS/MSG_GET", &status,
                     "  TW_STATUS = {\r\n    ConditionCode = [" + named("TWCC_NOMEDIA", 29) +
                         "]\r\n  }\r\n",
                     named("TWRC_BUSY", 10).c_str()));
}

}  // namespace
