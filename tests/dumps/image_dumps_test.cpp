#include <gtest/gtest.h>

#include <cstring>

#include "dumps/dump_test_support.h"
#include "vendor_build.h"

namespace {

TW_MEMORY Memory(TW_UINT32 length, uintptr_t address) {
  return TW_MEMORY{0x11, length, reinterpret_cast<TW_MEMREF>(address)};
}

TEST(ImageDumps, EachStructureDumpsByteForByte) {
  TW_IMAGEINFO info{Fix(300), Fix(-1, 32768), 2550,     -1, 3, {1, 2, 3, 4, 5, 6, 7, -8}, 24,
                    2,        TWPT_RGB,       TWCP_JPEG};
  TW_IMAGELAYOUT layout{{Fix(0, 1), Fix(1, 32768), Fix(8, 32768), Fix(11)}, 1, 0xFFFFFFFF, 3};
  TW_IMAGEMEMXFER xfer{TWCP_NONE, 7650, 2550,       100,
                       0,         200,  0xFFFFFFFF, Memory(765000, 0x123456789abcdef0)};
  TW_JPEGCOMPRESSION jpeg{TWPT_YUV, 0x10001, 3, 0, {0, 1, 1, 0xFFFF}, {}, {0, 1, 2, 3}, {}, {}};
  for (int i = 0; i < 4; ++i) jpeg.QuantTable[i] = Memory(64, 0x1000 + 0x100 * i);
  for (int i = 0; i < 2; ++i) jpeg.HuffmanDC[i] = Memory(28, 0x2000 + 0x100 * i);
  for (int i = 0; i < 2; ++i) jpeg.HuffmanAC[i] = Memory(178, 0x3000 + 0x100 * i);
  // NumInfos is not a bound: one entry is shown. Item shows its first 32 bits, unsigned.
  TW_EXTIMAGEINFO ext{5, {{0x1200, TWTY_UINT32, 1, {TWRC_INFONOTSUPPORTED}, 0x1234567880000007}}};
  TW_GRAYRESPONSE gray{{{0, 128, 255, 7}}};
  TW_RGBRESPONSE rgb{{{0, 128, 255, 7}}};
  TW_PALETTE8 palette{256, TWPT_RGB, {}};

  std::string dump = Dump([&](const DumpContext& c) {
    DumpImageInfo(c, &info);
    DumpImageLayout(c, &layout);
    DumpImageMemXfer(c, &xfer);
    DumpJpegCompression(c, &jpeg);
    DumpExtImageInfo(c, &ext);
    DumpGrayResponse(c, &gray);
    DumpRgbResponse(c, &rgb);
    DumpPalette8(c, &palette);
  });
  EXPECT_TRUE(SameText(dump, ExpectedDump("image_dumps.txt")));
}

// Every fixed-point member holds its own value, so a member shown in the wrong place, or the
// Mix matrix walked column by column, changes the text.
TEST(ImageDumps, CieColorShowsBothStagesAndFourPoints) {
  TW_CIECOLOR cie{TWPT_CIEXYZ, -1, 1, -1, {}, {}, {}, {}, {}, {}, {Fix(-2, 49152)}};
  TW_TRANSFORMSTAGE* stages[] = {&cie.StageABC, &cie.StageLMN};
  for (int s = 0; s < 2; ++s) {
    for (int d = 0; d < 3; ++d) {
      TW_FIX32 members[8];  // StartIn to SampleCount
      for (int k = 0; k < 8; ++k) members[k] = Fix(s * 100 + d * 10 + k);
      static_assert(sizeof(members) == sizeof(TW_DECODEFUNCTION));
      memcpy(&stages[s]->Decode[d], members, sizeof(members));
    }
    for (int i = 0; i < 9; ++i) stages[s]->Mix[i / 3][i % 3] = Fix(s * 100 + 50 + i, 32768);
  }
  TW_CIEPOINT* points[] = {&cie.WhitePoint, &cie.BlackPoint, &cie.WhitePaper, &cie.BlackInk};
  for (int p = 0; p < 4; ++p) {
    *points[p] = {Fix(200 + p * 10, 16384), Fix(201 + p * 10, 16384), Fix(202 + p * 10, 16384)};
  }

  std::string dump = Dump([&](const DumpContext& c) { DumpCieColor(c, &cie); });
  EXPECT_TRUE(SameText(dump, ExpectedDump("cie_color.txt")));
}

TEST(ImageDumps, UnnamedValuesShowByTheFieldsOwnSignedness) {
  SKIP_UNLESS_VENDOR_BUILD();
  TW_IMAGEINFO info{};
  info.PixelType = -1;
  info.Compression = 0xFFFF;
  std::string dump = Dump([&](const DumpContext& c) { DumpImageInfo(c, &info); });
  EXPECT_EQ(LineAt(dump, 8), "    Planar           = [false]");
  EXPECT_EQ(LineAt(dump, 9), "    PixelType        = [ERROR!(-1)]");
  EXPECT_EQ(LineAt(dump, 10), "    Compression      = [ERROR!(65535)]");

  TW_INFO entry{0, 13, 0, {0xFFFF}, 0};
  dump = Dump([&](const DumpContext& c) { DumpInfo(c, &entry); });
  EXPECT_EQ(LineAt(dump, 2), "      ItemType = [ERROR!(13)]");
  EXPECT_EQ(LineAt(dump, 4), "      CondCode = [ERROR!(65535)]");
}

// The largest image dump into a buffer too small for it: cut at the buffer's end, nothing
// beyond it touched.
TEST(ImageDumps, DumpNeverWritesPastTheCallersBuffer) {
  TW_CIECOLOR cie{};
  char buffer[1024 + 16];
  memset(buffer, '#', sizeof(buffer));
  buffer[0] = '\0';
  OutText out;
  out.Begin(buffer, 1024);
  DumpCieColor(DumpContext{out, MSG_GET, TWRC_SUCCESS, nullptr}, &cie);
  EXPECT_TRUE(out.Cut());
  EXPECT_EQ(strlen(buffer), 1023u);
  EXPECT_EQ(std::string(buffer + 1024, 16), std::string(16, '#'));
}

}  // namespace
