// Routes the triplet's data to the formatter of its structure by data argument type. The types
// that have operations form three dense ranges of the registry, each a table indexed by the
// type's offset.
#include <cstdint>
#include <cstring>
#include <iterator>

#include "analyzer/dumped_types.h"
#include "analyzer/para_analyze.h"
#include "names/vendor_extensions.h"

namespace {

using DatOperation = bool (CParaAnalyze::*)();

#define TW_OPERATION(DG, DAT, MSG, Structure, Operation) &CParaAnalyze::Operation,
#define TW_TYPE(DG, DAT, MSG, Structure, Operation) DAT,

// Each list indexed by the type's offset from its first type.
constexpr DatOperation kControlOperations[] = {TW_DUMPED_CONTROL_TYPES(TW_OPERATION)};
constexpr DatOperation kImageOperations[] = {TW_DUMPED_IMAGE_TYPES(TW_OPERATION)};
constexpr DatOperation kVendorOperations[] = {TW_DUMPED_VENDOR_TYPES(TW_OPERATION)};
constexpr TW_UINT16 kControlTypes[] = {TW_DUMPED_CONTROL_TYPES(TW_TYPE)};
constexpr TW_UINT16 kImageTypes[] = {TW_DUMPED_IMAGE_TYPES(TW_TYPE)};
constexpr TW_UINT16 kVendorTypes[] = {TW_DUMPED_VENDOR_TYPES(TW_TYPE)};

#undef TW_OPERATION
#undef TW_TYPE

template <size_t N>
constexpr bool Consecutive(const TW_UINT16 (&types)[N]) {
  for (size_t i = 0; i < N; ++i) {
    if (types[i] != types[0] + i) return false;
  }
  return true;
}
static_assert(Consecutive(kControlTypes) && Consecutive(kImageTypes) && Consecutive(kVendorTypes),
              "a list of dumped types has a gap or is out of order");

template <size_t N>
DatOperation InRange(const DatOperation (&operations)[N], TW_UINT16 first, TW_UINT16 DAT) {
  return DAT >= first && static_cast<size_t>(DAT - first) < N ? operations[DAT - first] : nullptr;
}

DatOperation OperationFor(TW_UINT16 DAT) {
  if (DatOperation operation = InRange(kControlOperations, kControlTypes[0], DAT)) return operation;
  if (DatOperation operation = InRange(kImageOperations, kImageTypes[0], DAT)) return operation;
  // Another source's structures in the vendor's range are unknown; none is read.
  if (!kVendorExtensions) return nullptr;
  return InRange(kVendorOperations, kVendorTypes[0], DAT);
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
