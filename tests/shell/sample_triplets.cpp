#include "shell/sample_triplets.h"

#include <cstring>

#include "dumps/dumped_types.h"
#include "twaintrace/twain_vendor.h"

namespace {

// Bytes that vary from field to field and leave text fields without a terminating NUL.
void Fill(void* data, size_t size) {
  auto* bytes = static_cast<unsigned char*>(data);
  for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<unsigned char>(0x41 + i % 26);
}

}  // namespace

SampleTriplets::SampleTriplets() {
  auto newStructure = [this](size_t size) -> void* {
    storage_.emplace_back(new unsigned char[size]);
    Fill(storage_.back().get(), size);
    return storage_.back().get();
  };
  Fill(&origin_, sizeof(origin_));
  strcpy(origin_.ProductName, "Sample Application");

  // A pixel-type enumeration in a handle of the application's memory manager.
  const TW_UINT16 pixelTypes[3] = {TWPT_BW, TWPT_GRAY, TWPT_RGB};
  container_.reset(NewMemoryHandle(offsetof(TW_ENUMERATION, ItemList) + sizeof(pixelTypes)));
  auto* enumeration = reinterpret_cast<TW_ENUMERATION*>(LockMemoryHandle(container_.get()));
  *enumeration = TW_ENUMERATION{TWTY_UINT16, 3, 2, 2, {}};
  memcpy(enumeration->ItemList, pixelTypes, sizeof(pixelTypes));
  UnlockMemoryHandle(container_.get());
  auto* capability = static_cast<TW_CAPABILITY*>(newStructure(sizeof(TW_CAPABILITY)));
  *capability = TW_CAPABILITY{ICAP_PIXELTYPE, TWON_ENUMERATION, container_.get()};

  auto* event = static_cast<TW_EVENT*>(newStructure(sizeof(TW_EVENT)));
  event->TWMessage = MSG_XFERREADY;
  auto* pending = static_cast<TW_PENDINGXFERS*>(newStructure(sizeof(TW_PENDINGXFERS)));
  pending->Count = 1;

  // Every dumped type once; those whose contents decide what is logged carry real ones.
  auto add = [&](TW_UINT32 DG, TW_UINT16 DAT, TW_UINT16 MSG, size_t size) {
    void* data = DAT == DAT_CAPABILITY     ? capability
                 : DAT == DAT_EVENT        ? static_cast<void*>(event)
                 : DAT == DAT_PENDINGXFERS ? static_cast<void*>(pending)
                 : size != 0               ? newStructure(size)
                                           : nullptr;
    triplets_.push_back({DG, DAT, MSG, data, size});
  };
#define TW_SAMPLE(DG, DAT, MSG, Structure, Operation) add(DG, DAT, MSG, kDumpedSize<Structure>);
  TW_DUMPED_TYPES(TW_SAMPLE)
#undef TW_SAMPLE
  // Types the analyzer has no dump for.
  add(DG_CONTROL, DAT_FILESYSTEM, MSG_GET, 0);
  add(DG_CONTROL, DAT_VX_DUALIMAGE, MSG_GET, 0);
}
