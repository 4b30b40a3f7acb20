// Every input the replay makes from a log entry, dumped again, gives the entry's own text: the
// dump of a call leads back to the same call.
#include <gtest/gtest.h>

#include <cstring>
#include <optional>
#include <regex>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "analyzer/para_analyze.h"
#include "common/twain_values.h"
#include "dumps/dump_fixture.h"
#include "log_reader/log_splitter.h"
#include "replay/call_input.h"
#include "replay/dump_values.h"
#include "twaintrace/twain_items.h"
#include "twaintrace/twain_vendor.h"

namespace {

// Containers are made as the application makes them, and freed after each test.
class RoundTrip : public DumpTest {
 protected:
  // The tracer's text of a successful call; addresses masked, as they differ between the two.
  static std::string Text(TW_UINT32 dg, TW_UINT16 dat, TW_UINT16 msg, void* data) {
    std::vector<char> text(1 << 16);
    CParaAnalyze analyzer;
    analyzer.SetTwainStatus(4);
    char* bytes = static_cast<char*>(data);
    analyzer.TripletAnalyze(nullptr, nullptr, dg, dat, msg, bytes, text.data(), text.size());
    analyzer.ParaAnalyze(nullptr, nullptr, dg, dat, msg, bytes, TWRC_SUCCESS, text.data(),
                         text.size());
    return std::regex_replace(std::string(text.data()), std::regex("<0x[0-9a-f]+>"), "<address>");
  }

  // The input made from the text of one entry.
  static replay::Rebuilt Rebuilt(const std::string& text) {
    std::vector<log_reader::LogItem> items = log_reader::SplitLog(text);
    EXPECT_EQ(items.size(), 1u);
    return replay::RebuildCall(
        log_reader::ParseTriplet(std::get<log_reader::RawEntry>(items.at(0)), 1), false);
  }

  // The call's text, made into an input and dumped again, is the same text.
  static void ExpectRoundTrip(TW_UINT32 dg, TW_UINT16 dat, TW_UINT16 msg, void* data) {
    std::string text = Text(dg, dat, msg, data);
    SCOPED_TRACE(text);
    replay::Rebuilt rebuilt = Rebuilt(text);
    replay::CallInput* input = std::get_if<replay::CallInput>(&rebuilt);
    ASSERT_NE(input, nullptr) << "skipped: " << std::get<std::string>(rebuilt);
    // The text names the triplet as well.
    EXPECT_EQ(Text(input->Group(), input->ArgumentType(), input->Message(), input->Data()), text);
  }

  // A one-value container of the item, given as a value of the C type of `itemType`.
  template <typename Item>
  TW_CAPABILITY OneValue(TW_UINT16 cap, TW_UINT16 itemType, const Item& item) {
    const size_t itemSize = TwainItemSize(itemType);
    std::vector<char> bytes(std::max(sizeof(TW_ONEVALUE), offsetof(TW_ONEVALUE, Item) + itemSize));
    memcpy(bytes.data(), &itemType, sizeof(itemType));
    memcpy(bytes.data() + offsetof(TW_ONEVALUE, Item), &item, itemSize);
    return TW_CAPABILITY{cap, TWON_ONEVALUE, Handle(bytes)};
  }
};

// Sets of every item type in a one-value container and of the other containers, and the
// structures the application fills.
TEST_F(RoundTrip, SetsAndTheStructuresTheApplicationFills) {
  TW_STR255 author = "A. Writer, [scans] = {1}";
  auto fix = [](double value) { return Fix32Bits(ToFix32(value)); };
  TW_RANGE range{TWTY_FIX32, fix(-1000), fix(1000), fix(0.333), fix(0), fix(250.125)};
  TW_ENUMERATION enumeration{TWTY_UINT16, 3, 1, 2, {}};
  TW_ARRAY array{TWTY_UINT16, 4, {}};
  TW_CAPABILITY sets[] = {
      OneValue(ICAP_XRESOLUTION, TWTY_FIX32, ToFix32(300)),
      OneValue(ICAP_PIXELTYPE, TWTY_UINT16, TW_UINT16{TWPT_GRAY}),
      OneValue(ICAP_PIXELTYPE, TWTY_UINT16, TW_UINT16{77}),  // a value with no name
      OneValue(CAP_FEEDERENABLED, TWTY_BOOL, TW_BOOL{1}),
      OneValue(CAP_XFERCOUNT, TWTY_INT16, TW_INT16{-1}),
      OneValue(CAP_XFERCOUNT, TWTY_UINT32, TW_UINT32{4000000000u}),
      OneValue(ICAP_THRESHOLD, TWTY_UINT8, TW_UINT8{0xAB}),
      OneValue(CAP_VX_VERSION, TWTY_UINT16, TW_UINT16{0x0105}),
      OneValue(ICAP_FRAMES, TWTY_FRAME,
               TW_FRAME{ToFix32(0), ToFix32(0.5), ToFix32(8.267), ToFix32(11.693)}),
      OneValue(CAP_AUTHOR, TWTY_STR255, author),
      TW_CAPABILITY{ICAP_BRIGHTNESS, TWON_RANGE, Handle(&range, sizeof(range))},
      TW_CAPABILITY{ICAP_PIXELTYPE, TWON_ENUMERATION,
                    Handle(Container(enumeration, offsetof(TW_ENUMERATION, ItemList),
                                     std::vector<TW_UINT16>{TWPT_BW, TWPT_GRAY, TWPT_RGB}))},
      TW_CAPABILITY{CAP_SUPPORTEDCAPS, TWON_ARRAY,
                    Handle(Container(array, offsetof(TW_ARRAY, ItemList),
                                     std::vector<TW_UINT16>{CAP_XFERCOUNT, ICAP_PIXELTYPE,
                                                            CAP_VX_FEEDERTYPE, 0x1234}))}};
  for (TW_CAPABILITY& set : sets) ExpectRoundTrip(DG_CONTROL, DAT_CAPABILITY, MSG_SET, &set);

  TW_VERSION version{1, 5, TWLG_USA, TWCY_USA, "1.5 build [7]"};
  TW_IDENTITY identity{IdentityIdFrom(7),     version, 2,        4,
                       DG_CONTROL | DG_IMAGE, "VELIX", "Tandra", "Halvern = {x}"};
  TW_USERINTERFACE ui{1, 0, nullptr};
  TW_IMAGELAYOUT layout{{ToFix32(0.25), ToFix32(1), ToFix32(8.5), ToFix32(11)}, 1, 2, 3};
  TW_EXTIMAGEINFO request{1, {{0x1101, 0, 0, {0}, 0}}};  // TWEI_BARCODEX
  TW_SETUPFILEXFER file{"/tmp/page 1.tif", TWFF_TIFF, -3};
  std::vector<char> buffer(65536);
  TW_IMAGEMEMXFER xfer{};
  xfer.Memory = {TWMF_APPOWNS | TWMF_POINTER, static_cast<TW_UINT32>(buffer.size()), buffer.data()};

  ExpectRoundTrip(DG_CONTROL, DAT_IDENTITY, MSG_OPENDS, &identity);
  ExpectRoundTrip(DG_CONTROL, DAT_IDENTITY, MSG_CLOSEDS, &identity);
  ExpectRoundTrip(DG_CONTROL, DAT_USERINTERFACE, MSG_ENABLEDS, &ui);
  ExpectRoundTrip(DG_IMAGE, DAT_IMAGELAYOUT, MSG_SET, &layout);
  ExpectRoundTrip(DG_IMAGE, DAT_EXTIMAGEINFO, MSG_GET, &request);
  ExpectRoundTrip(DG_CONTROL, DAT_SETUPFILEXFER, MSG_SET, &file);
  ExpectRoundTrip(DG_IMAGE, DAT_IMAGEMEMXFER, MSG_GET, &xfer);

  // The memory transfer's buffer, of the logged length, is there to be written whole.
  replay::Rebuilt transfer = Rebuilt(Text(DG_IMAGE, DAT_IMAGEMEMXFER, MSG_GET, &xfer));
  void* theMem = std::get<replay::CallInput>(transfer).As<TW_IMAGEMEMXFER>()->Memory.TheMem;
  ASSERT_NE(theMem, nullptr);
  memset(theMem, 0xFF, buffer.size());
}

// Gets send the capability alone, as an application does; what the source fills is zeroed.
TEST_F(RoundTrip, GetsSendTheCapabilityAloneAndZeroedStructures) {
  TW_CAPABILITY answer = OneValue(ICAP_PIXELTYPE, TWTY_UINT16, TW_UINT16{TWPT_RGB});
  replay::Rebuilt rebuilt = Rebuilt(Text(DG_CONTROL, DAT_CAPABILITY, MSG_GETCURRENT, &answer));
  auto* capability = std::get<replay::CallInput>(rebuilt).As<TW_CAPABILITY>();
  EXPECT_EQ(capability->Cap, ICAP_PIXELTYPE);
  EXPECT_EQ(capability->ConType, TWON_DONTCARE16);
  EXPECT_EQ(TW_HANDLE{capability->hContainer}, nullptr);

  TW_STATUS status{TWCC_BADVALUE, {0}};
  replay::Rebuilt statusInput = Rebuilt(Text(DG_CONTROL, DAT_STATUS, MSG_GET, &status));
  EXPECT_EQ(std::get<replay::CallInput>(statusInput).As<TW_STATUS>()->ConditionCode, 0);
}

// A capability's item, as the replay reads it.
template <TW_UINT16 cap>
std::optional<int64_t> ItemValue(std::string_view text) {
  TW_UINT16 item = 0;
  if (!replay::ParseItem(cap, TWTY_UINT16, text, &item)) return std::nullopt;
  return item;
}

// A log of either build reads back, whichever this one is: the vendor's build names the vendor's
// values and leaves the TWAIN 2.5 ones unnamed; the build for any source does the opposite, and
// writes the items of the vendor's capabilities as plain numbers.
TEST(NamesOfEitherBuild, ReadBackToTheirValues) {
  const struct {
    std::optional<int64_t> (*read)(std::string_view);
    const char* vendorBuild;
    const char* otherBuild;
    int64_t value;
  } cases[] = {
      {replay::ArgumentTypeValue, "ERROR!(1027)", "DAT_ENTRYPOINT", DAT_ENTRYPOINT},
      {replay::ArgumentTypeValue, "DAT_VX_EVENT", "ERROR!(32772)", DAT_VX_EVENT},
      {replay::MessageValue, "ERROR!(12)", "MSG_SETCONSTRAINT", twain25::MSG_SETCONSTRAINT},
      {replay::MessageValue, "MSG_VX_XFERREQUEST", "ERROR!(32770)", MSG_VX_XFERREQUEST},
      {replay::CapabilityValue, "ERROR!(4448)", "ICAP_MIRROR", twain25::ICAP_MIRROR},
      {replay::CapabilityValue, "CAP_VX_FEEDERTYPE", "ERROR!(32827)", CAP_VX_FEEDERTYPE},
      {replay::ReturnCodeValue, "ERROR!(10)", "TWRC_BUSY", twain25::TWRC_BUSY},
      {replay::ItemTypeValue, "ERROR!(15)", "TWTY_HANDLE", twain25::TWTY_HANDLE},
      {replay::FileFormatValue, "ERROR!(11)", "TWFF_JP2", twain25::TWFF_JP2},
      {replay::DataGroupValue, "ERROR!(65535)", "DG_MASK", twain25::DG_MASK},
      {ItemValue<ICAP_PIXELTYPE>, "ERROR!(16)", "TWPT_INFRARED", twain25::TWPT_INFRARED},
      {ItemValue<CAP_VX_VERSION>, "1.5", "261", 0x0105},
      {ItemValue<CAP_VX_FEEDERTYPE>, "2", "2", 2},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.read(c.vendorBuild), c.value) << c.vendorBuild;
    EXPECT_EQ(c.read(c.otherBuild), c.value) << c.otherBuild;
  }
  EXPECT_EQ(replay::ArgumentTypeValue("DAT_NOSUCHTHING"), std::nullopt);
}

}  // namespace
