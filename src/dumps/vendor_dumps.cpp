// The scanner maker's own structures, exchanged under the vendor data argument types.
#include "analyzer/line_format.h"
#include "analyzer/para_analyze.h"
#include "dumps/dump_conventions.h"
#include "names/field_names.h"

bool CParaAnalyze::TwVxAutoExposureAnalyze(TWVX_AUTOEXPOSURE* pAutoExposure) {
  if (pAutoExposure == nullptr) return true;
  TWVX_AUTOEXPOSURE& exposure = *pAutoExposure;
  TW_LINE("  TWVX_AUTOEXPOSURE = {%s", kCrLf);
  TW_LINE("    Handle       = <0x%08x>%s", exposure.Handle, kCrLf);
  TW_LINE("    Left         = [%d]%s", exposure.Left, kCrLf);
  TW_LINE("    Top          = [%d]%s", exposure.Top, kCrLf);
  TW_LINE("    Right        = [%d]%s", exposure.Right, kCrLf);
  TW_LINE("    Bottom       = [%d]%s", exposure.Bottom, kCrLf);
  TW_LINE("    FilmType     = [%s]%s", Name(twvx_ft_macros, exposure.FilmType), kCrLf);
  TW_LINE("    PreScanGamma = [%s]%s", Name(twvx_pg_macros, exposure.PreScanGamma), kCrLf);
  TW_LINE("    ScreenGamma  = [%.3f]%s", Fix32ToDouble(exposure.ScreenGamma), kCrLf);
  TW_LINE("    GrayBalance  = [%ld]%s", static_cast<long>(exposure.GrayBalance), kCrLf);
  TW_LINE("  }%s", kCrLf);
  return true;
}

bool CParaAnalyze::TwVxRgbMatrixAnalyze(TWVX_RGBMATRIX* pRgbMatrix) {
  if (pRgbMatrix == nullptr) return true;
  TW_LINE("  TWVX_RGBMATRIX = {%s", kCrLf);
  TW_LINE("    ColorCoeff = {");
  SetColorCoeffData(pRgbMatrix->ColorCoeff);
  TW_LINE("}%s", kCrLf);
  TW_LINE("  }%s", kCrLf);
  return true;
}

// The nine coefficients of a 3-by-3 matrix as list items; the caller writes the brackets and
// the line end.
void CParaAnalyze::SetColorCoeffData(TW_FIX32* pCoeff) {
  if (pCoeff == nullptr) return;
  auto c = [pCoeff](int i) { return Fix32ToDouble(pCoeff[i]); };
  TW_LINE("%.3f,%.3f,%.3f,%.3f,%.3f,%.3f,%.3f,%.3f,%.3f", c(0), c(1), c(2), c(3), c(4), c(5), c(6),
          c(7), c(8));
}

bool CParaAnalyze::TwVxColorSmoothingAnalyze(TWVX_COLORSMOOTHING* pColorSmoothing) {
  if (pColorSmoothing == nullptr) return true;
  TWVX_COLORSMOOTHING& smoothing = *pColorSmoothing;
  TW_LINE("  TWVX_COLORSMOOTHING = {%s", kCrLf);
  TW_LINE("    Handle       = <0x%08x>%s", smoothing.Handle, kCrLf);
  TW_LINE("    LeftX        = [%ld]%s", Unsigned32(smoothing.LeftX), kCrLf);
  TW_LINE("    LeftY        = [%ld]%s", Unsigned32(smoothing.LeftY), kCrLf);
  TW_LINE("    TopX         = [%ld]%s", Unsigned32(smoothing.TopX), kCrLf);
  TW_LINE("    TopY         = [%ld]%s", Unsigned32(smoothing.TopY), kCrLf);
  TW_LINE("    RightX       = [%ld]%s", Unsigned32(smoothing.RightX), kCrLf);
  TW_LINE("    RightY       = [%ld]%s", Unsigned32(smoothing.RightY), kCrLf);
  TW_LINE("    BottomX      = [%ld]%s", Unsigned32(smoothing.BottomX), kCrLf);
  TW_LINE("    BottomY      = [%ld]%s", Unsigned32(smoothing.BottomY), kCrLf);
  TW_LINE("    Reserved     = [%ld]%s", Unsigned32(smoothing.Reserved), kCrLf);
  TW_LINE("  }%s", kCrLf);
  return true;
}

bool CParaAnalyze::TwVxSkewInfoAnalyze(TWVX_LOCATIONDATA* pLocationData) {
  if (pLocationData == nullptr) return true;
  TWVX_LOCATIONDATA& location = *pLocationData;
  TW_LINE("  TWVX_LOCATIONDATA = {%s", kCrLf);
  TW_LINE("    BitsPerPixel = [%d]%s", location.BitsPerPixel, kCrLf);
  TW_LINE("    topPoint     = [%ld]%s", Unsigned32(location.topPoint), kCrLf);
  TW_LINE("    leftPoint    = [%ld]%s", Unsigned32(location.leftPoint), kCrLf);
  TW_LINE("    locateW      = [%ld]%s", Unsigned32(location.locateW), kCrLf);
  TW_LINE("    locateH      = [%ld]%s", Unsigned32(location.locateH), kCrLf);
  TW_LINE("    ActualImgW   = [%ld]%s", Unsigned32(location.ActualImgW), kCrLf);
  TW_LINE("    ActualImgH   = [%ld]%s", Unsigned32(location.ActualImgH), kCrLf);
  TW_LINE("    xTangent     = [%ld]%s", Unsigned32(location.xTangent), kCrLf);
  TW_LINE("    yTangent     = [%ld]%s", Unsigned32(location.yTangent), kCrLf);
  TW_LINE("    Theta        = [%.3f]%s", Fix32ToDouble(location.Theta), kCrLf);
  TW_LINE("  }%s", kCrLf);
  return true;
}

// Nested inside TWVX_USMINFO, so printed one level in even when it is the call's own data.
bool CParaAnalyze::TwUnsharpMaskAnalyze(TWVX_USMPARAM* pUsmParam) {
  if (pUsmParam == nullptr) return true;
  TW_LINE("    TWVX_USMPARAM = {%s", kCrLf);
  TW_LINE("      Amount    = [%d]%s", pUsmParam->Amount, kCrLf);
  TW_LINE("      Radius    = [%d]%s", pUsmParam->Radius, kCrLf);
  TW_LINE("      Threshold = [%d]%s", pUsmParam->Threshold, kCrLf);
  TW_LINE("    }%s", kCrLf);
  return true;
}

bool CParaAnalyze::TwVxSettingFrameAnalyze(TWVX_SETTINGFRAME* pSettingFrame) {
  if (pSettingFrame == nullptr) return true;
  TW_LINE("  TWVX_SETTINGFRAME = {%s", kCrLf);
  TW_LINE("    NumFrame    = [%d]%s", pSettingFrame->NumFrame, kCrLf);
  TW_LINE("    CurrentNum  = [%d]%s", pSettingFrame->CurrentNum, kCrLf);
  TW_LINE("  }%s", kCrLf);
  return true;
}

bool CParaAnalyze::TwVxUsmInfoAnalyze(TWVX_USMINFO* pUsmInfo) {
  if (pUsmInfo == nullptr) return true;
  TW_LINE("  TWVX_USMINFO = {%s", kCrLf);
  TW_LINE("    InputResolution = [%d]%s", pUsmInfo->InputResolution, kCrLf);
  TW_LINE("    InUSMLevel      = [%d]%s", pUsmInfo->InUSMLevel, kCrLf);
  TW_LINE("    InFilmType      = [%d]%s", pUsmInfo->InFilmType, kCrLf);
  TW_LINE("    USMParm         = %s", kCrLf);
  TwUnsharpMaskAnalyze(&pUsmInfo->USMParm);
  TW_LINE("    ReviseParm      = %s", kCrLf);
  TwVxReviseBaseParamAnalyze(&pUsmInfo->ReviseParm);
  TW_LINE("  }%s", kCrLf);
  return true;
}

bool CParaAnalyze::TwVxReviseBaseParamAnalyze(TWVX_REVISEBASEPARM* pReviseBaseParm) {
  if (pReviseBaseParm == nullptr) return true;
  TW_LINE("    TWVX_REVISEBASEPARM = {%s", kCrLf);
  TW_LINE("      InputRevise  = %s", kCrLf);
  TwVxThresholdInfoAnalyze(&pReviseBaseParm->InputRevise);
  TW_LINE("      OutputRevise = %s", kCrLf);
  TwVxThresholdInfoAnalyze(&pReviseBaseParm->OutputRevise);
  TW_LINE("      BlurMax      = [%d]%s", pReviseBaseParm->BlurMax, kCrLf);
  TW_LINE("    }%s", kCrLf);
  return true;
}

bool CParaAnalyze::TwVxThresholdInfoAnalyze(TWVX_THRESHOLDINFO* pThresholdInfo) {
  if (pThresholdInfo == nullptr) return true;
  TW_LINE("      TWVX_THRESHOLDINFO = {%s", kCrLf);
  TW_LINE("        ShadowL    = [%d]%s", pThresholdInfo->ShadowL, kCrLf);
  TW_LINE("        ShadowH    = [%d]%s", pThresholdInfo->ShadowH, kCrLf);
  TW_LINE("        HighlightH = [%d]%s", pThresholdInfo->HighlightH, kCrLf);
  TW_LINE("        HighlightL = [%d]%s", pThresholdInfo->HighlightL, kCrLf);
  TW_LINE("      }%s", kCrLf);
  return true;
}

// These vendor calls carry nothing worth showing.
bool CParaAnalyze::TwVxEventAnalyze() {
  return true;
}
bool CParaAnalyze::TwVxRedCorrectionMatrixAnalyze() {
  return true;
}
bool CParaAnalyze::TwVxTwainCallbackMsgAnalyze() {
  return true;
}
