// The structures' dumps, field by field, each sample against its expected dump; and what a
// formatter makes of a call without data; and an item list that outgrows its output buffer.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>

#include "dumps/dump_test_support.h"
#include "names/vendor_extensions.h"
#include "twaintrace/twain_abi.h"
#include "twaintrace/twain_vendor.h"

namespace {

// An Id beyond 31 bits shows as a positive number: the natural Id is pointer-sized, the Linux
// source manager's 32 bits wide.
constexpr uintptr_t kIdentityId = kLinuxSourceManagerAbi ? 0xFFFFFFF9 : 0x100000007;
constexpr const char* kIdentityIdText = kLinuxSourceManagerAbi ? "4294967289" : "4294967303";

template <typename T>
T* Pointer(uintptr_t address) {
  return reinterpret_cast<T*>(address);
}

// Dumps `value` with `formatter`.
template <typename Structure>
void Show(const DumpContext& c, void (*formatter)(const DumpContext&, const Structure*),
          const Structure& value) {
  formatter(c, &value);
}

// The identity's header says whose it is when opening the manager; a version's unknown
// language and country show by number; strings without their NUL stop at the field's end;
// an event without a message shows nothing; TW_UINT32 shows the pointer itself, even when null.
void ControlSamples(const DumpContext& c) {
  TW_VERSION version{2, 1, 13, 27, "1.0 release"};
  TW_IDENTITY identity{
      IdentityIdFrom(kIdentityId), version, 2, 4, 0x80000003, "Velix", "Tandra", {}};
  memset(identity.ProductName, 'P', sizeof(identity.ProductName));  // no NUL at all
  DumpIdentity(DumpContext{c.out, MSG_OPENDSM, c.RC, nullptr}, &identity);
  DumpIdentity(DumpContext{c.out, MSG_OPENDS, c.RC, nullptr}, &identity);
  version = {1, 0, 0xFFFF, 999, {}};
  memset(version.Info, 'i', sizeof(version.Info));
  DumpVersion(c, &version);
  Show(c, DumpPendingXfers, TW_PENDINGXFERS{0xFFFF, {0xFFFFFFFF}});
  Show(c, DumpSetupMemXfer, TW_SETUPMEMXFER{16, 0x80000000, 65536});
  TW_SETUPFILEXFER fileXfer{{}, TWFF_BMP, -2};
  memset(fileXfer.FileName, 'f', sizeof(fileXfer.FileName));
  DumpSetupFileXfer(c, &fileXfer);
  Show(c, DumpMemory, TW_MEMORY{0x12, 4096, Pointer<void>(0x1234567890)});
  Show(c, DumpCustomDsData, TW_CUSTOMDSDATA{0xFFFFFFFF, nullptr});
  Show(c, DumpEvent, TW_EVENT{Pointer<void>(0x10), MSG_NULL});
  DumpUint32Item(c, nullptr);
  DumpUint32Item(c, Pointer<void>(0xfeed00000010));
}

// Texts that only the vendor's build writes.
void ControlVendorSamples(const DumpContext& c) {
  TW_STATUS statuses[] = {{TWCC_SEQERROR, {}}, {7, {}}};
  for (TW_STATUS& status : statuses) DumpStatus(c, &status);
  TW_EVENT events[] = {{Pointer<void>(0x7ffee4b2c010), MSG_VX_XFERREQUEST},
                       {nullptr, 0x8003},
                       {Pointer<void>(0x10), MSG_XFERREADY}};
  for (TW_EVENT& event : events) DumpEvent(c, &event);
  Show(c, DumpUserInterface, TW_USERINTERFACE{2, 0, Pointer<char*>(0xabcdef0123)});
  // Values no table names show by their field's own signedness (the other build names the 2.5
  // pixel types).
  Show(c, DumpImageInfo, TW_IMAGEINFO{{}, {}, 0, 0, 0, {}, 0, 0, -1, 0xFFFF});
  Show(c, DumpInfo, TW_INFO{0, 13, 0, {0xFFFF}, 0});
}

TW_MEMORY Memory(TW_UINT32 length, uintptr_t address) {
  return TW_MEMORY{0x11, length, Pointer<void>(address)};
}

void ImageSamples(const DumpContext& c) {
  TW_IMAGEINFO info{Fix(300), Fix(-1, 32768), 2550,     -1, 3, {1, 2, 3, 4, 5, 6, 7, -8}, 24,
                    2,        TWPT_RGB,       TWCP_JPEG};
  TW_JPEGCOMPRESSION jpeg{TWPT_YUV, 0x10001, 3, 0, {0, 1, 1, 0xFFFF}, {}, {0, 1, 2, 3}, {}, {}};
  for (int i = 0; i < 4; ++i) jpeg.QuantTable[i] = Memory(64, 0x1000 + 0x100 * i);
  for (int i = 0; i < 2; ++i) jpeg.HuffmanDC[i] = Memory(28, 0x2000 + 0x100 * i);
  for (int i = 0; i < 2; ++i) jpeg.HuffmanAC[i] = Memory(178, 0x3000 + 0x100 * i);
  DumpImageInfo(c, &info);
  Show(c, DumpImageLayout,
       TW_IMAGELAYOUT{{Fix(0, 1), Fix(1, 32768), Fix(8, 32768), Fix(11)}, 1, 0xFFFFFFFF, 3});
  Show(c, DumpImageMemXfer,
       TW_IMAGEMEMXFER{TWCP_NONE, 7650, 2550, 100, 0, 200, 0xFFFFFFFF,
                       Memory(765000, 0x123456789abcdef0)});
  DumpJpegCompression(c, &jpeg);
  // NumInfos is not a bound: one entry is shown. Item shows its first 32 bits, unsigned.
  Show(c, DumpExtImageInfo,
       TW_EXTIMAGEINFO{5, {{0x1200, TWTY_UINT32, 1, {TWRC_INFONOTSUPPORTED}, 0x1234567880000007}}});
  Show(c, DumpGrayResponse, TW_GRAYRESPONSE{{{0, 128, 255, 7}}});
  Show(c, DumpRgbResponse, TW_RGBRESPONSE{{{0, 128, 255, 7}}});
  Show(c, DumpPalette8, TW_PALETTE8{256, TWPT_RGB, {}});
}

// The fixed-point members from StageABC to BlackInk hold one ascending run of values, so a member
// shown in the wrong place, or the Mix matrix walked column by column, breaks the run.
void CieColorSample(const DumpContext& c) {
  TW_CIECOLOR cie{TWPT_CIEXYZ, -1, 1, -1, {}, {}, {}, {}, {}, {}, {Fix(-2, 49152)}};
  TW_FIX32 run[(offsetof(TW_CIECOLOR, Samples) - offsetof(TW_CIECOLOR, StageABC)) / 4];
  for (size_t i = 0; i < std::size(run); ++i) run[i] = Fix(static_cast<int>(100 + i), 16384);
  memcpy(&cie.StageABC, run, sizeof(run));
  DumpCieColor(c, &cie);
}

void VendorSamples(const DumpContext& c) {
  TWVX_AUTOEXPOSURE exposure{
      0xdeadbeef,    -1,    10, 20, -32768, TWVX_FT_REFLECTIVEDOCUMENT, TWVX_PG_18,
      Fix(2, 13107), 0xFFFF};
  TWVX_LOCATIONDATA location{24, 10, 20, 1000, 1500, 2550, 3508, 0xFFFFFFFE, 7, Fix(-1, 32768)};
  // The alignment gap after BitsPerPixel is never shown.
  memset(reinterpret_cast<char*>(&location) + sizeof(TW_INT16), 0xFF, 2);
  DumpVxAutoExposure(c, &exposure);
  // A film type and a gamma that no table names show their number.
  Show(c, DumpVxAutoExposure, TWVX_AUTOEXPOSURE{0, 0, 0, 0, 0, 5, 2, {}, 0});
  Show(c, DumpVxColorSmoothing,
       TWVX_COLORSMOOTHING{0x10, 0xFFFFFFFF, 2, 3, 4, 5, 6, 7, 8, 0x80000000});
  DumpVxLocationData(c, &location);
  // The unsharp mask's parameters keep their nested indent as the call's own data.
  Show(c, DumpVxUsmParam, TWVX_USMPARAM{-5, 2, 3});
  Show(c, DumpVxSettingFrame, TWVX_SETTINGFRAME{0xFFFF, 2});
  Show(c, DumpVxRgbMatrix,
       TWVX_RGBMATRIX{{Fix(1), Fix(0), Fix(0), Fix(0), Fix(1), Fix(0), Fix(0), Fix(0), Fix(1)}});
  Show(c, DumpVxUsmInfo,
       TWVX_USMINFO{1200, 2, 7, {100, 2, -1}, {{1, 2, 3, 4}, {5, 6, 7, 0xFFFF}, 9}});
}

TWVX_HARDWAREINFO SampleScanner() {
  // Names are length-prefixed: the model name's length byte ends it before the X's. The
  // support flags (FullAutoModeSupport to HTTXQSupport) are true for any nonzero value.
  // clang-format off
  TWVX_HARDWAREINFO info{5, "\x11VELIX Tandra 9000", "\x07TD-9000XXXX",
                         4800, 9600, 50, 12800, 600, 0xFFFFFFFF,
                         {10200, 14040}, {10200, 16800}, {3600, 12000}, 0x110, 3, 2, 1, 0,
                         1, 0, 0x0100, 1, 0, 1, 1, 0, 1, 0, 1, 0, 0xFFFF,
                         1, 1, 2, {0, 0xFFFFFFFF}, "Flatbed.icc", "Film.icc",
                         {}, {}, {}, {}, {}, {}, "1.02.0003"};
  // clang-format on
  // The alignment gap after InterfaceSupport is never shown.
  memset(reinterpret_cast<char*>(&info) + offsetof(TWVX_HARDWAREINFO, CommandType) - 2, 0xFF, 2);
  // The six matrices, ColorCorrectionFB to QORColorCorrectionNEGA, hold one ascending run.
  TW_FIX32 run[6 * 9];
  for (int i = 0; i < 6 * 9; ++i) run[i] = Fix(i - 27, 32768);
  memcpy(info.ColorCorrectionFB, run, sizeof(run));
  return info;
}

void HardwareInfoSample(const DumpContext& c) {
  Show(c, DumpVxHardwareInfo, SampleScanner());
}

// Supported capabilities name every id, and an id of 0 never repeats its neighbour's text;
// string items follow one another at their own size; frames and unknown types are not rendered.
// The list of all of `items`, every byte of them readable.
template <typename Item, size_t N>
void List(const DumpContext& c, TW_UINT16 cap, TW_UINT16 itemType, const Item (&items)[N]) {
  DumpItemList(c, cap, itemType, N, items, SIZE_MAX);
}

void ItemListSamples(const DumpContext& c) {
  List<TW_UINT16>(c, CAP_SUPPORTEDCAPS, TWTY_UINT16, {0x1001, 0, 0x1234, 0});
  TW_STR32 names[2] = {"Flatbed", {}};
  memset(names[1], 'N', sizeof(names[1]));
  List(c, CAP_AUTHOR, TWTY_STR32, names);
  TW_FRAME frames[2] = {};
  List(c, ICAP_FRAMES, TWTY_FRAME, frames);
  DumpItemList(c, ICAP_FRAMES, 40, 1, frames, SIZE_MAX);
  // Numbers by item type: a signed byte as 32 bits in hex, a byte in hex, 32 bits signed even
  // for a capability with named values; any nonzero Boolean is true; a string fills its 256 bytes.
  List<TW_INT8>(c, ICAP_BRIGHTNESS, TWTY_INT8, {-2});
  List<TW_UINT8>(c, ICAP_BRIGHTNESS, TWTY_UINT8, {10});
  List<TW_INT16>(c, ICAP_BRIGHTNESS, TWTY_INT16, {-300});
  List<TW_UINT32>(c, ICAP_PIXELTYPE, TWTY_UINT32, {2, 0x80000000});
  List<TW_BOOL>(c, CAP_DUPLEXENABLED, TWTY_BOOL, {2, 0});
  TW_STR255 longText;
  memset(longText, 'z', sizeof(longText));
  DumpItemList(c, CAP_AUTHOR, TWTY_STR255, 1, longText, SIZE_MAX);
}

TEST(StructureDumps, EachSampleDumpsByteForByte) {
  const struct {
    const char* expected;
    bool vendorsBuildOnly;
    void (*dump)(const DumpContext&);
  } samples[] = {{"control_dumps.txt", false, ControlSamples},
                 {"control_vendor_dumps.txt", true, ControlVendorSamples},
                 {"image_dumps.txt", false, ImageSamples},
                 {"cie_color.txt", false, CieColorSample},
                 {"vendor_dumps.txt", false, VendorSamples},
                 {"hardware_info.txt", false, HardwareInfoSample},
                 {"item_lists.txt", false, ItemListSamples}};
  for (const auto& sample : samples) {
    SCOPED_TRACE(sample.expected);
    if (sample.vendorsBuildOnly && !kVendorExtensions) continue;
    // The identity's Id as this binary interface shows it.
    std::string expected = ExpectedDump(sample.expected);
    for (size_t at = expected.find("<id>"); at != std::string::npos; at = expected.find("<id>"))
      expected.replace(at, 4, kIdentityIdText);
    EXPECT_EQ(Dump(sample.dump), expected);
  }
}

// Every text member is read within its own field, however its length byte or its missing
// terminator claim more; the last member is followed by nothing of the application's. The
// stand-alone flag is the whole eight-byte slot, not its first byte.
TEST(StructureDumps, HardwareInfoTextIsReadWithinItsField) {
  TWVX_HARDWAREINFO info = SampleScanner();
  info.StandAloneModeSupport = 1ull << 56;
  info.ProductName[0] = 0;
  memset(info.ModelName, 'M', sizeof(info.ModelName));
  info.ModelName[0] = 255;
  memset(info.ProfileNameFB, 'F', sizeof(info.ProfileNameFB));
  char* romVersion = reinterpret_cast<char*>(&info) + offsetof(TWVX_HARDWAREINFO, ROMVersion);
  memset(romVersion, 'R', sizeof(info) - offsetof(TWVX_HARDWAREINFO, ROMVersion));
  auto dumpOf = [&] { return Dump([&](const DumpContext& c) { DumpVxHardwareInfo(c, &info); }); };

  // The sample's dump with the changed fields' own lines.
  std::string expected = ExpectedDump("hardware_info.txt");
  auto change = [&](const std::string& from, const std::string& to) {
    expected.replace(expected.find(from), from.size(), to);
  };
  change("[VELIX Tandra 9000]", "[]");
  change("[TD-9000]", "[" + std::string(33, 'M') + "]");
  change("StandAloneModeSupport  = [false]", "StandAloneModeSupport  = [true]");
  change("[Flatbed.icc]", "[" + std::string(34, 'F') + "]");
  change("[1.02.0003]", "[" + std::string(34, 'R') + "]");
  EXPECT_EQ(dumpOf(), expected);
  // A NUL among the counted characters ends the name, as it ends a C string.
  const unsigned char withNul[] = {5, 'A', 'B', '\0', 'C', 'D'};
  memcpy(info.ProductName, withNul, sizeof(withNul));
  change("ProductName            = []", "ProductName            = [AB]");
  EXPECT_EQ(dumpOf(), expected);
}

// The transfer group and the native transfer show the item their data leads to, 0 here (see
// control_dumps.txt); the parent's dump shows the caller's identity, which this call has not.
TEST(StructureDumps, NullDataAddsNothing) {
#define TW_NULL_DATA(DG, DAT, MSG, Structure, Formatter)                                         \
  if (DAT != DAT_XFERGROUP && DAT != DAT_IMAGENATIVEXFER) {                                      \
    EXPECT_EQ(Dump([](const DumpContext& c) { Formatter(c, nullptr); }, MSG), "") << #Formatter; \
  }
  TW_DUMPED_TYPES(TW_NULL_DATA)
#undef TW_NULL_DATA
  EXPECT_EQ(Dump([](const DumpContext& c) {
              (DumpVersion(c, nullptr), DumpMemory(c, nullptr), DumpFrame(c, nullptr),
               DumpInfo(c, nullptr), DumpElement8(c, nullptr), DumpTransformStage(c, nullptr),
               DumpDecodeFunction(c, nullptr), DumpCiePoint(c, nullptr),
               DumpVxReviseBaseParm(c, nullptr), DumpVxThresholdInfo(c, nullptr),
               DumpColorCoefficients(c, nullptr), DumpContainer(c, nullptr));
            }),
            "");
}

// Four billion items of a type that is never read: the list ends with the buffer, and nothing
// beyond it is touched.
TEST(ItemList, StaysWithinTheOutputBufferAndStopsWhenItIsFull) {
  char small[100];
  memset(small, '#', sizeof(small));
  OutText out;
  out.Start(small, 64);
  TW_UINT32 nothingRead = 0;
  DumpItemList(DumpContext{out, MSG_GET, TWRC_SUCCESS, nullptr}, ICAP_PIXELTYPE, 13, 0xFFFFFFFF,
               &nothingRead, SIZE_MAX);
  EXPECT_TRUE(out.Cut());
  EXPECT_EQ(strlen(small), 63u);
  EXPECT_EQ(small[64], '#');
}

}  // namespace
