// Every input the replay makes from a log entry, dumped again, gives the entry's own text: the
// dump of a call leads back to the same call.
#include <gtest/gtest.h>

#include <cstring>
#include <regex>
#include <string>
#include <variant>
#include <vector>

#include "analyzer/para_analyze.h"
#include "common/host_memory.h"
#include "common/twain_values.h"
#include "dumps/dump_fixture.h"
#include "platform/source_manager_memory.h"
#include "replay/call_input.h"
#include "report/log_splitter.h"
#include "twaintrace/twain_items.h"
#include "twaintrace/twain_vendor.h"
#include "vendor_build.h"

namespace {

// Containers are made as the application makes them, and freed after each test.
class RoundTrip : public DumpTest {
 protected:
  // The tracer's text of a successful call; addresses masked, as they differ between the two.
  static std::string Text(TW_UINT32 dg, TW_UINT16 dat, TW_UINT16 msg, void* data) {
    static char text[1 << 16];
    memset(text, 0, sizeof(text));
    CParaAnalyze analyzer;
    analyzer.SetTwainStatus(4);
    char* bytes = static_cast<char*>(data);
    analyzer.TripletAnalyze(nullptr, nullptr, dg, dat, msg, bytes, text, sizeof(text));
    analyzer.ParaAnalyze(nullptr, nullptr, dg, dat, msg, bytes, TWRC_SUCCESS, text, sizeof(text));
    return std::regex_replace(std::string(text), std::regex("<0x[0-9a-f]+>"), "<address>");
  }

  // The input made from the text of one entry.
  static replay::Rebuilt Rebuilt(const std::string& text) {
    std::vector<report::LogItem> items = report::SplitLog(text);
    EXPECT_EQ(items.size(), 1u);
    return replay::RebuildCall(report::ParseTriplet(std::get<report::RawEntry>(items.at(0)), 1),
                               false);
  }

  // Makes the input from the text and dumps it again.
  static std::string Again(const std::string& text, TW_UINT32 dg, TW_UINT16 dat, TW_UINT16 msg) {
    replay::Rebuilt rebuilt = Rebuilt(text);
    if (const std::string* reason = std::get_if<std::string>(&rebuilt))
      return "skipped: " + *reason;
    replay::CallInput& input = std::get<replay::CallInput>(rebuilt);
    EXPECT_EQ(input.Group(), dg);
    EXPECT_EQ(input.ArgumentType(), dat);
    EXPECT_EQ(input.Message(), msg);
    return Text(input.Group(), input.ArgumentType(), input.Message(), input.Data());
  }

  void ExpectRoundTrip(TW_UINT32 dg, TW_UINT16 dat, TW_UINT16 msg, void* data) {
    std::string text = Text(dg, dat, msg, data);
    EXPECT_EQ(Again(text, dg, dat, msg), text);
  }

  TW_CAPABILITY Capability(TW_UINT16 cap, TW_UINT16 conType, const std::vector<char>& bytes) {
    return TW_CAPABILITY{cap, conType, Handle(bytes)};
  }

  TW_CAPABILITY OneValue(TW_UINT16 cap, TW_UINT16 itemType, const void* item) {
    size_t itemSize = TwainItemSize(itemType);
    std::vector<char> bytes(std::max(sizeof(TW_ONEVALUE), offsetof(TW_ONEVALUE, Item) + itemSize));
    memcpy(bytes.data(), &itemType, sizeof(itemType));
    memcpy(bytes.data() + offsetof(TW_ONEVALUE, Item), item, itemSize);
    return Capability(cap, TWON_ONEVALUE, bytes);
  }

  void ExpectSetRoundTrip(TW_CAPABILITY capability) {
    ExpectRoundTrip(DG_CONTROL, DAT_CAPABILITY, MSG_SET, &capability);
  }
};

TEST_F(RoundTrip, OneValueSetOfEveryItemType) {
  // Their expected lines name values as the vendor's build does.
  SKIP_UNLESS_VENDOR_BUILD();
  TW_FIX32 resolution = ToFix32(300);
  TW_UINT16 pixelType = TWPT_GRAY;
  TW_BOOL enabled = 1;
  TW_INT16 count = -1;
  TW_UINT32 big = 4000000000u;
  TW_UINT8 byte = 0xAB;
  TW_UINT16 version = 0x0105;
  TW_UINT16 unnamed = 77;  // a value the capability's table has no name for
  TW_FRAME frame{ToFix32(0), ToFix32(0.5), ToFix32(8.267), ToFix32(11.693)};
  TW_STR255 author = "A. Writer, [scans] = {1}";
  ExpectSetRoundTrip(OneValue(ICAP_XRESOLUTION, TWTY_FIX32, &resolution));
  ExpectSetRoundTrip(OneValue(ICAP_PIXELTYPE, TWTY_UINT16, &pixelType));
  ExpectSetRoundTrip(OneValue(ICAP_PIXELTYPE, TWTY_UINT16, &unnamed));
  ExpectSetRoundTrip(OneValue(CAP_FEEDERENABLED, TWTY_BOOL, &enabled));
  ExpectSetRoundTrip(OneValue(CAP_XFERCOUNT, TWTY_INT16, &count));
  ExpectSetRoundTrip(OneValue(CAP_XFERCOUNT, TWTY_UINT32, &big));
  ExpectSetRoundTrip(OneValue(ICAP_THRESHOLD, TWTY_UINT8, &byte));
  ExpectSetRoundTrip(OneValue(CAP_VX_VERSION, TWTY_UINT16, &version));
  ExpectSetRoundTrip(OneValue(ICAP_FRAMES, TWTY_FRAME, &frame));
  ExpectSetRoundTrip(OneValue(CAP_AUTHOR, TWTY_STR255, author));
}

TEST_F(RoundTrip, RangeEnumerationAndArraySets) {
  TW_RANGE range{};
  range.ItemType = TWTY_FIX32;
  range.MinValue = Fix32Bits(ToFix32(-1000));
  range.MaxValue = Fix32Bits(ToFix32(1000));
  range.StepSize = Fix32Bits(ToFix32(0.333));
  range.DefaultValue = Fix32Bits(ToFix32(0));
  range.CurrentValue = Fix32Bits(ToFix32(250.125));
  ExpectSetRoundTrip(Capability(ICAP_BRIGHTNESS, TWON_RANGE, Container(range, sizeof(range))));

  TW_ENUMERATION enumeration{};
  enumeration.ItemType = TWTY_UINT16;
  enumeration.NumItems = 3;
  enumeration.CurrentIndex = 1;
  enumeration.DefaultIndex = 2;
  ExpectSetRoundTrip(Capability(ICAP_PIXELTYPE, TWON_ENUMERATION,
                                Container(enumeration, offsetof(TW_ENUMERATION, ItemList),
                                          std::vector<TW_UINT16>{TWPT_BW, TWPT_GRAY, TWPT_RGB})));

  TW_ARRAY array{};
  array.ItemType = TWTY_UINT16;
  array.NumItems = 4;
  ExpectSetRoundTrip(Capability(
      CAP_SUPPORTEDCAPS, TWON_ARRAY,
      Container(array, offsetof(TW_ARRAY, ItemList),
                std::vector<TW_UINT16>{CAP_XFERCOUNT, ICAP_PIXELTYPE, CAP_VX_FEEDERTYPE, 0x1234})));
}

TEST_F(RoundTrip, StructuresTheApplicationFills) {
  TW_IDENTITY identity{};
  identity.Id = IdentityIdFrom(7);
  identity.Version = {1, 5, TWLG_USA, TWCY_USA, "1.5 build [7]"};
  identity.ProtocolMajor = 2;
  identity.ProtocolMinor = 4;
  identity.SupportedGroups = DG_CONTROL | DG_IMAGE;
  strcpy(identity.Manufacturer, "VELIX");
  strcpy(identity.ProductFamily, "Tandra");
  strcpy(identity.ProductName, "Halvern = {x}");
  ExpectRoundTrip(DG_CONTROL, DAT_IDENTITY, MSG_OPENDS, &identity);
  ExpectRoundTrip(DG_CONTROL, DAT_IDENTITY, MSG_CLOSEDS, &identity);

  TW_USERINTERFACE ui{1, 0, nullptr};
  ExpectRoundTrip(DG_CONTROL, DAT_USERINTERFACE, MSG_ENABLEDS, &ui);

  TW_IMAGELAYOUT layout{{ToFix32(0.25), ToFix32(1), ToFix32(8.5), ToFix32(11)}, 1, 2, 3};
  ExpectRoundTrip(DG_IMAGE, DAT_IMAGELAYOUT, MSG_SET, &layout);

  TW_EXTIMAGEINFO request{};
  request.NumInfos = 1;
  request.Info[0].InfoID = 0x1101;  // TWEI_BARCODEX
  ExpectRoundTrip(DG_IMAGE, DAT_EXTIMAGEINFO, MSG_GET, &request);

  TW_SETUPFILEXFER file{};
  strcpy(file.FileName, "/tmp/page 1.tif");
  file.Format = TWFF_TIFF;
  file.VRefNum = -3;
  ExpectRoundTrip(DG_CONTROL, DAT_SETUPFILEXFER, MSG_SET, &file);
}

TEST_F(RoundTrip, MemoryTransferGetsABufferOfTheLoggedSize) {
  std::vector<char> buffer(65536);
  TW_IMAGEMEMXFER xfer{};
  xfer.Memory.Flags = TWMF_APPOWNS | TWMF_POINTER;
  xfer.Memory.Length = static_cast<TW_UINT32>(buffer.size());
  xfer.Memory.TheMem = buffer.data();
  std::string text = Text(DG_IMAGE, DAT_IMAGEMEMXFER, MSG_GET, &xfer);
  EXPECT_EQ(Again(text, DG_IMAGE, DAT_IMAGEMEMXFER, MSG_GET), text);

  replay::Rebuilt rebuilt = Rebuilt(text);
  auto& input = std::get<replay::CallInput>(rebuilt);
  // Copies: under 2-byte packing the fields may be misaligned for a reference.
  const TW_MEMORY& memory = input.As<TW_IMAGEMEMXFER>()->Memory;
  void* theMem = memory.TheMem;
  TW_UINT32 length = memory.Length;
  ASSERT_NE(theMem, nullptr);
  memset(theMem, 0xFF, length);  // the whole buffer is there to be written
  EXPECT_EQ(length, 65536u);
}

// Gets send the capability alone, as an application does; what the source fills is zeroed.
TEST_F(RoundTrip, GetsSendTheCapabilityAloneAndZeroedStructures) {
  TW_UINT16 pixelType = TWPT_RGB;
  TW_CAPABILITY answer = OneValue(ICAP_PIXELTYPE, TWTY_UINT16, &pixelType);
  std::string text = Text(DG_CONTROL, DAT_CAPABILITY, MSG_GETCURRENT, &answer);
  replay::Rebuilt rebuilt = Rebuilt(text);
  auto* capability = std::get<replay::CallInput>(rebuilt).As<TW_CAPABILITY>();
  EXPECT_EQ(capability->Cap, ICAP_PIXELTYPE);
  EXPECT_EQ(capability->ConType, TWON_DONTCARE16);
  TW_HANDLE container = capability->hContainer;
  EXPECT_EQ(container, nullptr);

  TW_STATUS status{TWCC_BADVALUE, 0};
  text = Text(DG_CONTROL, DAT_STATUS, MSG_GET, &status);
  replay::Rebuilt statusInput = Rebuilt(text);
  EXPECT_EQ(std::get<replay::CallInput>(statusInput).As<TW_STATUS>()->ConditionCode, 0);
}

}  // namespace
