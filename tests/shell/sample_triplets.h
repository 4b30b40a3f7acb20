// One call for every data argument type the analyzer dumps, with the structure an application
// and a data source would leave behind, for tests that drive the data source at length.
#pragma once

#include <cstddef>
#include <memory>
#include <vector>

#include "platform/memory_handle.h"
#include "twaintrace/twain_types.h"

struct SampleTriplet {
  TW_UINT32 DG;
  TW_UINT16 DAT;
  TW_UINT16 MSG;
  void* pData;
  size_t size;  // bytes at pData, 0 when the call carries no structure
};

class SampleTriplets {
 public:
  SampleTriplets();  // not copyable: the calls point into its storage

  const std::vector<SampleTriplet>& All() const { return triplets_; }
  // The identity of the application that sends them.
  TW_IDENTITY* Origin() { return &origin_; }

 private:
  std::vector<std::unique_ptr<unsigned char[]>> storage_;
  std::vector<SampleTriplet> triplets_;
  TW_IDENTITY origin_{};
  std::unique_ptr<char*, void (*)(char**)> container_{nullptr, &DisposeMemoryHandle};
};
