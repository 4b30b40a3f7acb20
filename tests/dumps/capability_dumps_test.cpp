// The capability record and its container, read through the container's handle. Handles are
// shown as addresses; the expected dumps name each one "<handle>".
#include <cstdio>
#include <cstring>
#include <memory>
#include <regex>
#include <string>
#include <vector>

#include "dumps/dump_fixture.h"
#include "dumps/dump_test_support.h"
#include "platform/source_manager_memory.h"
#include "twaintrace/twain_vendor.h"
#include "vendor_build.h"

namespace {

constexpr size_t kArrayHeader = offsetof(TW_ARRAY, ItemList);
constexpr size_t kEnumerationHeader = offsetof(TW_ENUMERATION, ItemList);

// Handles that tell no block size: every handle of the Linux source manager, and elsewhere a
// handle that another maker made, here a block of nothing but its master pointer. A container
// is trusted as far as its item type and counts reach, up to a fixed read limit, so these
// blocks are made as large as their counts say (or as the limit).
constexpr size_t kReadLimit = 4096;

class CapabilityDump : public DumpTest {
 protected:
  std::string Dump(TW_UINT16 cap, TW_UINT16 conType, char** handle, TW_UINT16 rc = TWRC_SUCCESS,
                   TW_UINT16 msg = MSG_GET) {
    TW_CAPABILITY capability{cap, conType, handle};
    DumpCapability(DumpContext{out, msg, rc, nullptr}, &capability);
    return Text();
  }

  // The text so far, each handle the records name shown as "<handle>", a null one as it is (the
  // address itself: the null-lock test).
  std::string Masked() const {
    static const std::regex kHandle("hContainer = <0x(?!0{8}>)[0-9a-f]{8}>");
    return std::regex_replace(Text(), kHandle, "hContainer = <handle>");
  }

  char** Unsized(const std::vector<char>& bytes) {
    if (kLinuxSourceManagerAbi) return Handle(bytes);
    blocks_.push_back(std::make_unique<char[]>(bytes.size()));
    memcpy(blocks_.back().get(), bytes.data(), bytes.size());
    masters_.push_back(std::make_unique<char*>(blocks_.back().get()));
    return masters_.back().get();
  }

 private:
  std::vector<std::unique_ptr<char[]>> blocks_;
  std::vector<std::unique_ptr<char*>> masters_;
};

TEST_F(CapabilityDump, EachContainerKindDumpsByteForByte) {
  TW_ENUMERATION enumeration{TWTY_UINT16, 3, 2, 2, {}};
  Dump(ICAP_PIXELTYPE, TWON_ENUMERATION,
       Handle(Container(enumeration, kEnumerationHeader, std::vector<TW_UINT16>{0, 1, 2})));
  TW_ONEVALUE frameValue{TWTY_FRAME, 0};
  TW_FRAME frame{Fix(0, 0), Fix(1, 0x4000), Fix(8, 0x8000), Fix(-1, 0x8000)};
  Dump(ICAP_FRAMES, TWON_ONEVALUE,
       Handle(Container(frameValue, offsetof(TW_ONEVALUE, Item), std::vector{frame})));
  Dump(CAP_XFERCOUNT, TWON_ARRAY, Handle(Container(TW_ARRAY{TWTY_UINT32, 0, {}}, kArrayHeader)));

  // Containers read as far as their counts say, from handles that tell no size.
  TW_ARRAY units{TWTY_UINT16, 4, {}};
  std::vector<TW_UINT16> unitItems{TWUN_CENTIMETERS, TWUN_PICAS, TWUN_POINTS, TWUN_TWIPS};
  Dump(ICAP_UNITS, TWON_ARRAY, Unsized(Container(units, kArrayHeader, unitItems)));
  TW_RANGE frames{TWTY_FRAME, 0, 0, 0, 0, 0};
  Dump(ICAP_FRAMES, TWON_RANGE, Unsized(Container(frames, kReadLimit)));

  // The record alone: no handle, a failed call, and container types that are not containers.
  char** handle = Handle(TW_ONEVALUE{TWTY_UINT16, 1});
  Dump(ICAP_PIXELTYPE, TWON_ONEVALUE, nullptr);
  Dump(ICAP_PIXELTYPE, TWON_ONEVALUE, handle, TWRC_FAILURE);
  Dump(ICAP_PIXELTYPE, TWON_DONTCARE16, handle);
  Dump(ICAP_PIXELTYPE, 2, handle);
  // Any other result code shows the container.
  Dump(ICAP_PIXELTYPE, TWON_ONEVALUE, handle, TWRC_CHECKSTATUS);
  EXPECT_EQ(Masked(), ExpectedDump("capability_dumps.txt"));
}

TEST_F(CapabilityDump, VendorCapabilitiesAndUnknownTypesDumpByteForByte) {
  SKIP_UNLESS_VENDOR_BUILD();
  TW_ARRAY supported{TWTY_UINT16, 3, {}};
  Dump(CAP_SUPPORTEDCAPS, TWON_ARRAY,
       Handle(Container(supported, kArrayHeader, std::vector<TW_UINT16>{0x1001, 0x0101, 0x8003})));
  Dump(CAP_VX_VERSION, TWON_ONEVALUE, Handle(TW_ONEVALUE{TWTY_UINT16, 0x0103}));
  TW_ONEVALUE resolution{TWTY_FIX32, 0};
  TW_FIX32 fix = Fix(300, 0x8000);
  memcpy(&resolution.Item, &fix, sizeof(fix));
  Dump(ICAP_XRESOLUTION, TWON_ONEVALUE, Handle(resolution));
  Dump(0x1234, TWON_RANGE,
       Handle(TW_RANGE{TWTY_INT32, static_cast<TW_UINT32>(-5), 100, 5, 50, 0x80000000}));
  // Item types without a known size read nothing.
  Dump(ICAP_PIXELTYPE, TWON_ONEVALUE, Handle(TW_ONEVALUE{13, 0x12345678}));
  Dump(ICAP_PIXELTYPE, TWON_RANGE, Handle(TW_RANGE{99, 1, 2, 3, 4, 5}));
  EXPECT_EQ(Masked(), ExpectedDump("capability_vendor_dumps.txt"));
}

// Only the gets, the reset, the support query and the set carry a container; with any other
// message the handle may be long freed (a reset of all capabilities names one freed long ago),
// so it is shown and never followed.
TEST_F(CapabilityDump, HandleIsFollowedOnlyWhereAContainerTravels) {
  char** handle = Handle(TW_ONEVALUE{TWTY_UINT16, 1});
  constexpr TW_UINT16 kResetAll = 0x0A01;
  constexpr TW_UINT16 kSetConstraint = 0x000C;
  const std::pair<TW_UINT16, bool> followedBy[] = {
      {MSG_GET, true},       {MSG_GETCURRENT, true},   {MSG_GETDEFAULT, true},
      {MSG_RESET, true},     {MSG_QUERYSUPPORT, true}, {MSG_SET, true},
      {kResetAll, false},    {kSetConstraint, false},  {MSG_NULL, false},
      {MSG_GETFIRST, false}, {MSG_ENDXFER, false}};
  for (auto [msg, followed] : followedBy) {
    out.Start(text, sizeof(text));
    std::string dump = Dump(ICAP_PIXELTYPE, TWON_ONEVALUE, handle, TWRC_SUCCESS, msg);
    EXPECT_EQ(dump.find("TW_ONEVALUE = {") != std::string::npos, followed) << "MSG " << msg;
  }
}

TEST_F(CapabilityDump, NullLockedDataAddsNothing) {
  char** handle = Handle(TW_ONEVALUE{TWTY_UINT16, 1});
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
  // The record alone, its handle shown as the address it is.
  char record[160];
  snprintf(record, sizeof(record),
           "  TW_CAPABILITY = {\r\n    Cap        = [ICAP_PIXELTYPE]\r\n"
           "    ConType    = [TWON_ONEVALUE]\r\n    hContainer = <0x%08x>\r\n  }\r\n",
           static_cast<unsigned>(reinterpret_cast<uintptr_t>(handle)));
  EXPECT_EQ(Text(), record);
}

TEST_F(CapabilityDump, ContainerIsNeverReadBeyondTheLimit) {
  // 34-byte strings: the limit holds the header and 120 of the 1000 items claimed.
  TW_ENUMERATION header{TWTY_STR32, 1000, 0, 0, {}};
  std::vector<char> bytes(kReadLimit, 'x');
  memcpy(bytes.data(), &header, kEnumerationHeader);
  for (size_t i = 0; i < (kReadLimit - kEnumerationHeader) / sizeof(TW_STR32); ++i) {
    snprintf(bytes.data() + kEnumerationHeader + i * sizeof(TW_STR32), sizeof(TW_STR32), "s%zu", i);
  }
  std::string dump = Dump(CAP_AUTHOR, TWON_ENUMERATION, Unsized(bytes));
  const size_t lastAt = dump.find("        119:");
  ASSERT_NE(lastAt, std::string::npos) << dump;
  EXPECT_EQ(dump.substr(lastAt),
            "        119:s119,\r\n"
            "        !!! rest not shown: past the container's known size !!!\r\n"
            "      }\r\n    }\r\n  }\r\n");
}

#if !TWAINTRACE_ABI_LINUX_DSM

// Handles that tell their block's size: a container is read only within its block, and what
// lies beyond is replaced by one line. A list longer than its block shows the items that fit; a
// 255-character string runs past a one-value block, a frame past the range's third slot.
TEST_F(CapabilityDump, ContainerIsCutAtTheEndOfItsBlock) {
  TW_ENUMERATION header{TWTY_UINT16, 1000, 0, 1, {}};
  Dump(ICAP_PIXELTYPE, TWON_ENUMERATION,
       Handle(Container(header, kEnumerationHeader, std::vector<TW_UINT16>{0, 1})));
  Dump(CAP_AUTHOR, TWON_ONEVALUE, Handle(TW_ONEVALUE{TWTY_STR255, 0}));
  Dump(ICAP_FRAMES, TWON_RANGE, Handle(TW_RANGE{TWTY_FRAME, 0, 0, 0, 0, 0}));
  TW_ARRAY arrayHeader{TWTY_UINT32, 2, {}};
  Dump(CAP_XFERCOUNT, TWON_ARRAY, Handle(Container(arrayHeader, kArrayHeader - 2)));
  EXPECT_EQ(Masked(), ExpectedDump("capability_cut_dumps.txt"));
}

#endif

}  // namespace
