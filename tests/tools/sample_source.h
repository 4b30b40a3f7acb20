// The sample bundle as an application reaches it: behind a test copy of the data source, loaded
// with the dynamic loader, every call through DS_Entry.
#pragma once

#include <string>
#include <vector>

#include "common/host_memory.h"
#include "common/source_manager.h"
#include "test_support.h"
#include "twaintrace/twain_abi.h"

// A capability answer: the return code and a copy of the container the source made.
struct CapabilityAnswer {
  TW_UINT16 rc = TWRC_FAILURE;
  TW_UINT16 conType = 0;
  std::vector<char> container;  // exactly the bytes the handle holds

  TW_UINT16 ItemType() const;
  // The item count of an array or enumeration, and the items of an array of 16-bit values
  // (as many as the container holds).
  TW_UINT32 NumItems() const;
  std::vector<TW_UINT16> ArrayItems() const;
};

// What sits where the data source looks for its implementation bundle: the sample bundle, the
// adapter bundle aimed at the sample bundle's own DS_Entry, or nothing.
enum class Bundle { kSample, kAdapter, kMissing };

// A library's DS_Entry, loaded and called as the tools' source manager does it.
class EntryLibrary : public SourceManager {
 public:
  // Throws when the library cannot be loaded or has no DS_Entry.
  explicit EntryLibrary(const std::string& path);
  // DG_CONTROL/DAT_STATUS/MSG_GET; 0xFFFF when the source leaves the code alone.
  TW_UINT16 ConditionCode();
};

class SampleSource : public EntryLibrary {
 public:
  // Lays out the test root with the sample bundle and loads the source.
  SampleSource();

  CapabilityAnswer Capability(TW_UINT16 cap, TW_UINT16 msg);
  TW_UINT16 Set(TW_UINT16 cap, TW_UINT16 itemType, TW_UINT32 item);

  // Walks the session forward; each returns false when a step did not succeed.
  bool Open();
  bool Enable();
  // Opens, negotiates one small page (A5, 75 dpi) of `pixelType` by `mechanism`, enables and
  // waits for the image.
  bool ReadyToTransfer(TW_UINT16 pixelType, TW_UINT16 mechanism);

  // The current page, whole: by native transfer, or by memory transfer in buffers of
  // `bufferSize` bytes (a handle instead of a pointer when `asHandle`). Empty on failure.
  std::vector<TW_UINT8> TransferNatively();
  std::vector<TW_UINT8> TransferByMemory(TW_UINT32 bufferSize, bool asHandle = false);
  // MSG_ENDXFER; the pending count, or -1 on failure.
  int EndTransfer();
  TW_IMAGEINFO ImageInfo();

  static std::string Root() { return TOOLS_TEST_ROOT; }
  static std::string LogDirectory() { return Root() + "/log"; }
  // Lays out the test root without loading anything; `adapterTarget` is the first line of the
  // adapter bundle's target file.
  static void LayOut(bool withLogDirectory, Bundle bundle,
                     const std::string& adapterTarget = SampleExecutable());
  static std::string SampleExecutable() { return TOOLS_SAMPLE_BUNDLE "/Contents/MacOS/Halvern"; }
};
