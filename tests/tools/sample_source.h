// The sample bundle as an application reaches it: behind a test copy of the data source, loaded
// with the dynamic loader, every call through DS_Entry.
#pragma once

#include <algorithm>
#include <cstring>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "common/host_memory.h"
#include "common/source_manager.h"
#include "common/twain_values.h"
#include "test_support.h"
#include "twaintrace/twain_abi.h"

// What sits where the data source looks for its implementation bundle: the sample bundle, the
// adapter bundle aimed at the sample bundle's own DS_Entry, or nothing.
enum class Bundle { kSample, kAdapter, kMissing };

// The bytes a handle the source made holds, the handle freed as the application frees it.
inline std::vector<char> TakeHandle(TW_HANDLE handle) {
  std::vector<char> bytes;
  size_t size = 0;
  if (handle != nullptr && HostMemory::Size(handle, &size)) {
    const char* data = static_cast<const char*>(HostMemory::Lock(handle));
    bytes.assign(data, data + size);
    HostMemory::Unlock(handle);
  }
  HostMemory::Free(handle);
  return bytes;
}

// A library's DS_Entry, loaded and called as the tools' source manager does it.
class EntryLibrary : public SourceManager {
 public:
  // Throws when the library cannot be loaded or has no DS_Entry.
  explicit EntryLibrary(const std::string& path) {
    std::string error;
    if (!Load(path, &error)) throw std::runtime_error(error);
  }
  // DG_CONTROL/DAT_STATUS/MSG_GET; 0xFFFF when the source leaves the code alone.
  TW_UINT16 ConditionCode() {
    TW_STATUS status{};
    status.ConditionCode = 0xFFFF;
    Call(DG_CONTROL, DAT_STATUS, MSG_GET, &status);
    return status.ConditionCode;
  }
};

// A capability answer: the return code, the exact bytes of the container the source made, and
// the fields every container begins with copied out (the item type; a list's item count).
struct CapabilityAnswer {
  TW_UINT16 rc = TWRC_FAILURE;
  TW_UINT16 conType = 0;
  std::vector<char> container;
  TW_ARRAY header{};
};

class SampleSource : public EntryLibrary {
 public:
  // Lays out the test root with the sample bundle and loads the source. The Linux source manager
  // hands over its memory first, so every handle the source makes tells the application its size.
  SampleSource() : EntryLibrary((LayOut(false, Bundle::kSample), TOOLS_TEST_DS)) {
    if (kLinuxSourceManagerAbi) HandOverEntryPoints();
  }

  static std::string Root() { return TOOLS_TEST_ROOT; }
  static std::string LogDirectory() { return Root() + "/log"; }
  static std::string SampleExecutable() { return TOOLS_SAMPLE_BUNDLE "/Contents/MacOS/Halvern"; }
  // Lays out the test root without loading anything; `adapterTarget` is the first line of the
  // adapter bundle's target file.
  static void LayOut(bool withLogDirectory, Bundle bundle,
                     const std::string& adapterTarget = SampleExecutable()) {
    RunOrThrow("rm -rf '" + Root() + "' && mkdir -p '" + Root() + "'");
    if (withLogDirectory) RunOrThrow("mkdir -p '" + LogDirectory() + "'");
    const std::string contents = Root() + "/Halvern.bundle/Contents";
    if (bundle == Bundle::kSample) {
      RunOrThrow("ln -s '" TOOLS_SAMPLE_BUNDLE "' '" + Root() + "/Halvern.bundle'");
    } else if (bundle == Bundle::kAdapter) {
      RunOrThrow("mkdir -p '" + contents + "/MacOS' '" + contents + "/Resources' && ln -s '" +
                 TOOLS_ADAPTER_BUNDLE "/Contents/MacOS/Halvern' '" + contents + "/MacOS/Halvern'");
      std::ofstream(contents + "/Resources/target") << adapterTarget << "\n";
    }
  }

  CapabilityAnswer Capability(TW_UINT16 cap, TW_UINT16 msg) {
    TW_CAPABILITY capability{cap, TWON_DONTCARE16, nullptr};
    CapabilityAnswer answer;
    answer.rc = Call(DG_CONTROL, DAT_CAPABILITY, msg, &capability);
    answer.conType = capability.ConType;
    answer.container = TakeHandle(capability.hContainer);
    memcpy(&answer.header, answer.container.data(),
           std::min(answer.container.size(), offsetof(TW_ARRAY, ItemList)));
    return answer;
  }

  // Walks the session forward; each returns false when a step did not succeed.
  bool Open() {
    TW_IDENTITY identity{};
    return Call(DG_CONTROL, DAT_IDENTITY, MSG_OPENDS, &identity) == TWRC_SUCCESS;
  }
  bool Enable() {
    TW_USERINTERFACE ui{};
    return Call(DG_CONTROL, DAT_USERINTERFACE, MSG_ENABLEDS, &ui) == TWRC_SUCCESS;
  }
  // Opens, negotiates one small page (A5, 75 dpi) of `pixelType` by `mechanism`, enables and
  // waits for the image.
  bool ReadyToTransfer(TW_UINT16 pixelType, TW_UINT16 mechanism) {
    const TW_UINT32 dpi = Fix32Bits(ToFix32(75));
    const TW_UINT32 sets[][3] = {
        {ICAP_PIXELTYPE, TWTY_UINT16, pixelType}, {ICAP_SUPPORTEDSIZES, TWTY_UINT16, TWSS_A5},
        {ICAP_XRESOLUTION, TWTY_FIX32, dpi},      {ICAP_YRESOLUTION, TWTY_FIX32, dpi},
        {ICAP_XFERMECH, TWTY_UINT16, mechanism},  {CAP_XFERCOUNT, TWTY_INT16, 1}};
    if (!Open()) return false;
    for (const auto& [cap, itemType, item] : sets) {
      const TW_ONEVALUE value{TW_UINT16(itemType), item};
      TW_CAPABILITY capability{TW_UINT16(cap), TWON_ONEVALUE, HostMemory::Allocate(sizeof(value))};
      memcpy(HostMemory::Lock(capability.hContainer), &value, sizeof(value));
      HostMemory::Unlock(capability.hContainer);
      const TW_UINT16 rc = Call(DG_CONTROL, DAT_CAPABILITY, MSG_SET, &capability);
      HostMemory::Free(capability.hContainer);
      if (rc != TWRC_SUCCESS) return false;
    }
    TW_EVENT event{};
    return Enable() && Call(DG_CONTROL, DAT_EVENT, MSG_PROCESSEVENT, &event) == TWRC_DSEVENT &&
           event.TWMessage == MSG_XFERREADY;
  }

  TW_IMAGEINFO ImageInfo() {
    TW_IMAGEINFO info{};
    Call(DG_IMAGE, DAT_IMAGEINFO, MSG_GET, &info);
    return info;
  }

  // The current page, whole: by native transfer, or by memory transfer in buffers of
  // `bufferSize` bytes (a handle instead of a pointer when `asHandle`). Empty on failure.
  std::vector<char> TransferNatively() {
    TW_HANDLE image = nullptr;
    if (Call(DG_IMAGE, DAT_IMAGENATIVEXFER, MSG_GET, &image) != TWRC_XFERDONE) image = nullptr;
    return TakeHandle(image);
  }
  std::vector<char> TransferByMemory(TW_UINT32 bufferSize, bool asHandle = false) {
    TW_HANDLE handle = HostMemory::Allocate(bufferSize);
    auto* buffer = static_cast<char*>(HostMemory::Lock(handle));
    std::vector<char> page;
    for (TW_UINT16 rc = TWRC_SUCCESS; rc == TWRC_SUCCESS;) {
      TW_IMAGEMEMXFER xfer{};
      xfer.Memory = {TW_UINT32(TWMF_APPOWNS | (asHandle ? TWMF_HANDLE : TWMF_POINTER)), bufferSize,
                     asHandle ? static_cast<TW_MEMREF>(handle) : buffer};
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
};
