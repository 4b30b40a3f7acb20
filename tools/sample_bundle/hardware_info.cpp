#include "hardware_info.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <iterator>

#include "common/twain_values.h"
#include "scanner_model.h"

namespace {

constexpr TW_UINT32 kModelId = 0x2A;
constexpr TW_UINT16 kUsbInterface = 1;
constexpr TW_UINT32 kStandardCommands = 1;
constexpr TW_UINT32 kConnectedByUsb = 2;
constexpr TW_UINT16 kFeederOption = 0x0002;

// A length byte and at most 33 characters.
void PutPascalString(TWVX_PSTR32 field, const char* text) {
  size_t length = std::min(strlen(text), sizeof(TWVX_PSTR32) - 1);
  memset(field, 0, sizeof(TWVX_PSTR32));
  field[0] = static_cast<unsigned char>(length);
  memcpy(field + 1, text, length);
}

TW_UINT32 Pixels(double inches) {
  return static_cast<TW_UINT32>(std::lround(inches * scanner_model::kOpticalResolution));
}

void PutIdentity(TW_FIX32 (&matrix)[9]) {
  for (int i = 0; i < 9; ++i) matrix[i] = ToFix32(i % 4 == 0 ? 1.0 : 0.0);
}

void PutResolutions(TWVX_HARDWAREINFO* info) {
  info->OptXResolution = scanner_model::kOpticalResolution;
  info->OptYResolution = scanner_model::kOpticalResolution;
  info->MinResolution = *std::min_element(std::begin(scanner_model::kResolutions),
                                          std::end(scanner_model::kResolutions));
  info->MaxResolution = *std::max_element(std::begin(scanner_model::kResolutions),
                                          std::end(scanner_model::kResolutions));
  info->MaxMoireResolution = 400;
  info->MaxPixelofWidth = Pixels(scanner_model::kFlatbedWidth);
  info->PixelSizeofFB[0] = Pixels(scanner_model::kFlatbedWidth);
  info->PixelSizeofFB[1] = Pixels(scanner_model::kFlatbedHeight);
  info->PixelSizeofADF[0] = Pixels(scanner_model::kFlatbedWidth);
  info->PixelSizeofADF[1] = Pixels(scanner_model::kFeederHeight);
}

void PutModes(TWVX_HARDWAREINFO* info) {
  info->FullAutoModeSupport = 1;
  info->SimpleModeSupport = 1;
  info->DocumentModeSupport = 1;
  info->AdvancedModeSupport = 1;
  info->AutoLayoutSupportFB = 1;
  info->HalftoneSupport = 1;
  info->HTModeSupport = 1;
  info->TableArrangement = TWVX_TA_LENGTHWAYS;
  info->OptionSupport = kFeederOption;
}

void PutColour(TWVX_HARDWAREINFO* info) {
  snprintf(info->ProfileNameFB, sizeof(info->ProfileNameFB), "Halvern Flatbed.icc");
  PutIdentity(info->ColorCorrectionFB);
  PutIdentity(info->ColorCorrectionPOSI);
  PutIdentity(info->ColorCorrectionNEGA);
  PutIdentity(info->QORColorCorrectionFB);
  PutIdentity(info->QORColorCorrectionPOSI);
  PutIdentity(info->QORColorCorrectionNEGA);
}

}  // namespace

void FillHardwareInfo(TWVX_HARDWAREINFO* info) {
  memset(info, 0, sizeof(*info));
  info->ModelID = kModelId;
  PutPascalString(info->ProductName, "Tandra H-100");
  PutPascalString(info->ModelName, "Halvern");
  PutResolutions(info);
  info->BitDepth = 24;
  info->InterfaceSupport = kUsbInterface;
  info->CommandType = kStandardCommands;
  info->ConnectInterfaceType = kConnectedByUsb;
  PutModes(info);
  PutColour(info);
  snprintf(info->ROMVersion, sizeof(info->ROMVersion), "%d.%02d.00", scanner_model::kVersion >> 8,
           scanner_model::kVersion & 0xFF);
}
