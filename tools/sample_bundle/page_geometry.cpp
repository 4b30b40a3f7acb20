#include "page_geometry.h"

#include <cmath>
#include <utility>

#include "common/twain_values.h"

namespace {

struct PaperSize {
  TW_UINT16 size;
  double width;
  double height;
};

constexpr PaperSize kPaperSizes[] = {
    {TWSS_A4, 210 / 25.4, 297 / 25.4},
    {TWSS_USLETTER, 8.5, 11.0},
    {TWSS_USLEGAL, 8.5, 14.0},
    {TWSS_A5, 148 / 25.4, 210 / 25.4},
};

PaperSize PaperOf(TW_UINT16 size) {
  for (const PaperSize& paper : kPaperSizes) {
    if (paper.size == size) return paper;
  }
  return kPaperSizes[0];
}

TW_UINT32 Pixels(double inches, double resolution) {
  return static_cast<TW_UINT32>(std::lround(inches * resolution));
}

TW_INT16 SamplesPerPixel(TW_UINT16 pixelType) {
  return pixelType == TWPT_RGB ? 3 : 1;
}

}  // namespace

PageGeometry GeometryOf(const ScanSettings& settings) {
  PaperSize paper = PaperOf(settings.supportedSize);
  PageGeometry geometry{};
  geometry.width = paper.width;
  geometry.height = paper.height;
  if (settings.orientation == TWOR_LANDSCAPE) std::swap(geometry.width, geometry.height);
  geometry.columns = Pixels(geometry.width, settings.xResolution);
  geometry.rows = Pixels(geometry.height, settings.yResolution);
  geometry.bytesPerRow = (geometry.columns * settings.bitDepth + 7) / 8;
  return geometry;
}

void FillImageInfo(const ScanSettings& settings, TW_IMAGEINFO* info) {
  PageGeometry geometry = GeometryOf(settings);
  *info = TW_IMAGEINFO{};
  info->XResolution = ToFix32(settings.xResolution);
  info->YResolution = ToFix32(settings.yResolution);
  info->ImageWidth = static_cast<TW_INT32>(geometry.columns);
  info->ImageLength = static_cast<TW_INT32>(geometry.rows);
  info->SamplesPerPixel = SamplesPerPixel(settings.pixelType);
  for (TW_INT16 sample = 0; sample < info->SamplesPerPixel; ++sample) {
    info->BitsPerSample[sample] = static_cast<TW_INT16>(settings.bitDepth / info->SamplesPerPixel);
  }
  info->BitsPerPixel = static_cast<TW_INT16>(settings.bitDepth);
  info->Planar = 0;
  info->PixelType = static_cast<TW_INT16>(settings.pixelType);
  info->Compression = TWCP_NONE;
}

void FillImageLayout(const ScanSettings& settings, TW_UINT32 pageNumber, TW_IMAGELAYOUT* layout) {
  PageGeometry geometry = GeometryOf(settings);
  layout->Frame.Left = ToFix32(0);
  layout->Frame.Top = ToFix32(0);
  layout->Frame.Right = ToFix32(geometry.width);
  layout->Frame.Bottom = ToFix32(geometry.height);
  layout->DocumentNumber = 1;
  layout->PageNumber = pageNumber;
  layout->FrameNumber = 1;
}
