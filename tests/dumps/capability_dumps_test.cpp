// The capability record and its container, read through the container's handle.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>

#include "dumps/dump_fixture.h"
#include "platform/cdsm_interface.h"
#include "platform/source_manager_memory.h"
#include "twaintrace/twain_vendor.h"
#include "vendor_build.h"

namespace {

std::string HandleText(char** handle) {
  char text[32];
  snprintf(text, sizeof(text), "<0x%08x>",
           static_cast<unsigned>(reinterpret_cast<uintptr_t>(handle)));
  return text;
}

std::string Record(const char* cap, const char* conType, char** handle, const std::string& body) {
  return std::string("  TW_CAPABILITY = {\r\n    Cap        = [") + cap + "]\r\n" +
         "    ConType    = [" + conType + "]\r\n" + "    hContainer = " + HandleText(handle) +
         "\r\n" + body + "  }\r\n";
}

TW_FIX32 Fix(TW_INT16 whole, TW_UINT16 frac) {
  return TW_FIX32{whole, frac};
}

constexpr size_t kArrayHeader = offsetof(TW_ARRAY, ItemList);
constexpr size_t kEnumerationHeader = offsetof(TW_ENUMERATION, ItemList);

class CapabilityDump : public DumpTest {
 protected:
  std::string Dump(TW_UINT16 cap, TW_UINT16 conType, char** handle, TW_UINT16 rc = TWRC_SUCCESS,
                   TW_UINT16 msg = MSG_GET) {
    analyzer.m_RC = rc;
    analyzer.m_MSG = msg;
    TW_CAPABILITY capability{cap, conType, handle};
    EXPECT_TRUE(analyzer.TwCapabilityAnalyze(&capability));
    return Text();
  }
};

TEST_F(CapabilityDump, EnumerationOfPixelTypesNamesEachValue) {
  TW_ENUMERATION header{TWTY_UINT16, 3, 2, 2, {}};
  char** handle = Handle(Container(header, kEnumerationHeader, std::vector<TW_UINT16>{0, 1, 2}));
  EXPECT_EQ(Dump(ICAP_PIXELTYPE, TWON_ENUMERATION, handle),
            Record("ICAP_PIXELTYPE", "TWON_ENUMERATION", handle,
                   "    TW_ENUMERATION = {\r\n"
                   "      ItemType     = [TWTY_UINT16]\r\n"
                   "      NumItems     = [3]\r\n"
                   "      CurrentIndex = [2]\r\n"
                   "      DefaultIndex = [2]\r\n"
                   "      ItemList = {\r\n"
                   "          0:TWPT_BW,\r\n"
                   "          1:TWPT_GRAY,\r\n"
                   "          2:TWPT_RGB\r\n"
                   "      }\r\n"
                   "    }\r\n"));
}

TEST_F(CapabilityDump, ArrayOfSupportedCapsNamesCapabilities) {
  SKIP_UNLESS_VENDOR_BUILD();
  TW_ARRAY header{TWTY_UINT16, 3, {}};
  char** handle =
      Handle(Container(header, kArrayHeader, std::vector<TW_UINT16>{0x1001, 0x0101, 0x8003}));
  EXPECT_EQ(Dump(CAP_SUPPORTEDCAPS, TWON_ARRAY, handle),
            Record("CAP_SUPPORTEDCAPS", "TWON_ARRAY", handle,
                   "    TW_ARRAY = {\r\n"
                   "      ItemType = [TWTY_UINT16]\r\n"
                   "      NumItems = [3]\r\n"
                   "      ItemList = {\r\n"
                   "          0:CAP_CAPTION,\r\n"
                   "          1:ICAP_PIXELTYPE,\r\n"
                   "          2:ICAP_VX_FILMTYPE\r\n"
                   "      }\r\n"
                   "    }\r\n"));
}

TEST_F(CapabilityDump, OneValueAndRangeShowValuesByItemType) {
  SKIP_UNLESS_VENDOR_BUILD();
  TW_ONEVALUE version{TWTY_UINT16, 0x0103};
  char** versionHandle = Handle(&version, sizeof(version));
  TW_ONEVALUE resolution{TWTY_FIX32, 0};
  TW_FIX32 fix = Fix(300, 0x8000);
  memcpy(&resolution.Item, &fix, sizeof(fix));
  char** resolutionHandle = Handle(&resolution, sizeof(resolution));
  TW_RANGE range{TWTY_INT32, static_cast<TW_UINT32>(-5), 100, 5, 50, 0x80000000};
  char** rangeHandle = Handle(&range, sizeof(range));

  Dump(CAP_VX_VERSION, TWON_ONEVALUE, versionHandle);
  Dump(ICAP_XRESOLUTION, TWON_ONEVALUE, resolutionHandle);
  Dump(0x1234, TWON_RANGE, rangeHandle);
  EXPECT_EQ(Text(), Record("CAP_VX_VERSION", "TWON_ONEVALUE", versionHandle,
                           "    TW_ONEVALUE = {\r\n"
                           "      ItemType = [TWTY_UINT16]\r\n"
                           "      Item     = [1.3]\r\n"
                           "    }\r\n") +
                        Record("ICAP_XRESOLUTION", "TWON_ONEVALUE", resolutionHandle,
                               "    TW_ONEVALUE = {\r\n"
                               "      ItemType = [TWTY_FIX32]\r\n"
                               "      Item     = [300.500]\r\n"
                               "    }\r\n") +
                        Record("ERROR!(4660)", "TWON_RANGE", rangeHandle,
                               "    TW_RANGE = {\r\n"
                               "      ItemType     = [TWTY_INT32]\r\n"
                               "      MinValue     = [-5]\r\n"
                               "      MaxValue     = [100]\r\n"
                               "      StepSize     = [5]\r\n"
                               "      DefaultValue = [50]\r\n"
                               "      CurrentValue = [-2147483648]\r\n"
                               "    }\r\n"));
}

TEST_F(CapabilityDump, FrameInOneValueShowsFourNumbers) {
  TW_ONEVALUE header{TWTY_FRAME, 0};
  TW_FRAME frame{Fix(0, 0), Fix(1, 0x4000), Fix(8, 0x8000), Fix(-1, 0x8000)};
  char** handle = Handle(Container(header, offsetof(TW_ONEVALUE, Item), std::vector{frame}));
  EXPECT_EQ(Dump(ICAP_FRAMES, TWON_ONEVALUE, handle),
            Record("ICAP_FRAMES", "TWON_ONEVALUE", handle,
                   "    TW_ONEVALUE = {\r\n"
                   "      ItemType = [TWTY_FRAME]\r\n"
                   "      Item     = [0.000,1.250,8.500,-0.500]\r\n"
                   "    }\r\n"));
}

TEST_F(CapabilityDump, RecordAloneWhenThereIsNoContainerToShow) {
  TW_ONEVALUE oneValue{TWTY_UINT16, 1};
  char** handle = Handle(&oneValue, sizeof(oneValue));
  EXPECT_EQ(Dump(ICAP_PIXELTYPE, TWON_ONEVALUE, nullptr),
            Record("ICAP_PIXELTYPE", "TWON_ONEVALUE", nullptr, ""));
  text[0] = '\0';
  analyzer.SetOutText(text, sizeof(text));
  // A failed call, and container types that are not containers, leave the handle alone.
  Dump(ICAP_PIXELTYPE, TWON_ONEVALUE, handle, TWRC_FAILURE);
  Dump(ICAP_PIXELTYPE, TWON_DONTCARE16, handle);
  Dump(ICAP_PIXELTYPE, 2, handle);
  EXPECT_EQ(Text(), Record("ICAP_PIXELTYPE", "TWON_ONEVALUE", handle, "") +
                        Record("ICAP_PIXELTYPE", "TWON_DONTCARE16", handle, "") +
                        Record("ICAP_PIXELTYPE", "ERROR!(2)", handle, ""));
  // Any other result code shows the container.
  text[0] = '\0';
  analyzer.SetOutText(text, sizeof(text));
  Dump(ICAP_PIXELTYPE, TWON_ONEVALUE, handle, TWRC_CHECKSTATUS);
  EXPECT_NE(Text().find("      Item     = [TWPT_GRAY]\r\n"), std::string::npos);
}

// Only the gets, the reset, the support query and the set carry a container; with any other
// message the handle may be long freed, so it is shown and never followed.
TEST_F(CapabilityDump, HandleIsFollowedOnlyWhereAContainerTravels) {
  TW_ONEVALUE oneValue{TWTY_UINT16, 1};
  char** handle = Handle(&oneValue, sizeof(oneValue));
  for (TW_UINT16 msg :
       {MSG_GET, MSG_GETCURRENT, MSG_GETDEFAULT, MSG_RESET, MSG_QUERYSUPPORT, MSG_SET}) {
    text[0] = '\0';
    analyzer.SetOutText(text, sizeof(text));
    EXPECT_NE(Dump(ICAP_PIXELTYPE, TWON_ONEVALUE, handle, TWRC_SUCCESS, msg).find("TWPT_GRAY"),
              std::string::npos)
        << "MSG " << msg;
  }
  constexpr TW_UINT16 kResetAll = 0x0A01;
  constexpr TW_UINT16 kSetConstraint = 0x000C;
  for (TW_UINT16 msg : {kResetAll, kSetConstraint, MSG_NULL, MSG_GETFIRST, MSG_ENDXFER}) {
    text[0] = '\0';
    analyzer.SetOutText(text, sizeof(text));
    EXPECT_EQ(Dump(ICAP_PIXELTYPE, TWON_ONEVALUE, handle, TWRC_SUCCESS, msg),
              Record("ICAP_PIXELTYPE", "TWON_ONEVALUE", handle, ""))
        << "MSG " << msg;
  }
  // A reset of all capabilities names a handle freed long ago: reading it would be a use
  // after free.
  char** freed = CDSMInterface::AllocMemory(sizeof(oneValue));
  CDSMInterface::FreeMemory(freed);
  text[0] = '\0';
  analyzer.SetOutText(text, sizeof(text));
  EXPECT_EQ(Dump(CAP_DUPLEX, TWON_ONEVALUE, freed, TWRC_SUCCESS, kResetAll),
            Record("CAP_DUPLEX", "TWON_ONEVALUE", freed, ""));
}

TEST_F(CapabilityDump, NullRecordAndNullLockedDataAddNothing) {
  EXPECT_TRUE(analyzer.TwCapabilityAnalyze(nullptr));
  EXPECT_EQ(Text(), "");

  TW_ONEVALUE oneValue{TWTY_UINT16, 1};
  char** handle = Handle(&oneValue, sizeof(oneValue));
#if TWAINTRACE_ABI_LINUX_DSM
  // The source manager's lock answers no address; its unlock still comes.
  static int unlocks = 0;
  TW_ENTRYPOINT manager = HostMemory::EntryPoint(nullptr);
  manager.DSM_MemLock = [](TW_HANDLE) -> TW_MEMREF { return nullptr; };
  manager.DSM_MemUnlock = [](TW_HANDLE) { ++unlocks; };
  ASSERT_TRUE(KeepSourceManagerMemory(&manager));
  Dump(ICAP_PIXELTYPE, TWON_ONEVALUE, handle);
  EXPECT_EQ(unlocks, 1);
#else
  char* data = *handle;
  *handle = nullptr;  // the block's data is gone
  Dump(ICAP_PIXELTYPE, TWON_ONEVALUE, handle);
  *handle = data;
#endif
  EXPECT_EQ(Text(), Record("ICAP_PIXELTYPE", "TWON_ONEVALUE", handle, ""));
}

TEST_F(CapabilityDump, EmptyListOpensAndClosesOnly) {
  TW_ARRAY header{TWTY_UINT32, 0, {}};
  char** handle = Handle(Container(header, kArrayHeader));
  EXPECT_EQ(Dump(CAP_XFERCOUNT, TWON_ARRAY, handle), Record("CAP_XFERCOUNT", "TWON_ARRAY", handle,
                                                            "    TW_ARRAY = {\r\n"
                                                            "      ItemType = [TWTY_UINT32]\r\n"
                                                            "      NumItems = [0]\r\n"
                                                            "      ItemList = {\r\n"
                                                            "      }\r\n"
                                                            "    }\r\n"));
}

// Handles that tell no block size: every handle of the Linux source manager, and elsewhere a
// handle that another maker made, here a block of nothing but its master pointer. A container
// is trusted as far as its item type and counts reach, up to a fixed read limit, so these
// blocks are made as large as their counts say (or as the limit).
constexpr size_t kReadLimit = 4096;

class UnsizedCapabilityDump : public CapabilityDump {
 protected:
  void TearDown() override {
    for (auto& [handle, data] : foreign_) {
      free(data);
      free(handle);
    }
    CapabilityDump::TearDown();
  }

  char** Unsized(const std::vector<char>& bytes) {
    if (kLinuxSourceManagerAbi) return Handle(bytes);
    auto* data = static_cast<char*>(malloc(bytes.size()));
    memcpy(data, bytes.data(), bytes.size());
    auto** handle = static_cast<char**>(malloc(sizeof(char*)));
    *handle = data;
    foreign_.emplace_back(handle, data);
    return handle;
  }

 private:
  std::vector<std::pair<char**, char*>> foreign_;
};

TEST_F(UnsizedCapabilityDump, ContainerIsReadAsFarAsItsCounts) {
  TW_ARRAY header{TWTY_UINT16, 4, {}};
  std::vector<TW_UINT16> units{TWUN_CENTIMETERS, TWUN_PICAS, TWUN_POINTS, TWUN_TWIPS};
  char** arrayHandle = Unsized(Container(header, kArrayHeader, units));
  std::vector<char> frames(kReadLimit);
  TW_RANGE range{TWTY_FRAME, 0, 0, 0, 0, 0};
  memcpy(frames.data(), &range, sizeof(range));
  char** rangeHandle = Unsized(frames);

  Dump(ICAP_UNITS, TWON_ARRAY, arrayHandle);
  Dump(ICAP_FRAMES, TWON_RANGE, rangeHandle);
  const std::string zeroFrame = "[0.000,0.000,0.000,0.000]\r\n";
  EXPECT_EQ(Text(), Record("ICAP_UNITS", "TWON_ARRAY", arrayHandle,
                           "    TW_ARRAY = {\r\n"
                           "      ItemType = [TWTY_UINT16]\r\n"
                           "      NumItems = [4]\r\n"
                           "      ItemList = {\r\n"
                           "          0:TWUN_CENTIMETERS,\r\n"
                           "          1:TWUN_PICAS,\r\n"
                           "          2:TWUN_POINTS,\r\n"
                           "          3:TWUN_TWIPS\r\n"
                           "      }\r\n"
                           "    }\r\n") +
                        Record("ICAP_FRAMES", "TWON_RANGE", rangeHandle,
                               "    TW_RANGE = {\r\n"
                               "      ItemType     = [TWTY_FRAME]\r\n"
                               "      MinValue     = " +
                                   zeroFrame + "      MaxValue     = " + zeroFrame +
                                   "      StepSize     = " + zeroFrame + "      DefaultValue = " +
                                   zeroFrame + "      CurrentValue = " + zeroFrame + "    }\r\n"));
}

TEST_F(UnsizedCapabilityDump, ContainerIsNeverReadBeyondTheLimit) {
  // 34-byte strings: the limit holds the header and 120 of the 1000 items claimed.
  TW_ENUMERATION header{TWTY_STR32, 1000, 0, 0, {}};
  std::vector<char> bytes(kReadLimit, 'x');
  memcpy(bytes.data(), &header, kEnumerationHeader);
  const size_t itemsThatFit = (kReadLimit - kEnumerationHeader) / sizeof(TW_STR32);
  for (size_t i = 0; i < itemsThatFit; ++i) {
    snprintf(bytes.data() + kEnumerationHeader + i * sizeof(TW_STR32), sizeof(TW_STR32), "s%zu", i);
  }
  char** handle = Unsized(bytes);

  std::string dump = Dump(CAP_AUTHOR, TWON_ENUMERATION, handle);
  std::string last = "        119:s119,\r\n";
  std::string cut = "        !!! rest not shown: past the container's known size !!!\r\n";
  ASSERT_EQ(itemsThatFit, 120u);
  size_t lastAt = dump.find(last);
  ASSERT_NE(lastAt, std::string::npos) << dump;
  EXPECT_EQ(dump.substr(lastAt), last + cut + "      }\r\n    }\r\n  }\r\n");
  EXPECT_EQ(dump.find("120:"), std::string::npos);
}

#if !TWAINTRACE_ABI_LINUX_DSM

// Handles that tell their block's size, and foreign handles that do not.
// A container is read only within its block: what lies beyond is replaced by one line.
TEST_F(CapabilityDump, ListLongerThanItsBlockShowsTheItemsThatFit) {
  TW_ENUMERATION header{TWTY_UINT16, 1000, 0, 1, {}};
  char** handle = Handle(Container(header, kEnumerationHeader, std::vector<TW_UINT16>{0, 1}));
  EXPECT_EQ(Dump(ICAP_PIXELTYPE, TWON_ENUMERATION, handle),
            Record("ICAP_PIXELTYPE", "TWON_ENUMERATION", handle,
                   "    TW_ENUMERATION = {\r\n"
                   "      ItemType     = [TWTY_UINT16]\r\n"
                   "      NumItems     = [1000]\r\n"
                   "      CurrentIndex = [0]\r\n"
                   "      DefaultIndex = [1]\r\n"
                   "      ItemList = {\r\n"
                   "          0:TWPT_BW,\r\n"
                   "          1:TWPT_GRAY,\r\n"
                   "        !!! rest not shown: past the container's known size !!!\r\n"
                   "      }\r\n"
                   "    }\r\n"));
}

TEST_F(CapabilityDump, ValuesWiderThanTheBlockAreCut) {
  // A 255-character string runs past a one-value block, a frame past the range's third slot.
  TW_ONEVALUE text255{TWTY_STR255, 0};
  char** oneValueHandle = Handle(&text255, sizeof(text255));
  TW_RANGE frames{TWTY_FRAME, 0, 0, 0, 0, 0};
  char** rangeHandle = Handle(&frames, sizeof(frames));
  TW_ARRAY arrayHeader{TWTY_UINT32, 2, {}};
  char** shortHandle = Handle(Container(arrayHeader, kArrayHeader - 2));

  Dump(CAP_AUTHOR, TWON_ONEVALUE, oneValueHandle);
  Dump(ICAP_FRAMES, TWON_RANGE, rangeHandle);
  Dump(CAP_XFERCOUNT, TWON_ARRAY, shortHandle);
  EXPECT_EQ(Text(), Record("CAP_AUTHOR", "TWON_ONEVALUE", oneValueHandle,
                           "    TW_ONEVALUE = {\r\n"
                           "      ItemType = [TWTY_STR255]\r\n"
                           "      !!! rest not shown: past the container's known size !!!\r\n"
                           "    }\r\n") +
                        Record("ICAP_FRAMES", "TWON_RANGE", rangeHandle,
                               "    TW_RANGE = {\r\n"
                               "      ItemType     = [TWTY_FRAME]\r\n"
                               "      MinValue     = [0.000,0.000,0.000,0.000]\r\n"
                               "      MaxValue     = [0.000,0.000,0.000,0.000]\r\n"
                               "      !!! rest not shown: past the container's known size !!!\r\n"
                               "    }\r\n") +
                        Record("CAP_XFERCOUNT", "TWON_ARRAY", shortHandle,
                               "    TW_ARRAY = {\r\n"
                               "      !!! rest not shown: past the container's known size !!!\r\n"
                               "    }\r\n"));
}

#endif

TEST_F(CapabilityDump, ItemTypeWithoutKnownSizeReadsNothing) {
  SKIP_UNLESS_VENDOR_BUILD();
  TW_ONEVALUE oneValue{13, 0x12345678};
  char** oneValueHandle = Handle(&oneValue, sizeof(oneValue));
  TW_RANGE range{99, 1, 2, 3, 4, 5};
  char** rangeHandle = Handle(&range, sizeof(range));
  Dump(ICAP_PIXELTYPE, TWON_ONEVALUE, oneValueHandle);
  Dump(ICAP_PIXELTYPE, TWON_RANGE, rangeHandle);
  EXPECT_EQ(Text(), Record("ICAP_PIXELTYPE", "TWON_ONEVALUE", oneValueHandle,
                           "    TW_ONEVALUE = {\r\n"
                           "      ItemType = [ERROR!(13)]\r\n"
                           "      Item     = [!!! not implemented.!!!]\r\n"
                           "    }\r\n") +
                        Record("ICAP_PIXELTYPE", "TWON_RANGE", rangeHandle,
                               "    TW_RANGE = {\r\n"
                               "      ItemType     = [ERROR!(99)]\r\n"
                               "      MinValue     = [!!! not implemented.!!!]\r\n"
                               "      MaxValue     = [!!! not implemented.!!!]\r\n"
                               "      StepSize     = [!!! not implemented.!!!]\r\n"
                               "      DefaultValue = [!!! not implemented.!!!]\r\n"
                               "      CurrentValue = [!!! not implemented.!!!]\r\n"
                               "    }\r\n"));
}

}  // namespace
