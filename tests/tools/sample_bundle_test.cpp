// The sample bundle as a data source: its state machine, its capability answers, its images and
// its hardware description, reached through the data source as an application reaches them.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <vector>

#include "common/twain_values.h"
#include "tools/sample_source.h"
#include "twaintrace/twain_abi.h"
#include "twaintrace/twain_items.h"
#include "twaintrace/twain_vendor.h"

namespace {

TW_UINT32 Fix(double value) {
  return Fix32Bits(ToFix32(value));
}

double Number(TW_UINT32 bits) {
  return FromFix32(Fix32FromBits(bits));
}

// Brings a fresh source to `state` (3 to 7) by the ordinary steps, with a memory transfer.
bool Reach(SampleSource& source, int state) {
  if (state == 3) return true;
  if (state == 4) return source.Open();
  if (state == 5) return source.Open() && source.Enable();
  if (!source.ReadyToTransfer(TWPT_GRAY, TWSX_MEMORY)) return false;
  if (state == 6) return true;
  std::vector<TW_UINT8> row(source.ImageInfo().ImageWidth);
  TW_IMAGEMEMXFER xfer{};
  xfer.Memory = {TWMF_APPOWNS | TWMF_POINTER, static_cast<TW_UINT32>(row.size()), row.data()};
  return source.Call(DG_IMAGE, DAT_IMAGEMEMXFER, MSG_GET, &xfer) == TWRC_SUCCESS;
}

struct Triplet {
  TW_UINT32 dg;
  TW_UINT16 dat;
  TW_UINT16 msg;
};

TEST(SampleSequence, TripletsOutsideTheirStatesFailWithSeqError) {
  struct Case {
    int state;
    Triplet triplet;
  };
  const Case cases[] = {
      {3, {DG_CONTROL, DAT_USERINTERFACE, MSG_ENABLEDS}},
      {3, {DG_CONTROL, DAT_CAPABILITY, MSG_GET}},
      {4, {DG_CONTROL, DAT_IDENTITY, MSG_OPENDS}},
      {4, {DG_CONTROL, DAT_EVENT, MSG_PROCESSEVENT}},
      {4, {DG_IMAGE, DAT_IMAGEINFO, MSG_GET}},
      {5, {DG_CONTROL, DAT_CAPABILITY, MSG_SET}},
      {5, {DG_CONTROL, DAT_IDENTITY, MSG_CLOSEDS}},
      {5, {DG_IMAGE, DAT_IMAGEMEMXFER, MSG_GET}},
      {6, {DG_CONTROL, DAT_USERINTERFACE, MSG_DISABLEDS}},
      {7, {DG_CONTROL, DAT_PENDINGXFERS, MSG_RESET}},
      {7, {DG_IMAGE, DAT_IMAGENATIVEXFER, MSG_GET}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message()
                 << "state " << c.state << ", DAT " << c.triplet.dat << ", MSG " << c.triplet.msg);
    SampleSource source;
    ASSERT_TRUE(Reach(source, c.state));
    char data[1024] = {};
    EXPECT_EQ(source.Call(c.triplet.dg, c.triplet.dat, c.triplet.msg, data), TWRC_FAILURE);
    EXPECT_EQ(source.ConditionCode(), TWCC_SEQERROR);
  }
}

TEST(SampleSequence, StatusReportsTheLastFailureOnceAndRefusedCallsChangeNothing) {
  SampleSource source;
  ASSERT_TRUE(source.Open());
  // The tracer dumps each structure whole, so the buffer holds the largest of them.
  alignas(8) TW_UINT32 data[256] = {};
  EXPECT_EQ(source.Call(DG_CONTROL, DAT_CIECOLOR, MSG_GET, data), TWRC_FAILURE);
  EXPECT_EQ(source.Call(DG_CONTROL, DAT_IDENTITY, MSG_GET, data), TWRC_SUCCESS);
  EXPECT_EQ(source.ConditionCode(), TWCC_BADPROTOCOL);
  EXPECT_EQ(source.ConditionCode(), TWCC_SUCCESS);

  EXPECT_EQ(source.Call(DG_CONTROL, DAT_USERINTERFACE, MSG_ENABLEDS, nullptr), TWRC_FAILURE);
  EXPECT_EQ(source.ConditionCode(), TWCC_BADVALUE);
  // Still open: enabling with a structure works, and the job can be ended properly.
  EXPECT_TRUE(source.Enable());
  TW_USERINTERFACE ui{};
  EXPECT_EQ(source.Call(DG_CONTROL, DAT_USERINTERFACE, MSG_DISABLEDS, &ui), TWRC_SUCCESS);
  TW_IDENTITY identity{};
  EXPECT_EQ(source.Call(DG_CONTROL, DAT_IDENTITY, MSG_CLOSEDS, &identity), TWRC_SUCCESS);
}

// The capabilities a scanning application relies on, and the vendor's.
const TW_UINT16 kExpectedCapabilities[] = {
    CAP_SUPPORTEDCAPS,   CAP_XFERCOUNT,    CAP_FEEDERENABLED, CAP_DUPLEXENABLED,
    ICAP_PIXELTYPE,      ICAP_XRESOLUTION, ICAP_YRESOLUTION,  ICAP_BITDEPTH,
    ICAP_UNITS,          ICAP_XFERMECH,    ICAP_COMPRESSION,  ICAP_BRIGHTNESS,
    ICAP_SUPPORTEDSIZES, ICAP_ORIENTATION, CAP_VX_VERSION,    CAP_VX_FEEDERTYPE};

// The bytes a container of this shape and item count takes.
size_t ContainerSize(const CapabilityAnswer& answer) {
  size_t item = TwainItemSize(answer.ItemType());
  switch (answer.conType) {
    case TWON_ONEVALUE:
      return sizeof(TW_ONEVALUE);
    case TWON_RANGE:
      return sizeof(TW_RANGE);
    case TWON_ARRAY:
      return offsetof(TW_ARRAY, ItemList) + answer.Items().size() * item;
    case TWON_ENUMERATION:
      return offsetof(TW_ENUMERATION, ItemList) + answer.Items().size() * item;
    default:
      return 0;
  }
}

TEST(SampleCapabilities, EveryListedCapabilityAnswersEveryGetInAContainerOfItsSize) {
  SampleSource source;
  ASSERT_TRUE(source.Open());
  CapabilityAnswer supported = source.Capability(CAP_SUPPORTEDCAPS, MSG_GET);
  ASSERT_EQ(supported.rc, TWRC_SUCCESS);
  ASSERT_EQ(supported.conType, TWON_ARRAY);
  EXPECT_EQ(supported.ItemType(), TWTY_UINT16);
  std::vector<TW_UINT32> listed = supported.Items();
  std::set<TW_UINT32> unique(listed.begin(), listed.end());
  EXPECT_EQ(unique.size(), listed.size()) << "a capability is listed twice";
  for (TW_UINT16 cap : kExpectedCapabilities) EXPECT_EQ(unique.count(cap), 1u) << cap;

  for (TW_UINT32 cap : listed) {
    for (TW_UINT16 msg : {MSG_GET, MSG_GETCURRENT, MSG_GETDEFAULT, MSG_QUERYSUPPORT}) {
      SCOPED_TRACE(testing::Message() << "capability " << cap << ", MSG " << msg);
      CapabilityAnswer answer = source.Capability(static_cast<TW_UINT16>(cap), msg);
      ASSERT_EQ(answer.rc, TWRC_SUCCESS);
      EXPECT_EQ(answer.container.size(), ContainerSize(answer));
      if (msg != MSG_GET && answer.conType != TWON_ARRAY) {
        EXPECT_EQ(answer.conType, TWON_ONEVALUE);
      }
    }
  }
}

TEST(SampleCapabilities, SetChangesTheCurrentValueAndResetRestoresTheDefault) {
  SampleSource source;
  ASSERT_TRUE(source.Open());
  ASSERT_EQ(source.Set(ICAP_XRESOLUTION, TWTY_FIX32, Fix(300)), TWRC_SUCCESS);
  EXPECT_EQ(Number(source.Capability(ICAP_XRESOLUTION, MSG_GETCURRENT).Item()), 300.0);
  EXPECT_EQ(Number(source.Capability(ICAP_XRESOLUTION, MSG_GETDEFAULT).Item()), 150.0);
  CapabilityAnswer reset = source.Capability(ICAP_XRESOLUTION, MSG_RESET);
  EXPECT_EQ(reset.rc, TWRC_SUCCESS);
  EXPECT_EQ(Number(reset.Item()), 150.0);
  CapabilityAnswer enumeration = source.Capability(ICAP_XRESOLUTION, MSG_GET);
  EXPECT_EQ(Number(enumeration.Items()[enumeration.CurrentIndex()]), 150.0);

  ASSERT_EQ(source.Set(CAP_FEEDERENABLED, TWTY_BOOL, 7), TWRC_SUCCESS);
  EXPECT_EQ(source.Capability(CAP_FEEDERENABLED, MSG_GETCURRENT).Item(), 1u);
}

TEST(SampleCapabilities, RefusedSetsSayWhyAndKeepTheValue) {
  struct Case {
    TW_UINT16 cap;
    TW_UINT16 itemType;
    TW_UINT32 item;
    TW_UINT16 conType;
    TW_UINT16 conditionCode;
  };
  const Case cases[] = {
      {CAP_AUTHOR, TWTY_STR128, 0, TWON_ONEVALUE, TWCC_CAPUNSUPPORTED},
      {ICAP_XRESOLUTION, TWTY_FIX32, Fix(1234), TWON_ONEVALUE, TWCC_BADVALUE},
      {ICAP_XRESOLUTION, TWTY_UINT32, 300, TWON_ONEVALUE, TWCC_BADVALUE},
      {ICAP_XRESOLUTION, TWTY_FIX32, Fix(300), TWON_ENUMERATION, TWCC_BADVALUE},
      {ICAP_BRIGHTNESS, TWTY_FIX32, Fix(1001), TWON_ONEVALUE, TWCC_BADVALUE},
      {ICAP_BRIGHTNESS, TWTY_FIX32, Fix(10.5), TWON_ONEVALUE, TWCC_BADVALUE},
      {CAP_XFERCOUNT, TWTY_INT16, 0, TWON_ONEVALUE, TWCC_BADVALUE},
      {CAP_XFERCOUNT, TWTY_INT16, 0xFFFE, TWON_ONEVALUE, TWCC_BADVALUE},
      {ICAP_BITDEPTH, TWTY_UINT16, 8, TWON_ONEVALUE, TWCC_BADVALUE},
      {CAP_VX_VERSION, TWTY_UINT16, 0x0200, TWON_ONEVALUE, TWCC_CAPBADOPERATION},
      {CAP_SUPPORTEDCAPS, TWTY_UINT16, 1, TWON_ONEVALUE, TWCC_CAPBADOPERATION},
  };
  SampleSource source;
  ASSERT_TRUE(source.Open());
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "capability " << c.cap << ", item " << c.item);
    CapabilityAnswer before = source.Capability(c.cap, MSG_GETCURRENT);
    EXPECT_EQ(source.Set(c.cap, c.itemType, c.item, c.conType), TWRC_FAILURE);
    EXPECT_EQ(source.ConditionCode(), c.conditionCode);
    EXPECT_EQ(source.Capability(c.cap, MSG_GETCURRENT).container, before.container);
  }
  EXPECT_EQ(source.Capability(CAP_AUTHOR, MSG_GET).rc, TWRC_FAILURE);
  EXPECT_EQ(source.ConditionCode(), TWCC_CAPUNSUPPORTED);
  EXPECT_EQ(source.Capability(CAP_VX_VERSION, MSG_RESET).rc, TWRC_FAILURE);
  EXPECT_EQ(source.ConditionCode(), TWCC_CAPBADOPERATION);
  // Query support tells the settable from the read-only.
  const TW_UINT32 gets = TWQC_GET | TWQC_GETCURRENT | TWQC_GETDEFAULT;
  EXPECT_EQ(source.Capability(ICAP_XFERMECH, MSG_QUERYSUPPORT).Item(),
            gets | TWQC_SET | TWQC_RESET);
  EXPECT_EQ(source.Capability(CAP_VX_VERSION, MSG_QUERYSUPPORT).Item(), gets);
}

TEST(SampleCapabilities, PixelTypeDecidesTheBitDepthAndCloseForgetsTheNegotiation) {
  SampleSource source;
  ASSERT_TRUE(source.Open());
  const std::pair<TW_UINT16, TW_UINT32> depths[] = {{TWPT_BW, 1}, {TWPT_GRAY, 8}, {TWPT_RGB, 24}};
  for (auto [pixelType, depth] : depths) {
    ASSERT_EQ(source.Set(ICAP_PIXELTYPE, TWTY_UINT16, pixelType), TWRC_SUCCESS);
    EXPECT_EQ(source.Capability(ICAP_BITDEPTH, MSG_GETCURRENT).Item(), depth);
    EXPECT_EQ(source.Capability(ICAP_BITDEPTH, MSG_GET).Items(), std::vector<TW_UINT32>{depth});
  }
  ASSERT_EQ(source.Set(ICAP_PIXELTYPE, TWTY_UINT16, TWPT_BW), TWRC_SUCCESS);
  TW_IDENTITY identity{};
  ASSERT_EQ(source.Call(DG_CONTROL, DAT_IDENTITY, MSG_CLOSEDS, &identity), TWRC_SUCCESS);
  ASSERT_TRUE(source.Open());
  EXPECT_EQ(source.Capability(ICAP_PIXELTYPE, MSG_GETCURRENT).Item(), TWPT_RGB);
  EXPECT_EQ(source.Capability(ICAP_BITDEPTH, MSG_GETCURRENT).Item(), 24u);
}

TEST(SampleImages, ImageInfoAndLayoutFollowTheNegotiatedValues) {
  struct Case {
    TW_UINT16 size;
    TW_UINT16 orientation;
    double resolution;
    TW_INT32 width;
    TW_INT32 length;
    double frameRight;
    double frameBottom;
  };
  const Case cases[] = {
      {TWSS_A4, TWOR_PORTRAIT, 100, 827, 1169, 8.268, 11.693},
      {TWSS_A4, TWOR_LANDSCAPE, 100, 1169, 827, 11.693, 8.268},
      {TWSS_USLETTER, TWOR_PORTRAIT, 75, 638, 825, 8.5, 11.0},
  };
  for (const Case& c : cases) {
    SampleSource source;
    ASSERT_TRUE(source.Open());
    ASSERT_EQ(source.Set(ICAP_PIXELTYPE, TWTY_UINT16, TWPT_RGB), TWRC_SUCCESS);
    ASSERT_EQ(source.Set(ICAP_SUPPORTEDSIZES, TWTY_UINT16, c.size), TWRC_SUCCESS);
    ASSERT_EQ(source.Set(ICAP_ORIENTATION, TWTY_UINT16, c.orientation), TWRC_SUCCESS);
    ASSERT_EQ(source.Set(ICAP_XRESOLUTION, TWTY_FIX32, Fix(c.resolution)), TWRC_SUCCESS);
    ASSERT_EQ(source.Set(ICAP_YRESOLUTION, TWTY_FIX32, Fix(c.resolution)), TWRC_SUCCESS);
    ASSERT_TRUE(source.Enable());
    ASSERT_TRUE(source.AwaitTransferReady());

    TW_IMAGEINFO info = source.ImageInfo();
    EXPECT_EQ(FromFix32(info.XResolution), c.resolution);
    EXPECT_EQ(info.ImageWidth, c.width);
    EXPECT_EQ(info.ImageLength, c.length);
    EXPECT_EQ(info.SamplesPerPixel, 3);
    EXPECT_EQ(info.BitsPerSample[2], 8);
    EXPECT_EQ(info.BitsPerSample[3], 0);
    EXPECT_EQ(info.BitsPerPixel, 24);

    TW_IMAGELAYOUT layout{};
    ASSERT_EQ(source.Call(DG_IMAGE, DAT_IMAGELAYOUT, MSG_GET, &layout), TWRC_SUCCESS);
    EXPECT_NEAR(FromFix32(layout.Frame.Right), c.frameRight, 1e-3);
    EXPECT_NEAR(FromFix32(layout.Frame.Bottom), c.frameBottom, 1e-3);
  }
}

class SampleTransfer : public testing::TestWithParam<TW_UINT16> {};

// Each transfer needs the negotiated mechanism, and a finished page cannot be transferred again.
TEST_P(SampleTransfer, MemoryStripsCarryTheBytesOfTheNativeTransfer) {
  std::vector<TW_UINT8> native;
  TW_IMAGEINFO info{};
  {
    SampleSource source;
    ASSERT_TRUE(source.ReadyToTransfer(GetParam(), TWSX_NATIVE));
    info = source.ImageInfo();
    EXPECT_TRUE(source.TransferByMemory(64 * 1024).empty());
    EXPECT_EQ(source.ConditionCode(), TWCC_SEQERROR);
    native = source.TransferNatively();
  }
  size_t rowBytes = (info.ImageWidth * info.BitsPerPixel + 7) / 8;
  ASSERT_EQ(native.size(), rowBytes * info.ImageLength);

  // Buffers of odd sizes: exactly one row, a little more than three rows, and a handle.
  const std::pair<size_t, bool> buffers[] = {
      {rowBytes, false}, {3 * rowBytes + 5, false}, {64 * 1024, true}};
  for (auto [bufferSize, asHandle] : buffers) {
    SCOPED_TRACE(testing::Message() << "buffer " << bufferSize << (asHandle ? " handle" : ""));
    SampleSource source;
    ASSERT_TRUE(source.ReadyToTransfer(GetParam(), TWSX_MEMORY));
    TW_SETUPMEMXFER setup{};
    ASSERT_EQ(source.Call(DG_CONTROL, DAT_SETUPMEMXFER, MSG_GET, &setup), TWRC_SUCCESS);
    EXPECT_EQ(setup.MinBufSize, rowBytes);
    EXPECT_EQ(setup.Preferred % rowBytes, 0u);
    EXPECT_LE(setup.Preferred, setup.MaxBufSize);
    EXPECT_TRUE(source.TransferNatively().empty());
    EXPECT_EQ(source.ConditionCode(), TWCC_SEQERROR);
    EXPECT_TRUE(source.TransferByMemory(static_cast<TW_UINT32>(bufferSize), asHandle) == native);
    EXPECT_TRUE(source.TransferByMemory(static_cast<TW_UINT32>(bufferSize), asHandle).empty());
    EXPECT_EQ(source.ConditionCode(), TWCC_SEQERROR);
    EXPECT_EQ(source.EndTransfer(), 0);
  }
}

INSTANTIATE_TEST_SUITE_P(PixelTypes, SampleTransfer, testing::Values(TWPT_BW, TWPT_GRAY, TWPT_RGB));

TEST(SampleImages, BufferSmallerThanARowIsRefusedAndTheTransferGoesOn) {
  SampleSource source;
  ASSERT_TRUE(source.ReadyToTransfer(TWPT_RGB, TWSX_MEMORY));
  TW_IMAGEINFO info = source.ImageInfo();
  std::vector<TW_UINT8> buffer(info.ImageWidth * 3 - 1);
  TW_IMAGEMEMXFER xfer{};
  xfer.Memory = {TWMF_APPOWNS | TWMF_POINTER, static_cast<TW_UINT32>(buffer.size()), buffer.data()};
  EXPECT_EQ(source.Call(DG_IMAGE, DAT_IMAGEMEMXFER, MSG_GET, &xfer), TWRC_FAILURE);
  EXPECT_EQ(source.ConditionCode(), TWCC_BADVALUE);
  xfer.Memory.TheMem = nullptr;
  EXPECT_EQ(source.Call(DG_IMAGE, DAT_IMAGEMEMXFER, MSG_GET, &xfer), TWRC_FAILURE);
  EXPECT_EQ(source.TransferByMemory(128 * 1024).size(),
            static_cast<size_t>(info.ImageWidth) * 3 * info.ImageLength);
}

TEST(SampleImages, FeederJobCountsDownEachPageIsItsOwnAndResetEndsTheJob) {
  SampleSource source;
  ASSERT_TRUE(source.ReadyToTransfer(TWPT_GRAY, TWSX_NATIVE, 4));
  // Transfer ready is raised once.
  TW_EVENT event{};
  EXPECT_EQ(source.Call(DG_CONTROL, DAT_EVENT, MSG_PROCESSEVENT, &event), TWRC_NOTDSEVENT);
  EXPECT_EQ(event.TWMessage, MSG_NULL);
  std::vector<std::vector<TW_UINT8>> pages;
  for (int expectedPending : {3, 2, 1}) {
    TW_IMAGELAYOUT layout{};
    ASSERT_EQ(source.Call(DG_IMAGE, DAT_IMAGELAYOUT, MSG_GET, &layout), TWRC_SUCCESS);
    EXPECT_EQ(layout.PageNumber, pages.size() + 1);
    pages.push_back(source.TransferNatively());
    ASSERT_FALSE(pages.back().empty());
    EXPECT_EQ(source.EndTransfer(), expectedPending);
  }
  EXPECT_NE(pages[0], pages[1]);
  EXPECT_NE(pages[1], pages[2]);
  TW_PENDINGXFERS pending{};
  EXPECT_EQ(source.Call(DG_CONTROL, DAT_PENDINGXFERS, MSG_RESET, &pending), TWRC_SUCCESS);
  EXPECT_EQ(pending.Count, 0);
  TW_USERINTERFACE ui{};
  EXPECT_EQ(source.Call(DG_CONTROL, DAT_USERINTERFACE, MSG_DISABLEDS, &ui), TWRC_SUCCESS);
}

// The pending count after the first page of a job from the given source.
int PendingAfterFirstPage(bool feeder, bool duplex, TW_INT16 count) {
  SampleSource source;
  if (!source.Open() || source.Set(CAP_FEEDERENABLED, TWTY_BOOL, feeder) != TWRC_SUCCESS ||
      source.Set(CAP_DUPLEXENABLED, TWTY_BOOL, duplex) != TWRC_SUCCESS ||
      source.Set(CAP_XFERCOUNT, TWTY_INT16, static_cast<TW_UINT16>(count)) != TWRC_SUCCESS ||
      source.Set(ICAP_XRESOLUTION, TWTY_FIX32, Fix(75)) != TWRC_SUCCESS ||
      source.Set(ICAP_YRESOLUTION, TWTY_FIX32, Fix(75)) != TWRC_SUCCESS || !source.Enable() ||
      !source.AwaitTransferReady() || source.TransferNatively().empty()) {
    return -1;
  }
  return source.EndTransfer();
}

TEST(SampleImages, FlatbedGivesOnePageAndDuplexDoublesTheFeederStack) {
  EXPECT_EQ(PendingAfterFirstPage(false, false, 3), 0);
  EXPECT_EQ(PendingAfterFirstPage(true, false, 3), 2);
  int simplex = PendingAfterFirstPage(true, false, -1);
  int duplex = PendingAfterFirstPage(true, true, -1);
  ASSERT_GT(simplex, 0);
  EXPECT_EQ(duplex + 1, 2 * (simplex + 1));
}

TEST(SampleHardware, IdentityAndHardwareInfoAgreeWithTheCapabilities) {
  SampleSource source;
  TW_IDENTITY identity{};
  identity.Id = IdentityIdFrom(42);
  ASSERT_EQ(source.Call(DG_CONTROL, DAT_IDENTITY, MSG_OPENDS, &identity), TWRC_SUCCESS);
  EXPECT_EQ(IdentityIdValue(identity.Id), 42u);
  EXPECT_STREQ(identity.ProductName, "Halvern Virtual Scanner");
  EXPECT_EQ(identity.SupportedGroups & DG_IMAGE, DG_IMAGE);

  TWVX_HARDWAREINFO info{};
  ASSERT_EQ(source.Call(DG_CONTROL, DAT_VX_HARDWAREINFO, MSG_GET, &info), TWRC_SUCCESS);
  ASSERT_GT(info.ModelName[0], 0);
  EXPECT_LE(info.ModelName[0], 33);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(info.ModelName + 1), info.ModelName[0]), "Halvern");
  std::vector<TW_UINT32> resolutions = source.Capability(ICAP_XRESOLUTION, MSG_GET).Items();
  ASSERT_FALSE(resolutions.empty());
  for (TW_UINT32 resolution : resolutions) {
    EXPECT_GE(Number(resolution), info.MinResolution);
    EXPECT_LE(Number(resolution), info.MaxResolution);
  }
}

}  // namespace
