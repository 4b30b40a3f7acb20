// A capability call as an application makes it: the data source answers with a container in a
// handle of the application's memory manager, and the log shows it value by value. Under the
// Linux source manager's interface the manager hands over its memory functions first, and the
// container is locked through them.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "common/host_memory.h"
#include "shell/data_source_harness.h"

namespace {

std::string Low32(const void* pointer) {
  char text[16];
  snprintf(text, sizeof(text), "0x%08x",
           static_cast<unsigned>(reinterpret_cast<uintptr_t>(pointer)));
  return text;
}

DataSourceHarness* g_harness = nullptr;

// Answers with an enumeration of `numItems` pixel types of which the block holds three, made
// as the scanner maker's operator makes it: through the data source's memory interface.
template <TW_UINT32 numItems>
TW_UINT16 AnswerPixelTypes(TW_IDENTITY*, TW_UINT32, TW_UINT16, TW_UINT16, TW_MEMREF data) {
  auto* capability = static_cast<TW_CAPABILITY*>(data);
  const TW_UINT16 items[3] = {TWPT_BW, TWPT_GRAY, TWPT_RGB};
  capability->ConType = TWON_ENUMERATION;
  capability->hContainer =
      g_harness->AllocThroughDataSource(offsetof(TW_ENUMERATION, ItemList) + sizeof(items));
  auto* enumeration = static_cast<TW_ENUMERATION*>(HostMemory::Lock(capability->hContainer));
  *enumeration = TW_ENUMERATION{TWTY_UINT16, numItems, 2, 2, {}};
  memcpy(enumeration->ItemList, items, sizeof(items));
  HostMemory::Unlock(capability->hContainer);
  return TWRC_SUCCESS;
}

int g_managerLocks = 0;

TW_MEMREF CountedManagerLock(TW_HANDLE handle) {
  ++g_managerLocks;
  return HostMemory::Lock(handle);
}

// The log of the capability call; the container is locked as often as it is unlocked.
std::string LogOfPixelTypeGet(FakeHandler handler, TW_CAPABILITY* capability) {
  *capability = TW_CAPABILITY{ICAP_PIXELTYPE, TWON_DONTCARE16, nullptr};
  DataSourceHarness harness;
  g_harness = &harness;
  harness.Load();
  TW_ENTRYPOINT manager = HostMemory::EntryPoint(nullptr);
  manager.DSM_MemLock = &CountedManagerLock;
  if (kLinuxSourceManagerAbi) harness.Call(DG_CONTROL, DAT_ENTRYPOINT, MSG_SET, &manager);
  g_managerLocks = 0;
  harness.SetHandler(handler);
  harness.Call(DG_CONTROL, DAT_CAPABILITY, MSG_GET, capability);
  harness.Unload();
  EXPECT_EQ(HostMemory::LockCount(capability->hContainer), 0);
  EXPECT_EQ(g_managerLocks, kLinuxSourceManagerAbi ? 1 : 0);
  std::string log = harness.LogText();
  // The hand-over is an entry of its own, before the call.
  return kLinuxSourceManagerAbi ? log.substr(log.find("[00002]")) : log;
}

// The expected log with the call's number, data pointer and container handle filled in.
std::string WithPointers(std::string text, const TW_CAPABILITY& capability) {
  text.replace(text.find("NUMBER"), 6, kLinuxSourceManagerAbi ? "00002" : "00001");
  text.replace(text.find("DATA"), 4, Low32(&capability));
  text.replace(text.find("HANDLE"), 6, Low32(capability.hContainer));
  return text;
}

// The log of a pixel-type enumeration; `beyondBlock` is what stands after the three items the
// block holds.
std::string PixelTypeLog(const char* numItems, const char* beyondBlock) {
  return std::string(
             "[NUMBER] [APP] DG_CONTROL/DAT_CAPABILITY/MSG_GET (ICAP_PIXELTYPE)\r\n"
             "        Return Code = [TWRC_SUCCESS]\r\n"
             "pData   = <DATA>\r\n"
             "  TW_CAPABILITY = {\r\n"
             "    Cap        = [ICAP_PIXELTYPE]\r\n"
             "    ConType    = [TWON_ENUMERATION]\r\n"
             "    hContainer = <HANDLE>\r\n"
             "    TW_ENUMERATION = {\r\n"
             "      ItemType     = [TWTY_UINT16]\r\n"
             "      NumItems     = [") +
         numItems +
         "]\r\n"
         "      CurrentIndex = [2]\r\n"
         "      DefaultIndex = [2]\r\n"
         "      ItemList = {\r\n"
         "          0:TWPT_BW,\r\n"
         "          1:TWPT_GRAY,\r\n"
         "          2:TWPT_RGB" +
         beyondBlock +
         "\r\n"
         "      }\r\n"
         "    }\r\n"
         "  }\r\n"
         "\r\n"
         "TWAIN Status = [3]\r\n";
}

TEST(CapabilityTrace, EnumerationOfPixelTypesIsLoggedValueByValue) {
  TW_CAPABILITY capability;
  std::string log = LogOfPixelTypeGet(&AnswerPixelTypes<3>, &capability);
  EXPECT_EQ(log, WithPointers(PixelTypeLog("3", ""), capability));
  HostMemory::Free(capability.hContainer);
}

#if !TWAINTRACE_ABI_LINUX_DSM
// Only handles that tell their block's size bound the list by the block; the Linux source
// manager's handles tell none, and their read limit is covered by the dump tests.
TEST(CapabilityTrace, ItemCountBeyondTheBlockShowsOnlyWhatTheBlockHolds) {
  TW_CAPABILITY capability;
  std::string log = LogOfPixelTypeGet(&AnswerPixelTypes<70000>, &capability);
  EXPECT_EQ(log, WithPointers(PixelTypeLog("70000",
                                           ",\r\n        !!! rest not shown: past the "
                                           "container's known size !!!"),
                              capability));
  HostMemory::Free(capability.hContainer);
}
#endif

}  // namespace
