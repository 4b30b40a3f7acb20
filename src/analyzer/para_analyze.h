// The analyzer: turns one TWAIN call, its data and its return code into log text, and tracks
// the TWAIN state from the sequence of successful calls.
#pragma once

#include <cstdarg>
#include <cstddef>
#include <cstdint>

#include "dumps/dump_context.h"
#include "names/name_table.h"
#include "platform/visibility.h"
#include "text/out_text.h"
#include "twaintrace/log_format.h"
#include "twaintrace/twain_types.h"
#include "twaintrace/twain_vendor.h"

// The data argument types that had an operation of their own when the interface was published,
// each with the name callers link against:
//
//   X(Operation, DAT)
#define TW_PUBLISHED_DAT_OPERATIONS(X)                           \
  X(DatNullAnalyze, DAT_NULL)                                    \
  X(DatCapabilityAnalyze, DAT_CAPABILITY)                        \
  X(DatEventAnalyze, DAT_EVENT)                                  \
  X(DatIdentityAnalyze, DAT_IDENTITY)                            \
  X(DatParentAnalyze, DAT_PARENT)                                \
  X(DatPendingXfersAnalyze, DAT_PENDINGXFERS)                    \
  X(DatSetupMemXferAnalyze, DAT_SETUPMEMXFER)                    \
  X(DatSetupFileXferAnalyze, DAT_SETUPFILEXFER)                  \
  X(DatStatusAnalyze, DAT_STATUS)                                \
  X(DatUserInterfaceAnalyze, DAT_USERINTERFACE)                  \
  X(DatXferGroupAnalyze, DAT_XFERGROUP)                          \
  X(DatTwunkIdentityAnalyze, DAT_TWUNKIDENTITY)                  \
  X(DatCustomDsDataAnalyze, DAT_CUSTOMDSDATA)                    \
  X(DatImageInfoAnalyze, DAT_IMAGEINFO)                          \
  X(DatImageLayoutAnalyze, DAT_IMAGELAYOUT)                      \
  X(DatImageMemXferAnalyze, DAT_IMAGEMEMXFER)                    \
  X(DatImageNativeXferAnalyze, DAT_IMAGENATIVEXFER)              \
  X(DatImageFileXferAnalyze, DAT_IMAGEFILEXFER)                  \
  X(DatCieColorAnalyze, DAT_CIECOLOR)                            \
  X(DatGrayResponseAnalyze, DAT_GRAYRESPONSE)                    \
  X(DatRgbResponseAnalyze, DAT_RGBRESPONSE)                      \
  X(DatJpegCompressionAnalyze, DAT_JPEGCOMPRESSION)              \
  X(DatPalette8Analyze, DAT_PALETTE8)                            \
  X(DatExtImageInfoAnalyze, DAT_EXTIMAGEINFO)                    \
  X(DatVxAutoExposureAnalyze, DAT_VX_AUTOEXPOSURE)               \
  X(DatVxRgbMatrixAnalyze, DAT_VX_RGBMATRIX)                     \
  X(DatVxColorSmoothingAnalyze, DAT_VX_COLORSMOOTHING)           \
  X(DatVxEventAnalyze, DAT_VX_EVENT)                             \
  X(DatHardwareInfoAnalyze, DAT_VX_HARDWAREINFO)                 \
  X(DatVxSkewInfoAnalyze, DAT_VX_SKEWINFO)                       \
  X(DatUnsharpMaskAnalyze, DAT_VX_UNSHARPMASKPARAM)              \
  X(DatVxRedCorrectionMatrixAnalyze, DAT_VX_REDCORRECTIONMATRIX) \
  X(DatVxTwainCallbackMsgAnalyze, DAT_VX_TWAINCALLBACKMSG)       \
  X(DatVxSettingFrameAnalyze, DAT_VX_SETTINGFRAME)               \
  X(DatVxUsmInfoAnalyze, DAT_VX_USMINFO)

// What a caller that passes no capacity is taken to provide: the entry point's text buffer.
inline constexpr size_t kDefaultOutTextSize = log_format::kParameterTextLimit;

class TWAINTRACE_EXPORT CParaAnalyze {
 public:
  constexpr CParaAnalyze() : m_szAppName{'A', 'P', 'P'} {}
  ~CParaAnalyze() {}

  void Init(const char* pszName);

  // The triplet header line.
  bool TripletAnalyze(TW_IDENTITY* pOrigin, TW_IDENTITY* pDest, unsigned int DG, unsigned short DAT,
                      unsigned short MSG, char* pData, char* pOutText);
  bool CreateStringOfTriplet();
  bool GetStringOfCapability(TW_CAPABILITY* pCap, char* pszOut, unsigned int nOutSize);

  // The result lines, the structure dump and the state line.
  bool ParaAnalyze(TW_IDENTITY* pOrigin, TW_IDENTITY* pDest, unsigned int DG, unsigned short DAT,
                   unsigned short MSG, char* pData, unsigned short RC, char* pOutText);
  bool ResultMake();
  bool HeaderMake(char* pszOut);

  // The same, appending to a buffer of `nOutSize` bytes (NUL included) and never beyond it.
  TWAINTRACE_HIDDEN bool TripletAnalyze(TW_IDENTITY* pOrigin, TW_IDENTITY* pDest, unsigned int DG,
                                        unsigned short DAT, unsigned short MSG, char* pData,
                                        char* pOutText, size_t nOutSize);
  TWAINTRACE_HIDDEN bool ParaAnalyze(TW_IDENTITY* pOrigin, TW_IDENTITY* pDest, unsigned int DG,
                                     unsigned short DAT, unsigned short MSG, char* pData,
                                     unsigned short RC, char* pOutText, size_t nOutSize);
  // What the two analyses of a call change besides their text: the header count and the
  // tracked state, exactly as they would change them. For calls whose text nobody would read.
  TWAINTRACE_HIDDEN void TrackCall(TW_IDENTITY* pOrigin, unsigned int DG, unsigned short DAT,
                                   unsigned short MSG, char* pData, unsigned short RC);
  // Directs the formatters' output to `pOutText`, continuing the text already there.
  TWAINTRACE_HIDDEN void SetOutText(char* pOutText, size_t nOutSize = kDefaultOutTextSize);
  // The length of the output text, and whether it had to be cut at the buffer's end.
  TWAINTRACE_HIDDEN size_t OutTextLength() const { return m_out.Length(); }
  TWAINTRACE_HIDDEN bool OutTextCut() const { return m_out.Cut(); }

  // TWAIN state tracking.
  // The exported interface's name, spelling and all: callers link against it, so it stays.
  int UpDateTwainStatus(unsigned int DG, unsigned short DAT, unsigned short MSG, char* pData);
  int SetTwainStatus(int nStatus);
  void InitTwainStatus();
  int GetTwainStatus();
  bool MakeTwainStatusString(char* pszOut);

  // Data-argument dispatch: the published operation of each data argument type, which dumps
  // the current triplet's data as the type's row says (see TW_PUBLISHED_DAT_OPERATIONS).
#define TW_DECLARE_DAT_OPERATION(Operation, DAT) bool Operation();
  TW_PUBLISHED_DAT_OPERATIONS(TW_DECLARE_DAT_OPERATION)
#undef TW_DECLARE_DAT_OPERATION

  // The dumps and renderings of src/dumps under the names they were published with: a dump
  // appends to the output text, and sees the current call's message, return code and caller.

  // Capability value rendering.
  void ValToStr(TW_UINT16 Cap, TW_UINT16 ItemType, void* pValue, char* pszText);
  void ValToCap(TW_UINT16 Cap, TW_UINT16 Value, char* pszText);
  void MakeCapSupportedCaps(TW_UINT16 Cap, char* pszText);
  void MakeCapVxVersion(TW_UINT16 Value, char* pszText);
  void MakeItemList(TW_UINT16 Cap, TW_UINT16 ItemType, TW_UINT32 NumItems, void* pItem);

  // Capability container dumps.
  bool TwCapabilityAnalyze(TW_CAPABILITY* pCap);
  // The exported interface's name, misspelt as shipped: callers link against it, so it stays.
  bool TwContainerAnalyaze(TW_CAPABILITY* pCap);
  bool TwArrayAnalyze(TW_UINT16 Cap, TW_ARRAY* pArray);
  bool TwEnumerationAnalyze(TW_UINT16 Cap, TW_ENUMERATION* pEnum);
  bool TwOneValueAnalyze(TW_UINT16 Cap, TW_ONEVALUE* pOneValue);
  bool TwRangeAnalyze(TW_UINT16 Cap, TW_RANGE* pRange);

  // Control structure dumps.
  bool TwIdentityAnalyze(TW_IDENTITY* pIdentity);
  bool TwVersionAnalyze(TW_VERSION* pVersion);
  bool TwStatusAnalyze(TW_STATUS* pStatus);
  bool TwEventAnalyze(TW_EVENT* pEvent);
  bool TwUserInterfaceAnalyze(TW_USERINTERFACE* pUserInterface);
  bool TwPendingXfersAnalyze(TW_PENDINGXFERS* pPendingXfers);
  bool TwSetupMemXferAnalyze(TW_SETUPMEMXFER* pSetupMemXfer);
  bool TwSetupFileXferAnalyze(TW_SETUPFILEXFER* pSetupFileXfer);
  bool TwMemoryAnalyze(TW_MEMORY* pMemory);
  bool TwCustomDsDataAnalyze(TW_CUSTOMDSDATA* pCustomDsData);
  bool TwUint32(void* pData);
  bool TwTwunkIdentityAnalyze();
  bool TwTwunkDsentryParamsAnalyze();
  bool TwTwunkDsentryReturnAnalyze();

  // Image structure dumps.
  bool TwImageInfoAnalyze(TW_IMAGEINFO* pImageInfo);
  bool TwImageLayoutAnalyze(TW_IMAGELAYOUT* pImageLayout);
  bool TwFrameAnalyze(TW_FRAME* pFrame);
  bool TwImageMemXferAnalyze(TW_IMAGEMEMXFER* pImageMemXfer);
  bool TwJpegCompressionAnalyze(TW_JPEGCOMPRESSION* pJpegCompression);
  bool TwExtImageInfoAnalyze(TW_EXTIMAGEINFO* pExtImageInfo);
  bool TwInfoAnalyze(TW_INFO* pInfo);
  bool TwPalette8Analyze(TW_PALETTE8* pPalette8);
  bool TwGrayResponseAnalyze(TW_GRAYRESPONSE* pGrayResponse);
  bool TwRgbResponseAnalyze(TW_RGBRESPONSE* pRgbResponse);
  bool TwElement8Analyze(TW_ELEMENT8* pElement8);
  bool TwCieColorAnalyze(TW_CIECOLOR* pCieColor);
  bool TwTransformStageAnalyze(TW_TRANSFORMSTAGE* pTransformStage);
  bool TwDecodeFunctionAnalyze(TW_DECODEFUNCTION* pDecodeFunction);
  bool TwCiePointAnalyze(TW_CIEPOINT* pCiePoint);

  // Vendor extension structure dumps.
  bool TwVxAutoExposureAnalyze(TWVX_AUTOEXPOSURE* pAutoExposure);
  bool TwVxRgbMatrixAnalyze(TWVX_RGBMATRIX* pRgbMatrix);
  bool TwVxColorSmoothingAnalyze(TWVX_COLORSMOOTHING* pColorSmoothing);
  bool TwVxSkewInfoAnalyze(TWVX_LOCATIONDATA* pLocationData);
  bool TwUnsharpMaskAnalyze(TWVX_USMPARAM* pUsmParam);
  bool TwVxSettingFrameAnalyze(TWVX_SETTINGFRAME* pSettingFrame);
  bool TwVxUsmInfoAnalyze(TWVX_USMINFO* pUsmInfo);
  bool TwVxReviseBaseParamAnalyze(TWVX_REVISEBASEPARM* pReviseBaseParm);
  bool TwVxThresholdInfoAnalyze(TWVX_THRESHOLDINFO* pThresholdInfo);
  // The exported interface's name (it writes, it sets nothing): callers link to it; it stays.
  void SetColorCoeffData(TW_FIX32* pCoeff);
  bool TwVxEventAnalyze();
  bool TwVxRedCorrectionMatrixAnalyze();
  bool TwVxTwainCallbackMsgAnalyze();
  bool TwHardwareInfoAnalyze(TWVX_HARDWAREINFO* pHardwareInfo);

  // The current triplet, as the last TripletAnalyze or ParaAnalyze stored it.
  TW_IDENTITY* m_pOrigin = nullptr;
  TW_IDENTITY* m_pDest = nullptr;
  TW_UINT32 m_DG = 0;
  TW_UINT16 m_DAT = 0;
  TW_UINT16 m_MSG = 0;
  char* m_pData = nullptr;
  TW_UINT16 m_RC = 0;
  char* m_pOutText = nullptr;
  int32_t m_nTwainStatus = 0;
  int64_t m_nSequence = 0;
  char m_szMacroName[kMacroNameSize] = {};
  char m_szAppName[32];

 private:
  // What the dumps know of the current call.
  TWAINTRACE_HIDDEN DumpContext Context() {
    return DumpContext{m_out, m_MSG, m_RC, m_pOrigin};
  }
  TWAINTRACE_HIDDEN void StoreTriplet(TW_IDENTITY* pOrigin, TW_IDENTITY* pDest, unsigned int DG,
                                      unsigned short DAT, unsigned short MSG, char* pData);
  // The dump of the current triplet's data by the row of `DAT`; a type without a row, or one in
  // the vendor's range when `vendorTypes` is false, appends nothing.
  TWAINTRACE_HIDDEN void DumpDataArgument(TW_UINT16 DAT, bool vendorTypes);
  // MakeTwainStatusString's line, appended to the output text.
  TWAINTRACE_HIDDEN void AppendTwainStatusLine();

  OutText m_out;
};

extern CParaAnalyze g_cParaAnalyze;
