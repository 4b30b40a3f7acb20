// The published interface's dumps and value renderings, for callers that link against them:
// each is the dumps' own, over the current call.
#include <cstdint>
#include <cstring>

#include "analyzer/para_analyze.h"
#include "dumps/item_text.h"
#include "dumps/structure_dumps.h"
#include "names/triplet_names.h"
#include "text/value_text.h"

namespace {

template <typename Structure>
bool Shown(const DumpContext& context, void (*formatter)(const DumpContext&, const Structure*),
           const Structure* data) {
  formatter(context, data);
  return true;
}

// Without a size the caller vouches for the whole container.
template <typename Container>
bool ShownWhole(const DumpContext& context,
                void (*formatter)(const DumpContext&, TW_UINT16, const Container*, size_t),
                TW_UINT16 cap, const Container* container) {
  formatter(context, cap, container, SIZE_MAX);
  return true;
}

// The renderings leave the whole text in the caller's buffer.
void CopyText(const char* text, char* pszText) {
  if (text != pszText) memcpy(pszText, text, strlen(text) + 1);
}

}  // namespace

void CParaAnalyze::ValToStr(TW_UINT16 Cap, TW_UINT16 ItemType, void* pValue, char* pszText) {
  CopyText(ItemText(NamingOf(Cap), ItemType, pValue, pszText), pszText);
}

void CParaAnalyze::ValToCap(TW_UINT16 Cap, TW_UINT16 Value, char* pszText) {
  CopyText(CapValueText(NamingOf(Cap), Value, pszText), pszText);
}

void CParaAnalyze::MakeCapSupportedCaps(TW_UINT16 Cap, char* pszText) {
  CopyText(CapabilityNameOf(Cap, pszText), pszText);
}

void CParaAnalyze::MakeCapVxVersion(TW_UINT16 Value, char* pszText) {
  VxVersionText(Value, pszText);
}

void CParaAnalyze::MakeItemList(TW_UINT16 Cap, TW_UINT16 ItemType, TW_UINT32 NumItems,
                                void* pItem) {
  DumpItemList(Context(), Cap, ItemType, NumItems, pItem, SIZE_MAX);
}

bool CParaAnalyze::TwCapabilityAnalyze(TW_CAPABILITY* p) {
  return Shown(Context(), DumpCapability, p);
}
bool CParaAnalyze::TwContainerAnalyaze(TW_CAPABILITY* p) {
  return Shown(Context(), DumpContainer, p);
}
bool CParaAnalyze::TwArrayAnalyze(TW_UINT16 Cap, TW_ARRAY* p) {
  return ShownWhole(Context(), DumpArray, Cap, p);
}
bool CParaAnalyze::TwEnumerationAnalyze(TW_UINT16 Cap, TW_ENUMERATION* p) {
  return ShownWhole(Context(), DumpEnumeration, Cap, p);
}
bool CParaAnalyze::TwOneValueAnalyze(TW_UINT16 Cap, TW_ONEVALUE* p) {
  return ShownWhole(Context(), DumpOneValue, Cap, p);
}
bool CParaAnalyze::TwRangeAnalyze(TW_UINT16 Cap, TW_RANGE* p) {
  return ShownWhole(Context(), DumpRange, Cap, p);
}

bool CParaAnalyze::TwIdentityAnalyze(TW_IDENTITY* p) {
  return Shown(Context(), DumpIdentity, p);
}
bool CParaAnalyze::TwVersionAnalyze(TW_VERSION* p) {
  return Shown(Context(), DumpVersion, p);
}
bool CParaAnalyze::TwStatusAnalyze(TW_STATUS* p) {
  return Shown(Context(), DumpStatus, p);
}
bool CParaAnalyze::TwEventAnalyze(TW_EVENT* p) {
  return Shown(Context(), DumpEvent, p);
}
bool CParaAnalyze::TwUserInterfaceAnalyze(TW_USERINTERFACE* p) {
  return Shown(Context(), DumpUserInterface, p);
}
bool CParaAnalyze::TwPendingXfersAnalyze(TW_PENDINGXFERS* p) {
  return Shown(Context(), DumpPendingXfers, p);
}
bool CParaAnalyze::TwSetupMemXferAnalyze(TW_SETUPMEMXFER* p) {
  return Shown(Context(), DumpSetupMemXfer, p);
}
bool CParaAnalyze::TwSetupFileXferAnalyze(TW_SETUPFILEXFER* p) {
  return Shown(Context(), DumpSetupFileXfer, p);
}
bool CParaAnalyze::TwMemoryAnalyze(TW_MEMORY* p) {
  return Shown(Context(), DumpMemory, p);
}
bool CParaAnalyze::TwCustomDsDataAnalyze(TW_CUSTOMDSDATA* p) {
  return Shown(Context(), DumpCustomDsData, p);
}
bool CParaAnalyze::TwUint32(void* p) {
  return Shown<void>(Context(), DumpUint32Item, p);
}
// The TWUNK structures of the 16-bit thunker are not dumped.
bool CParaAnalyze::TwTwunkIdentityAnalyze() {
  return true;
}
bool CParaAnalyze::TwTwunkDsentryParamsAnalyze() {
  return true;
}
bool CParaAnalyze::TwTwunkDsentryReturnAnalyze() {
  return true;
}

bool CParaAnalyze::TwImageInfoAnalyze(TW_IMAGEINFO* p) {
  return Shown(Context(), DumpImageInfo, p);
}
bool CParaAnalyze::TwImageLayoutAnalyze(TW_IMAGELAYOUT* p) {
  return Shown(Context(), DumpImageLayout, p);
}
bool CParaAnalyze::TwFrameAnalyze(TW_FRAME* p) {
  return Shown(Context(), DumpFrame, p);
}
bool CParaAnalyze::TwImageMemXferAnalyze(TW_IMAGEMEMXFER* p) {
  return Shown(Context(), DumpImageMemXfer, p);
}
bool CParaAnalyze::TwJpegCompressionAnalyze(TW_JPEGCOMPRESSION* p) {
  return Shown(Context(), DumpJpegCompression, p);
}
bool CParaAnalyze::TwExtImageInfoAnalyze(TW_EXTIMAGEINFO* p) {
  return Shown(Context(), DumpExtImageInfo, p);
}
bool CParaAnalyze::TwInfoAnalyze(TW_INFO* p) {
  return Shown(Context(), DumpInfo, p);
}
bool CParaAnalyze::TwPalette8Analyze(TW_PALETTE8* p) {
  return Shown(Context(), DumpPalette8, p);
}
bool CParaAnalyze::TwGrayResponseAnalyze(TW_GRAYRESPONSE* p) {
  return Shown(Context(), DumpGrayResponse, p);
}
bool CParaAnalyze::TwRgbResponseAnalyze(TW_RGBRESPONSE* p) {
  return Shown(Context(), DumpRgbResponse, p);
}
bool CParaAnalyze::TwElement8Analyze(TW_ELEMENT8* p) {
  return Shown(Context(), DumpElement8, p);
}
bool CParaAnalyze::TwCieColorAnalyze(TW_CIECOLOR* p) {
  return Shown(Context(), DumpCieColor, p);
}
bool CParaAnalyze::TwTransformStageAnalyze(TW_TRANSFORMSTAGE* p) {
  return Shown(Context(), DumpTransformStage, p);
}
bool CParaAnalyze::TwDecodeFunctionAnalyze(TW_DECODEFUNCTION* p) {
  return Shown(Context(), DumpDecodeFunction, p);
}
bool CParaAnalyze::TwCiePointAnalyze(TW_CIEPOINT* p) {
  return Shown(Context(), DumpCiePoint, p);
}

bool CParaAnalyze::TwVxAutoExposureAnalyze(TWVX_AUTOEXPOSURE* p) {
  return Shown(Context(), DumpVxAutoExposure, p);
}
bool CParaAnalyze::TwVxRgbMatrixAnalyze(TWVX_RGBMATRIX* p) {
  return Shown(Context(), DumpVxRgbMatrix, p);
}
bool CParaAnalyze::TwVxColorSmoothingAnalyze(TWVX_COLORSMOOTHING* p) {
  return Shown(Context(), DumpVxColorSmoothing, p);
}
bool CParaAnalyze::TwVxSkewInfoAnalyze(TWVX_LOCATIONDATA* p) {
  return Shown(Context(), DumpVxLocationData, p);
}
bool CParaAnalyze::TwUnsharpMaskAnalyze(TWVX_USMPARAM* p) {
  return Shown(Context(), DumpVxUsmParam, p);
}
bool CParaAnalyze::TwVxSettingFrameAnalyze(TWVX_SETTINGFRAME* p) {
  return Shown(Context(), DumpVxSettingFrame, p);
}
bool CParaAnalyze::TwVxUsmInfoAnalyze(TWVX_USMINFO* p) {
  return Shown(Context(), DumpVxUsmInfo, p);
}
bool CParaAnalyze::TwVxReviseBaseParamAnalyze(TWVX_REVISEBASEPARM* p) {
  return Shown(Context(), DumpVxReviseBaseParm, p);
}
bool CParaAnalyze::TwVxThresholdInfoAnalyze(TWVX_THRESHOLDINFO* p) {
  return Shown(Context(), DumpVxThresholdInfo, p);
}
bool CParaAnalyze::TwHardwareInfoAnalyze(TWVX_HARDWAREINFO* p) {
  return Shown(Context(), DumpVxHardwareInfo, p);
}
void CParaAnalyze::SetColorCoeffData(TW_FIX32* p) {
  DumpColorCoefficients(Context(), p);
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
