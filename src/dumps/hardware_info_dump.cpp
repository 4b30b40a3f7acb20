// The connected scanner's description: identity and names, resolutions, document sources,
// supported modes, colour profiles, six colour correction matrices and the firmware version.
#include <cstring>

#include "analyzer/append_line.h"
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

  Line("  TWVX_HARDWAREINFO = {%s", kCrLf);
  Line("    ModelID                = [0x%02x]%s", info.ModelID, kCrLf);
  Line("    ProductName            = [%s]%s", PascalText(info.ProductName), kCrLf);
  Line("    ModelName              = [%s]%s", PascalText(info.ModelName), kCrLf);
  Line("    OptXResolution         = [%ld]%s", Uint32AsLong(info.OptXResolution), kCrLf);
  Line("    OptYResolution         = [%ld]%s", Uint32AsLong(info.OptYResolution), kCrLf);
  Line("    MinResolution          = [%ld]%s", Uint32AsLong(info.MinResolution), kCrLf);
  Line("    MaxResolution          = [%ld]%s", Uint32AsLong(info.MaxResolution), kCrLf);
  Line("    MaxMoireResolution     = [%ld]%s", Uint32AsLong(info.MaxMoireResolution), kCrLf);
  Line("    MaxPixelofWidth        = [%ld]%s", Uint32AsLong(info.MaxPixelofWidth), kCrLf);
  Line("    PixelSizeofFB[0]       = [%ld]%s", Uint32AsLong(info.PixelSizeofFB[0]), kCrLf);
  Line("    PixelSizeofFB[1]       = [%ld]%s", Uint32AsLong(info.PixelSizeofFB[1]), kCrLf);
  Line("    PixelSizeofADF[0]      = [%ld]%s", Uint32AsLong(info.PixelSizeofADF[0]), kCrLf);
  Line("    PixelSizeofADF[1]      = [%ld]%s", Uint32AsLong(info.PixelSizeofADF[1]), kCrLf);
  Line("    PixelSizeofTPU[0]      = [%ld]%s", Uint32AsLong(info.PixelSizeofTPU[0]), kCrLf);
  Line("    PixelSizeofTPU[1]      = [%ld]%s", Uint32AsLong(info.PixelSizeofTPU[1]), kCrLf);
  Line("    BitDepth               = [0x%02x]%s", info.BitDepth, kCrLf);
  Line("    InterfaceSupport       = [%d]%s", info.InterfaceSupport, kCrLf);
  Line("    CommandType            = [%ld]%s", Uint32AsLong(info.CommandType), kCrLf);
  Line("    ConnectInterfaceType   = [%ld]%s", Uint32AsLong(info.ConnectInterfaceType), kCrLf);
  Line("    StandAloneModeSupport  = [%s]%s", BoolText(info.StandAloneModeSupport != 0), kCrLf);
  Line("    FullAutoModeSupport    = [%s]%s", BoolText(info.FullAutoModeSupport), kCrLf);
  Line("    SimpleModeSupport      = [%s]%s", BoolText(info.SimpleModeSupport), kCrLf);
  Line("    DocumentModeSupport    = [%s]%s", BoolText(info.DocumentModeSupport), kCrLf);
  Line("    AdvancedModeSupport    = [%s]%s", BoolText(info.AdvancedModeSupport), kCrLf);
  Line("    QORSupport             = [%s]%s", BoolText(info.QORSupport), kCrLf);
  Line("    FIT3                   = [%s]%s", BoolText(info.FIT3), kCrLf);
  Line("    AutoLayoutSupportFB    = [%s]%s", BoolText(info.AutoLayoutSupportFB), kCrLf);
  Line("    AutoLayoutSupportADF   = [%s]%s", BoolText(info.AutoLayoutSupportADF), kCrLf);
  Line("    HalftoneSupport        = [%s]%s", BoolText(info.HalftoneSupport), kCrLf);
  Line("    HTModeSupport          = [%s]%s", BoolText(info.HTModeSupport), kCrLf);
  Line("    HTDitherSupport        = [%s]%s", BoolText(info.HTDitherSupport), kCrLf);
  Line("    HTARZSupport           = [%s]%s", BoolText(info.HTARZSupport), kCrLf);
  Line("    HTTXQSupport           = [%s]%s", BoolText(info.HTTXQSupport), kCrLf);
  Line("    TableArrangement       = [%d]%s", info.TableArrangement, kCrLf);
  Line("    OptionSupport          = [0x%04x]%s", info.OptionSupport, kCrLf);
  Line("    FocusSupport           = [%d]%s", info.FocusSupport, kCrLf);
  Line("    FocusArea[0]           = [%ld]%s", Uint32AsLong(info.FocusArea[0]), kCrLf);
  Line("    FocusArea[1]           = [%ld]%s", Uint32AsLong(info.FocusArea[1]), kCrLf);
  Line("    ProfileNameFB          = [%s]%s", FieldText(info.ProfileNameFB), kCrLf);
  Line("    ProfileNameTPU         = [%s]%s", FieldText(info.ProfileNameTPU), kCrLf);
  Line("    ColorCorrectionFB      = [");
  SetColorCoeffData(info.ColorCorrectionFB);
  Line("]%s", kCrLf);
  Line("    ColorCorrectionPOSI    = [");
  SetColorCoeffData(info.ColorCorrectionPOSI);
  Line("]%s", kCrLf);
  Line("    ColorCorrectionNEGA    = [");
  SetColorCoeffData(info.ColorCorrectionNEGA);
  Line("]%s", kCrLf);
  Line("    QORColorCorrectionFB   = [");
  SetColorCoeffData(info.QORColorCorrectionFB);
  Line("]%s", kCrLf);
  Line("    QORColorCorrectionPOSI = [");
  SetColorCoeffData(info.QORColorCorrectionPOSI);
  Line("]%s", kCrLf);
  Line("    QORColorCorrectionNEGA = [");
  SetColorCoeffData(info.QORColorCorrectionNEGA);
  Line("]%s", kCrLf);
  Line("    ROMVersion             = [%s]%s", FieldText(info.ROMVersion), kCrLf);
  Line("  }%s", kCrLf);
  return true;
}
