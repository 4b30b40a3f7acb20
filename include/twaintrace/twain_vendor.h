// The scanner maker's extensions to TWAIN: data argument types, messages, capabilities,
// their value constants and the structures exchanged under the vendor data argument types.
// The structures are little-endian with natural alignment in every build; their offsets are
// a format shared by application and data source.
#pragma once

#include "twaintrace/twain_types.h"

// Vendor data argument types.
inline constexpr TW_UINT16 DAT_VX_AUTOEXPOSURE = 0x8001;
inline constexpr TW_UINT16 DAT_VX_RGBMATRIX = 0x8002;
inline constexpr TW_UINT16 DAT_VX_COLORSMOOTHING = 0x8003;
inline constexpr TW_UINT16 DAT_VX_EVENT = 0x8004;
inline constexpr TW_UINT16 DAT_VX_HARDWAREINFO = 0x8005;
inline constexpr TW_UINT16 DAT_VX_SKEWINFO = 0x8006;
inline constexpr TW_UINT16 DAT_VX_UNSHARPMASKPARAM = 0x8007;
inline constexpr TW_UINT16 DAT_VX_REDCORRECTIONMATRIX = 0x8008;
inline constexpr TW_UINT16 DAT_VX_TWAINCALLBACKMSG = 0x8009;
inline constexpr TW_UINT16 DAT_VX_SETTINGFRAME = 0x800A;
inline constexpr TW_UINT16 DAT_VX_USMINFO = 0x800B;
inline constexpr TW_UINT16 DAT_VX_EDGEFILLAREA = 0x8015;
inline constexpr TW_UINT16 DAT_VX_COLORFILTER = 0x8016;
inline constexpr TW_UINT16 DAT_VX_DUALIMAGE = 0x8017;

// Vendor messages.
inline constexpr TW_UINT16 MSG_VX_TIMERRESET = 0x8001;
inline constexpr TW_UINT16 MSG_VX_XFERREQUEST = 0x8002;

// Vendor general capabilities.
inline constexpr TW_UINT16 CAP_VX_VERSION = 0x8001;
inline constexpr TW_UINT16 CAP_VX_TPUENABLED = 0x8002;
inline constexpr TW_UINT16 CAP_VX_PRODUCTNAME = 0x800C;
inline constexpr TW_UINT16 CAP_VX_UIMODE = 0x800F;
inline constexpr TW_UINT16 CAP_VX_AUTOLAYOUT = 0x8011;
inline constexpr TW_UINT16 CAP_VX_COMMANDLEVEL = 0x8012;
inline constexpr TW_UINT16 CAP_VX_MODELID = 0x8013;
inline constexpr TW_UINT16 CAP_VX_MODELNAME = 0x8014;
inline constexpr TW_UINT16 CAP_VX_PROGRESS = 0x8015;
inline constexpr TW_UINT16 CAP_VX_STARTBUTTONENABLED = 0x8016;
inline constexpr TW_UINT16 CAP_VX_TABLEARRANGEMENT = 0x8017;
inline constexpr TW_UINT16 CAP_VX_TPUTYPE = 0x8018;
inline constexpr TW_UINT16 CAP_VX_USERINTERFACE = 0x8019;
inline constexpr TW_UINT16 CAP_VX_INDICATORSTRING = 0x802B;
inline constexpr TW_UINT16 CAP_VX_AFLENABLED = 0x8032;
inline constexpr TW_UINT16 CAP_VX_AFLFILMTYPE = 0x8033;
inline constexpr TW_UINT16 CAP_VX_AFLLOADED = 0x8034;
inline constexpr TW_UINT16 CAP_VX_FEEDERTYPE = 0x803B;
inline constexpr TW_UINT16 CAP_VX_LIDFILMTYPE = 0x803D;
inline constexpr TW_UINT16 CAP_VX_FEEDERALIGNMENT = 0x803E;
inline constexpr TW_UINT16 CAP_VX_DOUBLEFEEDDETECTION = 0x804E;
inline constexpr TW_UINT16 CAP_VX_SUPPRESSDEVICEERROR = 0x8057;
inline constexpr TW_UINT16 CAP_VX_DUALIMAGE = 0x8068;

// Vendor image capabilities (ICAP_VX_ADE and ICAP_VX_TEXTENHANCEMENT share 0x8043).
inline constexpr TW_UINT16 ICAP_VX_FILMTYPE = 0x8003;
inline constexpr TW_UINT16 ICAP_VX_DRAFTSCAN = 0x8004;
inline constexpr TW_UINT16 ICAP_VX_EXPOSUREMODE = 0x8005;
inline constexpr TW_UINT16 ICAP_VX_LUT1 = 0x8007;
inline constexpr TW_UINT16 ICAP_VX_LUT2 = 0x8008;
inline constexpr TW_UINT16 ICAP_VX_COLORCORRECTION = 0x8009;
inline constexpr TW_UINT16 ICAP_VX_DESCREENING = 0x800A;
inline constexpr TW_UINT16 ICAP_VX_MAXRESFORDESCREENING = 0x800B;
inline constexpr TW_UINT16 ICAP_VX_FOCUS = 0x800D;
inline constexpr TW_UINT16 ICAP_VX_UNSHARPMASK = 0x800E;
inline constexpr TW_UINT16 ICAP_VX_QORMODE = 0x8010;
inline constexpr TW_UINT16 ICAP_VX_AUTOFOCUS = 0x801A;
inline constexpr TW_UINT16 ICAP_VX_BACKSIDEIMGUPSIDEDOWN = 0x801B;
inline constexpr TW_UINT16 ICAP_VX_CMM = 0x801C;
inline constexpr TW_UINT16 ICAP_VX_CMMSOURCENAME = 0x801D;
inline constexpr TW_UINT16 ICAP_VX_CMMTARGETNAME = 0x801E;
inline constexpr TW_UINT16 ICAP_VX_COLORSMOOTHING = 0x801F;
inline constexpr TW_UINT16 ICAP_VX_DESCREENINGLEVEL = 0x8020;
inline constexpr TW_UINT16 ICAP_VX_DISPLAYGAMMA = 0x8021;
inline constexpr TW_UINT16 ICAP_VX_MIRROR = 0x8022;
inline constexpr TW_UINT16 ICAP_VX_SKEW = 0x8023;
inline constexpr TW_UINT16 ICAP_VX_UNSHARPMASKLEVEL = 0x8024;
inline constexpr TW_UINT16 ICAP_VX_COLORADJUSTMENT = 0x8025;
inline constexpr TW_UINT16 ICAP_VX_COLORRESTORATION = 0x8026;
inline constexpr TW_UINT16 ICAP_VX_DUSTREMOVAL = 0x8027;
inline constexpr TW_UINT16 ICAP_VX_DUSTREMOVALLEVEL = 0x8028;
inline constexpr TW_UINT16 ICAP_VX_GRAINREDUCTION = 0x8029;
inline constexpr TW_UINT16 ICAP_VX_GRAINREDUCTIONLEVEL = 0x802A;
inline constexpr TW_UINT16 ICAP_VX_DIGITALICE = 0x802C;
inline constexpr TW_UINT16 ICAP_VX_DIGITALICELEVEL = 0x802D;
inline constexpr TW_UINT16 ICAP_VX_MAXRESFORDIGITALICE = 0x802E;
inline constexpr TW_UINT16 ICAP_VX_NEGAMODESUPPORT = 0x802F;
inline constexpr TW_UINT16 ICAP_VX_HOLDERTYPE = 0x8030;
inline constexpr TW_UINT16 ICAP_VX_FILMSIZE = 0x8031;
inline constexpr TW_UINT16 ICAP_VX_AFLPREVIEWPHYSICALHEIGHT = 0x8035;
inline constexpr TW_UINT16 ICAP_VX_AFLPREVIEWPHYSICALWIDTH = 0x8036;
inline constexpr TW_UINT16 ICAP_VX_AFLSCANPHYSICALHEIGHT = 0x8037;
inline constexpr TW_UINT16 ICAP_VX_AFLSCANPHYSICALWIDTH = 0x8038;
inline constexpr TW_UINT16 ICAP_VX_AFLMOUNTPHYSICALHEIGHT = 0x8039;
inline constexpr TW_UINT16 ICAP_VX_AFLMOUNTPHYSICALWIDTH = 0x803A;
inline constexpr TW_UINT16 ICAP_VX_FEEDERTHUMBNAILENABLED = 0x803C;
inline constexpr TW_UINT16 ICAP_VX_ADE = 0x8043;
inline constexpr TW_UINT16 ICAP_VX_ADFSUPPORTEDMINHEIGHT = 0x8045;
inline constexpr TW_UINT16 ICAP_VX_ADFSUPPORTEDMINWIDTH = 0x8046;
inline constexpr TW_UINT16 ICAP_VX_AUTOSIZE = 0x8050;
inline constexpr TW_UINT16 ICAP_VX_AUTOCOLORDETECTION = 0x8051;
inline constexpr TW_UINT16 ICAP_VX_PUNCHHOLEREMOVAL = 0x8052;
inline constexpr TW_UINT16 ICAP_VX_BLANKPAGESKIP = 0x8053;
inline constexpr TW_UINT16 ICAP_VX_EDGEFILL = 0x8059;
inline constexpr TW_UINT16 ICAP_VX_DROPOUTCOLOR = 0x8062;
inline constexpr TW_UINT16 ICAP_VX_OVERSCANMARGIN = 0x8066;
inline constexpr TW_UINT16 ICAP_VX_ARZ = 0x8054;
inline constexpr TW_UINT16 ICAP_VX_ADFMAXHEIGHT = 0x8056;
inline constexpr TW_UINT16 ICAP_VX_TEXTENHANCEMENT = 0x8043;
inline constexpr TW_UINT16 ICAP_VX_TEXTENHANCEMENTLEVEL = 0x8061;
inline constexpr TW_UINT16 ICAP_VX_COLORENHANCEMENT = 0x804A;
inline constexpr TW_UINT16 ICAP_VX_COLORENHANCEMENT2 = 0x8063;
inline constexpr TW_UINT16 ICAP_VX_COLORSLIPREDUCTION = 0x8079;
inline constexpr TW_UINT16 ICAP_VX_AUTOSIZETYPE = 0x8081;

// Vendor capability and field values.
inline constexpr TW_UINT16 TWVX_UI_CONVENTIONAL = 0;
inline constexpr TW_UINT16 TWVX_UI_ADVANCED = 1;
inline constexpr TW_UINT16 TWVX_UI_EASY = 2;
inline constexpr TW_UINT16 TWVX_UI_SIMPLE = 3;
inline constexpr TW_UINT16 TWVX_UI_EASYUISUPPRESSED = 4;
inline constexpr TW_UINT16 TWVX_UI_DOCUMENT = 5;
inline constexpr TW_UINT16 TWVX_UI_EXTRALIDFILM = 6;
inline constexpr TW_UINT16 TWVX_EM_NORMAL = 0;
inline constexpr TW_UINT16 TWVX_EM_PREVIEW = 1;
inline constexpr TW_UINT16 TWVX_EM_AUTO = 2;
inline constexpr TW_UINT16 TWVX_GT_NORMAL = 0;
inline constexpr TW_UINT16 TWVX_GT_LINEAR = 1;
inline constexpr TW_UINT16 TWVX_GT_PRESET = 2;
inline constexpr TW_UINT16 TWVX_CC_DEFAULT = 0;
inline constexpr TW_UINT16 TWVX_CC_NONE = 1;
inline constexpr TW_UINT16 TWVX_CC_PRESET = 2;
inline constexpr TW_UINT16 TWVX_CL_STANDARD = 0;
inline constexpr TW_UINT16 TWVX_CL_DUMB = 1;
inline constexpr TW_UINT16 TWVX_TPU_NONE = 0;
inline constexpr TW_UINT16 TWVX_TPU_TYPE1 = 1;
inline constexpr TW_UINT16 TWVX_TPU_TYPE2 = 2;
inline constexpr TW_UINT16 TWVX_TPU_TYPE3 = 3;
inline constexpr TW_UINT16 TWVX_USM_LOW = 0;
inline constexpr TW_UINT16 TWVX_USM_MEDIUM = 1;
inline constexpr TW_UINT16 TWVX_USM_HIGH = 2;
inline constexpr TW_UINT16 TWVX_USM_CUSTOM = 3;
inline constexpr TW_UINT16 TWVX_DSCR_COMMON = 0;
inline constexpr TW_UINT16 TWVX_DSCR_85 = 1;
inline constexpr TW_UINT16 TWVX_DSCR_133 = 2;
inline constexpr TW_UINT16 TWVX_DSCR_175 = 3;
inline constexpr TW_UINT16 TWVX_TA_LENGTHWAYS = 0;
inline constexpr TW_UINT16 TWVX_TA_SIDEWAYS = 1;
inline constexpr TW_UINT16 TWVX_DR_LOW = 0;
inline constexpr TW_UINT16 TWVX_DR_MEDIUM = 1;
inline constexpr TW_UINT16 TWVX_DR_HIGH = 2;
inline constexpr TW_UINT16 TWVX_ICE_LOW = 0;
inline constexpr TW_UINT16 TWVX_ICE_HIGH = 1;
inline constexpr TW_UINT16 TWVX_GR_LOW = 0;
inline constexpr TW_UINT16 TWVX_GR_MEDIUM = 1;
inline constexpr TW_UINT16 TWVX_GR_HIGH = 2;
inline constexpr TW_UINT16 TWVX_HT_NOSET = 0;
inline constexpr TW_UINT16 TWVX_HT_REFLECT = 1;
inline constexpr TW_UINT16 TWVX_HT_35MMSTRIP = 2;
inline constexpr TW_UINT16 TWVX_HT_BROWNIE = 3;
inline constexpr TW_UINT16 TWVX_HT_35MMMOUNT = 4;
inline constexpr TW_UINT16 TWVX_HT_40X50 = 5;
inline constexpr TW_UINT16 TWVX_FS_NOSET = 0;
inline constexpr TW_UINT16 TWVX_FS_60X45 = 1;
inline constexpr TW_UINT16 TWVX_FS_60X60 = 2;
inline constexpr TW_UINT16 TWVX_FS_60X70 = 3;
inline constexpr TW_UINT16 TWVX_FS_60X80 = 4;
inline constexpr TW_UINT16 TWVX_FS_60X90 = 5;
inline constexpr TW_UINT16 TWVX_AF_STRIP = 0;
inline constexpr TW_UINT16 TWVX_AF_MOUNT = 1;
inline constexpr TW_UINT16 TWVX_FT_ADF = 0;
inline constexpr TW_UINT16 TWVX_FT_MPF = 1;
inline constexpr TW_UINT16 TWVX_LI_NORMAL = 0;
inline constexpr TW_UINT16 TWVX_LI_EXTEND = 1;
inline constexpr TW_UINT16 TWVX_AUTOSIZE_NORMAL = 0;
inline constexpr TW_UINT16 TWVX_AUTOSIZE_LONG = 1;
inline constexpr TW_UINT16 TWVX_FT_POSI = 0;
inline constexpr TW_UINT16 TWVX_FT_NEGA = 1;
inline constexpr TW_UINT16 TWVX_FT_REFLECTIVE = 2;
inline constexpr TW_UINT16 TWVX_FT_BWNEGA = 3;
inline constexpr TW_UINT16 TWVX_FT_REFLECTIVEDOCUMENT = 4;
inline constexpr TW_UINT16 TWVX_PG_10 = 0;
inline constexpr TW_UINT16 TWVX_PG_18 = 1;
struct TWVX_AUTOEXPOSURE {
  TW_UINT32 Handle;
  TW_INT16 Left;
  TW_INT16 Top;
  TW_INT16 Right;
  TW_INT16 Bottom;
  TW_UINT16 FilmType;
  TW_UINT16 PreScanGamma;
  TW_FIX32 ScreenGamma;
  TW_UINT16 GrayBalance;
};

struct TWVX_RGBMATRIX {
  TW_FIX32 ColorCoeff[9];
};

struct TWVX_COLORSMOOTHING {
  TW_UINT32 Handle;
  TW_UINT32 LeftX;
  TW_UINT32 LeftY;
  TW_UINT32 TopX;
  TW_UINT32 TopY;
  TW_UINT32 RightX;
  TW_UINT32 RightY;
  TW_UINT32 BottomX;
  TW_UINT32 BottomY;
  TW_UINT32 Reserved;
};

struct TWVX_LOCATIONDATA {
  TW_INT16 BitsPerPixel;
  TW_UINT32 topPoint;
  TW_UINT32 leftPoint;
  TW_UINT32 locateW;
  TW_UINT32 locateH;
  TW_UINT32 ActualImgW;
  TW_UINT32 ActualImgH;
  TW_UINT32 xTangent;
  TW_UINT32 yTangent;
  TW_FIX32 Theta;
};

struct TWVX_USMPARAM {
  TW_INT16 Amount;
  TW_INT16 Radius;
  TW_INT16 Threshold;
};

struct TWVX_SETTINGFRAME {
  TW_UINT16 NumFrame;
  TW_UINT16 CurrentNum;
};

struct TWVX_THRESHOLDINFO {
  TW_UINT16 ShadowL;
  TW_UINT16 ShadowH;
  TW_UINT16 HighlightH;
  TW_UINT16 HighlightL;
};

struct TWVX_REVISEBASEPARM {
  TWVX_THRESHOLDINFO InputRevise;
  TWVX_THRESHOLDINFO OutputRevise;
  TW_UINT16 BlurMax;
};

struct TWVX_USMINFO {
  TW_UINT16 InputResolution;
  TW_UINT16 InUSMLevel;
  TW_UINT16 InFilmType;
  TWVX_USMPARAM USMParm;
  TWVX_REVISEBASEPARM ReviseParm;
};

// A length byte followed by up to 33 characters.
typedef unsigned char TWVX_PSTR32[34];

struct TWVX_HARDWAREINFO {
  TW_UINT32 ModelID;
  TWVX_PSTR32 ProductName;
  TWVX_PSTR32 ModelName;
  TW_UINT32 OptXResolution;
  TW_UINT32 OptYResolution;
  TW_UINT32 MinResolution;
  TW_UINT32 MaxResolution;
  TW_UINT32 MaxMoireResolution;
  TW_UINT32 MaxPixelofWidth;
  TW_UINT32 PixelSizeofFB[2];
  TW_UINT32 PixelSizeofADF[2];
  TW_UINT32 PixelSizeofTPU[2];
  TW_UINT32 BitDepth;
  TW_UINT16 InterfaceSupport;
  TW_UINT32 CommandType;
  TW_UINT32 ConnectInterfaceType;
  // Eight bytes at an 8-byte boundary: only a 64-bit member explains the slot under natural
  // alignment, so the whole slot is the flag.
  uint64_t StandAloneModeSupport;
  TW_BOOL FullAutoModeSupport;
  TW_BOOL SimpleModeSupport;
  TW_BOOL DocumentModeSupport;
  TW_BOOL AdvancedModeSupport;
  TW_BOOL QORSupport;
  TW_BOOL FIT3;
  TW_BOOL AutoLayoutSupportFB;
  TW_BOOL AutoLayoutSupportADF;
  TW_BOOL HalftoneSupport;
  TW_BOOL HTModeSupport;
  TW_BOOL HTDitherSupport;
  TW_BOOL HTARZSupport;
  TW_BOOL HTTXQSupport;
  TW_UINT16 TableArrangement;
  TW_UINT16 OptionSupport;
  TW_UINT16 FocusSupport;
  TW_UINT32 FocusArea[2];
  char ProfileNameFB[34];
  char ProfileNameTPU[34];
  TW_FIX32 ColorCorrectionFB[9];
  TW_FIX32 ColorCorrectionPOSI[9];
  TW_FIX32 ColorCorrectionNEGA[9];
  TW_FIX32 QORColorCorrectionFB[9];
  TW_FIX32 QORColorCorrectionPOSI[9];
  TW_FIX32 QORColorCorrectionNEGA[9];
  // Sized like the structure's other text fields, and read no further. The 64-bit member above
  // aligns the structure to 8 bytes, so any firmware field of 29 to 36 bytes gives the same
  // 504-byte structure: these 34 bytes stay inside what the application allocates.
  char ROMVersion[34];
};

#define TWVX_ASSERT_AT(type, member, offset) static_assert(offsetof(type, member) == (offset))
TWVX_ASSERT_AT(TWVX_AUTOEXPOSURE, Left, 4);
TWVX_ASSERT_AT(TWVX_AUTOEXPOSURE, Bottom, 10);
TWVX_ASSERT_AT(TWVX_AUTOEXPOSURE, FilmType, 12);
TWVX_ASSERT_AT(TWVX_AUTOEXPOSURE, PreScanGamma, 14);
TWVX_ASSERT_AT(TWVX_AUTOEXPOSURE, ScreenGamma, 16);
TWVX_ASSERT_AT(TWVX_AUTOEXPOSURE, GrayBalance, 20);
static_assert(sizeof(TWVX_RGBMATRIX) == 36);
static_assert(sizeof(TWVX_COLORSMOOTHING) == 40);
TWVX_ASSERT_AT(TWVX_COLORSMOOTHING, LeftX, 4);
TWVX_ASSERT_AT(TWVX_COLORSMOOTHING, BottomY, 32);
TWVX_ASSERT_AT(TWVX_COLORSMOOTHING, Reserved, 36);
static_assert(sizeof(TWVX_LOCATIONDATA) == 40);
TWVX_ASSERT_AT(TWVX_LOCATIONDATA, topPoint, 4);
TWVX_ASSERT_AT(TWVX_LOCATIONDATA, leftPoint, 8);
TWVX_ASSERT_AT(TWVX_LOCATIONDATA, locateW, 12);
TWVX_ASSERT_AT(TWVX_LOCATIONDATA, locateH, 16);
TWVX_ASSERT_AT(TWVX_LOCATIONDATA, ActualImgW, 20);
TWVX_ASSERT_AT(TWVX_LOCATIONDATA, ActualImgH, 24);
TWVX_ASSERT_AT(TWVX_LOCATIONDATA, xTangent, 28);
TWVX_ASSERT_AT(TWVX_LOCATIONDATA, yTangent, 32);
TWVX_ASSERT_AT(TWVX_LOCATIONDATA, Theta, 36);
static_assert(sizeof(TWVX_USMPARAM) == 6);
TWVX_ASSERT_AT(TWVX_USMPARAM, Radius, 2);
TWVX_ASSERT_AT(TWVX_USMPARAM, Threshold, 4);
static_assert(sizeof(TWVX_SETTINGFRAME) == 4);
TWVX_ASSERT_AT(TWVX_SETTINGFRAME, CurrentNum, 2);
static_assert(sizeof(TWVX_THRESHOLDINFO) == 8);
TWVX_ASSERT_AT(TWVX_THRESHOLDINFO, ShadowH, 2);
TWVX_ASSERT_AT(TWVX_THRESHOLDINFO, HighlightH, 4);
TWVX_ASSERT_AT(TWVX_THRESHOLDINFO, HighlightL, 6);
static_assert(sizeof(TWVX_REVISEBASEPARM) == 18);
TWVX_ASSERT_AT(TWVX_REVISEBASEPARM, OutputRevise, 8);
TWVX_ASSERT_AT(TWVX_REVISEBASEPARM, BlurMax, 16);
static_assert(sizeof(TWVX_USMINFO) == 30);
TWVX_ASSERT_AT(TWVX_USMINFO, InUSMLevel, 2);
TWVX_ASSERT_AT(TWVX_USMINFO, InFilmType, 4);
TWVX_ASSERT_AT(TWVX_USMINFO, USMParm, 6);
TWVX_ASSERT_AT(TWVX_USMINFO, ReviseParm, 12);
TWVX_ASSERT_AT(TWVX_HARDWAREINFO, ProductName, 4);
TWVX_ASSERT_AT(TWVX_HARDWAREINFO, ModelName, 38);
TWVX_ASSERT_AT(TWVX_HARDWAREINFO, OptXResolution, 72);
TWVX_ASSERT_AT(TWVX_HARDWAREINFO, OptYResolution, 76);
TWVX_ASSERT_AT(TWVX_HARDWAREINFO, MinResolution, 80);
TWVX_ASSERT_AT(TWVX_HARDWAREINFO, MaxResolution, 84);
TWVX_ASSERT_AT(TWVX_HARDWAREINFO, MaxMoireResolution, 88);
TWVX_ASSERT_AT(TWVX_HARDWAREINFO, MaxPixelofWidth, 92);
TWVX_ASSERT_AT(TWVX_HARDWAREINFO, PixelSizeofFB, 96);
TWVX_ASSERT_AT(TWVX_HARDWAREINFO, PixelSizeofADF, 104);
TWVX_ASSERT_AT(TWVX_HARDWAREINFO, PixelSizeofTPU, 112);
TWVX_ASSERT_AT(TWVX_HARDWAREINFO, BitDepth, 120);
TWVX_ASSERT_AT(TWVX_HARDWAREINFO, InterfaceSupport, 124);
TWVX_ASSERT_AT(TWVX_HARDWAREINFO, CommandType, 128);
TWVX_ASSERT_AT(TWVX_HARDWAREINFO, ConnectInterfaceType, 132);
TWVX_ASSERT_AT(TWVX_HARDWAREINFO, StandAloneModeSupport, 136);
TWVX_ASSERT_AT(TWVX_HARDWAREINFO, FullAutoModeSupport, 144);
TWVX_ASSERT_AT(TWVX_HARDWAREINFO, SimpleModeSupport, 146);
TWVX_ASSERT_AT(TWVX_HARDWAREINFO, DocumentModeSupport, 148);
TWVX_ASSERT_AT(TWVX_HARDWAREINFO, AdvancedModeSupport, 150);
TWVX_ASSERT_AT(TWVX_HARDWAREINFO, QORSupport, 152);
TWVX_ASSERT_AT(TWVX_HARDWAREINFO, FIT3, 154);
TWVX_ASSERT_AT(TWVX_HARDWAREINFO, AutoLayoutSupportFB, 156);
TWVX_ASSERT_AT(TWVX_HARDWAREINFO, AutoLayoutSupportADF, 158);
TWVX_ASSERT_AT(TWVX_HARDWAREINFO, HalftoneSupport, 160);
TWVX_ASSERT_AT(TWVX_HARDWAREINFO, HTModeSupport, 162);
TWVX_ASSERT_AT(TWVX_HARDWAREINFO, HTDitherSupport, 164);
TWVX_ASSERT_AT(TWVX_HARDWAREINFO, HTARZSupport, 166);
TWVX_ASSERT_AT(TWVX_HARDWAREINFO, HTTXQSupport, 168);
TWVX_ASSERT_AT(TWVX_HARDWAREINFO, TableArrangement, 170);
TWVX_ASSERT_AT(TWVX_HARDWAREINFO, OptionSupport, 172);
TWVX_ASSERT_AT(TWVX_HARDWAREINFO, FocusSupport, 174);
TWVX_ASSERT_AT(TWVX_HARDWAREINFO, FocusArea, 176);
TWVX_ASSERT_AT(TWVX_HARDWAREINFO, ProfileNameFB, 184);
TWVX_ASSERT_AT(TWVX_HARDWAREINFO, ProfileNameTPU, 218);
TWVX_ASSERT_AT(TWVX_HARDWAREINFO, ColorCorrectionFB, 252);
TWVX_ASSERT_AT(TWVX_HARDWAREINFO, ColorCorrectionPOSI, 288);
TWVX_ASSERT_AT(TWVX_HARDWAREINFO, ColorCorrectionNEGA, 324);
TWVX_ASSERT_AT(TWVX_HARDWAREINFO, QORColorCorrectionFB, 360);
TWVX_ASSERT_AT(TWVX_HARDWAREINFO, QORColorCorrectionPOSI, 396);
TWVX_ASSERT_AT(TWVX_HARDWAREINFO, QORColorCorrectionNEGA, 432);
TWVX_ASSERT_AT(TWVX_HARDWAREINFO, ROMVersion, 468);
static_assert(sizeof(TWVX_HARDWAREINFO) == 504);
#undef TWVX_ASSERT_AT
