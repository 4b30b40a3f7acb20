// The line formatter against the C library: the same text for every directive the dumps use,
// every value a TW_FIX32 can hold in a sample of its whole parts, and every buffer size.
#include "text/line_format.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstdio>
#include <random>
#include <string>

#include "text/value_text.h"

namespace {

// Our text and the library's for one literal format and its arguments, each written into the
// first `size` bytes of a buffer of '#', which must then be the same throughout. The library
// gets each argument as printf receives it: promoted, a TW_FIX32 number as its double.
#define EXPECT_AS_SNPRINTF(size, format, ...)                                                    \
  do {                                                                                           \
    std::string ours(512, '#');                                                                  \
    std::string library(512, '#');                                                               \
    TW_FORMAT(ours.data(), size, format, __VA_ARGS__);                                           \
    [&](const auto&... args) { snprintf(library.data(), size, format, +args...); }(__VA_ARGS__); \
    EXPECT_EQ(ours, library) << "format \"" << format << "\", size " << size;                    \
  } while (0)
#define EXPECT_AS_PRINTF(format, ...) EXPECT_AS_SNPRINTF(512, format, __VA_ARGS__)

// Integers at their limits, arguments promoted as for printf, strings, percent signs, and the
// values no TW_FIX32 holds, which go to the library.
TEST(LineFormat, EachDirectiveAsTheLibraryPrintsIt) {
  for (int value : {0, 1, -1, 7, 42, 99, 100, 12345, -12345, 65535, INT_MAX, INT_MIN}) {
    EXPECT_AS_PRINTF("%d|%i|%3d|%05d|%-5d|", value, value, value, value, value);
    EXPECT_AS_PRINTF("%x|%02x|%04x|%08x|%X|%u|", value, value, value, value, value, value);
    EXPECT_AS_PRINTF("<0x%08x>", static_cast<unsigned>(value));
  }
  for (long value : {0L, -1L, 4294967295L, -4294967296L, LONG_MAX, LONG_MIN}) {
    EXPECT_AS_PRINTF("[%05ld] %ld|%lx|%lu|%-21ld|", value, value, value, value, value);
  }
  EXPECT_AS_PRINTF("%d %d %d %d", TW_UINT16{65535}, TW_INT16{-1}, TW_UINT32{0xFFFFFFFF}, true);
  EXPECT_AS_PRINTF("%x 0x%02x %u", TW_INT16{-1}, TW_UINT8{200}, TW_INT16{-1});
  EXPECT_AS_PRINTF("%c|%3c|%-3c|", 'A', 'b', 'c');
  const char* text = "abc";
  EXPECT_AS_PRINTF("[%s][%s]%s", "", text, kCrLf);
  EXPECT_AS_PRINTF("%.2s|%6s|%-6s|%.5s", text, text, text, text);
  EXPECT_AS_PRINTF("100%% of %s%%", text);
  // Null only at run time, as a pointer from a structure would be.
  const char* volatile none = nullptr;
  EXPECT_AS_PRINTF("[%s]", none);
  for (double value :
       {0.1, -0.0, 1e300, -1e-300, 4294967296.0, 123456789.5, -2.5e-5, static_cast<double>(NAN),
        static_cast<double>(INFINITY), -static_cast<double>(INFINITY)}) {
    EXPECT_AS_PRINTF("[%.3f] [%.1f] [%9.3f] [%f]", value, value, value, value);
  }
}

// A text array is bounded by its size, as a line passes it, terminated or not.
TEST(LineFormat, TextFieldIsReadNoFurtherThanItsEnd) {
  char fieldAndNext[2][4] = {{'a', 'b', 'c', 'd'}, {'X', 'Y', 'Z', '\0'}};
  char text[32];
  TW_FORMAT(text, sizeof(text), "[%s]", fieldAndNext[0]);
  EXPECT_STREQ(text, "[abcd]");
}

// At three decimals, as every dump writes a TW_FIX32.
TEST(LineFormat, EveryFix32OfSampledWholePartsAsTheLibraryRoundsIt) {
  char parts[64];
  char library[64];
  auto check = [&](int whole, unsigned frac) {
    Fix32Number value =
        ToFix32Number(TW_FIX32{static_cast<TW_INT16>(whole), static_cast<TW_UINT16>(frac)});
    TW_FORMAT(parts, sizeof(parts), "%.3f", value);
    snprintf(library, sizeof(library), "%.3f", static_cast<double>(value));
    return strcmp(parts, library) == 0;
  };
  long differing = 0;
  for (int whole : {-32768, -32767, -1000, -2, -1, 0, 1, 2, 9, 10, 99, 100, 999, 1000, 32767}) {
    for (unsigned frac = 0; frac <= 0xFFFF; ++frac) differing += !check(whole, frac);
  }
  std::mt19937 random(1);
  for (int i = 0; i < 200000; ++i) {
    differing += !check(static_cast<int16_t>(random()), random() & 0xFFFF);
  }
  EXPECT_EQ(differing, 0);
}

TEST(LineFormat, CutAtTheBufferEndAsSnprintfCutsIt) {
  const char* name = "ICAP_PIXELTYPE";
  const Fix32Number half{-0x8000};
  for (size_t size = 1; size <= 64; ++size) {
    EXPECT_AS_SNPRINTF(size, "[%05ld] %s = [%.3f]<0x%08x>%s", 12L, name, -1.5, 0xbeefu, kCrLf);
    // Every other kind of directive, each one cut somewhere on its way.
    EXPECT_AS_SNPRINTF(size, "%-6s|%3c|%-4d|%lx|%4.1f|%%|%.2s|%X|%8s|%.3f", "ab", 'q', -7, 0xABCL,
                       half, name, 0xbeefu, "xyz", half);
  }
  // No buffer at all: nothing is stored, also by the directives left to the library.
  const char* none = nullptr;
  TW_FORMAT(nullptr, 0, "%s %.7f %s", name, 0.1, none);
}

}  // namespace
