#include <gtest/gtest.h>

#include <cstring>

#include "dumps/dump_test_support.h"

namespace {

TEST(VendorDumps, EachStructureDumpsByteForByte) {
  TWVX_AUTOEXPOSURE exposure{
      0xdeadbeef,    -1,    10, 20, -32768, TWVX_FT_REFLECTIVEDOCUMENT, TWVX_PG_18,
      Fix(2, 13107), 0xFFFF};
  TWVX_COLORSMOOTHING smoothing{0x10, 0xFFFFFFFF, 2, 3, 4, 5, 6, 7, 8, 0x80000000};
  TWVX_LOCATIONDATA location{24, 10, 20, 1000, 1500, 2550, 3508, 0xFFFFFFFE, 7, Fix(-1, 32768)};
  // The alignment gap after BitsPerPixel is never shown.
  memset(reinterpret_cast<char*>(&location) + sizeof(TW_INT16), 0xFF, 2);
  TWVX_USMPARAM usm{-5, 2, 3};  // keeps its nested indent as the call's own data
  TWVX_SETTINGFRAME frame{0xFFFF, 2};
  TWVX_RGBMATRIX identity{{Fix(1), Fix(0), Fix(0), Fix(0), Fix(1), Fix(0), Fix(0), Fix(0), Fix(1)}};
  TWVX_USMINFO usmInfo{1200, 2, 7, {100, 2, -1}, {{1, 2, 3, 4}, {5, 6, 7, 0xFFFF}, 9}};

  std::string dump = Dump([&](const DumpContext& c) {
    DumpVxAutoExposure(c, &exposure);
    DumpVxColorSmoothing(c, &smoothing);
    DumpVxLocationData(c, &location);
    DumpVxUsmParam(c, &usm);
    DumpVxSettingFrame(c, &frame);
    DumpVxRgbMatrix(c, &identity);
    DumpVxUsmInfo(c, &usmInfo);
  });
  EXPECT_TRUE(SameText(dump, ExpectedDump("vendor_dumps.txt")));
}

TEST(VendorDumps, UnnamedFilmTypeAndGammaShowTheirValue) {
  TWVX_AUTOEXPOSURE exposure{0, 0, 0, 0, 0, 5, 2, {}, 0};
  std::string dump = Dump([&](const DumpContext& c) { DumpVxAutoExposure(c, &exposure); });
  EXPECT_EQ(LineAt(dump, 6), "    FilmType     = [ERROR!(5)]");
  EXPECT_EQ(LineAt(dump, 7), "    PreScanGamma = [ERROR!(2)]");
}

}  // namespace
