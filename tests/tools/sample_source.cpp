#include "tools/sample_source.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <stdexcept>

#include "common/host_memory.h"
#include "common/twain_values.h"

namespace {

// A header field read at its offset, zero when the container is too short for it.
template <typename T>
T FieldAt(const std::vector<char>& container, size_t offset) {
  T value{};
  if (container.size() >= offset + sizeof(T)) memcpy(&value, container.data() + offset, sizeof(T));
  return value;
}

}  // namespace

TW_UINT16 CapabilityAnswer::ItemType() const {
  return FieldAt<TW_UINT16>(container, offsetof(TW_ONEVALUE, ItemType));
}

TW_UINT32 CapabilityAnswer::NumItems() const {
  return FieldAt<TW_UINT32>(container, offsetof(TW_ARRAY, NumItems));
}

std::vector<TW_UINT16> CapabilityAnswer::ArrayItems() const {
  std::vector<TW_UINT16> items;
  for (TW_UINT32 i = 0; i < NumItems(); ++i) {
    const size_t at = offsetof(TW_ARRAY, ItemList) + i * sizeof(TW_UINT16);
    if (at + sizeof(TW_UINT16) > container.size()) break;
    items.push_back(FieldAt<TW_UINT16>(container, at));
  }
  return items;
}

void SampleSource::LayOut(bool withLogDirectory, Bundle bundle, const std::string& adapterTarget) {
  RunOrThrow("rm -rf '" + Root() + "' && mkdir -p '" + Root() + "'");
  if (withLogDirectory) RunOrThrow("mkdir -p '" + LogDirectory() + "'");
  if (bundle == Bundle::kSample) {
    RunOrThrow("ln -s '" TOOLS_SAMPLE_BUNDLE "' '" + Root() + "/Halvern.bundle'");
  } else if (bundle == Bundle::kAdapter) {
    const std::string contents = Root() + "/Halvern.bundle/Contents";
    RunOrThrow("mkdir -p '" + contents + "/MacOS' '" + contents + "/Resources'");
    RunOrThrow("ln -s '" TOOLS_ADAPTER_BUNDLE "/Contents/MacOS/Halvern' '" + contents +
               "/MacOS/Halvern'");
    std::ofstream(contents + "/Resources/target") << adapterTarget << "\n";
  }
}

EntryLibrary::EntryLibrary(const std::string& path) {
  std::string error;
  if (!Load(path, &error)) throw std::runtime_error(error);
}

TW_UINT16 EntryLibrary::ConditionCode() {
  TW_STATUS status{};
  status.ConditionCode = 0xFFFF;
  Call(DG_CONTROL, DAT_STATUS, MSG_GET, &status);
  return status.ConditionCode;
}

SampleSource::SampleSource() : EntryLibrary((LayOut(false, Bundle::kSample), TOOLS_TEST_DS)) {
  // The Linux source manager hands over its memory before anything else, so every container
  // and image the source makes is one whose size the application knows.
  if (kLinuxSourceManagerAbi) HandOverEntryPoints();
}

CapabilityAnswer SampleSource::Capability(TW_UINT16 cap, TW_UINT16 msg) {
  TW_CAPABILITY capability{};
  capability.Cap = cap;
  capability.ConType = TWON_DONTCARE16;
  CapabilityAnswer answer;
  answer.rc = Call(DG_CONTROL, DAT_CAPABILITY, msg, &capability);
  answer.conType = capability.ConType;
  size_t size = 0;
  if (capability.hContainer != nullptr && HostMemory::Size(capability.hContainer, &size)) {
    const char* data = static_cast<const char*>(HostMemory::Lock(capability.hContainer));
    answer.container.assign(data, data + size);
    HostMemory::Unlock(capability.hContainer);
  }
  HostMemory::Free(capability.hContainer);
  return answer;
}

TW_UINT16 SampleSource::Set(TW_UINT16 cap, TW_UINT16 itemType, TW_UINT32 item) {
  TW_CAPABILITY capability{};
  capability.Cap = cap;
  capability.ConType = TWON_ONEVALUE;
  capability.hContainer = HostMemory::Allocate(sizeof(TW_ONEVALUE));
  auto* oneValue = static_cast<TW_ONEVALUE*>(HostMemory::Lock(capability.hContainer));
  oneValue->ItemType = itemType;
  oneValue->Item = item;
  HostMemory::Unlock(capability.hContainer);
  TW_UINT16 rc = Call(DG_CONTROL, DAT_CAPABILITY, MSG_SET, &capability);
  HostMemory::Free(capability.hContainer);
  return rc;
}

bool SampleSource::Open() {
  TW_IDENTITY identity{};
  return Call(DG_CONTROL, DAT_IDENTITY, MSG_OPENDS, &identity) == TWRC_SUCCESS;
}

bool SampleSource::Enable() {
  TW_USERINTERFACE ui{};
  return Call(DG_CONTROL, DAT_USERINTERFACE, MSG_ENABLEDS, &ui) == TWRC_SUCCESS;
}

bool SampleSource::ReadyToTransfer(TW_UINT16 pixelType, TW_UINT16 mechanism) {
  const TW_UINT32 dpi = Fix32Bits(ToFix32(75));
  TW_EVENT event{};
  return Open() && Set(ICAP_PIXELTYPE, TWTY_UINT16, pixelType) == TWRC_SUCCESS &&
         Set(ICAP_SUPPORTEDSIZES, TWTY_UINT16, TWSS_A5) == TWRC_SUCCESS &&
         Set(ICAP_XRESOLUTION, TWTY_FIX32, dpi) == TWRC_SUCCESS &&
         Set(ICAP_YRESOLUTION, TWTY_FIX32, dpi) == TWRC_SUCCESS &&
         Set(ICAP_XFERMECH, TWTY_UINT16, mechanism) == TWRC_SUCCESS &&
         Set(CAP_XFERCOUNT, TWTY_INT16, 1) == TWRC_SUCCESS && Enable() &&
         Call(DG_CONTROL, DAT_EVENT, MSG_PROCESSEVENT, &event) == TWRC_DSEVENT &&
         event.TWMessage == MSG_XFERREADY;
}

TW_IMAGEINFO SampleSource::ImageInfo() {
  TW_IMAGEINFO info{};
  Call(DG_IMAGE, DAT_IMAGEINFO, MSG_GET, &info);
  return info;
}

std::vector<TW_UINT8> SampleSource::TransferNatively() {
  TW_HANDLE image = nullptr;
  std::vector<TW_UINT8> bytes;
  size_t size = 0;
  if (Call(DG_IMAGE, DAT_IMAGENATIVEXFER, MSG_GET, &image) == TWRC_XFERDONE &&
      HostMemory::Size(image, &size)) {
    auto* data = static_cast<const TW_UINT8*>(HostMemory::Lock(image));
    bytes.assign(data, data + size);
    HostMemory::Unlock(image);
  }
  HostMemory::Free(image);
  return bytes;
}

std::vector<TW_UINT8> SampleSource::TransferByMemory(TW_UINT32 bufferSize, bool asHandle) {
  TW_HANDLE handle = HostMemory::Allocate(bufferSize);
  auto* buffer = static_cast<TW_UINT8*>(HostMemory::Lock(handle));
  std::vector<TW_UINT8> page;
  TW_UINT16 rc = TWRC_SUCCESS;
  while (rc == TWRC_SUCCESS) {
    TW_IMAGEMEMXFER xfer{};
    xfer.Memory.Flags = TWMF_APPOWNS | (asHandle ? TWMF_HANDLE : TWMF_POINTER);
    xfer.Memory.Length = bufferSize;
    xfer.Memory.TheMem = asHandle ? static_cast<TW_MEMREF>(handle) : buffer;
    rc = Call(DG_IMAGE, DAT_IMAGEMEMXFER, MSG_GET, &xfer);
    // Each strip continues where the last one ended and fills whole rows.
    if ((rc != TWRC_SUCCESS && rc != TWRC_XFERDONE) || xfer.Rows == 0 ||
        xfer.YOffset * xfer.BytesPerRow != page.size() ||
        xfer.BytesWritten != xfer.Rows * xfer.BytesPerRow || xfer.BytesWritten > bufferSize) {
      page.clear();
      break;
    }
    page.insert(page.end(), buffer, buffer + xfer.BytesWritten);
  }
  HostMemory::Unlock(handle);
  HostMemory::Free(handle);
  return page;
}

int SampleSource::EndTransfer() {
  TW_PENDINGXFERS pending{};
  if (Call(DG_CONTROL, DAT_PENDINGXFERS, MSG_ENDXFER, &pending) != TWRC_SUCCESS) return -1;
  return pending.Count;
}
