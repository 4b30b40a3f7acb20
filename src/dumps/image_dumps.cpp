// The image data group's structures, one formatter each. Arrays whose length the application
// sets at run time (responses, CIE samples, extended image information) show their first entry.
#include "analyzer/line_format.h"
#include "analyzer/para_analyze.h"
#include "dumps/dump_conventions.h"
#include "names/field_names.h"
#include "names/triplet_names.h"

bool CParaAnalyze::TwImageInfoAnalyze(TW_IMAGEINFO* pImageInfo) {
  if (pImageInfo == nullptr) return true;
  TW_LINE("  TW_IMAGEINFO = {%s", kCrLf);
  TW_LINE("    XResolution      = [%.3f]%s", Fix32ToDouble(pImageInfo->XResolution), kCrLf);
  TW_LINE("    YResolution      = [%.3f]%s", Fix32ToDouble(pImageInfo->YResolution), kCrLf);
  TW_LINE("    ImageWidth       = [%d]%s", pImageInfo->ImageWidth, kCrLf);
  TW_LINE("    ImageLength      = [%d]%s", pImageInfo->ImageLength, kCrLf);
  TW_LINE("    SamplesPerPixel  = [%d]%s", pImageInfo->SamplesPerPixel, kCrLf);
  // All eight entries, whatever SamplesPerPixel says.
  TW_LINE("    BitsPerSamples[] = {");
  for (int i = 0; i < 7; ++i) TW_LINE("%d,", pImageInfo->BitsPerSample[i]);
  TW_LINE("%d", pImageInfo->BitsPerSample[7]);
  TW_LINE("}%s", kCrLf);
  TW_LINE("    BitsPerPixel     = [%d]%s", pImageInfo->BitsPerPixel, kCrLf);
  TW_LINE("    Planar           = [%s]%s", BoolText(pImageInfo->Planar), kCrLf);
  // PixelType is signed here, so -1 reads as ERROR!(-1).
  TW_LINE("    PixelType        = [%s]%s",
          Name(twpt_macros, twpt_supplement, pImageInfo->PixelType), kCrLf);
  TW_LINE("    Compression      = [%s]%s",
          Name(twcp_macros, twcp_supplement, pImageInfo->Compression), kCrLf);
  TW_LINE("  }%s", kCrLf);
  return true;
}

bool CParaAnalyze::TwImageLayoutAnalyze(TW_IMAGELAYOUT* pImageLayout) {
  if (pImageLayout == nullptr) return true;
  TW_LINE("  TW_IMAGELAYOUT = {%s", kCrLf);
  TW_LINE("    Frame          =%s", kCrLf);
  TwFrameAnalyze(&pImageLayout->Frame);
  TW_LINE("    DocumentNumber = [%ld]%s", Unsigned32(pImageLayout->DocumentNumber), kCrLf);
  TW_LINE("    PageNumber     = [%ld]%s", Unsigned32(pImageLayout->PageNumber), kCrLf);
  TW_LINE("    FrameNumber    = [%ld]%s", Unsigned32(pImageLayout->FrameNumber), kCrLf);
  TW_LINE("  }%s", kCrLf);
  return true;
}

bool CParaAnalyze::TwFrameAnalyze(TW_FRAME* pFrame) {
  if (pFrame == nullptr) return true;
  TW_LINE("    TW_FRAME = {%s", kCrLf);
  TW_LINE("      Left   = [%.3f]%s", Fix32ToDouble(pFrame->Left), kCrLf);
  TW_LINE("      Top    = [%.3f]%s", Fix32ToDouble(pFrame->Top), kCrLf);
  TW_LINE("      Right  = [%.3f]%s", Fix32ToDouble(pFrame->Right), kCrLf);
  TW_LINE("      Bottom = [%.3f]%s", Fix32ToDouble(pFrame->Bottom), kCrLf);
  TW_LINE("    }%s", kCrLf);
  return true;
}

bool CParaAnalyze::TwImageMemXferAnalyze(TW_IMAGEMEMXFER* pImageMemXfer) {
  if (pImageMemXfer == nullptr) return true;
  TW_LINE("  TW_IMAGEMEMXFER = {%s", kCrLf);
  TW_LINE("    Compression  = [%s]%s",
          Name(twcp_macros, twcp_supplement, pImageMemXfer->Compression), kCrLf);
  TW_LINE("    BytesPerRow  = [%ld]%s", Unsigned32(pImageMemXfer->BytesPerRow), kCrLf);
  TW_LINE("    Columns      = [%ld]%s", Unsigned32(pImageMemXfer->Columns), kCrLf);
  TW_LINE("    Rows         = [%ld]%s", Unsigned32(pImageMemXfer->Rows), kCrLf);
  TW_LINE("    XOffset      = [%ld]%s", Unsigned32(pImageMemXfer->XOffset), kCrLf);
  TW_LINE("    YOffset      = [%ld]%s", Unsigned32(pImageMemXfer->YOffset), kCrLf);
  TW_LINE("    BytesWritten = [%ld]%s", Unsigned32(pImageMemXfer->BytesWritten), kCrLf);
  TW_LINE("    Memory       =%s", kCrLf);
  TwMemoryAnalyze(&pImageMemXfer->Memory);
  // Stored logs close this structure at the start of the line.
  TW_LINE("}%s", kCrLf);
  return true;
}

bool CParaAnalyze::TwJpegCompressionAnalyze(TW_JPEGCOMPRESSION* pJpegCompression) {
  if (pJpegCompression == nullptr) return true;
  TW_JPEGCOMPRESSION& jpeg = *pJpegCompression;
  TW_LINE("  TW_JPEGCOMPRESSION = {%s", kCrLf);
  TW_LINE("    ColorSpace       = [%s]%s", Name(twpt_macros, twpt_supplement, jpeg.ColorSpace),
          kCrLf);
  TW_LINE("    SubSampling      = [%ld]%s", Unsigned32(jpeg.SubSampling), kCrLf);
  TW_LINE("    NumComponents    = [%d]%s", jpeg.NumComponents, kCrLf);
  TW_LINE("    RestartFrequency = [%d]%s", jpeg.RestartFrequency, kCrLf);
  TW_LINE("    QuantMap[]       = {");
  for (int i = 0; i < 3; ++i) TW_LINE("%d,", jpeg.QuantMap[i]);
  TW_LINE("%d", jpeg.QuantMap[3]);
  TW_LINE("}%s", kCrLf);
  // Each memory-block label shares its line with the nested TW_MEMORY header.
  for (int i = 0; i < 4; ++i) {
    TW_LINE("    QuantTable[%d]   = {", i);
    TwMemoryAnalyze(&jpeg.QuantTable[i]);
  }
  TW_LINE("    HuffmanMap[]     = {");
  for (int i = 0; i < 3; ++i) TW_LINE("%d,", jpeg.HuffmanMap[i]);
  TW_LINE("%d", jpeg.HuffmanMap[3]);
  TW_LINE("}%s", kCrLf);
  for (int i = 0; i < 2; ++i) {
    TW_LINE("    HuffmanDC[%d]    = {", i);
    TwMemoryAnalyze(&jpeg.HuffmanDC[i]);
  }
  for (int i = 0; i < 2; ++i) {
    TW_LINE("    HuffmanAC[%d]    = {", i);
    TwMemoryAnalyze(&jpeg.HuffmanAC[i]);
  }
  TW_LINE("  }%s", kCrLf);
  return true;
}

bool CParaAnalyze::TwExtImageInfoAnalyze(TW_EXTIMAGEINFO* pExtImageInfo) {
  if (pExtImageInfo == nullptr) return true;
  TW_LINE("  TW_EXTIMAGEINFO = {%s", kCrLf);
  // NumInfos is shown but never trusted as a bound: only the first entry is read.
  TW_LINE("    NumInfos = [%ld]%s", Unsigned32(pExtImageInfo->NumInfos), kCrLf);
  TW_LINE("    Info     =%s", kCrLf);
  TwInfoAnalyze(&pExtImageInfo->Info[0]);
  TW_LINE("  }%s", kCrLf);
  return true;
}

bool CParaAnalyze::TwInfoAnalyze(TW_INFO* pInfo) {
  if (pInfo == nullptr) return true;
  TW_LINE("    TW_INFO = {%s", kCrLf);
  TW_LINE("      InfoID   = [%d]%s", pInfo->InfoID, kCrLf);
  TW_LINE("      ItemType = [%s]%s", Name(twty_macros, twty_supplement, pInfo->ItemType), kCrLf);
  TW_LINE("      NumItems = [%d]%s", pInfo->NumItems, kCrLf);
  TW_LINE("      CondCode = [%s]%s", Name(twrc_macros, twrc_supplement, pInfo->CondCode), kCrLf);
  TW_LINE("      Item     = [%ld]%s", Unsigned32(static_cast<uint32_t>(pInfo->Item)), kCrLf);
  TW_LINE("    }%s", kCrLf);
  return true;
}

bool CParaAnalyze::TwPalette8Analyze(TW_PALETTE8* pPalette8) {
  if (pPalette8 == nullptr) return true;
  TW_LINE("  TW_PALETTE8 = { it does not display. }%s", kCrLf);
  return true;
}

bool CParaAnalyze::TwGrayResponseAnalyze(TW_GRAYRESPONSE* pGrayResponse) {
  if (pGrayResponse == nullptr) return true;
  TW_LINE("  TW_GRAYRESPONSE = {%s", kCrLf);
  TW_LINE("    Response[0] =%s", kCrLf);
  TwElement8Analyze(&pGrayResponse->Response[0]);
  TW_LINE("  }%s", kCrLf);
  return true;
}

bool CParaAnalyze::TwRgbResponseAnalyze(TW_RGBRESPONSE* pRgbResponse) {
  if (pRgbResponse == nullptr) return true;
  TW_LINE("  TW_RGBRESPONSE = {%s", kCrLf);
  TW_LINE("    Response[0] =%s", kCrLf);
  TwElement8Analyze(&pRgbResponse->Response[0]);
  TW_LINE("  }%s", kCrLf);
  return true;
}

bool CParaAnalyze::TwElement8Analyze(TW_ELEMENT8* pElement8) {
  if (pElement8 == nullptr) return true;
  TW_LINE("    TW_ELEMENT8 = {%s", kCrLf);
  TW_LINE("      Index    = [%d]%s", pElement8->Index, kCrLf);
  TW_LINE("      Channel1 = [%d]%s", pElement8->Channel1, kCrLf);
  TW_LINE("      Channel2 = [%d]%s", pElement8->Channel2, kCrLf);
  TW_LINE("      Channel3 = [%d]%s", pElement8->Channel3, kCrLf);
  TW_LINE("    }%s", kCrLf);
  return true;
}

bool CParaAnalyze::TwCieColorAnalyze(TW_CIECOLOR* pCieColor) {
  if (pCieColor == nullptr) return true;
  TW_LINE("  TW_CIECOLOR = {%s", kCrLf);
  TW_LINE("    ColorSpace      = [%s]%s", Name(twpt_macros, twpt_supplement, pCieColor->ColorSpace),
          kCrLf);
  TW_LINE("    LowEndian       = [%d]%s", pCieColor->LowEndian, kCrLf);
  TW_LINE("    DeviceDependent = [%d]%s", pCieColor->DeviceDependent, kCrLf);
  TW_LINE("    VersionNumber   = [%ld]%s",
          Unsigned32(static_cast<uint32_t>(pCieColor->VersionNumber)), kCrLf);
  TW_LINE("    StageABC=%s", kCrLf);
  TwTransformStageAnalyze(&pCieColor->StageABC);
  TW_LINE("    StageLMN=%s", kCrLf);
  TwTransformStageAnalyze(&pCieColor->StageLMN);
  TW_LINE("    WhitePoint=%s", kCrLf);
  TwCiePointAnalyze(&pCieColor->WhitePoint);
  TW_LINE("    BlackPoint=%s", kCrLf);
  TwCiePointAnalyze(&pCieColor->BlackPoint);
  TW_LINE("    WhitePaper=%s", kCrLf);
  TwCiePointAnalyze(&pCieColor->WhitePaper);
  TW_LINE("    BlackInk=%s", kCrLf);
  TwCiePointAnalyze(&pCieColor->BlackInk);
  TW_LINE("    Samples[]       = [%.3f]%s", Fix32ToDouble(pCieColor->Samples[0]), kCrLf);
  TW_LINE("  }%s", kCrLf);
  return true;
}

bool CParaAnalyze::TwTransformStageAnalyze(TW_TRANSFORMSTAGE* pTransformStage) {
  if (pTransformStage == nullptr) return true;
  TW_LINE("    TW_TRANSFORMSTAGE = {%s", kCrLf);
  for (int d = 0; d < 3; ++d) {
    TW_LINE("      Decode[%d] =%s", d, kCrLf);
    TwDecodeFunctionAnalyze(&pTransformStage->Decode[d]);
  }
  for (int i = 0; i < 3; ++i) {
    for (int j = 0; j < 3; ++j) {
      TW_LINE("      Mix[%d][%d] = [%.3f]%s", i, j, Fix32ToDouble(pTransformStage->Mix[i][j]),
              kCrLf);
    }
  }
  TW_LINE("    }%s", kCrLf);
  return true;
}

bool CParaAnalyze::TwDecodeFunctionAnalyze(TW_DECODEFUNCTION* pDecodeFunction) {
  if (pDecodeFunction == nullptr) return true;
  TW_DECODEFUNCTION& decode = *pDecodeFunction;
  TW_LINE("      TW_DECODEFUNCTION = {%s", kCrLf);
  TW_LINE("        StartIn     = [%.3f]%s", Fix32ToDouble(decode.StartIn), kCrLf);
  TW_LINE("        BreakIn     = [%.3f]%s", Fix32ToDouble(decode.BreakIn), kCrLf);
  TW_LINE("        EndIn       = [%.3f]%s", Fix32ToDouble(decode.EndIn), kCrLf);
  TW_LINE("        StartOut    = [%.3f]%s", Fix32ToDouble(decode.StartOut), kCrLf);
  TW_LINE("        BreakOut    = [%.3f]%s", Fix32ToDouble(decode.BreakOut), kCrLf);
  TW_LINE("        EndOut      = [%.3f]%s", Fix32ToDouble(decode.EndOut), kCrLf);
  TW_LINE("        Gamma       = [%.3f]%s", Fix32ToDouble(decode.Gamma), kCrLf);
  TW_LINE("        SampleCount = [%.3f]%s", Fix32ToDouble(decode.SampleCount), kCrLf);
  TW_LINE("      }%s", kCrLf);
  return true;
}

bool CParaAnalyze::TwCiePointAnalyze(TW_CIEPOINT* pCiePoint) {
  if (pCiePoint == nullptr) return true;
  TW_LINE("    TW_CIEPOINT = {%s", kCrLf);
  TW_LINE("      X = [%.3f]%s", Fix32ToDouble(pCiePoint->X), kCrLf);
  TW_LINE("      Y = [%.3f]%s", Fix32ToDouble(pCiePoint->Y), kCrLf);
  TW_LINE("      Z = [%.3f]%s", Fix32ToDouble(pCiePoint->Z), kCrLf);
  TW_LINE("    }%s", kCrLf);
  return true;
}
