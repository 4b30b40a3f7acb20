// The traced call path as an application sees it: answers passed through unchanged, and the
// log's bytes for each call, for a container made by the bundle, and for the logger's messages
// among them.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <cstring>
#include <map>
#include <regex>
#include <string>
#include <thread>

#include "common/host_memory.h"
#include "shell/data_source_harness.h"
#include "test_support.h"

namespace {

DataSourceHarness* g_harness = nullptr;
TW_UINT16 g_answer = TWRC_SUCCESS;
const char* g_messageInside = nullptr;  // logged from inside the call when set

// The log as the expected files show it: time stamps as <time>, and each pointer given (the log
// shows its low 32 bits) by its name.
std::string Normalised(std::string log,
                       std::initializer_list<std::pair<const void*, const char*>> pointers) {
  log = WithoutTimeStamps(log);
  for (const auto& [pointer, name] : pointers) {
    char shown[16];
    snprintf(shown, sizeof(shown), "<0x%08x>",
             static_cast<unsigned>(reinterpret_cast<uintptr_t>(pointer)));
    log = std::regex_replace(log, std::regex(shown), std::string("<") + name + ">");
  }
  return log;
}

TW_UINT16 Answer(TW_IDENTITY*, TW_UINT32, TW_UINT16, TW_UINT16, TW_MEMREF) {
  if (g_messageInside != nullptr) g_harness->LogMessage("Halvern", g_messageInside);
  return g_answer;
}

// A success logs its state line, a failure the error-status markers instead and no state; a
// file transfer in state 6 reaches 7; messages of the levelled logger, written from the
// implementation bundle between calls and inside one, come in call order.
TEST(DsEntry, SessionLogsEachCallWithItsStateOrErrorMarkersAndTheLoggersMessagesInOrder) {
  DataSourceHarness harness;
  g_harness = &harness;
  harness.Load();
  harness.SetHandler(&Answer);
  g_answer = TWRC_SUCCESS;
  EXPECT_EQ(harness.Call(DG_CONTROL, DAT_IDENTITY, MSG_OPENDS, nullptr), TWRC_SUCCESS);
  harness.LogMessage("Halvern", "between calls");
  g_answer = TWRC_FAILURE;
  EXPECT_EQ(harness.Call(DG_CONTROL, DAT_USERINTERFACE, MSG_ENABLEDS, nullptr), TWRC_FAILURE);
  g_answer = TWRC_SUCCESS;
  harness.Call(DG_CONTROL, DAT_USERINTERFACE, MSG_ENABLEDS, nullptr);
  g_answer = TWRC_DSEVENT;
  TW_EVENT event{};
  event.TWMessage = MSG_XFERREADY;
  harness.Call(DG_CONTROL, DAT_EVENT, MSG_PROCESSEVENT, &event);
  g_answer = TWRC_XFERDONE;
  g_messageInside = "inside the call";
  EXPECT_EQ(harness.Call(DG_IMAGE, DAT_IMAGEFILEXFER, MSG_GET, nullptr), TWRC_XFERDONE);
  g_messageInside = nullptr;
  harness.Unload();
  EXPECT_EQ(Normalised(harness.LogText(), {{&event, "event"}}),
            ReadFile(SHELL_TEST_EXPECTED "/session.txt"));
}

// The log's entries split at their header lines, which must number them in order: each body
// with how often it came.
std::map<std::string, int> EntryBodies(const std::string& log) {
  std::map<std::string, int> bodies;
  char number[16];
  for (size_t at = 0, n = 1; at < log.size(); ++n) {
    snprintf(number, sizeof(number), "[%05zu] ", n);
    if (log.compare(at, 8, number) != 0) {
      ADD_FAILURE() << "no entry " << n << " at byte " << at;
      break;
    }
    size_t next = log.find("\r\n[", at);
    next = next == std::string::npos ? log.size() : next + 2;
    ++bodies[log.substr(at + 8, next - at - 8)];
    at = next;
  }
  return bodies;
}

// TWAIN forbids it, but careless hosts call from two threads at once: each call still gets one
// whole entry, numbered in the order the entries were written, showing its own structure as the
// same call made alone does.
TEST(DsEntry, TwoThreadsAtOnceGetWholeEntriesEach) {
  constexpr int kCallsPerThread = 5000;
  DataSourceHarness harness;
  harness.Load();
  g_answer = TWRC_SUCCESS;
  harness.SetHandler(&Answer);
  TW_IMAGEINFO imageInfo{};
  imageInfo.ImageWidth = 2480;
  TW_IDENTITY identity{};
  strcpy(identity.ProductName, "Threaded");
  harness.Call(DG_IMAGE, DAT_IMAGEINFO, MSG_GET, &imageInfo);
  harness.Call(DG_CONTROL, DAT_IDENTITY, MSG_GET, &identity);
  std::map<std::string, int> expected = EntryBodies(harness.LogText());
  ASSERT_EQ(expected.size(), 2u);
  for (auto& body : expected) body.second += kCallsPerThread;
  std::atomic<int> ready{0};
  auto run = [&harness, &ready](TW_UINT32 dg, TW_UINT16 dat, void* data) {
    for (++ready; ready < 2;) std::this_thread::yield();
    for (int i = 0; i < kCallsPerThread; ++i) harness.Call(dg, dat, MSG_GET, data);
  };
  std::thread images(run, DG_IMAGE, DAT_IMAGEINFO, &imageInfo);
  std::thread identities(run, DG_CONTROL, DAT_IDENTITY, &identity);
  images.join();
  identities.join();
  harness.Unload();
  EXPECT_EQ(EntryBodies(harness.LogText()), expected);
}

// A capability call as an application makes it, after handing over its memory functions: under
// the Linux source manager's interface the data source locks the container through them from
// then on (counted here), the natural data source keeps to the platform's memory manager.
int g_managerLocks = 0;

// The log entry of the call.
std::string LoggedCapabilityGet(FakeHandler answer, TW_CAPABILITY& capability) {
  DataSourceHarness harness;
  g_harness = &harness;
  harness.Load();
  TW_ENTRYPOINT manager = HostMemory::EntryPoint(nullptr);
  manager.DSM_MemLock = [](TW_HANDLE handle) -> TW_MEMREF {
    ++g_managerLocks;
    return HostMemory::Lock(handle);
  };
  harness.Call(DG_CONTROL, DAT_ENTRYPOINT, MSG_SET, &manager);
  g_managerLocks = 0;
  harness.SetHandler(answer);
  harness.Call(DG_CONTROL, DAT_CAPABILITY, MSG_GET, &capability);
  harness.Unload();
  const std::string log = harness.LogText();
  return log.substr(log.find("[00002]"));
}

// The operator answers with an array of 300 32-bit items, the first `g_extra` of them 10 and the
// rest 0, so that the parameter text grows by `g_extra` bytes over the all-zero array's.
size_t g_extra = 0;

TW_UINT16 AnswerWithItems(TW_IDENTITY*, TW_UINT32, TW_UINT16, TW_UINT16, TW_MEMREF data) {
  constexpr TW_UINT32 kItems = 300;
  auto* capability = static_cast<TW_CAPABILITY*>(data);
  capability->ConType = TWON_ARRAY;
  capability->hContainer =
      HostMemory::Allocate(offsetof(TW_ARRAY, ItemList) + kItems * sizeof(TW_UINT32));
  auto* array = static_cast<TW_ARRAY*>(HostMemory::Lock(capability->hContainer));
  *array = TW_ARRAY{TWTY_UINT32, kItems, {}};
  const TW_UINT32 ten = 10;  // the block starts zero-filled
  for (size_t i = 0; i < g_extra; ++i) memcpy(array->ItemList + i * sizeof(ten), &ten, sizeof(ten));
  HostMemory::Unlock(capability->hContainer);
  return TWRC_SUCCESS;
}

// The parameter text of the call: its entry past the header line.
std::string LoggedParameters(size_t extra) {
  g_extra = extra;
  TW_CAPABILITY capability{CAP_XFERCOUNT, 0, nullptr};
  const std::string entry = LoggedCapabilityGet(&AnswerWithItems, capability);
  HostMemory::Free(capability.hContainer);
  return entry.substr(entry.find("\r\n") + 2);
}

TEST(DsEntry, ParameterTextIsCutAtTheLimitAndMarked) {
  const size_t base = LoggedParameters(0).size();
  ASSERT_LT(base, 5120u);
  ASSERT_GT(base + 300, 5121u);

  // Compared from a fixed byte, the text's ends show its size too.
  EXPECT_EQ(LoggedParameters(5120 - base).substr(5120 - 22), "\r\nTWAIN Status = [3]\r\n");
  // The one byte that does not fit is the final line feed.
  EXPECT_EQ(LoggedParameters(5121 - base).substr(5120 - 19),
            "TWAIN Status = [3]\rSize of CAP_xxx too long");
}

TW_UINT32 g_numItems = 3;
bool g_handedOverLocked = false;

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

// The data source answers with a container in a handle of the application's memory manager, and
// the log shows it value by value. Only handles that tell their block's size bound the list by
// the block; the Linux source manager's handles tell none, and their read limit is covered by the
// dump tests. The container is left as locked as the source handed it over (the Memory
// Manager's lock is one bit, which an unlock of the trace's own would clear).
TEST(CapabilityTrace, EnumerationIsLoggedValueByValueAsFarAsTheBlockHoldsIt) {
  const struct {
    TW_UINT32 numItems;
    bool handedOverLocked;
    const char* expected;
  } cases[] = {{3, false, "pixel_types.txt"},
               {3, true, "pixel_types.txt"},
               {70000, false, "pixel_types_beyond_block.txt"}};
  for (const auto& c : cases) {
    if (kLinuxSourceManagerAbi && c.numItems != 3) continue;
    g_numItems = c.numItems;
    g_handedOverLocked = c.handedOverLocked;
    TW_CAPABILITY capability{ICAP_PIXELTYPE, TWON_DONTCARE16, nullptr};
    const std::string entry = LoggedCapabilityGet(&AnswerPixelTypes, capability);
    // Copied out: the Linux source manager's structure packs the handle out of its alignment.
    const TW_HANDLE container = capability.hContainer;
    EXPECT_EQ(HostMemory::LockCount(container), c.handedOverLocked ? 1 : 0);
    EXPECT_EQ(g_managerLocks, kLinuxSourceManagerAbi ? 1 : 0);
    EXPECT_EQ(Normalised(entry, {{&capability, "capability"}, {container, "container"}}),
              ReadFile(std::string(SHELL_TEST_EXPECTED "/") + c.expected));
    if (c.handedOverLocked) HostMemory::Unlock(container);
    HostMemory::Free(container);
  }
}

}  // namespace
