// Every data argument type the analyzer dispatches, one row each, in order of type:
//
//   X(DG, DAT, MSG, Structure, Operation)
//
// DG and MSG are the group and a typical message of a call that carries the type; Structure is
// what the data pointer leads to (void where nothing is read); Operation is the CParaAnalyze
// member the dispatch calls. The dispatch, the fuzzer's shapes and seeds, the sample calls and
// the dispatch test are all made from these rows, so a new structure is one row here. Within
// each list the types are consecutive, since the dispatch indexes a list by the type's offset.
#pragma once

#define TW_DUMPED_CONTROL_TYPES(X)                                                          \
  X(DG_CONTROL, DAT_NULL, MSG_CLOSEDSREQ, void, DatNullAnalyze)                             \
  X(DG_CONTROL, DAT_CAPABILITY, MSG_GET, TW_CAPABILITY, DatCapabilityAnalyze)               \
  X(DG_CONTROL, DAT_EVENT, MSG_PROCESSEVENT, TW_EVENT, DatEventAnalyze)                     \
  X(DG_CONTROL, DAT_IDENTITY, MSG_GET, TW_IDENTITY, DatIdentityAnalyze)                     \
  X(DG_CONTROL, DAT_PARENT, MSG_OPENDSM, void, DatParentAnalyze)                            \
  X(DG_CONTROL, DAT_PENDINGXFERS, MSG_ENDXFER, TW_PENDINGXFERS, DatPendingXfersAnalyze)     \
  X(DG_CONTROL, DAT_SETUPMEMXFER, MSG_GET, TW_SETUPMEMXFER, DatSetupMemXferAnalyze)         \
  X(DG_CONTROL, DAT_SETUPFILEXFER, MSG_GET, TW_SETUPFILEXFER, DatSetupFileXferAnalyze)      \
  X(DG_CONTROL, DAT_STATUS, MSG_GET, TW_STATUS, DatStatusAnalyze)                           \
  X(DG_CONTROL, DAT_USERINTERFACE, MSG_ENABLEDS, TW_USERINTERFACE, DatUserInterfaceAnalyze) \
  X(DG_CONTROL, DAT_XFERGROUP, MSG_GET, TW_UINT32, DatXferGroupAnalyze)                     \
  X(DG_CONTROL, DAT_TWUNKIDENTITY, MSG_GET, void, DatTwunkIdentityAnalyze)                  \
  X(DG_CONTROL, DAT_CUSTOMDSDATA, MSG_GET, TW_CUSTOMDSDATA, DatCustomDsDataAnalyze)

#define TW_DUMPED_IMAGE_TYPES(X)                                                           \
  X(DG_IMAGE, DAT_IMAGEINFO, MSG_GET, TW_IMAGEINFO, DatImageInfoAnalyze)                   \
  X(DG_IMAGE, DAT_IMAGELAYOUT, MSG_GET, TW_IMAGELAYOUT, DatImageLayoutAnalyze)             \
  X(DG_IMAGE, DAT_IMAGEMEMXFER, MSG_GET, TW_IMAGEMEMXFER, DatImageMemXferAnalyze)          \
  X(DG_IMAGE, DAT_IMAGENATIVEXFER, MSG_GET, TW_HANDLE, DatImageNativeXferAnalyze)          \
  X(DG_IMAGE, DAT_IMAGEFILEXFER, MSG_GET, void, DatImageFileXferAnalyze)                   \
  X(DG_IMAGE, DAT_CIECOLOR, MSG_GET, TW_CIECOLOR, DatCieColorAnalyze)                      \
  X(DG_IMAGE, DAT_GRAYRESPONSE, MSG_SET, TW_GRAYRESPONSE, DatGrayResponseAnalyze)          \
  X(DG_IMAGE, DAT_RGBRESPONSE, MSG_SET, TW_RGBRESPONSE, DatRgbResponseAnalyze)             \
  X(DG_IMAGE, DAT_JPEGCOMPRESSION, MSG_GET, TW_JPEGCOMPRESSION, DatJpegCompressionAnalyze) \
  X(DG_IMAGE, DAT_PALETTE8, MSG_GET, TW_PALETTE8, DatPalette8Analyze)                      \
  X(DG_IMAGE, DAT_EXTIMAGEINFO, MSG_GET, TW_EXTIMAGEINFO, DatExtImageInfoAnalyze)

// The vendor's own types, read only in a build with the vendor's extensions.
#define TW_DUMPED_VENDOR_TYPES(X)                                                                \
  X(DG_CONTROL, DAT_VX_AUTOEXPOSURE, MSG_GET, TWVX_AUTOEXPOSURE, DatVxAutoExposureAnalyze)       \
  X(DG_CONTROL, DAT_VX_RGBMATRIX, MSG_GET, TWVX_RGBMATRIX, DatVxRgbMatrixAnalyze)                \
  X(DG_CONTROL, DAT_VX_COLORSMOOTHING, MSG_GET, TWVX_COLORSMOOTHING, DatVxColorSmoothingAnalyze) \
  X(DG_CONTROL, DAT_VX_EVENT, MSG_GET, void, DatVxEventAnalyze)                                  \
  X(DG_CONTROL, DAT_VX_HARDWAREINFO, MSG_GET, TWVX_HARDWAREINFO, DatHardwareInfoAnalyze)         \
  X(DG_CONTROL, DAT_VX_SKEWINFO, MSG_GET, TWVX_LOCATIONDATA, DatVxSkewInfoAnalyze)               \
  X(DG_CONTROL, DAT_VX_UNSHARPMASKPARAM, MSG_GET, TWVX_USMPARAM, DatUnsharpMaskAnalyze)          \
  X(DG_CONTROL, DAT_VX_REDCORRECTIONMATRIX, MSG_GET, void, DatVxRedCorrectionMatrixAnalyze)      \
  X(DG_CONTROL, DAT_VX_TWAINCALLBACKMSG, MSG_GET, void, DatVxTwainCallbackMsgAnalyze)            \
  X(DG_CONTROL, DAT_VX_SETTINGFRAME, MSG_GET, TWVX_SETTINGFRAME, DatVxSettingFrameAnalyze)       \
  X(DG_CONTROL, DAT_VX_USMINFO, MSG_GET, TWVX_USMINFO, DatVxUsmInfoAnalyze)

#define TW_DUMPED_TYPES(X) \
  TW_DUMPED_CONTROL_TYPES(X) TW_DUMPED_IMAGE_TYPES(X) TW_DUMPED_VENDOR_TYPES(X)

// The bytes a row's data pointer leads to: none for void.
template <typename Structure>
inline constexpr unsigned long kDumpedSize = sizeof(Structure);
template <>
inline constexpr unsigned long kDumpedSize<void> = 0;
