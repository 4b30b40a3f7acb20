// An output text of its own in a test buffer, and container handles that are checked to
// be unlocked and are freed after each test. Under the Linux source manager's interface the
// handles are that manager's, and the dumps lock them through its memory functions.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "common/host_memory.h"
#include "dumps/structure_dumps.h"
#include "platform/source_manager_memory.h"

class DumpTest : public ::testing::Test {
 protected:
  void SetUp() override {
    out.Start(text, sizeof(text));
    if (kLinuxSourceManagerAbi) {
      TW_ENTRYPOINT manager = HostMemory::EntryPoint(nullptr);
      ASSERT_TRUE(KeepSourceManagerMemory(&manager));
    }
  }

  void TearDown() override {
    for (char** handle : handles_) {
      EXPECT_EQ(HostMemory::LockCount(handle), 0) << "a container was left locked";
      HostMemory::Free(handle);
    }
    ForgetSourceManagerMemory();
  }

  std::string Text() const { return text; }

  // A block of exactly `size` bytes holding `bytes`.
  char** Handle(const void* bytes, size_t size) {
    char** handle = HostMemory::Allocate(static_cast<TW_UINT32>(size));
    memcpy(HostMemory::Lock(handle), bytes, size);
    HostMemory::Unlock(handle);
    handles_.push_back(handle);
    return handle;
  }
  char** Handle(const std::vector<char>& bytes) { return Handle(bytes.data(), bytes.size()); }
  template <typename Structure>
  char** Handle(const Structure& value) {
    return Handle(&value, sizeof(value));
  }

  OutText out;
  char text[32768] = {};

 private:
  std::vector<char**> handles_;
};

// The bytes of a container: its fixed part (`header`, cut to `headerSize` bytes) followed by
// `items` packed one after another.
template <typename Header, typename Item = TW_UINT16>
std::vector<char> Container(const Header& header, size_t headerSize,
                            const std::vector<Item>& items = {}) {
  std::vector<char> bytes(headerSize + items.size() * sizeof(Item));
  memcpy(bytes.data(), &header, std::min(headerSize, sizeof(header)));
  if (!items.empty()) memcpy(bytes.data() + headerSize, items.data(), items.size() * sizeof(Item));
  return bytes;
}
