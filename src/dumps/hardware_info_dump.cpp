// The connected scanner's description: identity and names, resolutions, document sources,
// supported modes, colour profiles, six colour correction matrices and the firmware version.
#include <cstring>

#include "analyzer/line_format.h"
#include "analyzer/para_analyze.h"
#include "dumps/dump_conventions.h"

namespace {

// A length byte followed by that many characters, in the application's text encoding, which
// is also the log's: the characters are the text, up to a NUL among them. A length byte beyond
// what the field holds is taken as the field's size, so nothing after the field is read.
NameText PascalText(const TWVX_PSTR32& field) {
  size_t length = field[0];
  if (length > sizeof(field) - 1) length = sizeof(field) - 1;
  const char* text = reinterpret_cast<const char*>(field + 1);
  return NameText{text, strnlen(text, length)};
}

}  // namespace

bool CParaAnalyze::TwHardwareInfoAnalyze(TWVX_HARDWAREINFO* pHardwareInfo) {
  if (pHardwareInfo == nullptr) return true;
  TWVX_HARDWAREINFO& info = *pHardwareInfo;

  TW_LINE("  TWVX_HARDWAREINFO = {%s", kCrLf);
  TW_LINE("    ModelID                = [0x%02x]%s", info.ModelID, kCrLf);
  TW_LINE("    ProductName            = [%s]%s", PascalText(info.ProductName), kCrLf);
  TW_LINE("    ModelName              = [%s]%s", PascalText(info.ModelName), kCrLf);
  TW_LINE("    OptXResolution         = [%ld]%s", Unsigned32(info.OptXResolution), kCrLf);
  TW_LINE("    OptYResolution         = [%ld]%s", Unsigned32(info.OptYResolution), kCrLf);
  TW_LINE("    MinResolution          = [%ld]%s", Unsigned32(info.MinResolution), kCrLf);
  TW_LINE("    MaxResolution          = [%ld]%s", Unsigned32(info.MaxResolution), kCrLf);
  TW_LINE("    MaxMoireResolution     = [%ld]%s", Unsigned32(info.MaxMoireResolution), kCrLf);
  TW_LINE("    MaxPixelofWidth        = [%ld]%s", Unsigned32(info.MaxPixelofWidth), kCrLf);
  TW_LINE("    PixelSizeofFB[0]       = [%ld]%s", Unsigned32(info.PixelSizeofFB[0]), kCrLf);
  TW_LINE("    PixelSizeofFB[1]       = [%ld]%s", Unsigned32(info.PixelSizeofFB[1]), kCrLf);
  TW_LINE("    PixelSizeofADF[0]      = [%ld]%s", Unsigned32(info.PixelSizeofADF[0]), kCrLf);
  TW_LINE("    PixelSizeofADF[1]      = [%ld]%s", Unsigned32(info.PixelSizeofADF[1]), kCrLf);
  TW_LINE("    PixelSizeofTPU[0]      = [%ld]%s", Unsigned32(info.PixelSizeofTPU[0]), kCrLf);
  TW_LINE("    PixelSizeofTPU[1]      = [%ld]%s", Unsigned32(info.PixelSizeofTPU[1]), kCrLf);
  TW_LINE("    BitDepth               = [0x%02x]%s", info.BitDepth, kCrLf);
  TW_LINE("    InterfaceSupport       = [%d]%s", info.InterfaceSupport, kCrLf);
  TW_LINE("    CommandType            = [%ld]%s", Unsigned32(info.CommandType), kCrLf);
  TW_LINE("    ConnectInterfaceType   = [%ld]%s", Unsigned32(info.ConnectInterfaceType), kCrLf);
  TW_LINE("    StandAloneModeSupport  = [%s]%s", BoolText(info.StandAloneModeSupport != 0), kCrLf);
  TW_LINE("    FullAutoModeSupport    = [%s]%s", BoolText(info.FullAutoModeSupport), kCrLf);
  TW_LINE("    SimpleModeSupport      = [%s]%s", BoolText(info.SimpleModeSupport), kCrLf);
  TW_LINE("    DocumentModeSupport    = [%s]%s", BoolText(info.DocumentModeSupport), kCrLf);
  TW_LINE("    AdvancedModeSupport    = [%s]%s", BoolText(info.AdvancedModeSupport), kCrLf);
  TW_LINE("    QORSupport             = [%s]%s", BoolText(info.QORSupport), kCrLf);
  TW_LINE("    FIT3                   = [%s]%s", BoolText(info.FIT3), kCrLf);
  TW_LINE("    AutoLayoutSupportFB    = [%s]%s", BoolText(info.AutoLayoutSupportFB), kCrLf);
  TW_LINE("    AutoLayoutSupportADF   = [%s]%s", BoolText(info.AutoLayoutSupportADF), kCrLf);
  TW_LINE("    HalftoneSupport        = [%s]%s", BoolText(info.HalftoneSupport), kCrLf);
  TW_LINE("    HTModeSupport          = [%s]%s", BoolText(info.HTModeSupport), kCrLf);
  TW_LINE("    HTDitherSupport        = [%s]%s", BoolText(info.HTDitherSupport), kCrLf);
  TW_LINE("    HTARZSupport           = [%s]%s", BoolText(info.HTARZSupport), kCrLf);
  TW_LINE("    HTTXQSupport           = [%s]%s", BoolText(info.HTTXQSupport), kCrLf);
  TW_LINE("    TableArrangement       = [%d]%s", info.TableArrangement, kCrLf);
  TW_LINE("    OptionSupport          = [0x%04x]%s", info.OptionSupport, kCrLf);
  TW_LINE("    FocusSupport           = [%d]%s", info.FocusSupport, kCrLf);
  TW_LINE("    FocusArea[0]           = [%ld]%s", Unsigned32(info.FocusArea[0]), kCrLf);
  TW_LINE("    FocusArea[1]           = [%ld]%s", Unsigned32(info.FocusArea[1]), kCrLf);
  TW_LINE("    ProfileNameFB          = [%s]%s", FieldText(info.ProfileNameFB), kCrLf);
  TW_LINE("    ProfileNameTPU         = [%s]%s", FieldText(info.ProfileNameTPU), kCrLf);
  TW_LINE("    ColorCorrectionFB      = [");
  SetColorCoeffData(info.ColorCorrectionFB);
  TW_LINE("]%s", kCrLf);
  TW_LINE("    ColorCorrectionPOSI    = [");
  SetColorCoeffData(info.ColorCorrectionPOSI);
  TW_LINE("]%s", kCrLf);
  TW_LINE("    ColorCorrectionNEGA    = [");
  SetColorCoeffData(info.ColorCorrectionNEGA);
  TW_LINE("]%s", kCrLf);
  TW_LINE("    QORColorCorrectionFB   = [");
  SetColorCoeffData(info.QORColorCorrectionFB);
  TW_LINE("]%s", kCrLf);
  TW_LINE("    QORColorCorrectionPOSI = [");
  SetColorCoeffData(info.QORColorCorrectionPOSI);
  TW_LINE("]%s", kCrLf);
  TW_LINE("    QORColorCorrectionNEGA = [");
  SetColorCoeffData(info.QORColorCorrectionNEGA);
  TW_LINE("]%s", kCrLf);
  TW_LINE("    ROMVersion             = [%s]%s", FieldText(info.ROMVersion), kCrLf);
  TW_LINE("  }%s", kCrLf);
  return true;
}
