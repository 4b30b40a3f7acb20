// The published operations that callers use on their own: renderings into the caller's buffer,
// and dumps appended to the text the last analysis directed them to.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "analyzer/para_analyze.h"
#include "text/value_text.h"

namespace {

// Each writes a whole text over whatever its buffer held.
TEST(PublishedInterface, RenderingsFillTheCallersBuffer) {
  CParaAnalyze analyzer;
  char text[kValueTextSize];
  auto rendered = [&](auto render) {
    memset(text, 'x', sizeof(text));
    render();
    return std::string(text);
  };
  EXPECT_EQ(rendered([&] { analyzer.MakeCapSupportedCaps(ICAP_PIXELTYPE, text); }),
            "ICAP_PIXELTYPE");
  EXPECT_EQ(rendered([&] { analyzer.MakeCapSupportedCaps(0xFFFF, text); }), "ERROR!(65535)");
  // Major version in the high byte, minor in the low, both in hex.
  EXPECT_EQ(rendered([&] { analyzer.MakeCapVxVersion(0x0A10, text); }), "a.10");
  EXPECT_EQ(rendered([&] { analyzer.MakeCapVxVersion(0, text); }), "0.0");
  TW_INT16 value = -300;
  EXPECT_EQ(rendered([&] { analyzer.ValToStr(ICAP_BRIGHTNESS, TWTY_INT16, &value, text); }),
            "-300");
  EXPECT_EQ(rendered([&] { analyzer.ValToCap(ICAP_PIXELTYPE, TWPT_RGB, text); }), "TWPT_RGB");
}

// A dump called on its own sees the message of the last analysis, as a dump in the trace does,
// and a type's operation dumps the data of that analysis.
TEST(PublishedInterface, DumpsAppendForTheLastAnalysedCall) {
  CParaAnalyze analyzer;
  char text[2048] = {};
  TW_IDENTITY window{};
  analyzer.TripletAnalyze(nullptr, nullptr, DG_CONTROL, DAT_PARENT, MSG_OPENDSM,
                          reinterpret_cast<char*>(&window), text, sizeof(text));
  text[0] = '\0';
  analyzer.SetOutText(text, sizeof(text));
  TW_IDENTITY identity{};
  strcpy(identity.ProductName, "Host");
  EXPECT_TRUE(analyzer.TwIdentityAnalyze(&identity));
  EXPECT_EQ(std::string(text).substr(0, 27), "  pOrigin:TW_IDENTITY = {\r\n");

  TW_STATUS status{TWCC_SEQERROR, {}};
  analyzer.TripletAnalyze(nullptr, nullptr, DG_CONTROL, DAT_STATUS, MSG_GET,
                          reinterpret_cast<char*>(&status), text, sizeof(text));
  text[0] = '\0';
  analyzer.SetOutText(text, sizeof(text));
  EXPECT_TRUE(analyzer.DatStatusAnalyze() && analyzer.DatNullAnalyze());
  EXPECT_STREQ(text, "  TW_STATUS = {\r\n    ConditionCode = [TWCC_SEQERROR]\r\n  }\r\n");
}

}  // namespace
