// The virtual scanner that the sample bundle drives: a flatbed with an automatic document
// feeder. Its facts are shared by its identity, its hardware description and its capabilities.
#pragma once

#include "twaintrace/twain_types.h"

namespace scanner_model {

// Resolutions offered, in dots per inch; the optical resolution is the highest.
inline constexpr TW_UINT32 kResolutions[] = {75, 100, 150, 200, 300, 400, 600};
inline constexpr TW_UINT32 kDefaultResolution = 150;
inline constexpr TW_UINT32 kOpticalResolution = 600;

// The largest page either source takes, in inches: the feeder takes US legal.
inline constexpr double kFlatbedWidth = 8.5;
inline constexpr double kFlatbedHeight = 11.7;
inline constexpr double kFeederHeight = 14.0;

// An operator puts a fresh stack into the feeder for every enabled session.
inline constexpr TW_UINT32 kSheetsInFeeder = 50;

// The firmware and driver version, as CAP_VX_VERSION carries it: high byte major, low minor.
inline constexpr TW_UINT16 kVersion = 0x0105;

}  // namespace scanner_model

// The data source's identity; the Id the source manager assigned is kept.
void FillSourceIdentity(TW_IDENTITY* identity);
