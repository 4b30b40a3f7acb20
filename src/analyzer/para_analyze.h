// The analyzer: turns one TWAIN call, its data and its return code into log text, and tracks
// the TWAIN state from the sequence of successful calls.
#pragma once

#include <cstdarg>
#include <cstddef>
#include <cstdint>

#include "names/name_table.h"
#include "platform/visibility.h"
#include "text/out_text.h"
#include "twaintrace/log_format.h"
#include "twaintrace/twain_types.h"
#include "twaintrace/twain_vendor.h"

struct CapValueMapRow;

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

  // Data-argument dispatch: one operation per data argument type.
  bool DatNullAnalyze();
  bool DatCapabilityAnalyze();
  bool DatEventAnalyze();
  bool DatIdentityAnalyze();
  bool DatParentAnalyze();
  bool DatPendingXfersAnalyze();
  bool DatSetupMemXferAnalyze();
  bool DatSetupFileXferAnalyze();
  bool DatStatusAnalyze();
  bool DatUserInterfaceAnalyze();
  bool DatXferGroupAnalyze();
  bool DatTwunkIdentityAnalyze();
  bool DatCustomDsDataAnalyze();
  bool DatImageInfoAnalyze();
  bool DatImageLayoutAnalyze();
  bool DatImageMemXferAnalyze();
  bool DatImageNativeXferAnalyze();
  bool DatImageFileXferAnalyze();
  bool DatCieColorAnalyze();
  bool DatGrayResponseAnalyze();
  bool DatRgbResponseAnalyze();
  bool DatJpegCompressionAnalyze();
  bool DatPalette8Analyze();
  bool DatExtImageInfoAnalyze();
  bool DatVxAutoExposureAnalyze();
  bool DatVxRgbMatrixAnalyze();
  bool DatVxColorSmoothingAnalyze();
  bool DatVxEventAnalyze();
  bool DatHardwareInfoAnalyze();
  bool DatVxSkewInfoAnalyze();
  bool DatUnsharpMaskAnalyze();
  bool DatVxRedCorrectionMatrixAnalyze();
  bool DatVxTwainCallbackMsgAnalyze();
  bool DatVxSettingFrameAnalyze();
  bool DatVxUsmInfoAnalyze();

  // Capability value rendering.
  void ValToStr(TW_UINT16 Cap, TW_UINT16 ItemType, void* pValue, char* pszText);
  void ValToCap(TW_UINT16 Cap, TW_UINT16 Value, char* pszText);
  void MakeCapSupportedCaps(TW_UINT16 Cap, char* pszText);
  void MakeCapVxVersion(TW_UINT16 Value, char* pszText);
  void MakeItemList(TW_UINT16 Cap, TW_UINT16 ItemType, TW_UINT32 NumItems, void* pItem);
  // The same list, reading items only within the `nBytes` bytes that follow `pItem`.
  TWAINTRACE_HIDDEN void MakeItemList(TW_UINT16 Cap, TW_UINT16 ItemType, TW_UINT32 NumItems,
                                      void* pItem, size_t nBytes);

  // Capability container dumps.
  bool TwCapabilityAnalyze(TW_CAPABILITY* pCap);
  // The exported interface's name, misspelt as shipped: callers link against it, so it stays.
  bool TwContainerAnalyaze(TW_CAPABILITY* pCap);
  bool TwArrayAnalyze(TW_UINT16 Cap, TW_ARRAY* pArray);
  bool TwEnumerationAnalyze(TW_UINT16 Cap, TW_ENUMERATION* pEnum);
  bool TwOneValueAnalyze(TW_UINT16 Cap, TW_ONEVALUE* pOneValue);
  bool TwRangeAnalyze(TW_UINT16 Cap, TW_RANGE* pRange);
  // The same dumps of a container of which only the first `nBytes` bytes may be read; one line
  // in the dump marks where the rest was left out.
  TWAINTRACE_HIDDEN bool TwArrayAnalyze(TW_UINT16 Cap, TW_ARRAY* pArray, size_t nBytes);
  TWAINTRACE_HIDDEN bool TwEnumerationAnalyze(TW_UINT16 Cap, TW_ENUMERATION* pEnum, size_t nBytes);
  TWAINTRACE_HIDDEN bool TwOneValueAnalyze(TW_UINT16 Cap, TW_ONEVALUE* pOneValue, size_t nBytes);
  TWAINTRACE_HIDDEN bool TwRangeAnalyze(TW_UINT16 Cap, TW_RANGE* pRange, size_t nBytes);

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
  // Dump conventions shared by every formatter: one printf-style line appended to the output
  // text (written TW_LINE(format, ...), see analyzer/append_line.h), and a constant named by a
  // table, its text held by the name itself when no row names it.
  template <typename Format, typename... Args>
  TWAINTRACE_HIDDEN void AppendLine(Format format, const Args&... args);
  template <typename Table>
  static ShownName Name(const Table& table, int64_t value) {
    return ShownName([&](char* out) { return LookupName(table, value, out); });
  }
  template <typename Table>
  static ShownName Name(const Table& table, const NameSupplement& supplement, int64_t value) {
    return ShownName([&](char* out) { return LookupName(table, supplement, value, out); });
  }
  // Names and values as text: a table's own text where a row names the value, otherwise
  // written into the caller's scratch buffer (kMacroNameSize or kValueTextSize bytes).
  TWAINTRACE_HIDDEN NameText CapabilityName(TW_UINT16 Cap, char* pszOut);
  // How a capability's 16-bit values read (its value table, if it has one); found once per
  // container rather than once per item.
  struct ValueNaming {
    TW_UINT16 cap;
    const CapValueMapRow* values;
    NameSupplement supplement;  // for the values that `values` leaves unnamed
  };
  TWAINTRACE_HIDDEN static ValueNaming NamingOf(TW_UINT16 Cap);
  TWAINTRACE_HIDDEN NameText ValueText(const ValueNaming& naming, TW_UINT16 ItemType,
                                       const void* pValue, char* scratch);
  TWAINTRACE_HIDDEN NameText CapValueText(const ValueNaming& naming, TW_UINT16 Value,
                                          char* scratch);
  TWAINTRACE_HIDDEN void StoreTriplet(TW_IDENTITY* pOrigin, TW_IDENTITY* pDest, unsigned int DG,
                                      unsigned short DAT, unsigned short MSG, char* pData);
  TWAINTRACE_HIDDEN bool DispatchDataArgument();
  // MakeTwainStatusString's line, appended to the output text.
  TWAINTRACE_HIDDEN void AppendTwainStatusLine();
  // True when the first `nBytes` bytes of a container reach `end`; otherwise appends the line
  // that marks the cut, at `indent`, and returns false.
  TWAINTRACE_HIDDEN bool ContainerHolds(size_t end, size_t nBytes, const char* indent);

  OutText m_out;
};

extern CParaAnalyze g_cParaAnalyze;
