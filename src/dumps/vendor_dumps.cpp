// The scanner maker's own structures, exchanged under the vendor data argument types.
#include "dumps/dump_conventions.h"
#include "dumps/dump_fields.h"
#include "dumps/structure_dumps.h"
#include "names/field_names.h"

void DumpVxAutoExposure(const DumpContext& context, const TWVX_AUTOEXPOSURE* pAutoExposure) {
  if (pAutoExposure == nullptr) return;
  const TWVX_AUTOEXPOSURE& exposure = *pAutoExposure;
  TW_LINE("  TWVX_AUTOEXPOSURE = {%s", kCrLf);
  TW_FIELDS(4, 12);
  TW_FIELD_HANDLE(&exposure, Handle);
  TW_FIELD(&exposure, Left, "%d");
  TW_FIELD(&exposure, Top, "%d");
  TW_FIELD(&exposure, Right, "%d");
  TW_FIELD(&exposure, Bottom, "%d");
  TW_FIELD_NAME(&exposure, FilmType, twvx_ft_macros);
  TW_FIELD_NAME(&exposure, PreScanGamma, twvx_pg_macros);
  TW_FIELD_FIX32(&exposure, ScreenGamma);
  TW_FIELD(&exposure, GrayBalance, "%d");
  TW_LINE("  }%s", kCrLf);
}

void DumpVxRgbMatrix(const DumpContext& context, const TWVX_RGBMATRIX* pRgbMatrix) {
  if (pRgbMatrix == nullptr) return;
  TW_LINE("  TWVX_RGBMATRIX = {%s", kCrLf);
  TW_FIELDS(4, 0);
  TW_FIELD_MATRIX(pRgbMatrix, ColorCoeff, '{', '}');
  TW_LINE("  }%s", kCrLf);
}

// The nine coefficients of a 3-by-3 matrix as list items; the caller writes the brackets and
// the line end.
void DumpColorCoefficients(const DumpContext& context, const TW_FIX32* pCoeff) {
  if (pCoeff == nullptr) return;
  auto c = [pCoeff](int i) { return ToFix32Number(pCoeff[i]); };
  TW_LINE("%.3f,%.3f,%.3f,%.3f,%.3f,%.3f,%.3f,%.3f,%.3f", c(0), c(1), c(2), c(3), c(4), c(5), c(6),
          c(7), c(8));
}

void DumpVxColorSmoothing(const DumpContext& context, const TWVX_COLORSMOOTHING* pColorSmoothing) {
  if (pColorSmoothing == nullptr) return;
  const TWVX_COLORSMOOTHING& smoothing = *pColorSmoothing;
  TW_LINE("  TWVX_COLORSMOOTHING = {%s", kCrLf);
  TW_FIELDS(4, 12);
  TW_FIELD_HANDLE(&smoothing, Handle);
  TW_FIELD_U32(&smoothing, LeftX);
  TW_FIELD_U32(&smoothing, LeftY);
  TW_FIELD_U32(&smoothing, TopX);
  TW_FIELD_U32(&smoothing, TopY);
  TW_FIELD_U32(&smoothing, RightX);
  TW_FIELD_U32(&smoothing, RightY);
  TW_FIELD_U32(&smoothing, BottomX);
  TW_FIELD_U32(&smoothing, BottomY);
  TW_FIELD_U32(&smoothing, Reserved);
  TW_LINE("  }%s", kCrLf);
}

void DumpVxLocationData(const DumpContext& context, const TWVX_LOCATIONDATA* pLocationData) {
  if (pLocationData == nullptr) return;
  const TWVX_LOCATIONDATA& location = *pLocationData;
  TW_LINE("  TWVX_LOCATIONDATA = {%s", kCrLf);
  TW_FIELDS(4, 12);
  TW_FIELD(&location, BitsPerPixel, "%d");
  TW_FIELD_U32(&location, topPoint);
  TW_FIELD_U32(&location, leftPoint);
  TW_FIELD_U32(&location, locateW);
  TW_FIELD_U32(&location, locateH);
  TW_FIELD_U32(&location, ActualImgW);
  TW_FIELD_U32(&location, ActualImgH);
  TW_FIELD_U32(&location, xTangent);
  TW_FIELD_U32(&location, yTangent);
  TW_FIELD_FIX32(&location, Theta);
  TW_LINE("  }%s", kCrLf);
}

// Nested inside TWVX_USMINFO, so printed one level in even when it is the call's own data.
void DumpVxUsmParam(const DumpContext& context, const TWVX_USMPARAM* pUsmParam) {
  if (pUsmParam == nullptr) return;
  TW_LINE("    TWVX_USMPARAM = {%s", kCrLf);
  TW_FIELDS(6, 9);
  TW_FIELD(pUsmParam, Amount, "%d");
  TW_FIELD(pUsmParam, Radius, "%d");
  TW_FIELD(pUsmParam, Threshold, "%d");
  TW_LINE("    }%s", kCrLf);
}

void DumpVxSettingFrame(const DumpContext& context, const TWVX_SETTINGFRAME* pSettingFrame) {
  if (pSettingFrame == nullptr) return;
  TW_LINE("  TWVX_SETTINGFRAME = {%s", kCrLf);
  TW_FIELDS(4, 11);
  TW_FIELD(pSettingFrame, NumFrame, "%d");
  TW_FIELD(pSettingFrame, CurrentNum, "%d");
  TW_LINE("  }%s", kCrLf);
}

void DumpVxUsmInfo(const DumpContext& context, const TWVX_USMINFO* pUsmInfo) {
  if (pUsmInfo == nullptr) return;
  TW_LINE("  TWVX_USMINFO = {%s", kCrLf);
  TW_FIELDS(4, 15);
  TW_FIELD(pUsmInfo, InputResolution, "%d");
  TW_FIELD(pUsmInfo, InUSMLevel, "%d");
  TW_FIELD(pUsmInfo, InFilmType, "%d");
  TW_FIELD_STRUCT_ENDING(pUsmInfo, USMParm, " = \r\n", DumpVxUsmParam);
  TW_FIELD_STRUCT_ENDING(pUsmInfo, ReviseParm, " = \r\n", DumpVxReviseBaseParm);
  TW_LINE("  }%s", kCrLf);
}

void DumpVxReviseBaseParm(const DumpContext& context, const TWVX_REVISEBASEPARM* pReviseBaseParm) {
  if (pReviseBaseParm == nullptr) return;
  TW_LINE("    TWVX_REVISEBASEPARM = {%s", kCrLf);
  TW_FIELDS(6, 12);
  TW_FIELD_STRUCT_ENDING(pReviseBaseParm, InputRevise, " = \r\n", DumpVxThresholdInfo);
  TW_FIELD_STRUCT_ENDING(pReviseBaseParm, OutputRevise, " = \r\n", DumpVxThresholdInfo);
  TW_FIELD(pReviseBaseParm, BlurMax, "%d");
  TW_LINE("    }%s", kCrLf);
}

void DumpVxThresholdInfo(const DumpContext& context, const TWVX_THRESHOLDINFO* pThresholdInfo) {
  if (pThresholdInfo == nullptr) return;
  TW_LINE("      TWVX_THRESHOLDINFO = {%s", kCrLf);
  TW_FIELDS(8, 10);
  TW_FIELD(pThresholdInfo, ShadowL, "%d");
  TW_FIELD(pThresholdInfo, ShadowH, "%d");
  TW_FIELD(pThresholdInfo, HighlightH, "%d");
  TW_FIELD(pThresholdInfo, HighlightL, "%d");
  TW_LINE("      }%s", kCrLf);
}
