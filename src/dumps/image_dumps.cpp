// The image data group's structures, one formatter each. Arrays whose length the application
// sets at run time (responses, CIE samples, extended image information) show their first entry.
#include "dumps/dump_conventions.h"
#include "dumps/dump_fields.h"
#include "dumps/structure_dumps.h"
#include "names/field_names.h"
#include "names/triplet_names.h"

namespace {

// The first entry of an array whose length the application sets.
template <size_t N>
Fix32Number FirstFix32Number(const TW_FIX32 (&values)[N]) {
  return ToFix32Number(values[0]);
}

}  // namespace

void DumpImageInfo(const DumpContext& context, const TW_IMAGEINFO* pImageInfo) {
  if (pImageInfo == nullptr) return;
  TW_LINE("  TW_IMAGEINFO = {%s", kCrLf);
  TW_FIELDS(4, 16);
  TW_FIELD_FIX32(pImageInfo, XResolution);
  TW_FIELD_FIX32(pImageInfo, YResolution);
  TW_FIELD(pImageInfo, ImageWidth, "%d");
  TW_FIELD(pImageInfo, ImageLength, "%d");
  TW_FIELD(pImageInfo, SamplesPerPixel, "%d");
  // All eight entries, whatever SamplesPerPixel says.
  TW_FIELD_LIST_LABELLED(pImageInfo, BitsPerSample, "BitsPerSamples[]", "%d");
  TW_FIELD(pImageInfo, BitsPerPixel, "%d");
  TW_FIELD_BOOL(pImageInfo, Planar);
  // PixelType is signed here, so -1 reads as ERROR!(-1).
  TW_FIELD_NAME(pImageInfo, PixelType, twpt_macros, twpt_supplement);
  TW_FIELD_NAME(pImageInfo, Compression, twcp_macros, twcp_supplement);
  TW_LINE("  }%s", kCrLf);
}

void DumpImageLayout(const DumpContext& context, const TW_IMAGELAYOUT* pImageLayout) {
  if (pImageLayout == nullptr) return;
  TW_LINE("  TW_IMAGELAYOUT = {%s", kCrLf);
  TW_FIELDS(4, 14);
  TW_FIELD_STRUCT(pImageLayout, Frame, DumpFrame);
  TW_FIELD_U32(pImageLayout, DocumentNumber);
  TW_FIELD_U32(pImageLayout, PageNumber);
  TW_FIELD_U32(pImageLayout, FrameNumber);
  TW_LINE("  }%s", kCrLf);
}

void DumpFrame(const DumpContext& context, const TW_FRAME* pFrame) {
  if (pFrame == nullptr) return;
  TW_LINE("    TW_FRAME = {%s", kCrLf);
  TW_FIELDS(6, 6);
  TW_FIELD_FIX32(pFrame, Left);
  TW_FIELD_FIX32(pFrame, Top);
  TW_FIELD_FIX32(pFrame, Right);
  TW_FIELD_FIX32(pFrame, Bottom);
  TW_LINE("    }%s", kCrLf);
}

void DumpImageMemXfer(const DumpContext& context, const TW_IMAGEMEMXFER* pImageMemXfer) {
  if (pImageMemXfer == nullptr) return;
  TW_LINE("  TW_IMAGEMEMXFER = {%s", kCrLf);
  TW_FIELDS(4, 12);
  TW_FIELD_NAME(pImageMemXfer, Compression, twcp_macros, twcp_supplement);
  TW_FIELD_U32(pImageMemXfer, BytesPerRow);
  TW_FIELD_U32(pImageMemXfer, Columns);
  TW_FIELD_U32(pImageMemXfer, Rows);
  TW_FIELD_U32(pImageMemXfer, XOffset);
  TW_FIELD_U32(pImageMemXfer, YOffset);
  TW_FIELD_U32(pImageMemXfer, BytesWritten);
  TW_FIELD_STRUCT(pImageMemXfer, Memory, DumpMemory);
  // Stored logs close this structure at the start of the line.
  TW_LINE("}%s", kCrLf);
}

void DumpJpegCompression(const DumpContext& context, const TW_JPEGCOMPRESSION* pJpegCompression) {
  if (pJpegCompression == nullptr) return;
  const TW_JPEGCOMPRESSION& jpeg = *pJpegCompression;
  TW_LINE("  TW_JPEGCOMPRESSION = {%s", kCrLf);
  TW_FIELDS(4, 16);
  TW_FIELD_NAME(&jpeg, ColorSpace, twpt_macros, twpt_supplement);
  TW_FIELD_U32(&jpeg, SubSampling);
  TW_FIELD(&jpeg, NumComponents, "%d");
  TW_FIELD(&jpeg, RestartFrequency, "%d");
  TW_FIELD_LIST(&jpeg, QuantMap, "%d");
  // Each memory-block label shares its line with the nested TW_MEMORY header.
  TW_FIELD_STRUCT_ENDING(&jpeg, QuantTable, "= {", DumpMemory);
  TW_FIELD_LIST(&jpeg, HuffmanMap, "%d");
  TW_FIELD_STRUCT_ENDING(&jpeg, HuffmanDC, "= {", DumpMemory);
  TW_FIELD_STRUCT_ENDING(&jpeg, HuffmanAC, "= {", DumpMemory);
  TW_LINE("  }%s", kCrLf);
}

void DumpExtImageInfo(const DumpContext& context, const TW_EXTIMAGEINFO* pExtImageInfo) {
  if (pExtImageInfo == nullptr) return;
  TW_LINE("  TW_EXTIMAGEINFO = {%s", kCrLf);
  // NumInfos is shown but never trusted as a bound: only the first entry is read.
  TW_FIELDS(4, 8);
  TW_FIELD_U32(pExtImageInfo, NumInfos);
  TW_FIELD_STRUCT_LABELLED(pExtImageInfo, Info, "Info", DumpInfo);
  TW_LINE("  }%s", kCrLf);
}

void DumpInfo(const DumpContext& context, const TW_INFO* pInfo) {
  if (pInfo == nullptr) return;
  TW_LINE("    TW_INFO = {%s", kCrLf);
  TW_FIELDS(6, 8);
  TW_FIELD(pInfo, InfoID, "%d");
  TW_FIELD_NAME(pInfo, ItemType, twty_macros, twty_supplement);
  TW_FIELD(pInfo, NumItems, "%d");
  TW_FIELD_NAME(pInfo, CondCode, twrc_macros, twrc_supplement);
  TW_FIELD_U32(pInfo, Item);
  TW_LINE("    }%s", kCrLf);
}

void DumpPalette8(const DumpContext& context, const TW_PALETTE8* pPalette8) {
  if (pPalette8 == nullptr) return;
  TW_LINE("  TW_PALETTE8 = { it does not display. }%s", kCrLf);
}

void DumpGrayResponse(const DumpContext& context, const TW_GRAYRESPONSE* pGrayResponse) {
  if (pGrayResponse == nullptr) return;
  TW_LINE("  TW_GRAYRESPONSE = {%s", kCrLf);
  TW_FIELDS(4, 0);
  TW_FIELD_STRUCT(pGrayResponse, Response, DumpElement8);
  TW_LINE("  }%s", kCrLf);
}

void DumpRgbResponse(const DumpContext& context, const TW_RGBRESPONSE* pRgbResponse) {
  if (pRgbResponse == nullptr) return;
  TW_LINE("  TW_RGBRESPONSE = {%s", kCrLf);
  TW_FIELDS(4, 0);
  TW_FIELD_STRUCT(pRgbResponse, Response, DumpElement8);
  TW_LINE("  }%s", kCrLf);
}

void DumpElement8(const DumpContext& context, const TW_ELEMENT8* pElement8) {
  if (pElement8 == nullptr) return;
  TW_LINE("    TW_ELEMENT8 = {%s", kCrLf);
  TW_FIELDS(6, 8);
  TW_FIELD(pElement8, Index, "%d");
  TW_FIELD(pElement8, Channel1, "%d");
  TW_FIELD(pElement8, Channel2, "%d");
  TW_FIELD(pElement8, Channel3, "%d");
  TW_LINE("    }%s", kCrLf);
}

void DumpCieColor(const DumpContext& context, const TW_CIECOLOR* pCieColor) {
  if (pCieColor == nullptr) return;
  TW_LINE("  TW_CIECOLOR = {%s", kCrLf);
  TW_FIELDS(4, 15);
  TW_FIELD_NAME(pCieColor, ColorSpace, twpt_macros, twpt_supplement);
  TW_FIELD(pCieColor, LowEndian, "%d");
  TW_FIELD(pCieColor, DeviceDependent, "%d");
  TW_FIELD_U32(pCieColor, VersionNumber);
  {
    // Stored logs show these labels unpadded, the '=' right after them.
    TW_FIELDS(4, 0);
    TW_FIELD_STRUCT_ENDING(pCieColor, StageABC, "=\r\n", DumpTransformStage);
    TW_FIELD_STRUCT_ENDING(pCieColor, StageLMN, "=\r\n", DumpTransformStage);
    TW_FIELD_STRUCT_ENDING(pCieColor, WhitePoint, "=\r\n", DumpCiePoint);
    TW_FIELD_STRUCT_ENDING(pCieColor, BlackPoint, "=\r\n", DumpCiePoint);
    TW_FIELD_STRUCT_ENDING(pCieColor, WhitePaper, "=\r\n", DumpCiePoint);
    TW_FIELD_STRUCT_ENDING(pCieColor, BlackInk, "=\r\n", DumpCiePoint);
  }
  TW_FIELD_LABELLED(pCieColor, Samples, "Samples[]", "%.3f", FirstFix32Number);
  TW_LINE("  }%s", kCrLf);
}

void DumpTransformStage(const DumpContext& context, const TW_TRANSFORMSTAGE* pTransformStage) {
  if (pTransformStage == nullptr) return;
  TW_LINE("    TW_TRANSFORMSTAGE = {%s", kCrLf);
  TW_FIELDS(6, 0);
  TW_FIELD_STRUCT(pTransformStage, Decode, DumpDecodeFunction);
  TW_FIELD_EACH(pTransformStage, Mix, "%.3f", ToFix32Number);
  TW_LINE("    }%s", kCrLf);
}

void DumpDecodeFunction(const DumpContext& context, const TW_DECODEFUNCTION* pDecodeFunction) {
  if (pDecodeFunction == nullptr) return;
  const TW_DECODEFUNCTION& decode = *pDecodeFunction;
  TW_LINE("      TW_DECODEFUNCTION = {%s", kCrLf);
  TW_FIELDS(8, 11);
  TW_FIELD_FIX32(&decode, StartIn);
  TW_FIELD_FIX32(&decode, BreakIn);
  TW_FIELD_FIX32(&decode, EndIn);
  TW_FIELD_FIX32(&decode, StartOut);
  TW_FIELD_FIX32(&decode, BreakOut);
  TW_FIELD_FIX32(&decode, EndOut);
  TW_FIELD_FIX32(&decode, Gamma);
  TW_FIELD_FIX32(&decode, SampleCount);
  TW_LINE("      }%s", kCrLf);
}

void DumpCiePoint(const DumpContext& context, const TW_CIEPOINT* pCiePoint) {
  if (pCiePoint == nullptr) return;
  TW_LINE("    TW_CIEPOINT = {%s", kCrLf);
  TW_FIELDS(6, 1);
  TW_FIELD_FIX32(pCiePoint, X);
  TW_FIELD_FIX32(pCiePoint, Y);
  TW_FIELD_FIX32(pCiePoint, Z);
  TW_LINE("    }%s", kCrLf);
}
