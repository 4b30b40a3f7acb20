// Which dump a call gets, chosen by its data argument type (and, for DAT_PARENT, its message),
// and what a build makes of the vendor's ranges and of the standard's later constants: the
// vendor's build names and dumps its own extensions and leaves later constants unnamed, exactly
// as its logs always were; a build for any other source never reads another source's structures
// as the vendor's and names the TWAIN 2.5 constants.
#include <gtest/gtest.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "analyzer/para_analyze.h"
#include "names/vendor_extensions.h"
#include "twaintrace/twain_abi.h"
#include "twaintrace/twain_vendor.h"
#include "vendor_build.h"

namespace {

// The header and the rest of one call's text, as the entry point asks for both.
std::string Traced(TW_UINT16 DAT, TW_UINT16 MSG, void* pData, TW_UINT16 rc = TWRC_SUCCESS,
                   TW_IDENTITY* pOrigin = nullptr) {
  CParaAnalyze analyzer;
  char text[8192] = {};
  char* data = static_cast<char*>(pData);
  analyzer.TripletAnalyze(pOrigin, nullptr, DG_CONTROL, DAT, MSG, data, text, sizeof(text));
  analyzer.ParaAnalyze(pOrigin, nullptr, DG_CONTROL, DAT, MSG, data, rc, text, sizeof(text));
  return text;
}

// The header, result lines, dump and state line of a call.
std::string Expected(const std::string& triplet, const void* pData, const std::string& dump,
                     const std::string& rc = "TWRC_SUCCESS") {
  char pointer[64];
  snprintf(pointer, sizeof(pointer), "pData   = <0x%08x>\r\n",
           static_cast<unsigned>(reinterpret_cast<uintptr_t>(pData)));
  return "[00001] [APP] DG_CONTROL/" + triplet + "\r\n        Return Code = [" + rc + "]\r\n" +
         pointer + dump + "\r\nTWAIN Status = [0]\r\n";
}

TEST(Dispatch, ParentShowsTheCallersIdentityOnlyWhenOpeningTheManager) {
  TW_IDENTITY origin{};
  strcpy(origin.ProductName, "Host");
  int window = 0;
  std::string opened = Traced(DAT_PARENT, MSG_OPENDSM, &window, TWRC_SUCCESS, &origin);
  EXPECT_NE(opened.find(">\r\n  pOrigin:TW_IDENTITY = {\r\n"), std::string::npos);
  EXPECT_NE(opened.find("    ProductName     = [Host]\r\n"), std::string::npos);
  EXPECT_EQ(Traced(DAT_PARENT, MSG_CLOSEDSM, &window, TWRC_SUCCESS, &origin),
            Expected("DAT_PARENT/MSG_CLOSEDSM", &window, ""));
}

std::string Uint32Dump(const char* item) {
  return std::string("  TW_UINT32 = {\r\n    Item = <") + item + ">\r\n  }\r\n";
}

// The group and the handle that the application's variables hold, not their addresses.
TEST(Dispatch, TransferGroupAndNativeTransferShowTheValueTheDataLeadsTo) {
  TW_UINT32 group = DG_IMAGE;
  EXPECT_EQ(Traced(DAT_XFERGROUP, MSG_GET, &group),
            Expected("DAT_XFERGROUP/MSG_GET", &group, Uint32Dump("0x00000002")));
  // A handle beyond 32 bits shows its low half, read at any alignment.
  alignas(8) char variable[1 + sizeof(TW_HANDLE)];
  const uintptr_t handle = 0x00007f0012345678;
  memcpy(variable + 1, &handle, sizeof(handle));
  EXPECT_EQ(Traced(DAT_IMAGENATIVEXFER, MSG_GET, variable + 1),
            Expected("DAT_IMAGENATIVEXFER/MSG_GET", variable + 1, Uint32Dump("0x12345678")));
  EXPECT_EQ(Traced(DAT_XFERGROUP, MSG_GET, nullptr),
            Expected("DAT_XFERGROUP/MSG_GET", nullptr, Uint32Dump("0x00000000")));
  EXPECT_EQ(Traced(DAT_IMAGENATIVEXFER, MSG_GET, nullptr),
            Expected("DAT_IMAGENATIVEXFER/MSG_GET", nullptr, Uint32Dump("0x00000000")));
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
// The vendor's build dumps its own structures there, as every registered type above.
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

// The vendor's messages and capabilities by name, and the TWAIN 2.5 names where the tables have
// none, each only in its build (their values: the capability values' test).
TEST(VendorRange, NamesAreTheVendorsOrTheStandardsByTheBuild) {
  CParaAnalyze analyzer;
  char text[300] = {};
  TW_CAPABILITY version{CAP_VX_VERSION, TWON_ONEVALUE, nullptr};
  ASSERT_TRUE(analyzer.GetStringOfCapability(&version, text, sizeof(text)));
  EXPECT_EQ(text, VendorName("CAP_VX_VERSION", 32769));
  TW_EVENT event{nullptr, MSG_VX_XFERREQUEST};
  EXPECT_EQ(Traced(DAT_EVENT, MSG_VX_TIMERRESET, &event),
            Expected("DAT_EVENT/" + VendorName("MSG_VX_TIMERRESET", 32769), &event,
                     "  TW_EVENT = {\r\n    pEvent    = <0x00000000>\r\n    TWMessage = [" +
                         VendorName("MSG_VX_XFERREQUEST", 32770) + "]\r\n  }\r\n"));

  auto named = Twain25Name;
  TW_ENTRYPOINT entry{};
  EXPECT_EQ(Traced(DAT_ENTRYPOINT, MSG_SET, &entry),
            Expected(named("DAT_ENTRYPOINT", 1027) + "/MSG_SET", &entry, ""));
  TW_CAPABILITY all{twain25::CAP_SUPPORTEDDATS, TWON_DONTCARE16, nullptr};
  std::string header = Traced(DAT_CAPABILITY, twain25::MSG_RESETALL, &all).substr(0, 80);
  EXPECT_EQ(header.substr(0, header.find("\r\n")), "[00001] [APP] DG_CONTROL/DAT_CAPABILITY/" +
                                                       named("MSG_RESETALL", 2561) + " (" +
                                                       named("CAP_SUPPORTEDDATS", 4158) + ")");
  TW_STATUS status{twain25::TWCC_NOMEDIA, {}};
  EXPECT_EQ(Traced(DAT_STATUS, MSG_GET, &status, twain25::TWRC_BUSY),
            Expected("DAT_STATUS/MSG_GET", &status,
                     "  TW_STATUS = {\r\n    ConditionCode = [" + named("TWCC_NOMEDIA", 29) +
                         "]\r\n  }\r\n",
                     named("TWRC_BUSY", 10)));
}

}  // namespace
