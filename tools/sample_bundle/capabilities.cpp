#include "capabilities.h"

#include <algorithm>
#include <cmath>

#include "common/twain_values.h"
#include "containers.h"

namespace {

bool IsListed(const CapabilityEntry& entry, TW_UINT32 value) {
  return std::find(entry.values.begin(), entry.values.end(), value) != entry.values.end();
}

TW_UINT32 IndexOf(const CapabilityEntry& entry, TW_UINT32 value) {
  auto at = std::find(entry.values.begin(), entry.values.end(), value);
  return static_cast<TW_UINT32>(at - entry.values.begin());
}

// Ranges here are TW_FIX32: the value must lie within them on a whole step.
bool IsInRange(const CapabilityEntry& entry, TW_UINT32 value) {
  double number = FromFix32(Fix32FromBits(value));
  double low = FromFix32(Fix32FromBits(entry.values[0]));
  double high = FromFix32(Fix32FromBits(entry.values[1]));
  double step = FromFix32(Fix32FromBits(entry.values[2]));
  if (number < low || number > high) return false;
  double steps = (number - low) / step;
  return std::fabs(steps - std::round(steps)) < 1e-9;
}

bool IsTransferCount(TW_UINT32 value) {
  auto count = static_cast<TW_INT16>(value);
  return count == -1 || count > 0;
}

// The value as stored, or false when the capability does not take it.
bool Accept(const CapabilityEntry& entry, TW_UINT32 value, TW_UINT32* stored) {
  *stored = value;
  switch (entry.constraint) {
    case Constraint::kReadOnly:
      return false;
    case Constraint::kListed:
      return IsListed(entry, value);
    case Constraint::kRange:
      return IsInRange(entry, value);
    case Constraint::kBoolean:
      *stored = value != 0 ? 1 : 0;
      return true;
    case Constraint::kTransferCount:
      return IsTransferCount(value);
  }
  return false;
}

TW_INT32 SupportedOperations(const CapabilityEntry& entry) {
  TW_INT32 operations = TWQC_GET | TWQC_GETCURRENT | TWQC_GETDEFAULT;
  if (entry.constraint != Constraint::kReadOnly) operations |= TWQC_SET | TWQC_RESET;
  return operations;
}

TripletResult Deliver(TW_CAPABILITY* cap, TW_UINT16 conType, TW_HANDLE container) {
  if (container == nullptr) return Failure(TWCC_LOWMEMORY);
  cap->ConType = conType;
  cap->hContainer = container;
  return Success();
}

}  // namespace

CapabilityStore::CapabilityStore() : m_entries(HalvernCapabilities()) {}

const CapabilityEntry* CapabilityStore::Find(TW_UINT16 cap) const {
  for (const CapabilityEntry& entry : m_entries) {
    if (entry.cap == cap) return &entry;
  }
  return nullptr;
}

CapabilityEntry* CapabilityStore::Find(TW_UINT16 cap) {
  return const_cast<CapabilityEntry*>(static_cast<const CapabilityStore*>(this)->Find(cap));
}

TW_UINT32 CapabilityStore::Current(TW_UINT16 cap) const {
  return Find(cap)->currentValue;
}

TW_UINT32 CapabilityStore::Default(TW_UINT16 cap) const {
  return Find(cap)->defaultValue;
}

TripletResult CapabilityStore::Execute(TW_UINT16 msg, TW_CAPABILITY* cap,
                                       const DataSourceMemory& memory) {
  CapabilityEntry* entry = Find(cap->Cap);
  if (entry == nullptr) return Failure(TWCC_CAPUNSUPPORTED);
  switch (msg) {
    case MSG_GET:
    case MSG_GETCURRENT:
    case MSG_GETDEFAULT:
      return Answer(*entry, msg, cap, memory);
    case MSG_SET:
      return Set(*entry, cap, memory);
    case MSG_RESET:
      return Reset(*entry, cap, memory);
    case MSG_QUERYSUPPORT:
      return QuerySupport(*entry, cap, memory);
    default:
      return Failure(TWCC_BADPROTOCOL);
  }
}

// MSG_GET shows everything the capability offers; the current and default values travel alone,
// except for a list capability, which has no single value.
TripletResult CapabilityStore::Answer(const CapabilityEntry& entry, TW_UINT16 msg,
                                      TW_CAPABILITY* cap, const DataSourceMemory& memory) const {
  if (entry.shape == CapShape::kArray) {
    return Deliver(cap, TWON_ARRAY, MakeArray(memory, entry.itemType, entry.values));
  }
  if (msg != MSG_GET || entry.shape == CapShape::kOneValue) {
    TW_UINT32 value = msg == MSG_GETDEFAULT ? entry.defaultValue : entry.currentValue;
    return Deliver(cap, TWON_ONEVALUE, MakeOneValue(memory, entry.itemType, value));
  }
  if (entry.shape == CapShape::kRange) {
    return Deliver(cap, TWON_RANGE,
                   MakeRange(memory, entry.itemType, entry.values[0], entry.values[1],
                             entry.values[2], entry.defaultValue, entry.currentValue));
  }
  return Deliver(
      cap, TWON_ENUMERATION,
      MakeEnumeration(memory, entry.itemType, entry.values, IndexOf(entry, entry.currentValue),
                      IndexOf(entry, entry.defaultValue)));
}

TripletResult CapabilityStore::Set(CapabilityEntry& entry, TW_CAPABILITY* cap,
                                   const DataSourceMemory& memory) {
  if (entry.constraint == Constraint::kReadOnly) return Failure(TWCC_CAPBADOPERATION);
  TW_UINT16 itemType = 0;
  TW_UINT32 value = 0;
  if (cap->ConType != TWON_ONEVALUE || !ReadOneValue(memory, cap->hContainer, &itemType, &value) ||
      itemType != entry.itemType) {
    return Failure(TWCC_BADVALUE);
  }
  TW_UINT32 stored = 0;
  if (!Accept(entry, value, &stored)) return Failure(TWCC_BADVALUE);
  entry.currentValue = stored;
  if (entry.cap == ICAP_PIXELTYPE) FollowPixelType();
  return Success();
}

TripletResult CapabilityStore::Reset(CapabilityEntry& entry, TW_CAPABILITY* cap,
                                     const DataSourceMemory& memory) {
  if (entry.constraint == Constraint::kReadOnly) return Failure(TWCC_CAPBADOPERATION);
  entry.currentValue = entry.defaultValue;
  if (entry.cap == ICAP_PIXELTYPE) FollowPixelType();
  return Answer(entry, MSG_GETCURRENT, cap, memory);
}

TripletResult CapabilityStore::QuerySupport(const CapabilityEntry& entry, TW_CAPABILITY* cap,
                                            const DataSourceMemory& memory) const {
  auto operations = static_cast<TW_UINT32>(SupportedOperations(entry));
  return Deliver(cap, TWON_ONEVALUE, MakeOneValue(memory, TWTY_INT32, operations));
}

// The bit depth offered is the one the current pixel type has.
void CapabilityStore::FollowPixelType() {
  CapabilityEntry* depth = Find(ICAP_BITDEPTH);
  TW_UINT32 bits = BitDepthOf(static_cast<TW_UINT16>(Current(ICAP_PIXELTYPE)));
  depth->values = {bits};
  depth->currentValue = bits;
  depth->defaultValue = bits;
}

ScanSettings CapabilityStore::SettingsOf(TW_UINT32 (CapabilityStore::*value)(TW_UINT16)
                                             const) const {
  ScanSettings settings{};
  settings.pixelType = static_cast<TW_UINT16>((this->*value)(ICAP_PIXELTYPE));
  settings.bitDepth = static_cast<TW_UINT16>(BitDepthOf(settings.pixelType));
  settings.xResolution = FromFix32(Fix32FromBits((this->*value)(ICAP_XRESOLUTION)));
  settings.yResolution = FromFix32(Fix32FromBits((this->*value)(ICAP_YRESOLUTION)));
  settings.supportedSize = static_cast<TW_UINT16>((this->*value)(ICAP_SUPPORTEDSIZES));
  settings.orientation = static_cast<TW_UINT16>((this->*value)(ICAP_ORIENTATION));
  settings.brightness = FromFix32(Fix32FromBits((this->*value)(ICAP_BRIGHTNESS)));
  return settings;
}

ScanSettings CapabilityStore::Settings() const {
  return SettingsOf(&CapabilityStore::Current);
}

ScanSettings CapabilityStore::DefaultSettings() const {
  return SettingsOf(&CapabilityStore::Default);
}

TW_UINT16 CapabilityStore::TransferMechanism() const {
  return static_cast<TW_UINT16>(Current(ICAP_XFERMECH));
}

TW_INT16 CapabilityStore::TransferCount() const {
  return static_cast<TW_INT16>(Current(CAP_XFERCOUNT));
}

bool CapabilityStore::FeederEnabled() const {
  return Current(CAP_FEEDERENABLED) != 0;
}

bool CapabilityStore::DuplexEnabled() const {
  return Current(CAP_DUPLEXENABLED) != 0;
}
