// The traced call path as an application sees it: answers passed through unchanged, and the
// log's bytes for each call.
#include <gtest/gtest.h>

#include <string>

#include "shell/data_source_harness.h"
#include "twaintrace/twain_vendor.h"

namespace {

TW_UINT16 Succeed(TW_IDENTITY*, TW_UINT32, TW_UINT16, TW_UINT16, TW_MEMREF) {
  return TWRC_SUCCESS;
}
TW_UINT16 Fail(TW_IDENTITY*, TW_UINT32, TW_UINT16, TW_UINT16, TW_MEMREF) {
  return TWRC_FAILURE;
}
TW_UINT16 XferDone(TW_IDENTITY*, TW_UINT32, TW_UINT16, TW_UINT16, TW_MEMREF) {
  return TWRC_XFERDONE;
}

TEST(DsEntry, SuccessLogsHeaderResultAndStateLines) {
  DataSourceHarness harness;
  harness.Load();
  harness.SetHandler(&Succeed);
  EXPECT_EQ(harness.Call(DG_CONTROL, DAT_IDENTITY, MSG_OPENDS, nullptr), TWRC_SUCCESS);
  harness.Unload();
  EXPECT_EQ(harness.LogText(),
            "[00001] [APP] DG_CONTROL/DAT_IDENTITY/MSG_OPENDS\r\n"
            "        Return Code = [TWRC_SUCCESS]\r\n"
            "pData   = <0x00000000>\r\n"
            "\r\n"
            "TWAIN Status = [4]\r\n");
}

TEST(DsEntry, FailureAddsErrorStatusMarkersAndNoStateLine) {
  DataSourceHarness harness;
  harness.Load();
  harness.SetHandler(&Fail);
  EXPECT_EQ(harness.Call(DG_CONTROL, DAT_IDENTITY, MSG_OPENDS, nullptr), TWRC_FAILURE);
  harness.Unload();
  EXPECT_EQ(harness.LogText(),
            "[00001] [APP] DG_CONTROL/DAT_IDENTITY/MSG_OPENDS\r\n"
            "        Return Code = [TWRC_FAILURE]\r\n"
            "pData   = <0x00000000>\r\n"
            "*** Inspect Error Status Start ***\r\n"
            "*** Inspect Error Status End   ***\r\n");
}

TEST(DsEntry, FileTransferInStateSixReachesSeven) {
  DataSourceHarness harness;
  harness.Load();
  harness.SetHandler(&Succeed);
  TW_EVENT event{};
  event.TWMessage = MSG_XFERREADY;
  harness.Call(DG_CONTROL, DAT_IDENTITY, MSG_OPENDS, nullptr);
  harness.Call(DG_CONTROL, DAT_USERINTERFACE, MSG_ENABLEDS, nullptr);
  harness.SetHandler([](TW_IDENTITY*, TW_UINT32, TW_UINT16, TW_UINT16, TW_MEMREF) -> TW_UINT16 {
    return TWRC_DSEVENT;
  });
  harness.Call(DG_CONTROL, DAT_EVENT, MSG_PROCESSEVENT, &event);
  harness.SetHandler(&XferDone);
  harness.Call(DG_IMAGE, DAT_IMAGEFILEXFER, MSG_GET, nullptr);
  harness.Unload();
  std::string log = harness.LogText();
  const std::string lastEntry =
      "[00003] [APP] DG_IMAGE/DAT_IMAGEFILEXFER/MSG_GET\r\n"
      "        Return Code = [TWRC_XFERDONE]\r\n"
      "pData   = <0x00000000>\r\n"
      "\r\n"
      "TWAIN Status = [7]\r\n";
  ASSERT_GE(log.size(), lastEntry.size());
  EXPECT_EQ(log.substr(log.size() - lastEntry.size()), lastEntry);
}

}  // namespace
