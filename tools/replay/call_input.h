// The application's side of one logged call, made again from the log entry: the triplet and the
// structure the application passed, filled from the entry's dump where the application fills it
// and zeroed where the data source does.
#pragma once

#include <memory>
#include <string>
#include <variant>

#include "log_reader/triplet_entry.h"
#include "twaintrace/twain_abi.h"

namespace replay {

// How the call is made: once, as an event loop that polls until the source claims an event (the
// log keeps only the claimed one), or as the source manager's hand-over of its entry points.
enum class CallKind { kOnce, kEventLoop, kEntryPoints };

class CallInput {
 public:
  CallInput(TW_UINT32 dg, TW_UINT16 dat, TW_UINT16 msg, size_t dataSize);
  ~CallInput();
  CallInput(CallInput&& other) noexcept;
  CallInput(const CallInput&) = delete;
  CallInput& operator=(const CallInput&) = delete;
  CallInput& operator=(CallInput&&) = delete;

  TW_UINT32 Group() const { return dg_; }
  TW_UINT16 ArgumentType() const { return dat_; }
  TW_UINT16 Message() const { return msg_; }
  CallKind Kind() const { return kind_; }
  void SetKind(CallKind kind) { kind_ = kind; }

  // The data pointer of the call: null where the application passed null.
  TW_MEMREF Data() { return data_.get(); }
  template <typename T>
  T* As() {
    return reinterpret_cast<T*>(data_.get());
  }
  void SendNull() { data_.reset(); }

  // Memory the application made for the call and frees after it (a container it sends, a
  // transfer buffer); freed with the input, as is whatever the source handed back in it.
  void Own(TW_HANDLE handle) { ownHandle_ = handle; }
  void OwnBuffer(size_t size);
  void* Buffer() { return buffer_.get(); }

 private:
  struct FreeBytes {
    void operator()(unsigned char* bytes) const;
  };
  void FreeReturnedMemory();

  TW_UINT32 dg_;
  TW_UINT16 dat_;
  TW_UINT16 msg_;
  CallKind kind_ = CallKind::kOnce;
  std::unique_ptr<unsigned char, FreeBytes> data_;
  std::unique_ptr<unsigned char, FreeBytes> buffer_;
  TW_HANDLE ownHandle_ = nullptr;
};

// The input, or why the entry cannot be made again.
using Rebuilt = std::variant<CallInput, std::string>;

Rebuilt RebuildCall(const log_reader::Triplet& entry, bool lastEntry);

}  // namespace replay
