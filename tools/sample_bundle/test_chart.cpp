#include "test_chart.h"

#include <algorithm>
#include <cstring>

namespace {

struct Rgb {
  int red;
  int green;
  int blue;
};

constexpr Rgb kBlack = {0, 0, 0};
constexpr Rgb kWhite = {255, 255, 255};
constexpr Rgb kColourBars[] = {kWhite,        {255, 255, 0}, {0, 255, 255}, {0, 255, 0},
                               {255, 0, 255}, {255, 0, 0},   {0, 0, 255},   kBlack};
constexpr TW_UINT32 kMostMarks = 20;

Rgb Gray(int level) {
  return {level, level, level};
}

// Permille of the way across `extent` that `position` lies.
TW_UINT32 Permille(TW_UINT32 position, TW_UINT32 extent) {
  return static_cast<TW_UINT32>(uint64_t{position} * 1000 / extent);
}

bool OnBorder(const ChartPage& page, TW_UINT32 x, TW_UINT32 y) {
  TW_UINT32 width = std::max<TW_UINT32>(1, page.columns / 100);
  return x < width || y < width || x >= page.columns - width || y >= page.rows - width;
}

bool OnPageMark(const ChartPage& page, TW_UINT32 across, TW_UINT32 down) {
  if (down < 320 || down >= 380 || across < 50) return false;
  TW_UINT32 slot = (across - 50) / 45;
  return slot < std::min(page.pageNumber, kMostMarks) && (across - 50) % 45 < 30;
}

bool OnDarkSquare(const ChartPage& page, TW_UINT32 x, TW_UINT32 y) {
  TW_UINT32 cell = std::max<TW_UINT32>(2, page.columns / 32);
  return ((x / cell) + (y / cell)) % 2 == 1;
}

Rgb ChartColour(const ChartPage& page, TW_UINT32 x, TW_UINT32 y) {
  if (OnBorder(page, x, y)) return kBlack;
  TW_UINT32 across = Permille(x, page.columns);
  TW_UINT32 down = Permille(y, page.rows);
  if (down < 150) return Gray(static_cast<int>(across * 255 / 999));
  if (down < 300) return kColourBars[across * 8 / 1000];
  if (down < 400) return OnPageMark(page, across, down) ? kBlack : kWhite;
  if (down < 750) return OnDarkSquare(page, x, y) ? kBlack : kWhite;
  return Gray(static_cast<int>((down - 750) * 255 / 249));
}

TW_UINT8 Brighten(int level, int offset) {
  return static_cast<TW_UINT8>(std::clamp(level + offset, 0, 255));
}

TW_UINT8 Luminance(Rgb colour) {
  return static_cast<TW_UINT8>((299 * colour.red + 587 * colour.green + 114 * colour.blue + 500) /
                               1000);
}

void RenderRow(const ChartPage& page, TW_UINT32 y, int offset, TW_UINT8* row) {
  for (TW_UINT32 x = 0; x < page.columns; ++x) {
    Rgb colour = ChartColour(page, x, y);
    colour = {Brighten(colour.red, offset), Brighten(colour.green, offset),
              Brighten(colour.blue, offset)};
    if (page.pixelType == TWPT_RGB) {
      row[3 * x] = static_cast<TW_UINT8>(colour.red);
      row[3 * x + 1] = static_cast<TW_UINT8>(colour.green);
      row[3 * x + 2] = static_cast<TW_UINT8>(colour.blue);
    } else if (page.pixelType == TWPT_GRAY) {
      row[x] = Luminance(colour);
    } else if (Luminance(colour) >= 128) {
      row[x / 8] |= static_cast<TW_UINT8>(0x80 >> (x % 8));
    }
  }
}

}  // namespace

void RenderChartRows(const ChartPage& page, TW_UINT32 firstRow, TW_UINT32 rowCount,
                     TW_UINT32 bytesPerRow, TW_UINT8* out) {
  int offset = static_cast<int>(page.brightness * 128 / 1000);
  for (TW_UINT32 row = 0; row < rowCount; ++row) {
    TW_UINT8* line = out + static_cast<size_t>(row) * bytesPerRow;
    memset(line, 0, bytesPerRow);
    RenderRow(page, firstRow + row, offset, line);
  }
}
