// Messages of the levelled logger, written from an implementation bundle, in the log file of a
// loaded data source.
#include <gtest/gtest.h>

#include <regex>
#include <string>

#include "shell/data_source_harness.h"

namespace {

DataSourceHarness* g_harness = nullptr;

std::string MaskTimeStamps(const std::string& log) {
  static const std::regex stamp(R"(\[\d{4}/\d{2}/\d{2} \d{2}:\d{2}:\d{2}\.\d{3,4}\])");
  return std::regex_replace(log, stamp, "[<time>]");
}

TEST(LevelledLog, MessagesInterleaveWithTheTraceInCallOrder) {
  DataSourceHarness harness;
  g_harness = &harness;
  harness.Load();
  harness.Call(DG_CONTROL, DAT_IDENTITY, MSG_OPENDS, nullptr);
  harness.LogMessage("Halvern", "between calls");
  harness.SetHandler([](TW_IDENTITY*, TW_UINT32, TW_UINT16, TW_UINT16, TW_MEMREF) -> TW_UINT16 {
    g_harness->LogMessage("Halvern", "inside the call");
    return TWRC_SUCCESS;
  });
  harness.Call(DG_CONTROL, DAT_IDENTITY, MSG_CLOSEDS, nullptr);
  harness.Unload();
  g_harness = nullptr;

  EXPECT_EQ(MaskTimeStamps(harness.LogText()),
            "[00001] [APP] DG_CONTROL/DAT_IDENTITY/MSG_OPENDS\r\n"
            "        Return Code = [TWRC_SUCCESS]\r\n"
            "pData   = <0x00000000>\r\n"
            "\r\n"
            "TWAIN Status = [4]\r\n"
            "[<time>] INFO from \"Halvern\" between calls\n"
            "[<time>] INFO from \"Halvern\" inside the call\n"
            "[00002] [APP] DG_CONTROL/DAT_IDENTITY/MSG_CLOSEDS\r\n"
            "        Return Code = [TWRC_SUCCESS]\r\n"
            "pData   = <0x00000000>\r\n"
            "\r\n"
            "TWAIN Status = [3]\r\n");
}

}  // namespace
