// The generated page image: a test chart with a gray ramp, colour bars, one mark per page
// number, a checkerboard and a vertical ramp inside a black border. The same page always
// gives the same bytes, whichever transfer delivers it.
#pragma once

#include "twaintrace/twain_types.h"

struct ChartPage {
  TW_UINT32 columns;
  TW_UINT32 rows;
  TW_UINT16 pixelType;   // TWPT_BW (1 bit, zero is black), TWPT_GRAY (8 bit) or TWPT_RGB (24 bit)
  TW_UINT32 pageNumber;  // from 1
  double brightness;     // -1000 to 1000
};

// Writes rows [firstRow, firstRow + rowCount) one after another, `bytesPerRow` bytes each.
void RenderChartRows(const ChartPage& page, TW_UINT32 firstRow, TW_UINT32 rowCount,
                     TW_UINT32 bytesPerRow, TW_UINT8* out);
