// The image data group's structures, one formatter each. Arrays whose length the application
// sets at run time (responses, CIE samples, extended image information) show their first entry.
#include "analyzer/append_line.h"
#include "analyzer/para_analyze.h"
#include "dumps/dump_conventions.h"
#include "names/field_names.h"
#include "names/triplet_names.h"

bool CParaAnalyze::TwImageInfoAnalyze(TW_IMAGEINFO* pImageInfo) {
  if (pImageInfo == nullptr) return true;
  Line("  TW_IMAGEINFO = {%s", kCrLf);
  Line("    XResolution      = [%.3f]%s", ToFix32Number(pImageInfo->XResolution), kCrLf);
  Line("    YResolution      = [%.3f]%s", ToFix32Number(pImageInfo->YResolution), kCrLf);
  Line("    ImageWidth       = [%d]%s", pImageInfo->ImageWidth, kCrLf);
  Line("    ImageLength      = [%d]%s", pImageInfo->ImageLength, kCrLf);
  Line("    SamplesPerPixel  = [%d]%s", pImageInfo->SamplesPerPixel, kCrLf);
  // All eight entries, whatever SamplesPerPixel says.
  Line("    BitsPerSamples[] = {");
  for (int i = 0; i < 7; ++i) Line("%d,", pImageInfo->BitsPerSample[i]);
  Line("%d", pImageInfo->BitsPerSample[7]);
  Line("}%s", kCrLf);
  Line("    BitsPerPixel     = [%d]%s", pImageInfo->BitsPerPixel, kCrLf);
  Line("    Planar           = [%s]%s", BoolText(pImageInfo->Planar), kCrLf);
  // PixelType is signed here, so -1 reads as ERROR!(-1).
  Line("    PixelType        = [%s]%s", Name(twpt_macros, twpt_supplement, pImageInfo->PixelType),
       kCrLf);
  Line("    Compression      = [%s]%s", Name(twcp_macros, twcp_supplement, pImageInfo->Compression),
       kCrLf);
  Line("  }%s", kCrLf);
  return true;
}

bool CParaAnalyze::TwImageLayoutAnalyze(TW_IMAGELAYOUT* pImageLayout) {
  if (pImageLayout == nullptr) return true;
  Line("  TW_IMAGELAYOUT = {%s", kCrLf);
  Line("    Frame          =%s", kCrLf);
  TwFrameAnalyze(&pImageLayout->Frame);
  Line("    DocumentNumber = [%ld]%s", Uint32AsLong(pImageLayout->DocumentNumber), kCrLf);
  Line("    PageNumber     = [%ld]%s", Uint32AsLong(pImageLayout->PageNumber), kCrLf);
  Line("    FrameNumber    = [%ld]%s", Uint32AsLong(pImageLayout->FrameNumber), kCrLf);
  Line("  }%s", kCrLf);
  return true;
}

bool CParaAnalyze::TwFrameAnalyze(TW_FRAME* pFrame) {
  if (pFrame == nullptr) return true;
  Line("    TW_FRAME = {%s", kCrLf);
  Line("      Left   = [%.3f]%s", ToFix32Number(pFrame->Left), kCrLf);
  Line("      Top    = [%.3f]%s", ToFix32Number(pFrame->Top), kCrLf);
  Line("      Right  = [%.3f]%s", ToFix32Number(pFrame->Right), kCrLf);
  Line("      Bottom = [%.3f]%s", ToFix32Number(pFrame->Bottom), kCrLf);
  Line("    }%s", kCrLf);
  return true;
}

bool CParaAnalyze::TwImageMemXferAnalyze(TW_IMAGEMEMXFER* pImageMemXfer) {
  if (pImageMemXfer == nullptr) return true;
  Line("  TW_IMAGEMEMXFER = {%s", kCrLf);
  Line("    Compression  = [%s]%s", Name(twcp_macros, twcp_supplement, pImageMemXfer->Compression),
       kCrLf);
  Line("    BytesPerRow  = [%ld]%s", Uint32AsLong(pImageMemXfer->BytesPerRow), kCrLf);
  Line("    Columns      = [%ld]%s", Uint32AsLong(pImageMemXfer->Columns), kCrLf);
  Line("    Rows         = [%ld]%s", Uint32AsLong(pImageMemXfer->Rows), kCrLf);
  Line("    XOffset      = [%ld]%s", Uint32AsLong(pImageMemXfer->XOffset), kCrLf);
  Line("    YOffset      = [%ld]%s", Uint32AsLong(pImageMemXfer->YOffset), kCrLf);
  Line("    BytesWritten = [%ld]%s", Uint32AsLong(pImageMemXfer->BytesWritten), kCrLf);
  Line("    Memory       =%s", kCrLf);
  TwMemoryAnalyze(&pImageMemXfer->Memory);
  // Stored logs close this structure at the start of the line.
  Line("}%s", kCrLf);
  return true;
}

bool CParaAnalyze::TwJpegCompressionAnalyze(TW_JPEGCOMPRESSION* pJpegCompression) {
  if (pJpegCompression == nullptr) return true;
  TW_JPEGCOMPRESSION& jpeg = *pJpegCompression;
  Line("  TW_JPEGCOMPRESSION = {%s", kCrLf);
  Line("    ColorSpace       = [%s]%s", Name(twpt_macros, twpt_supplement, jpeg.ColorSpace), kCrLf);
  Line("    SubSampling      = [%ld]%s", Uint32AsLong(jpeg.SubSampling), kCrLf);
  Line("    NumComponents    = [%d]%s", jpeg.NumComponents, kCrLf);
  Line("    RestartFrequency = [%d]%s", jpeg.RestartFrequency, kCrLf);
  Line("    QuantMap[]       = {");
  for (int i = 0; i < 3; ++i) Line("%d,", jpeg.QuantMap[i]);
  Line("%d", jpeg.QuantMap[3]);
  Line("}%s", kCrLf);
  // Each memory-block label shares its line with the nested TW_MEMORY header.
  for (int i = 0; i < 4; ++i) {
    Line("    QuantTable[%d]   = {", i);
    TwMemoryAnalyze(&jpeg.QuantTable[i]);
  }
  Line("    HuffmanMap[]     = {");
  for (int i = 0; i < 3; ++i) Line("%d,", jpeg.HuffmanMap[i]);
  Line("%d", jpeg.HuffmanMap[3]);
  Line("}%s", kCrLf);
  for (int i = 0; i < 2; ++i) {
    Line("    HuffmanDC[%d]    = {", i);
    TwMemoryAnalyze(&jpeg.HuffmanDC[i]);
  }
  for (int i = 0; i < 2; ++i) {
    Line("    HuffmanAC[%d]    = {", i);
    TwMemoryAnalyze(&jpeg.HuffmanAC[i]);
  }
  Line("  }%s", kCrLf);
  return true;
}

bool CParaAnalyze::TwExtImageInfoAnalyze(TW_EXTIMAGEINFO* pExtImageInfo) {
  if (pExtImageInfo == nullptr) return true;
  Line("  TW_EXTIMAGEINFO = {%s", kCrLf);
  // NumInfos is shown but never trusted as a bound: only the first entry is read.
  Line("    NumInfos = [%ld]%s", Uint32AsLong(pExtImageInfo->NumInfos), kCrLf);
  Line("    Info     =%s", kCrLf);
  TwInfoAnalyze(&pExtImageInfo->Info[0]);
  Line("  }%s", kCrLf);
  return true;
}

bool CParaAnalyze::TwInfoAnalyze(TW_INFO* pInfo) {
  if (pInfo == nullptr) return true;
  Line("    TW_INFO = {%s", kCrLf);
  Line("      InfoID   = [%d]%s", pInfo->InfoID, kCrLf);
  Line("      ItemType = [%s]%s", Name(twty_macros, twty_supplement, pInfo->ItemType), kCrLf);
  Line("      NumItems = [%d]%s", pInfo->NumItems, kCrLf);
  Line("      CondCode = [%s]%s", Name(twrc_macros, twrc_supplement, pInfo->CondCode), kCrLf);
  Line("      Item     = [%ld]%s", Uint32AsLong(static_cast<uint32_t>(pInfo->Item)), kCrLf);
  Line("    }%s", kCrLf);
  return true;
}

bool CParaAnalyze::TwPalette8Analyze(TW_PALETTE8* pPalette8) {
  if (pPalette8 == nullptr) return true;
  Line("  TW_PALETTE8 = { it does not display. }%s", kCrLf);
  return true;
}

bool CParaAnalyze::TwGrayResponseAnalyze(TW_GRAYRESPONSE* pGrayResponse) {
  if (pGrayResponse == nullptr) return true;
  Line("  TW_GRAYRESPONSE = {%s", kCrLf);
  Line("    Response[0] =%s", kCrLf);
  TwElement8Analyze(&pGrayResponse->Response[0]);
  Line("  }%s", kCrLf);
  return true;
}

bool CParaAnalyze::TwRgbResponseAnalyze(TW_RGBRESPONSE* pRgbResponse) {
  if (pRgbResponse == nullptr) return true;
  Line("  TW_RGBRESPONSE = {%s", kCrLf);
  Line("    Response[0] =%s", kCrLf);
  TwElement8Analyze(&pRgbResponse->Response[0]);
  Line("  }%s", kCrLf);
  return true;
}

bool CParaAnalyze::TwElement8Analyze(TW_ELEMENT8* pElement8) {
  if (pElement8 == nullptr) return true;
  Line("    TW_ELEMENT8 = {%s", kCrLf);
  Line("      Index    = [%d]%s", pElement8->Index, kCrLf);
  Line("      Channel1 = [%d]%s", pElement8->Channel1, kCrLf);
  Line("      Channel2 = [%d]%s", pElement8->Channel2, kCrLf);
  Line("      Channel3 = [%d]%s", pElement8->Channel3, kCrLf);
  Line("    }%s", kCrLf);
  return true;
}

bool CParaAnalyze::TwCieColorAnalyze(TW_CIECOLOR* pCieColor) {
  if (pCieColor == nullptr) return true;
  Line("  TW_CIECOLOR = {%s", kCrLf);
  Line("    ColorSpace      = [%s]%s", Name(twpt_macros, twpt_supplement, pCieColor->ColorSpace),
       kCrLf);
  Line("    LowEndian       = [%d]%s", pCieColor->LowEndian, kCrLf);
  Line("    DeviceDependent = [%d]%s", pCieColor->DeviceDependent, kCrLf);
  Line("    VersionNumber   = [%ld]%s",
       Uint32AsLong(static_cast<uint32_t>(pCieColor->VersionNumber)), kCrLf);
  Line("    StageABC=%s", kCrLf);
  TwTransformStageAnalyze(&pCieColor->StageABC);
  Line("    StageLMN=%s", kCrLf);
  TwTransformStageAnalyze(&pCieColor->StageLMN);
  Line("    WhitePoint=%s", kCrLf);
  TwCiePointAnalyze(&pCieColor->WhitePoint);
  Line("    BlackPoint=%s", kCrLf);
  TwCiePointAnalyze(&pCieColor->BlackPoint);
  Line("    WhitePaper=%s", kCrLf);
  TwCiePointAnalyze(&pCieColor->WhitePaper);
  Line("    BlackInk=%s", kCrLf);
  TwCiePointAnalyze(&pCieColor->BlackInk);
  Line("    Samples[]       = [%.3f]%s", ToFix32Number(pCieColor->Samples[0]), kCrLf);
  Line("  }%s", kCrLf);
  return true;
}

bool CParaAnalyze::TwTransformStageAnalyze(TW_TRANSFORMSTAGE* pTransformStage) {
  if (pTransformStage == nullptr) return true;
  Line("    TW_TRANSFORMSTAGE = {%s", kCrLf);
  for (int d = 0; d < 3; ++d) {
    Line("      Decode[%d] =%s", d, kCrLf);
    TwDecodeFunctionAnalyze(&pTransformStage->Decode[d]);
  }
  for (int i = 0; i < 3; ++i) {
    for (int j = 0; j < 3; ++j) {
      Line("      Mix[%d][%d] = [%.3f]%s", i, j, ToFix32Number(pTransformStage->Mix[i][j]), kCrLf);
    }
  }
  Line("    }%s", kCrLf);
  return true;
}

bool CParaAnalyze::TwDecodeFunctionAnalyze(TW_DECODEFUNCTION* pDecodeFunction) {
  if (pDecodeFunction == nullptr) return true;
  TW_DECODEFUNCTION& decode = *pDecodeFunction;
  Line("      TW_DECODEFUNCTION = {%s", kCrLf);
  Line("        StartIn     = [%.3f]%s", ToFix32Number(decode.StartIn), kCrLf);
  Line("        BreakIn     = [%.3f]%s", ToFix32Number(decode.BreakIn), kCrLf);
  Line("        EndIn       = [%.3f]%s", ToFix32Number(decode.EndIn), kCrLf);
  Line("        StartOut    = [%.3f]%s", ToFix32Number(decode.StartOut), kCrLf);
  Line("        BreakOut    = [%.3f]%s", ToFix32Number(decode.BreakOut), kCrLf);
  Line("        EndOut      = [%.3f]%s", ToFix32Number(decode.EndOut), kCrLf);
  Line("        Gamma       = [%.3f]%s", ToFix32Number(decode.Gamma), kCrLf);
  Line("        SampleCount = [%.3f]%s", ToFix32Number(decode.SampleCount), kCrLf);
  Line("      }%s", kCrLf);
  return true;
}

bool CParaAnalyze::TwCiePointAnalyze(TW_CIEPOINT* pCiePoint) {
  if (pCiePoint == nullptr) return true;
  Line("    TW_CIEPOINT = {%s", kCrLf);
  Line("      X = [%.3f]%s", ToFix32Number(pCiePoint->X), kCrLf);
  Line("      Y = [%.3f]%s", ToFix32Number(pCiePoint->Y), kCrLf);
  Line("      Z = [%.3f]%s", ToFix32Number(pCiePoint->Z), kCrLf);
  Line("    }%s", kCrLf);
  return true;
}
