// The published operations that callers use on their own: renderings into the caller's buffer,
// and a type's operation dumping the data of the last analysed call.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "analyzer/para_analyze.h"
#include "text/value_text.h"

namespace {

// Each writes a whole text over whatever its buffer held: a table's name copied, a number
// written in place.
TEST(PublishedInterface, RenderingsFillTheCallersBuffer) {
  CParaAnalyze analyzer;
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
}

TEST(PublishedInterface, TypeOperationDumpsTheLastAnalysedData) {
  CParaAnalyze analyzer;
  char text[256] = {};
  TW_STATUS status{TWCC_SEQERROR, {}};
  analyzer.TripletAnalyze(nullptr, nullptr, DG_CONTROL, DAT_STATUS, MSG_GET,
                          reinterpret_cast<char*>(&status), text, sizeof(text));
  text[0] = '\0';
  analyzer.SetOutText(text, sizeof(text));
  EXPECT_TRUE(analyzer.DatStatusAnalyze() && analyzer.DatNullAnalyze());
  EXPECT_STREQ(text, "  TW_STATUS = {\r\n    ConditionCode = [TWCC_SEQERROR]\r\n  }\r\n");
}

}  // namespace
