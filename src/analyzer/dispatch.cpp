// Routes the triplet's data to the formatter of its structure by data argument type. The types
// that have operations form three dense ranges, each a table indexed by the type's offset.
#include <cstdint>
#include <cstring>
#include <iterator>

#include "analyzer/para_analyze.h"
#include "names/vendor_extensions.h"

namespace {

using DatOperation = bool (CParaAnalyze::*)();

// DAT_NULL to DAT_CUSTOMDSDATA.
constexpr DatOperation kControlOperations[] = {
    &CParaAnalyze::DatNullAnalyze,         &CParaAnalyze::DatCapabilityAnalyze,
    &CParaAnalyze::DatEventAnalyze,        &CParaAnalyze::DatIdentityAnalyze,
    &CParaAnalyze::DatParentAnalyze,       &CParaAnalyze::DatPendingXfersAnalyze,
    &CParaAnalyze::DatSetupMemXferAnalyze, &CParaAnalyze::DatSetupFileXferAnalyze,
    &CParaAnalyze::DatStatusAnalyze,       &CParaAnalyze::DatUserInterfaceAnalyze,
    &CParaAnalyze::DatXferGroupAnalyze,    &CParaAnalyze::DatTwunkIdentityAnalyze,
    &CParaAnalyze::DatCustomDsDataAnalyze,
};
static_assert(std::size(kControlOperations) == DAT_CUSTOMDSDATA - DAT_NULL + 1);

// DAT_IMAGEINFO to DAT_EXTIMAGEINFO.
constexpr DatOperation kImageOperations[] = {
    &CParaAnalyze::DatImageInfoAnalyze,       &CParaAnalyze::DatImageLayoutAnalyze,
    &CParaAnalyze::DatImageMemXferAnalyze,    &CParaAnalyze::DatImageNativeXferAnalyze,
    &CParaAnalyze::DatImageFileXferAnalyze,   &CParaAnalyze::DatCieColorAnalyze,
    &CParaAnalyze::DatGrayResponseAnalyze,    &CParaAnalyze::DatRgbResponseAnalyze,
    &CParaAnalyze::DatJpegCompressionAnalyze, &CParaAnalyze::DatPalette8Analyze,
    &CParaAnalyze::DatExtImageInfoAnalyze,
};
static_assert(std::size(kImageOperations) == DAT_EXTIMAGEINFO - DAT_IMAGEINFO + 1);

// DAT_VX_AUTOEXPOSURE to DAT_VX_USMINFO.
constexpr DatOperation kVendorOperations[] = {
    &CParaAnalyze::DatVxAutoExposureAnalyze,     &CParaAnalyze::DatVxRgbMatrixAnalyze,
    &CParaAnalyze::DatVxColorSmoothingAnalyze,   &CParaAnalyze::DatVxEventAnalyze,
    &CParaAnalyze::DatHardwareInfoAnalyze,       &CParaAnalyze::DatVxSkewInfoAnalyze,
    &CParaAnalyze::DatUnsharpMaskAnalyze,        &CParaAnalyze::DatVxRedCorrectionMatrixAnalyze,
    &CParaAnalyze::DatVxTwainCallbackMsgAnalyze, &CParaAnalyze::DatVxSettingFrameAnalyze,
    &CParaAnalyze::DatVxUsmInfoAnalyze,
};
static_assert(std::size(kVendorOperations) == DAT_VX_USMINFO - DAT_VX_AUTOEXPOSURE + 1);

template <size_t N>
DatOperation InRange(const DatOperation (&operations)[N], TW_UINT16 first, TW_UINT16 DAT) {
  return DAT >= first && static_cast<size_t>(DAT - first) < N ? operations[DAT - first] : nullptr;
}

DatOperation OperationFor(TW_UINT16 DAT) {
  if (DatOperation operation = InRange(kControlOperations, DAT_NULL, DAT)) return operation;
  if (DatOperation operation = InRange(kImageOperations, DAT_IMAGEINFO, DAT)) return operation;
  // Another source's structures in the vendor's range are unknown; none is read.
  if (!kVendorExtensions) return nullptr;
  return InRange(kVendorOperations, DAT_VX_AUTOEXPOSURE, DAT);
}

// The value of type `Item` that the data pointer leads to, as a pointer-sized number; 0 when
// there is no data. Copied out, since the application's variable need not be aligned.
template <typename Item>
void* PointedItem(const char* pData) {
  if (pData == nullptr) return nullptr;
  Item item;
  memcpy(&item, pData, sizeof(item));
  return reinterpret_cast<void*>(static_cast<uintptr_t>(item));
}

}  // namespace

// A type without an operation appends nothing and counts as done.
bool CParaAnalyze::DispatchDataArgument() {
  DatOperation operation = OperationFor(m_DAT);
  return operation != nullptr ? (this->*operation)() : true;
}

bool CParaAnalyze::DatNullAnalyze() {
  return true;
}

bool CParaAnalyze::DatCapabilityAnalyze() {
  TwCapabilityAnalyze(reinterpret_cast<TW_CAPABILITY*>(m_pData));
  return true;
}

bool CParaAnalyze::DatEventAnalyze() {
  TwEventAnalyze(reinterpret_cast<TW_EVENT*>(m_pData));
  return true;
}

bool CParaAnalyze::DatIdentityAnalyze() {
  TwIdentityAnalyze(reinterpret_cast<TW_IDENTITY*>(m_pData));
  return true;
}

// Opening the source manager carries the application's window, not an identity; the identity
// worth showing is the caller's own.
bool CParaAnalyze::DatParentAnalyze() {
  if (m_MSG == MSG_OPENDSM) TwIdentityAnalyze(m_pOrigin);
  return true;
}

bool CParaAnalyze::DatPendingXfersAnalyze() {
  TwPendingXfersAnalyze(reinterpret_cast<TW_PENDINGXFERS*>(m_pData));
  return true;
}

bool CParaAnalyze::DatSetupMemXferAnalyze() {
  TwSetupMemXferAnalyze(reinterpret_cast<TW_SETUPMEMXFER*>(m_pData));
  return true;
}

bool CParaAnalyze::DatSetupFileXferAnalyze() {
  TwSetupFileXferAnalyze(reinterpret_cast<TW_SETUPFILEXFER*>(m_pData));
  return true;
}

bool CParaAnalyze::DatStatusAnalyze() {
  TwStatusAnalyze(reinterpret_cast<TW_STATUS*>(m_pData));
  return true;
}

bool CParaAnalyze::DatUserInterfaceAnalyze() {
  TwUserInterfaceAnalyze(reinterpret_cast<TW_USERINTERFACE*>(m_pData));
  return true;
}

// The group itself, not the address of the application's variable.
bool CParaAnalyze::DatXferGroupAnalyze() {
  TwUint32(PointedItem<TW_UINT32>(m_pData));
  return true;
}

bool CParaAnalyze::DatTwunkIdentityAnalyze() {
  return true;
}

bool CParaAnalyze::DatCustomDsDataAnalyze() {
  TwCustomDsDataAnalyze(reinterpret_cast<TW_CUSTOMDSDATA*>(m_pData));
  return true;
}

bool CParaAnalyze::DatImageInfoAnalyze() {
  TwImageInfoAnalyze(reinterpret_cast<TW_IMAGEINFO*>(m_pData));
  return true;
}

bool CParaAnalyze::DatImageLayoutAnalyze() {
  TwImageLayoutAnalyze(reinterpret_cast<TW_IMAGELAYOUT*>(m_pData));
  return true;
}

bool CParaAnalyze::DatImageMemXferAnalyze() {
  TwImageMemXferAnalyze(reinterpret_cast<TW_IMAGEMEMXFER*>(m_pData));
  return true;
}

bool CParaAnalyze::DatCieColorAnalyze() {
  TwCieColorAnalyze(reinterpret_cast<TW_CIECOLOR*>(m_pData));
  return true;
}

bool CParaAnalyze::DatGrayResponseAnalyze() {
  TwGrayResponseAnalyze(reinterpret_cast<TW_GRAYRESPONSE*>(m_pData));
  return true;
}

bool CParaAnalyze::DatRgbResponseAnalyze() {
  TwRgbResponseAnalyze(reinterpret_cast<TW_RGBRESPONSE*>(m_pData));
  return true;
}

bool CParaAnalyze::DatJpegCompressionAnalyze() {
  TwJpegCompressionAnalyze(reinterpret_cast<TW_JPEGCOMPRESSION*>(m_pData));
  return true;
}

bool CParaAnalyze::DatPalette8Analyze() {
  TwPalette8Analyze(reinterpret_cast<TW_PALETTE8*>(m_pData));
  return true;
}

bool CParaAnalyze::DatExtImageInfoAnalyze() {
  TwExtImageInfoAnalyze(reinterpret_cast<TW_EXTIMAGEINFO*>(m_pData));
  return true;
}

// The handle the source returned, not the address of the application's variable.
bool CParaAnalyze::DatImageNativeXferAnalyze() {
  TwUint32(PointedItem<TW_UINTPTR>(m_pData));
  return true;
}

bool CParaAnalyze::DatImageFileXferAnalyze() {
  return true;
}

bool CParaAnalyze::DatVxEventAnalyze() {
  TwVxEventAnalyze();
  return true;
}

bool CParaAnalyze::DatVxRedCorrectionMatrixAnalyze() {
  TwVxRedCorrectionMatrixAnalyze();
  return true;
}

bool CParaAnalyze::DatVxTwainCallbackMsgAnalyze() {
  TwVxTwainCallbackMsgAnalyze();
  return true;
}

bool CParaAnalyze::DatVxAutoExposureAnalyze() {
  TwVxAutoExposureAnalyze(reinterpret_cast<TWVX_AUTOEXPOSURE*>(m_pData));
  return true;
}

bool CParaAnalyze::DatVxRgbMatrixAnalyze() {
  TwVxRgbMatrixAnalyze(reinterpret_cast<TWVX_RGBMATRIX*>(m_pData));
  return true;
}

bool CParaAnalyze::DatVxColorSmoothingAnalyze() {
  TwVxColorSmoothingAnalyze(reinterpret_cast<TWVX_COLORSMOOTHING*>(m_pData));
  return true;
}

bool CParaAnalyze::DatHardwareInfoAnalyze() {
  TwHardwareInfoAnalyze(reinterpret_cast<TWVX_HARDWAREINFO*>(m_pData));
  return true;
}

bool CParaAnalyze::DatVxSkewInfoAnalyze() {
  TwVxSkewInfoAnalyze(reinterpret_cast<TWVX_LOCATIONDATA*>(m_pData));
  return true;
}

bool CParaAnalyze::DatUnsharpMaskAnalyze() {
  TwUnsharpMaskAnalyze(reinterpret_cast<TWVX_USMPARAM*>(m_pData));
  return true;
}

bool CParaAnalyze::DatVxSettingFrameAnalyze() {
  TwVxSettingFrameAnalyze(reinterpret_cast<TWVX_SETTINGFRAME*>(m_pData));
  return true;
}

bool CParaAnalyze::DatVxUsmInfoAnalyze() {
  TwVxUsmInfoAnalyze(reinterpret_cast<TWVX_USMINFO*>(m_pData));
  return true;
}
