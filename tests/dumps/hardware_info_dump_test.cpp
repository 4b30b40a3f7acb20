#include <gtest/gtest.h>

#include <cstring>

#include "dumps/dump_test_support.h"

namespace {

void SetMatrix(TW_FIX32 (&matrix)[9], int firstWhole, int step, unsigned frac) {
  for (int i = 0; i < 9; ++i) matrix[i] = Fix(firstWhole + step * i, frac);
}

TWVX_HARDWAREINFO SampleScanner() {
  // Names are length-prefixed: the model name's length byte ends it before the X's. The
  // support flags (FullAutoModeSupport to HTTXQSupport) are true for any nonzero value.
  // clang-format off
  TWVX_HARDWAREINFO info{5, "\x11VELIX Tandra 9000", "\x07TD-9000XXXX",
                         4800, 9600, 50, 12800, 600, 0xFFFFFFFF,
                         {10200, 14040}, {10200, 16800}, {3600, 12000}, 0x110, 3, 2, 1, 0,
                         1, 0, 0x0100, 1, 0, 1, 1, 0, 1, 0, 1, 0, 0xFFFF,
                         1, 1, 2, {0, 0xFFFFFFFF}, "Flatbed.icc", "Film.icc",
                         {}, {}, {}, {}, {}, {}, "1.02.0003"};
  // clang-format on
  // The alignment gap after InterfaceSupport is never shown.
  memset(reinterpret_cast<char*>(&info) + offsetof(TWVX_HARDWAREINFO, CommandType) - 2, 0xFF, 2);
  SetMatrix(info.ColorCorrectionFB, 0, 0, 0);
  info.ColorCorrectionFB[0] = info.ColorCorrectionFB[4] = info.ColorCorrectionFB[8] = Fix(1);
  SetMatrix(info.ColorCorrectionPOSI, 0, 1, 0);
  SetMatrix(info.ColorCorrectionNEGA, 0, -1, 32768);
  SetMatrix(info.QORColorCorrectionFB, 10, 1, 0);
  SetMatrix(info.QORColorCorrectionPOSI, 20, 1, 16384);
  SetMatrix(info.QORColorCorrectionNEGA, 30, 1, 49152);
  return info;
}

std::string DumpOf(TWVX_HARDWAREINFO& info) {
  return Dump([&](const DumpContext& c) { DumpVxHardwareInfo(c, &info); });
}

TEST(HardwareInfoDump, CompleteDumpByteForByte) {
  TWVX_HARDWAREINFO info = SampleScanner();
  EXPECT_TRUE(SameText(DumpOf(info), ExpectedDump("hardware_info.txt")));
  // The stand-alone flag is the whole eight-byte slot, not its first byte.
  info.StandAloneModeSupport = 1ull << 56;
  EXPECT_EQ(LineAt(DumpOf(info), 20), "    StandAloneModeSupport  = [true]");
}

// Every text member is read within its own field, however its length byte or its missing
// terminator claim more; the last member is followed by nothing of the application's.
TEST(HardwareInfoDump, TextIsReadWithinItsField) {
  TWVX_HARDWAREINFO info = SampleScanner();
  info.ProductName[0] = 0;
  memset(info.ModelName, 'M', sizeof(info.ModelName));
  info.ModelName[0] = 255;
  memset(info.ProfileNameFB, 'F', sizeof(info.ProfileNameFB));
  char* romVersion = reinterpret_cast<char*>(&info) + offsetof(TWVX_HARDWAREINFO, ROMVersion);
  memset(romVersion, 'R', sizeof(info) - offsetof(TWVX_HARDWAREINFO, ROMVersion));

  std::string dump = DumpOf(info);
  EXPECT_EQ(LineAt(dump, 2), "    ProductName            = []");
  EXPECT_EQ(LineAt(dump, 3), "    ModelName              = [" + std::string(33, 'M') + "]");
  EXPECT_EQ(LineAt(dump, 39), "    ProfileNameFB          = [" + std::string(34, 'F') + "]");
  EXPECT_EQ(LineAt(dump, 40), "    ProfileNameTPU         = [Film.icc]");
  EXPECT_EQ(LineAt(dump, 47), "    ROMVersion             = [" + std::string(34, 'R') + "]");

  // A NUL among the counted characters ends the name, as it ends a C string.
  const unsigned char withNul[] = {5, 'A', 'B', '\0', 'C', 'D'};
  memcpy(info.ProductName, withNul, sizeof(withNul));
  EXPECT_EQ(LineAt(DumpOf(info), 2), "    ProductName            = [AB]");
}

}  // namespace
