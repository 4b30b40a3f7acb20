// Every data argument type whose data the analyzer dumps, one row each:
//
//   X(DG, DAT, MSG, Structure, Formatter)
//
// DG and MSG are the group and a typical message of a call that carries the type; Structure is
// what the data pointer leads to (void where nothing is read); Formatter is the dump that shows
// it, a function (const DumpContext&, const Structure*). The formatters' declarations, the
// analyzer's dispatch, the fuzzer's shapes and seeds, the sample calls and the dispatch test are
// all made from these rows, in any order: adding a dump is its row and its formatter.
#pragma once

#define TW_DUMPED_CONTROL_TYPES(X)                                                    \
  X(DG_CONTROL, DAT_NULL, MSG_CLOSEDSREQ, void, DumpNothing)                          \
  X(DG_CONTROL, DAT_CAPABILITY, MSG_GET, TW_CAPABILITY, DumpCapability)               \
  X(DG_CONTROL, DAT_EVENT, MSG_PROCESSEVENT, TW_EVENT, DumpEvent)                     \
  X(DG_CONTROL, DAT_IDENTITY, MSG_GET, TW_IDENTITY, DumpIdentity)                     \
  X(DG_CONTROL, DAT_PARENT, MSG_OPENDSM, void, DumpParent)                            \
  X(DG_CONTROL, DAT_PENDINGXFERS, MSG_ENDXFER, TW_PENDINGXFERS, DumpPendingXfers)     \
  X(DG_CONTROL, DAT_SETUPMEMXFER, MSG_GET, TW_SETUPMEMXFER, DumpSetupMemXfer)         \
  X(DG_CONTROL, DAT_SETUPFILEXFER, MSG_GET, TW_SETUPFILEXFER, DumpSetupFileXfer)      \
  X(DG_CONTROL, DAT_STATUS, MSG_GET, TW_STATUS, DumpStatus)                           \
  X(DG_CONTROL, DAT_USERINTERFACE, MSG_ENABLEDS, TW_USERINTERFACE, DumpUserInterface) \
  X(DG_CONTROL, DAT_XFERGROUP, MSG_GET, TW_UINT32, DumpTransferGroup)                 \
  X(DG_CONTROL, DAT_TWUNKIDENTITY, MSG_GET, void, DumpNothing)                        \
  X(DG_CONTROL, DAT_CUSTOMDSDATA, MSG_GET, TW_CUSTOMDSDATA, DumpCustomDsData)

#define TW_DUMPED_IMAGE_TYPES(X)                                                     \
  X(DG_IMAGE, DAT_IMAGEINFO, MSG_GET, TW_IMAGEINFO, DumpImageInfo)                   \
  X(DG_IMAGE, DAT_IMAGELAYOUT, MSG_GET, TW_IMAGELAYOUT, DumpImageLayout)             \
  X(DG_IMAGE, DAT_IMAGEMEMXFER, MSG_GET, TW_IMAGEMEMXFER, DumpImageMemXfer)          \
  X(DG_IMAGE, DAT_IMAGENATIVEXFER, MSG_GET, TW_HANDLE, DumpNativeTransfer)           \
  X(DG_IMAGE, DAT_IMAGEFILEXFER, MSG_GET, void, DumpNothing)                         \
  X(DG_IMAGE, DAT_CIECOLOR, MSG_GET, TW_CIECOLOR, DumpCieColor)                      \
  X(DG_IMAGE, DAT_GRAYRESPONSE, MSG_SET, TW_GRAYRESPONSE, DumpGrayResponse)          \
  X(DG_IMAGE, DAT_RGBRESPONSE, MSG_SET, TW_RGBRESPONSE, DumpRgbResponse)             \
  X(DG_IMAGE, DAT_JPEGCOMPRESSION, MSG_GET, TW_JPEGCOMPRESSION, DumpJpegCompression) \
  X(DG_IMAGE, DAT_PALETTE8, MSG_GET, TW_PALETTE8, DumpPalette8)                      \
  X(DG_IMAGE, DAT_EXTIMAGEINFO, MSG_GET, TW_EXTIMAGEINFO, DumpExtImageInfo)

// The vendor's own types, read only in a build with the vendor's extensions.
#define TW_DUMPED_VENDOR_TYPES(X)                                                          \
  X(DG_CONTROL, DAT_VX_AUTOEXPOSURE, MSG_GET, TWVX_AUTOEXPOSURE, DumpVxAutoExposure)       \
  X(DG_CONTROL, DAT_VX_RGBMATRIX, MSG_GET, TWVX_RGBMATRIX, DumpVxRgbMatrix)                \
  X(DG_CONTROL, DAT_VX_COLORSMOOTHING, MSG_GET, TWVX_COLORSMOOTHING, DumpVxColorSmoothing) \
  X(DG_CONTROL, DAT_VX_EVENT, MSG_GET, void, DumpNothing)                                  \
  X(DG_CONTROL, DAT_VX_HARDWAREINFO, MSG_GET, TWVX_HARDWAREINFO, DumpVxHardwareInfo)       \
  X(DG_CONTROL, DAT_VX_SKEWINFO, MSG_GET, TWVX_LOCATIONDATA, DumpVxLocationData)           \
  X(DG_CONTROL, DAT_VX_UNSHARPMASKPARAM, MSG_GET, TWVX_USMPARAM, DumpVxUsmParam)           \
  X(DG_CONTROL, DAT_VX_REDCORRECTIONMATRIX, MSG_GET, void, DumpNothing)                    \
  X(DG_CONTROL, DAT_VX_TWAINCALLBACKMSG, MSG_GET, void, DumpNothing)                       \
  X(DG_CONTROL, DAT_VX_SETTINGFRAME, MSG_GET, TWVX_SETTINGFRAME, DumpVxSettingFrame)       \
  X(DG_CONTROL, DAT_VX_USMINFO, MSG_GET, TWVX_USMINFO, DumpVxUsmInfo)

#define TW_DUMPED_STANDARD_TYPES(X) TW_DUMPED_CONTROL_TYPES(X) TW_DUMPED_IMAGE_TYPES(X)
#define TW_DUMPED_TYPES(X) TW_DUMPED_STANDARD_TYPES(X) TW_DUMPED_VENDOR_TYPES(X)

// The bytes a row's data pointer leads to: none for void.
template <typename Structure>
inline constexpr unsigned long kDumpedSize = sizeof(Structure);
template <>
inline constexpr unsigned long kDumpedSize<void> = 0;
