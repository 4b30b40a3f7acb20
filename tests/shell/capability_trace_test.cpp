// A capability call as an application makes it: the data source answers with a container in a
// handle of the application's memory manager, and the log shows it value by value. Under the
// Linux source manager's interface the manager hands over its memory functions first, and the
// container is locked through them.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <utility>

#include "common/host_memory.h"
#include "shell/data_source_harness.h"
#include "test_support.h"

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

// The log of a pixel-type enumeration of `numItems` items of which the block holds three,
// `beyondBlock` standing after them, with the call's number, data pointer and handle filled in.
std::string PixelTypeLog(const char* numItems, const char* beyondBlock,
                         const TW_CAPABILITY& capability) {
  std::string text = ReadFile(SHELL_TEST_EXPECTED "/pixel_types.txt");
  const std::pair<const char*, std::string> fills[] = {
      {"NUMBER", kLinuxSourceManagerAbi ? "00002" : "00001"},
      {"DATA", Low32(&capability)},
      {"HANDLE", Low32(capability.hContainer)},
      {"NUMITEMS", numItems},
      {"BEYOND", beyondBlock}};
  for (const auto& [name, value] : fills) text.replace(text.find(name), strlen(name), value);
  return text;
}

// Only handles that tell their block's size bound the list by the block; the Linux source
// manager's handles tell none, and their read limit is covered by the dump tests.
TEST(CapabilityTrace, EnumerationIsLoggedValueByValueAsFarAsTheBlockHoldsIt) {
  const struct {
    FakeHandler answer;
    const char* numItems;
    const char* beyondBlock;
  } cases[] = {
      {&AnswerPixelTypes<3>, "3", ""},
      {&AnswerPixelTypes<70000>, "70000",
       ",\r\n        !!! rest not shown: past the container's known size !!!"},
  };
  for (const auto& c : cases) {
    if (kLinuxSourceManagerAbi && c.beyondBlock[0] != '\0') continue;
    TW_CAPABILITY capability{};
    std::string log = LogOfPixelTypeGet(c.answer, &capability);
    EXPECT_EQ(log, PixelTypeLog(c.numItems, c.beyondBlock, capability));
    HostMemory::Free(capability.hContainer);
  }
}

}  // namespace
