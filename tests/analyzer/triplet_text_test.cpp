// The header, result and state lines, through the analyzer's own interface, and the published
// operations that callers use on their own.
#include <gtest/gtest.h>

#include <cstring>
#include <regex>
#include <string>
#include <utility>

#include "analyzer/para_analyze.h"
#include "text/value_text.h"
#include "vendor_build.h"

namespace {

class TripletText : public ::testing::Test {
 protected:
  std::string Header(TW_UINT32 DG, TW_UINT16 DAT, TW_UINT16 MSG, void* pData = nullptr) {
    char text[kDefaultOutTextSize] = {};
    analyzer.TripletAnalyze(nullptr, nullptr, DG, DAT, MSG, static_cast<char*>(pData), text);
    return text;
  }
  std::string Parameters(TW_UINT32 DG, TW_UINT16 DAT, TW_UINT16 MSG, TW_UINT16 RC,
                         void* pData = nullptr) {
    char text[kDefaultOutTextSize] = {};
    analyzer.ParaAnalyze(nullptr, nullptr, DG, DAT, MSG, static_cast<char*>(pData), RC, text);
    return text;
  }
  CParaAnalyze analyzer;
};

TEST_F(TripletText, HeaderNamesGroupTypeMessageCapabilityAndCountsFromOne) {
  SKIP_UNLESS_VENDOR_BUILD();
  EXPECT_EQ(Header(0, 0x0403, 0x8002),
            "[00001] [APP] ERROR!(0)/ERROR!(1027)/MSG_VX_XFERREQUEST\r\n");
  EXPECT_EQ(Header(0xFFFFFFFF, 0x8020, 0x9999),
            "[00002] [APP] ERROR!(-1)/ERROR!(32800)/ERROR!(39321)\r\n");
  analyzer.m_nSequence = 99999;
  EXPECT_EQ(Header(DG_CONTROL, DAT_STATUS, MSG_GET),
            "[100000] [APP] DG_CONTROL/DAT_STATUS/MSG_GET\r\n");
  // A capability's header carries its name (the capability dumps' Cap fields show the same
  // lookup of the general and vendor tables); without the record, nothing.
  for (auto [cap, name] : {std::pair<TW_UINT16, const char*>{0x8000, "CAP_CUSTOMBASE"},
                           {0x8043, "ICAP_VX_ADE"},
                           {0x8FFF, "ERROR!(36863)"}}) {
    TW_CAPABILITY capability{cap, 0, nullptr};
    std::string header = Header(DG_CONTROL, DAT_CAPABILITY, MSG_GETCURRENT, &capability);
    EXPECT_EQ(header.substr(header.find("DG_")),
              std::string("DG_CONTROL/DAT_CAPABILITY/MSG_GETCURRENT (") + name + ")\r\n");
  }
  EXPECT_EQ(Header(DG_CONTROL, DAT_CAPABILITY, MSG_GET),
            "[100004] [APP] DG_CONTROL/DAT_CAPABILITY/MSG_GET ()\r\n");
}

TEST_F(TripletText, CapabilityNameRespectsTheCallersSize) {
  TW_CAPABILITY capability{ICAP_PIXELTYPE, 0, nullptr};
  // The general table's miss text is tested first, then the image table's name.
  char name[15] = "untouched";
  EXPECT_FALSE(analyzer.GetStringOfCapability(&capability, name, 11));
  EXPECT_STREQ(name, "untouched");
  EXPECT_FALSE(analyzer.GetStringOfCapability(&capability, name, 14));
  EXPECT_STREQ(name, "ERROR!(257)");
  EXPECT_TRUE(analyzer.GetStringOfCapability(&capability, name, sizeof(name)));
  EXPECT_STREQ(name, "ICAP_PIXELTYPE");
  EXPECT_TRUE(analyzer.GetStringOfCapability(nullptr, name, sizeof(name)));
}

// Transfer-ready and process-event calls get no header (the sessions' test counts them); a
// process event shows only the source's transfer-ready (as the traced session's log shows it)
// and close requests.
TEST_F(TripletText, ProcessEventShowsOnlyTransferReadyAndCloseRequests) {
  EXPECT_EQ(Parameters(DG_CONTROL, DAT_NULL, MSG_XFERREADY, TWRC_SUCCESS), "");
  EXPECT_EQ(Header(DG_CONTROL, DAT_NULL, MSG_CLOSEDSREQ),
            "[00001] [APP] DG_CONTROL/DAT_NULL/MSG_CLOSEDSREQ\r\n");
  analyzer.m_nTwainStatus = 5;
  TW_EVENT event{nullptr, MSG_XFERREADY};
  EXPECT_EQ(Parameters(DG_CONTROL, DAT_EVENT, MSG_PROCESSEVENT, TWRC_NOTDSEVENT, &event), "");
  EXPECT_EQ(Parameters(DG_CONTROL, DAT_EVENT, MSG_PROCESSEVENT, TWRC_DSEVENT, nullptr), "");
  event.TWMessage = MSG_NULL;
  EXPECT_EQ(Parameters(DG_CONTROL, DAT_EVENT, MSG_PROCESSEVENT, TWRC_DSEVENT, &event), "");
  // Another type's data, here bytes that would read as a transfer-ready event handed over as a
  // 4-byte TW_STATUS, is never read as an event.
  event.TWMessage = MSG_XFERREADY;
  EXPECT_EQ(Parameters(DG_CONTROL, DAT_STATUS, MSG_PROCESSEVENT, TWRC_DSEVENT, &event),
            "  TW_STATUS = {\r\n    ConditionCode = [TWCC_SUCCESS]\r\n  }\r\n");
  EXPECT_EQ(analyzer.GetTwainStatus(), 5);
}

TEST_F(TripletText, AppNameAndBanner) {
  analyzer.Init(nullptr);
  EXPECT_STREQ(analyzer.m_szAppName, "APP");
  analyzer.Init("A-very-long-application-name-that-does-not-fit");
  EXPECT_EQ(std::string(analyzer.m_szAppName).size(), 31u);

  char banner[512] = "";
  EXPECT_TRUE(analyzer.HeaderMake(banner));
  // asctime's 24 characters without its newline.
  EXPECT_TRUE(std::regex_match(banner, std::regex("(/{48}\r\n) {11}Trivane Ver1\\.10\r\n\\1"
                                                  "  << Current time = [^\r\n]{24} >>\r\n")))
      << banner;
}

// Each writes a whole text over whatever its buffer held: a table's name copied, a number
// written in place; a type's operation dumps the data of the last analysed call.
TEST_F(TripletText, PublishedOperationsFillTheCallersBuffer) {
  char text[kValueTextSize];
  memset(text, 'x', sizeof(text));
  analyzer.MakeCapSupportedCaps(ICAP_PIXELTYPE, text);
  EXPECT_STREQ(text, "ICAP_PIXELTYPE");
  memset(text, 'x', sizeof(text));
  analyzer.MakeCapVxVersion(0x0A10, text);
  EXPECT_STREQ(text, "a.10");
  memset(text, 'x', sizeof(text));
  analyzer.InitTwainStatus();
  analyzer.MakeTwainStatusString(text);
  EXPECT_STREQ(text, "\r\nTWAIN Status = [1]\r\n");

  TW_STATUS status{TWCC_SEQERROR, {}};
  Header(DG_CONTROL, DAT_STATUS, MSG_GET, &status);
  text[0] = '\0';
  analyzer.SetOutText(text, sizeof(text));
  EXPECT_TRUE(analyzer.DatStatusAnalyze() && analyzer.DatNullAnalyze());
  EXPECT_STREQ(text, "  TW_STATUS = {\r\n    ConditionCode = [TWCC_SEQERROR]\r\n  }\r\n");
}

}  // namespace
