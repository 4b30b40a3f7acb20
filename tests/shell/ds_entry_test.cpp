// The traced call path as an application sees it: answers passed through unchanged, and the
// log's bytes for each call and for the logger's messages among them.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstring>
#include <regex>
#include <string>
#include <thread>
#include <vector>

#include "common/host_memory.h"
#include "shell/data_source_harness.h"
#include "test_support.h"

namespace {

TW_UINT16 Succeed(TW_IDENTITY*, TW_UINT32, TW_UINT16, TW_UINT16, TW_MEMREF) {
  return TWRC_SUCCESS;
}

DataSourceHarness* g_harness = nullptr;

std::string MaskTimeStamps(const std::string& log) {
  static const std::regex stamp(R"(\[\d{4}/\d{2}/\d{2} \d{2}:\d{2}:\d{2}\.\d{3,4}\])");
  return std::regex_replace(log, stamp, "[<time>]");
}

// A success logs its state line, a failure the error-status markers instead and no state; a
// file transfer in state 6 reaches 7; messages of the levelled logger, written from the
// implementation bundle between calls and inside one, come in call order.
TEST(DsEntry, SessionLogsEachCallWithItsStateOrErrorMarkersAndTheLoggersMessagesInOrder) {
  DataSourceHarness harness;
  g_harness = &harness;
  harness.Load();
  harness.SetHandler(&Succeed);
  EXPECT_EQ(harness.Call(DG_CONTROL, DAT_IDENTITY, MSG_OPENDS, nullptr), TWRC_SUCCESS);
  harness.LogMessage("Halvern", "between calls");
  harness.SetHandler([](TW_IDENTITY*, TW_UINT32, TW_UINT16, TW_UINT16, TW_MEMREF) -> TW_UINT16 {
    return TWRC_FAILURE;
  });
  EXPECT_EQ(harness.Call(DG_CONTROL, DAT_USERINTERFACE, MSG_ENABLEDS, nullptr), TWRC_FAILURE);
  harness.SetHandler(&Succeed);
  harness.Call(DG_CONTROL, DAT_USERINTERFACE, MSG_ENABLEDS, nullptr);
  harness.SetHandler([](TW_IDENTITY*, TW_UINT32, TW_UINT16, TW_UINT16, TW_MEMREF) -> TW_UINT16 {
    return TWRC_DSEVENT;
  });
  TW_EVENT event{};
  event.TWMessage = MSG_XFERREADY;
  harness.Call(DG_CONTROL, DAT_EVENT, MSG_PROCESSEVENT, &event);
  harness.SetHandler([](TW_IDENTITY*, TW_UINT32, TW_UINT16, TW_UINT16, TW_MEMREF) -> TW_UINT16 {
    g_harness->LogMessage("Halvern", "inside the call");
    return TWRC_XFERDONE;
  });
  EXPECT_EQ(harness.Call(DG_IMAGE, DAT_IMAGEFILEXFER, MSG_GET, nullptr), TWRC_XFERDONE);
  harness.Unload();
  g_harness = nullptr;
  char eventAddress[32];
  snprintf(eventAddress, sizeof(eventAddress), "<0x%08x>",
           static_cast<unsigned>(reinterpret_cast<uintptr_t>(&event)));
  std::string log = MaskTimeStamps(harness.LogText());
  size_t eventAt = log.find(eventAddress);
  ASSERT_NE(eventAt, std::string::npos);
  EXPECT_EQ(log.replace(eventAt, strlen(eventAddress), "<event>"),
            ReadFile(SHELL_TEST_EXPECTED "/session.txt"));
}

// TWAIN forbids it, but careless hosts call from two threads at once: each call still gets one
// whole entry, numbered in the order the entries were written, showing its own structure.
TEST(DsEntry, TwoThreadsAtOnceGetWholeEntriesEach) {
  constexpr int kCallsPerThread = 5000;
  DataSourceHarness harness;
  harness.Load();
  harness.SetHandler(&Succeed);
  TW_IMAGEINFO imageInfo{};
  imageInfo.ImageWidth = 2480;
  TW_IDENTITY identity{};
  strcpy(reinterpret_cast<char*>(identity.ProductName), "Threaded");
  std::atomic<int> ready{0};
  auto run = [&harness, &ready](TW_UINT32 dg, TW_UINT16 dat, void* data) {
    ++ready;
    while (ready.load() < 2) {
    }
    for (int i = 0; i < kCallsPerThread; ++i) harness.Call(dg, dat, MSG_GET, data);
  };
  std::thread images(run, DG_IMAGE, DAT_IMAGEINFO, &imageInfo);
  std::thread identities(run, DG_CONTROL, DAT_IDENTITY, &identity);
  images.join();
  identities.join();
  harness.Unload();

  // Entries split at their header lines; numbers in order, and only the two bodies.
  const std::string log = harness.LogText();
  std::vector<std::string> bodies;
  char number[16];
  for (size_t at = 0, n = 1; at < log.size(); ++n) {
    snprintf(number, sizeof(number), "[%05zu] ", n);
    ASSERT_EQ(log.compare(at, 8, number), 0) << "entry " << n << " at byte " << at;
    size_t next = log.find("\r\n[", at);
    next = next == std::string::npos ? log.size() : next + 2;
    bodies.push_back(log.substr(at + 8, next - at - 8));
    at = next;
  }
  ASSERT_EQ(bodies.size(), 2u * kCallsPerThread);
  auto bodyOf = [&bodies](const std::string& header) {
    return *std::find_if(bodies.begin(), bodies.end(),
                         [&header](auto& body) { return body.rfind(header, 0) == 0; });
  };
  const std::string imageBody = bodyOf("[APP] DG_IMAGE/DAT_IMAGEINFO/MSG_GET\r\n");
  const std::string identityBody = bodyOf("[APP] DG_CONTROL/DAT_IDENTITY/MSG_GET\r\n");
  EXPECT_NE(imageBody.find("    ImageWidth       = [2480]\r\n"), std::string::npos) << imageBody;
  EXPECT_NE(identityBody.find("    ProductName     = [Threaded]\r\n"), std::string::npos)
      << identityBody;
  EXPECT_EQ(std::count(bodies.begin(), bodies.end(), imageBody), kCallsPerThread);
  EXPECT_EQ(std::count(bodies.begin(), bodies.end(), identityBody), kCallsPerThread);
}

// The operator answers with the array of 32-bit items the test prepared.
std::vector<TW_UINT32> g_items;

TW_UINT16 AnswerWithItems(TW_IDENTITY*, TW_UINT32, TW_UINT16, TW_UINT16, TW_MEMREF data) {
  auto* capability = static_cast<TW_CAPABILITY*>(data);
  size_t bytes = offsetof(TW_ARRAY, ItemList) + g_items.size() * sizeof(TW_UINT32);
  capability->ConType = TWON_ARRAY;
  capability->hContainer = HostMemory::Allocate(static_cast<TW_UINT32>(bytes));
  auto* array = static_cast<TW_ARRAY*>(HostMemory::Lock(capability->hContainer));
  array->ItemType = TWTY_UINT32;
  array->NumItems = static_cast<TW_UINT32>(g_items.size());
  memcpy(array->ItemList, g_items.data(), g_items.size() * sizeof(TW_UINT32));
  HostMemory::Unlock(capability->hContainer);
  return TWRC_SUCCESS;
}

// The parameter text of one capability call answered with g_items, as the log holds it.
std::string LoggedParameters() {
  TW_CAPABILITY capability{CAP_XFERCOUNT, 0, nullptr};
  DataSourceHarness harness;
  harness.Load();
  harness.SetHandler(&AnswerWithItems);
  harness.Call(DG_CONTROL, DAT_CAPABILITY, MSG_GET, &capability);
  harness.Unload();
  HostMemory::Free(capability.hContainer);
  std::string log = harness.LogText();
  return log.substr(log.find("\r\n") + 2);
}

TEST(DsEntry, ParameterTextIsCutAtTheLimitAndMarked) {
  // Every item line has the same length for one-digit values; each extra digit adds one byte.
  g_items.assign(300, 0);
  const size_t base = LoggedParameters().size();
  ASSERT_LT(base, 5120u);
  ASSERT_GT(base + 9 * 100, 5121u);
  auto widenTo = [](size_t extra) {
    g_items.assign(300, 0);
    for (size_t i = 0; extra > 0; ++i, extra -= std::min<size_t>(extra, 8)) {
      g_items[i] = 1;
      for (size_t d = 0; d < std::min<size_t>(extra, 8); ++d) g_items[i] *= 10;
    }
  };

  widenTo(5120 - base);
  std::string exact = LoggedParameters();
  EXPECT_EQ(exact.size(), 5120u);
  EXPECT_EQ(exact.substr(exact.size() - 22), "\r\nTWAIN Status = [3]\r\n");

  widenTo(5121 - base);
  std::string cut = LoggedParameters();
  EXPECT_EQ(cut.size(), 5120u + 24);
  // The one byte that does not fit is the final line feed.
  EXPECT_EQ(cut.substr(5120 - 19, 19), "TWAIN Status = [3]\r");
  EXPECT_EQ(cut.substr(5120), "Size of CAP_xxx too long");
}

}  // namespace
