// What the formatters the rows name, and those of the structures nested in them, make of a call
// without data.
#include <gtest/gtest.h>

#include <string>

#include "dumps/dump_test_support.h"

namespace {

// The transfer group and the native transfer show the item their data leads to, 0 here (see
// control_dumps.txt); the parent's dump shows the caller's identity, which this call has not.
TEST(DumpedTypes, NullDataAddsNothing) {
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

}  // namespace
