// Which dump a call gets, chosen by its data argument type (and, for DAT_PARENT, its message).
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "analyzer/dumped_types.h"
#include "analyzer/para_analyze.h"
#include "names/vendor_extensions.h"
#include "twaintrace/twain_vendor.h"

namespace {

std::string Analyze(TW_UINT16 DAT, TW_UINT16 MSG, void* pData, TW_IDENTITY* pOrigin = nullptr,
                    TW_UINT16 rc = TWRC_SUCCESS) {
  CParaAnalyze analyzer;
  char text[8192] = {};
  analyzer.ParaAnalyze(pOrigin, nullptr, DG_CONTROL, DAT, MSG, static_cast<char*>(pData), rc, text,
                       sizeof(text));
  return text;
}

// The result lines, the dump and the state line of a successful call.
std::string Logged(const void* pData, const std::string& dump) {
  char pointer[64];
  snprintf(pointer, sizeof(pointer), "pData   = <0x%08x>\r\n",
           static_cast<unsigned>(reinterpret_cast<uintptr_t>(pData)));
  return "        Return Code = [TWRC_SUCCESS]\r\n" + std::string(pointer) + dump +
         "\r\nTWAIN Status = [0]\r\n";
}

TEST(Dispatch, ParentShowsTheCallersIdentityOnlyWhenOpeningTheManager) {
  TW_IDENTITY origin{};
  strcpy(origin.ProductName, "Host");
  int window = 0;
  std::string opened = Analyze(DAT_PARENT, MSG_OPENDSM, &window, &origin);
  EXPECT_NE(opened.find(">\r\n  pOrigin:TW_IDENTITY = {\r\n"), std::string::npos);
  EXPECT_NE(opened.find("    ProductName     = [Host]\r\n"), std::string::npos);
  EXPECT_EQ(Analyze(DAT_PARENT, MSG_CLOSEDSM, &window, &origin), Logged(&window, ""));
}

struct DumpedType {
  TW_UINT16 DAT;
  TW_UINT16 MSG;
  const char* structure;  // nullptr: nothing is read
};

#define TW_ROW(DG, DAT, MSG, Structure, Operation) \
  {DAT, MSG, kDumpedSize<Structure> != 0 ? #Structure " = {" : nullptr},
constexpr DumpedType kDumpedTypes[] = {TW_DUMPED_TYPES(TW_ROW)};
#undef TW_ROW

// Each registered type reaches the formatter of its own structure, and a type with nothing to
// read logs no dump. The event without a message and the item types are shown below.
TEST(Dispatch, EveryRegisteredTypeReachesItsFormatter) {
  alignas(8) char data[1100] = {};  // zero, and large enough for every structure
  for (const DumpedType& type : kDumpedTypes) {
    if (type.DAT == DAT_EVENT || type.DAT == DAT_IMAGENATIVEXFER) continue;
    // Another build reads nothing in the vendor's range (tests/analyzer/vendor_extensions_test).
    if (type.DAT >= 0x8001 && !kVendorExtensions) continue;
    std::string text = Analyze(type.DAT, type.MSG, data);
    size_t dumpStart = text.find("\r\n", text.find("pData")) + 2;
    std::string dump = text.substr(dumpStart, text.rfind("\r\nTWAIN Status") - dumpStart);
    if (type.structure == nullptr) {
      EXPECT_EQ(dump, "") << type.DAT;
    } else {
      EXPECT_NE(dump.find(type.structure), std::string::npos) << type.DAT << "\n" << text;
    }
  }
}

std::string Uint32Dump(const char* item) {
  return std::string("  TW_UINT32 = {\r\n    Item = <") + item + ">\r\n  }\r\n";
}

// The group and the handle that the application's variables hold, not their addresses.
TEST(Dispatch, TransferGroupAndNativeTransferShowTheValueTheDataLeadsTo) {
  TW_UINT32 group = DG_IMAGE;
  EXPECT_EQ(Analyze(DAT_XFERGROUP, MSG_GET, &group), Logged(&group, Uint32Dump("0x00000002")));
  // A handle beyond 32 bits shows its low half, read at any alignment.
  alignas(8) char variable[1 + sizeof(TW_HANDLE)];
  const uintptr_t handle = 0x00007f0012345678;
  memcpy(variable + 1, &handle, sizeof(handle));
  EXPECT_EQ(Analyze(DAT_IMAGENATIVEXFER, MSG_GET, variable + 1),
            Logged(variable + 1, Uint32Dump("0x12345678")));
  for (TW_UINT16 DAT : {DAT_XFERGROUP, DAT_IMAGENATIVEXFER}) {
    EXPECT_EQ(Analyze(DAT, MSG_GET, nullptr), Logged(nullptr, Uint32Dump("0x00000000"))) << DAT;
  }
}

TEST(Dispatch, TypesWithoutAStructureToShowLogResultAndStateOnly) {
  char data[64] = {1, 2, 3};
  for (TW_UINT16 DAT : {DAT_NULL, DAT_TWUNKIDENTITY, DAT_IMAGEFILEXFER, DAT_VX_EVENT,
                        DAT_VX_REDCORRECTIONMATRIX, DAT_VX_TWAINCALLBACKMSG, DAT_VX_DUALIMAGE,
                        DAT_DEVICEEVENT, DAT_SETUPFILEXFER2, DAT_CUSTOMBASE, TW_UINT16{0x0100},
                        TW_UINT16{0x010C}, TW_UINT16{0x800C}, TW_UINT16{0xFFFF}}) {
    EXPECT_EQ(Analyze(DAT, MSG_GET, data), Logged(data, "")) << DAT;
  }
}

}  // namespace
