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
#include "test_support.h"

namespace {

DataSourceHarness* g_harness = nullptr;
TW_UINT32 g_numItems = 3;
bool g_handedOverLocked = false;
int g_managerLocks = 0;

// Answers with an enumeration of `g_numItems` pixel types of which the block holds three, made
// as the scanner maker's operator makes it: through the data source's memory interface, and
// left locked when `g_handedOverLocked`.
TW_UINT16 AnswerPixelTypes(TW_IDENTITY*, TW_UINT32, TW_UINT16, TW_UINT16, TW_MEMREF data) {
  auto* capability = static_cast<TW_CAPABILITY*>(data);
  const TW_UINT16 items[3] = {TWPT_BW, TWPT_GRAY, TWPT_RGB};
  capability->ConType = TWON_ENUMERATION;
  capability->hContainer =
      g_harness->AllocThroughDataSource(offsetof(TW_ENUMERATION, ItemList) + sizeof(items));
  auto* enumeration = static_cast<TW_ENUMERATION*>(HostMemory::Lock(capability->hContainer));
  *enumeration = TW_ENUMERATION{TWTY_UINT16, g_numItems, 2, 2, {}};
  memcpy(enumeration->ItemList, items, sizeof(items));
  if (!g_handedOverLocked) HostMemory::Unlock(capability->hContainer);
  return TWRC_SUCCESS;
}

// The expected log with the call's number, data pointer and handle filled in.
std::string Filled(std::string text, const char* beyondBlock, const TW_CAPABILITY& capability) {
  char data[16], handle[16];
  snprintf(data, sizeof(data), "0x%08x", static_cast<unsigned>(uintptr_t(&capability)));
  snprintf(handle, sizeof(handle), "0x%08x",
           static_cast<unsigned>(uintptr_t(capability.hContainer)));
  const std::pair<const char*, std::string> fills[] = {
      {"NUMBER", kLinuxSourceManagerAbi ? "00002" : "00001"},
      {"DATA", data},
      {"HANDLE", handle},
      {"NUMITEMS", std::to_string(g_numItems)},
      {"BEYOND", beyondBlock}};
  for (const auto& [name, value] : fills) text.replace(text.find(name), strlen(name), value);
  return text;
}

// Only handles that tell their block's size bound the list by the block; the Linux source
// manager's handles tell none, and their read limit is covered by the dump tests. The container
// is left as locked as the source handed it over (the Memory Manager's lock is one bit, which
// an unlock of the trace's own would clear).
TEST(CapabilityTrace, EnumerationIsLoggedValueByValueAsFarAsTheBlockHoldsIt) {
  const struct {
    TW_UINT32 numItems;
    bool handedOverLocked;
    const char* beyondBlock;
  } cases[] = {
      {3, false, ""},
      {3, true, ""},
      {70000, false, ",\r\n        !!! rest not shown: past the container's known size !!!"}};
  for (const auto& c : cases) {
    if (kLinuxSourceManagerAbi && c.numItems != 3) continue;
    g_numItems = c.numItems;
    g_handedOverLocked = c.handedOverLocked;
    TW_CAPABILITY capability{ICAP_PIXELTYPE, TWON_DONTCARE16, nullptr};
    DataSourceHarness harness;
    g_harness = &harness;
    harness.Load();
    TW_ENTRYPOINT manager = HostMemory::EntryPoint(nullptr);
    manager.DSM_MemLock = [](TW_HANDLE handle) -> TW_MEMREF {
      ++g_managerLocks;
      return HostMemory::Lock(handle);
    };
    if (kLinuxSourceManagerAbi) harness.Call(DG_CONTROL, DAT_ENTRYPOINT, MSG_SET, &manager);
    g_managerLocks = 0;
    harness.SetHandler(&AnswerPixelTypes);
    harness.Call(DG_CONTROL, DAT_CAPABILITY, MSG_GET, &capability);
    harness.Unload();
    EXPECT_EQ(HostMemory::LockCount(capability.hContainer), c.handedOverLocked ? 1 : 0);
    EXPECT_EQ(g_managerLocks, kLinuxSourceManagerAbi ? 1 : 0);
    // The hand-over is an entry of its own, before the call.
    const std::string log = harness.LogText();
    EXPECT_EQ(kLinuxSourceManagerAbi ? log.substr(log.find("[00002]")) : log,
              Filled(ReadFile(SHELL_TEST_EXPECTED "/pixel_types.txt"), c.beyondBlock, capability));
    if (c.handedOverLocked) HostMemory::Unlock(capability.hContainer);
    HostMemory::Free(capability.hContainer);
  }
}

}  // namespace
