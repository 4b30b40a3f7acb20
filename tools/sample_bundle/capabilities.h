// Capability negotiation: the answers to DG_CONTROL/DAT_CAPABILITY, and the negotiated values
// that the scan uses.
#pragma once

#include <vector>

#include "capability_table.h"
#include "triplet_result.h"
#include "twaintrace/data_source_memory.h"
#include "twaintrace/twain_types.h"

// What the scan is to be, as negotiated.
struct ScanSettings {
  TW_UINT16 pixelType;
  TW_UINT16 bitDepth;
  double xResolution;  // dots per inch
  double yResolution;
  TW_UINT16 supportedSize;
  TW_UINT16 orientation;
  double brightness;  // -1000 to 1000
};

class CapabilityStore {
 public:
  CapabilityStore();

  // MSG_GET, MSG_GETCURRENT, MSG_GETDEFAULT, MSG_SET, MSG_RESET or MSG_QUERYSUPPORT on `cap`.
  // Answers go into a new container that the application frees.
  TripletResult Execute(TW_UINT16 msg, TW_CAPABILITY* cap, const DataSourceMemory& memory);

  ScanSettings Settings() const;
  ScanSettings DefaultSettings() const;
  TW_UINT16 TransferMechanism() const;
  // -1 for as many images as there are.
  TW_INT16 TransferCount() const;
  bool FeederEnabled() const;
  bool DuplexEnabled() const;

 private:
  const CapabilityEntry* Find(TW_UINT16 cap) const;
  CapabilityEntry* Find(TW_UINT16 cap);
  TW_UINT32 Current(TW_UINT16 cap) const;
  TW_UINT32 Default(TW_UINT16 cap) const;
  ScanSettings SettingsOf(TW_UINT32 (CapabilityStore::*value)(TW_UINT16) const) const;

  TripletResult Answer(const CapabilityEntry& entry, TW_UINT16 msg, TW_CAPABILITY* cap,
                       const DataSourceMemory& memory) const;
  TripletResult Set(CapabilityEntry& entry, TW_CAPABILITY* cap, const DataSourceMemory& memory);
  TripletResult Reset(CapabilityEntry& entry, TW_CAPABILITY* cap, const DataSourceMemory& memory);
  TripletResult QuerySupport(const CapabilityEntry& entry, TW_CAPABILITY* cap,
                             const DataSourceMemory& memory) const;
  void FollowPixelType();

  std::vector<CapabilityEntry> m_entries;
};
