// The sample bundle as the demo, the replay and the tracer's tests rely on it: its state machine,
// its capability answers and its images, reached through the data source as an application does.
#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <vector>

#include "common/twain_values.h"
#include "tools/sample_source.h"
#include "twaintrace/twain_abi.h"
#include "twaintrace/twain_items.h"

namespace {

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

TEST(SampleSequence, TripletsOutsideTheirStatesFailWithSeqError) {
  const struct {
    int state;
    TW_UINT32 dg;
    TW_UINT16 dat;
    TW_UINT16 msg;
  } cases[] = {
      {3, DG_CONTROL, DAT_USERINTERFACE, MSG_ENABLEDS},
      {3, DG_CONTROL, DAT_CAPABILITY, MSG_GET},
      {4, DG_CONTROL, DAT_IDENTITY, MSG_OPENDS},
      {4, DG_CONTROL, DAT_EVENT, MSG_PROCESSEVENT},
      {4, DG_IMAGE, DAT_IMAGEINFO, MSG_GET},
      {5, DG_CONTROL, DAT_CAPABILITY, MSG_SET},
      {5, DG_CONTROL, DAT_IDENTITY, MSG_CLOSEDS},
      {5, DG_IMAGE, DAT_IMAGEMEMXFER, MSG_GET},
      {6, DG_CONTROL, DAT_USERINTERFACE, MSG_DISABLEDS},
      {7, DG_CONTROL, DAT_PENDINGXFERS, MSG_RESET},
      {7, DG_IMAGE, DAT_IMAGENATIVEXFER, MSG_GET},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message()
                 << "state " << c.state << ", DAT " << c.dat << ", MSG " << c.msg);
    SampleSource source;
    ASSERT_TRUE(Reach(source, c.state));
    char data[1024] = {};
    EXPECT_EQ(source.Call(c.dg, c.dat, c.msg, data), TWRC_FAILURE);
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
  EXPECT_TRUE(source.Enable()) << "still open";
}

// The bytes a container of this shape and item count takes.
size_t ContainerSize(const CapabilityAnswer& answer) {
  const size_t items = answer.header.NumItems * TwainItemSize(answer.header.ItemType);
  if (answer.conType == TWON_ARRAY) return offsetof(TW_ARRAY, ItemList) + items;
  if (answer.conType == TWON_ENUMERATION) return offsetof(TW_ENUMERATION, ItemList) + items;
  if (answer.conType == TWON_RANGE) return sizeof(TW_RANGE);
  return answer.conType == TWON_ONEVALUE ? sizeof(TW_ONEVALUE) : 0;
}

TEST(SampleCapabilities, EveryListedCapabilityAnswersEveryGetInAContainerOfItsSize) {
  SampleSource source;
  ASSERT_TRUE(source.Open());
  CapabilityAnswer supported = source.Capability(CAP_SUPPORTEDCAPS, MSG_GET);
  ASSERT_EQ(supported.rc, TWRC_SUCCESS);
  ASSERT_EQ(supported.conType, TWON_ARRAY);
  EXPECT_EQ(TW_UINT16{supported.header.ItemType}, TWTY_UINT16);
  ASSERT_EQ(supported.container.size(), ContainerSize(supported));
  std::vector<TW_UINT16> listed(supported.header.NumItems);
  memcpy(listed.data(), supported.container.data() + offsetof(TW_ARRAY, ItemList),
         listed.size() * sizeof(TW_UINT16));
  EXPECT_EQ(std::set<TW_UINT16>(listed.begin(), listed.end()).size(), listed.size())
      << "a capability is listed twice";

  for (TW_UINT16 cap : listed) {
    for (TW_UINT16 msg : {MSG_GET, MSG_GETCURRENT, MSG_GETDEFAULT, MSG_QUERYSUPPORT}) {
      SCOPED_TRACE(testing::Message() << "capability " << cap << ", MSG " << msg);
      CapabilityAnswer answer = source.Capability(cap, msg);
      ASSERT_EQ(answer.rc, TWRC_SUCCESS);
      EXPECT_EQ(answer.container.size(), ContainerSize(answer));
      if (msg != MSG_GET && answer.conType != TWON_ARRAY) {
        EXPECT_EQ(answer.conType, TWON_ONEVALUE);
      }
    }
  }
}

class SampleTransfer : public testing::TestWithParam<TW_UINT16> {};

// Each transfer needs the negotiated mechanism, and a finished page cannot be transferred again.
TEST_P(SampleTransfer, MemoryStripsCarryTheBytesOfTheNativeTransfer) {
  std::vector<char> native;
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
    TW_PENDINGXFERS pending{};
    EXPECT_EQ(source.Call(DG_CONTROL, DAT_PENDINGXFERS, MSG_ENDXFER, &pending), TWRC_SUCCESS);
    EXPECT_EQ(pending.Count, 0);
  }
}

INSTANTIATE_TEST_SUITE_P(PixelTypes, SampleTransfer, testing::Values(TWPT_BW, TWPT_GRAY, TWPT_RGB));

}  // namespace
