// The size of a page in inches and in pixels, and the image structures that describe it.
#pragma once

#include "capabilities.h"
#include "twaintrace/twain_types.h"

struct PageGeometry {
  double width;  // inches, as the page lies after orientation
  double height;
  TW_UINT32 columns;
  TW_UINT32 rows;
  TW_UINT32 bytesPerRow;  // whole bytes, no padding
};

PageGeometry GeometryOf(const ScanSettings& settings);

void FillImageInfo(const ScanSettings& settings, TW_IMAGEINFO* info);
// The whole page is the frame; `pageNumber` counts from 1 within the job.
void FillImageLayout(const ScanSettings& settings, TW_UINT32 pageNumber, TW_IMAGELAYOUT* layout);
