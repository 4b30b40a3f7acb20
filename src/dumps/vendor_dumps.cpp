// The scanner maker's own structures, exchanged under the vendor data argument types.
#include "analyzer/append_line.h"
#include "analyzer/para_analyze.h"
#include "dumps/dump_conventions.h"
#include "names/field_names.h"

bool CParaAnalyze::TwVxAutoExposureAnalyze(TWVX_AUTOEXPOSURE* pAutoExposure) {
  if (pAutoExposure == nullptr) return true;
  TWVX_AUTOEXPOSURE& exposure = *pAutoExposure;
  Line("  TWVX_AUTOEXPOSURE = {%s", kCrLf);
  Line("    Handle       = <0x%08x>%s", exposure.Handle, kCrLf);
  Line("    Left         = [%d]%s", exposure.Left, kCrLf);
  Line("    Top          = [%d]%s", exposure.Top, kCrLf);
  Line("    Right        = [%d]%s", exposure.Right, kCrLf);
  Line("    Bottom       = [%d]%s", exposure.Bottom, kCrLf);
  Line("    FilmType     = [%s]%s", Name(twvx_ft_macros, exposure.FilmType), kCrLf);
  Line("    PreScanGamma = [%s]%s", Name(twvx_pg_macros, exposure.PreScanGamma), kCrLf);
  Line("    ScreenGamma  = [%.3f]%s", ToFix32Number(exposure.ScreenGamma), kCrLf);
  Line("    GrayBalance  = [%ld]%s", static_cast<long>(exposure.GrayBalance), kCrLf);
  Line("  }%s", kCrLf);
  return true;
}

bool CParaAnalyze::TwVxRgbMatrixAnalyze(TWVX_RGBMATRIX* pRgbMatrix) {
  if (pRgbMatrix == nullptr) return true;
  Line("  TWVX_RGBMATRIX = {%s", kCrLf);
  Line("    ColorCoeff = {");
  SetColorCoeffData(pRgbMatrix->ColorCoeff);
  Line("}%s", kCrLf);
  Line("  }%s", kCrLf);
  return true;
}

// The nine coefficients of a 3-by-3 matrix as list items; the caller writes the brackets and
// the line end.
void CParaAnalyze::SetColorCoeffData(TW_FIX32* pCoeff) {
  if (pCoeff == nullptr) return;
  auto c = [pCoeff](int i) { return ToFix32Number(pCoeff[i]); };
  Line("%.3f,%.3f,%.3f,%.3f,%.3f,%.3f,%.3f,%.3f,%.3f", c(0), c(1), c(2), c(3), c(4), c(5), c(6),
       c(7), c(8));
}

bool CParaAnalyze::TwVxColorSmoothingAnalyze(TWVX_COLORSMOOTHING* pColorSmoothing) {
  if (pColorSmoothing == nullptr) return true;
  TWVX_COLORSMOOTHING& smoothing = *pColorSmoothing;
  Line("  TWVX_COLORSMOOTHING = {%s", kCrLf);
  Line("    Handle       = <0x%08x>%s", smoothing.Handle, kCrLf);
  Line("    LeftX        = [%ld]%s", Uint32AsLong(smoothing.LeftX), kCrLf);
  Line("    LeftY        = [%ld]%s", Uint32AsLong(smoothing.LeftY), kCrLf);
  Line("    TopX         = [%ld]%s", Uint32AsLong(smoothing.TopX), kCrLf);
  Line("    TopY         = [%ld]%s", Uint32AsLong(smoothing.TopY), kCrLf);
  Line("    RightX       = [%ld]%s", Uint32AsLong(smoothing.RightX), kCrLf);
  Line("    RightY       = [%ld]%s", Uint32AsLong(smoothing.RightY), kCrLf);
  Line("    BottomX      = [%ld]%s", Uint32AsLong(smoothing.BottomX), kCrLf);
  Line("    BottomY      = [%ld]%s", Uint32AsLong(smoothing.BottomY), kCrLf);
  Line("    Reserved     = [%ld]%s", Uint32AsLong(smoothing.Reserved), kCrLf);
  Line("  }%s", kCrLf);
  return true;
}

bool CParaAnalyze::TwVxSkewInfoAnalyze(TWVX_LOCATIONDATA* pLocationData) {
  if (pLocationData == nullptr) return true;
  TWVX_LOCATIONDATA& location = *pLocationData;
  Line("  TWVX_LOCATIONDATA = {%s", kCrLf);
  Line("    BitsPerPixel = [%d]%s", location.BitsPerPixel, kCrLf);
  Line("    topPoint     = [%ld]%s", Uint32AsLong(location.topPoint), kCrLf);
  Line("    leftPoint    = [%ld]%s", Uint32AsLong(location.leftPoint), kCrLf);
  Line("    locateW      = [%ld]%s", Uint32AsLong(location.locateW), kCrLf);
  Line("    locateH      = [%ld]%s", Uint32AsLong(location.locateH), kCrLf);
  Line("    ActualImgW   = [%ld]%s", Uint32AsLong(location.ActualImgW), kCrLf);
  Line("    ActualImgH   = [%ld]%s", Uint32AsLong(location.ActualImgH), kCrLf);
  Line("    xTangent     = [%ld]%s", Uint32AsLong(location.xTangent), kCrLf);
  Line("    yTangent     = [%ld]%s", Uint32AsLong(location.yTangent), kCrLf);
  Line("    Theta        = [%.3f]%s", ToFix32Number(location.Theta), kCrLf);
  Line("  }%s", kCrLf);
  return true;
}

// Nested inside TWVX_USMINFO, so printed one level in even when it is the call's own data.
bool CParaAnalyze::TwUnsharpMaskAnalyze(TWVX_USMPARAM* pUsmParam) {
  if (pUsmParam == nullptr) return true;
  Line("    TWVX_USMPARAM = {%s", kCrLf);
  Line("      Amount    = [%d]%s", pUsmParam->Amount, kCrLf);
  Line("      Radius    = [%d]%s", pUsmParam->Radius, kCrLf);
  Line("      Threshold = [%d]%s", pUsmParam->Threshold, kCrLf);
  Line("    }%s", kCrLf);
  return true;
}

bool CParaAnalyze::TwVxSettingFrameAnalyze(TWVX_SETTINGFRAME* pSettingFrame) {
  if (pSettingFrame == nullptr) return true;
  Line("  TWVX_SETTINGFRAME = {%s", kCrLf);
  Line("    NumFrame    = [%d]%s", pSettingFrame->NumFrame, kCrLf);
  Line("    CurrentNum  = [%d]%s", pSettingFrame->CurrentNum, kCrLf);
  Line("  }%s", kCrLf);
  return true;
}

bool CParaAnalyze::TwVxUsmInfoAnalyze(TWVX_USMINFO* pUsmInfo) {
  if (pUsmInfo == nullptr) return true;
  Line("  TWVX_USMINFO = {%s", kCrLf);
  Line("    InputResolution = [%d]%s", pUsmInfo->InputResolution, kCrLf);
  Line("    InUSMLevel      = [%d]%s", pUsmInfo->InUSMLevel, kCrLf);
  Line("    InFilmType      = [%d]%s", pUsmInfo->InFilmType, kCrLf);
  Line("    USMParm         = %s", kCrLf);
  TwUnsharpMaskAnalyze(&pUsmInfo->USMParm);
  Line("    ReviseParm      = %s", kCrLf);
  TwVxReviseBaseParamAnalyze(&pUsmInfo->ReviseParm);
  Line("  }%s", kCrLf);
  return true;
}

bool CParaAnalyze::TwVxReviseBaseParamAnalyze(TWVX_REVISEBASEPARM* pReviseBaseParm) {
  if (pReviseBaseParm == nullptr) return true;
  Line("    TWVX_REVISEBASEPARM = {%s", kCrLf);
  Line("      InputRevise  = %s", kCrLf);
  TwVxThresholdInfoAnalyze(&pReviseBaseParm->InputRevise);
  Line("      OutputRevise = %s", kCrLf);
  TwVxThresholdInfoAnalyze(&pReviseBaseParm->OutputRevise);
  Line("      BlurMax      = [%d]%s", pReviseBaseParm->BlurMax, kCrLf);
  Line("    }%s", kCrLf);
  return true;
}

bool CParaAnalyze::TwVxThresholdInfoAnalyze(TWVX_THRESHOLDINFO* pThresholdInfo) {
  if (pThresholdInfo == nullptr) return true;
  Line("      TWVX_THRESHOLDINFO = {%s", kCrLf);
  Line("        ShadowL    = [%d]%s", pThresholdInfo->ShadowL, kCrLf);
  Line("        ShadowH    = [%d]%s", pThresholdInfo->ShadowH, kCrLf);
  Line("        HighlightH = [%d]%s", pThresholdInfo->HighlightH, kCrLf);
  Line("        HighlightL = [%d]%s", pThresholdInfo->HighlightL, kCrLf);
  Line("      }%s", kCrLf);
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
