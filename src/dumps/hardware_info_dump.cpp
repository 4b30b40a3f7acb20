// The connected scanner's description: identity and names, resolutions, document sources,
// supported modes, colour profiles, six colour correction matrices and the firmware version.
#include <cstring>

#include "dumps/dump_conventions.h"
#include "dumps/dump_fields.h"
#include "dumps/structure_dumps.h"

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

void DumpVxHardwareInfo(const DumpContext& context, const TWVX_HARDWAREINFO* pHardwareInfo) {
  if (pHardwareInfo == nullptr) return;
  const TWVX_HARDWAREINFO& info = *pHardwareInfo;

  TW_LINE("  TWVX_HARDWAREINFO = {%s", kCrLf);
  TW_FIELDS(4, 22);
  TW_FIELD(&info, ModelID, "0x%02x");
  TW_FIELD_AS(&info, ProductName, "%s", PascalText);
  TW_FIELD_AS(&info, ModelName, "%s", PascalText);
  TW_FIELD_U32(&info, OptXResolution);
  TW_FIELD_U32(&info, OptYResolution);
  TW_FIELD_U32(&info, MinResolution);
  TW_FIELD_U32(&info, MaxResolution);
  TW_FIELD_U32(&info, MaxMoireResolution);
  TW_FIELD_U32(&info, MaxPixelofWidth);
  TW_FIELD_EACH(&info, PixelSizeofFB, "%ld", Uint32AsLong);
  TW_FIELD_EACH(&info, PixelSizeofADF, "%ld", Uint32AsLong);
  TW_FIELD_EACH(&info, PixelSizeofTPU, "%ld", Uint32AsLong);
  TW_FIELD(&info, BitDepth, "0x%02x");
  TW_FIELD(&info, InterfaceSupport, "%d");
  TW_FIELD_U32(&info, CommandType);
  TW_FIELD_U32(&info, ConnectInterfaceType);
  TW_FIELD_BOOL(&info, StandAloneModeSupport);
  TW_FIELD_BOOL(&info, FullAutoModeSupport);
  TW_FIELD_BOOL(&info, SimpleModeSupport);
  TW_FIELD_BOOL(&info, DocumentModeSupport);
  TW_FIELD_BOOL(&info, AdvancedModeSupport);
  TW_FIELD_BOOL(&info, QORSupport);
  TW_FIELD_BOOL(&info, FIT3);
  TW_FIELD_BOOL(&info, AutoLayoutSupportFB);
  TW_FIELD_BOOL(&info, AutoLayoutSupportADF);
  TW_FIELD_BOOL(&info, HalftoneSupport);
  TW_FIELD_BOOL(&info, HTModeSupport);
  TW_FIELD_BOOL(&info, HTDitherSupport);
  TW_FIELD_BOOL(&info, HTARZSupport);
  TW_FIELD_BOOL(&info, HTTXQSupport);
  TW_FIELD(&info, TableArrangement, "%d");
  TW_FIELD(&info, OptionSupport, "0x%04x");
  TW_FIELD(&info, FocusSupport, "%d");
  TW_FIELD_EACH(&info, FocusArea, "%ld", Uint32AsLong);
  TW_FIELD_TEXT(&info, ProfileNameFB);
  TW_FIELD_TEXT(&info, ProfileNameTPU);
  TW_FIELD_MATRIX(&info, ColorCorrectionFB, '[', ']');
  TW_FIELD_MATRIX(&info, ColorCorrectionPOSI, '[', ']');
  TW_FIELD_MATRIX(&info, ColorCorrectionNEGA, '[', ']');
  TW_FIELD_MATRIX(&info, QORColorCorrectionFB, '[', ']');
  TW_FIELD_MATRIX(&info, QORColorCorrectionPOSI, '[', ']');
  TW_FIELD_MATRIX(&info, QORColorCorrectionNEGA, '[', ']');
  TW_FIELD_TEXT(&info, ROMVersion);
  TW_LINE("  }%s", kCrLf);
}
