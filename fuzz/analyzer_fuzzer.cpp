// Drives the analyzer as the entry point does, with whatever an application or a data source
// could hand it: any data group, data argument type, message and return code, any structure
// bytes and any container behind a capability's handle.
//
// Every piece of memory the analyzer is given is a heap block of exactly its size, so a read
// past it is caught; a container whose handle tells no size (the Linux source manager's, or
// another maker's) is trusted as far as its counts reach up to 4096 bytes, so its block has
// that room. After each call the harness checks what the tracer promises: the
// structure, the container and the origin identity are unchanged, the container is unlocked
// again, and the text stays inside the caller's buffer and is measured right.
//
// Input layout (little-endian), then the structure bytes, then the container bytes:
//   0      flags: 1 null data pointer, 2 null container handle, 4 null origin, 8 raw DAT,
//          16 a container handle the data source did not make (the natural interface's: a
//          block of nothing but its master pointer), 32 a handle freed before the call, given
//          only where no container travels (the analyzer must not follow it)
//   1      index into the dispatched data argument types (used unless flag 8)
//   2..3   raw data argument type
//   4..7   data group
//   8..9   message
//   10..11 return code
//   12     tracked TWAIN state to start from (modulo 8)
//   13     size of the data for a type the analyzer has no structure for
//   14..15 output buffer: the entry point's own size from 0x8000 up, else 1 + value % that
// The structure takes the size its data argument type gives it (zero-filled when the input is
// short); the container and the origin identity are made from the bytes that follow.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "analyzer/para_analyze.h"
#include "dumps/dumped_types.h"
#include "log/log_file.h"
#include "platform/cdsm_interface.h"
#include "platform/memory_handle.h"
#include "twaintrace/twain_abi.h"

// The fuzzer never enables the log.
const char* const kTwainLogDirectory = TWAINTRACE_FUZZ_ABSENT_LOG_DIR;

namespace {

// The entry point's text buffer: the limit it writes plus room to see an over-long text.
constexpr size_t kEntryTextSize = log_format::kParameterTextLimit + 2;
constexpr size_t kHeaderSize = 16;
constexpr uint8_t kNullData = 1;
constexpr uint8_t kNullContainer = 2;
constexpr uint8_t kNullOrigin = 4;
constexpr uint8_t kRawDat = 8;
constexpr uint8_t kForeignHandle = 16;
constexpr uint8_t kStaleHandle = 32;
// How far a container is read when its handle tells no size.
constexpr size_t kUnsizedContainerRoom = 4096;

struct DataShape {
  TW_UINT16 dat;
  size_t size;  // 0: the analyzer has no structure for this type and must read nothing
};

// Every dispatched data argument type with the size of what its data pointer leads to: the
// structure, or for the transfer group and the native transfer the item the analyzer reads.
#define TW_SHAPE(DG, DAT, MSG, Structure, Formatter) {DAT, kDumpedSize<Structure>},
constexpr DataShape kDispatched[] = {TW_DUMPED_TYPES(TW_SHAPE)};
#undef TW_SHAPE

class Reader {
 public:
  Reader(const uint8_t* data, size_t size) : data_(data), size_(size) {}

  template <typename T>
  T Take() {
    T value{};
    for (size_t i = 0; i < sizeof(T); ++i)
      value |= static_cast<T>(static_cast<T>(Byte()) << (8 * i));
    return value;
  }
  // Up to `count` bytes into `out`; the rest of `out` stays as it was.
  void Fill(void* out, size_t count) {
    size_t n = count < size_ - used_ ? count : size_ - used_;
    if (n != 0) memcpy(out, data_ + used_, n);
    used_ += n;
  }
  size_t Left() const { return size_ - used_; }
  const uint8_t* Here() const { return data_ + used_; }

 private:
  uint8_t Byte() { return used_ < size_ ? data_[used_++] : 0; }

  const uint8_t* data_;
  size_t size_;
  size_t used_ = 0;
};

// A heap block of exactly `size` bytes holding a copy of what the analyzer may read, and the
// copy to compare it with afterwards.
class Block {
 public:
  explicit Block(size_t size)
      : bytes_(static_cast<char*>(calloc(size, 1))),
        copy_(static_cast<char*>(calloc(size, 1))),
        size_(size) {}
  ~Block() {
    free(bytes_);
    free(copy_);
  }
  Block(const Block&) = delete;
  Block& operator=(const Block&) = delete;

  char* Data() { return bytes_; }
  void Seal() { memcpy(copy_, bytes_, size_); }
  bool Unchanged() const { return memcmp(copy_, bytes_, size_) == 0; }

 private:
  char* bytes_;
  char* copy_;
  size_t size_;
};

size_t StructureSize(TW_UINT16 dat, size_t unstructured) {
  for (const DataShape& shape : kDispatched) {
    if (shape.dat == dat) return shape.size != 0 ? shape.size : unstructured;
  }
  return unstructured;
}

void Require(bool condition) {
  if (!condition) abort();
}

void RequireTextInside(const char* text, size_t capacity) {
  size_t length = strnlen(text, capacity);
  Require(length < capacity);
  Require(length == g_cParaAnalyze.OutTextLength());
}

// Whether a capability container travels with the message, so that the analyzer may follow
// the record's handle.
bool CarriesContainer(TW_UINT16 msg) {
  return msg == MSG_GET || msg == MSG_GETCURRENT || msg == MSG_GETDEFAULT || msg == MSG_RESET ||
         msg == MSG_QUERYSUPPORT || msg == MSG_SET;
}

// A container handle holding `bytes`: made by the data source, or as another maker makes one.
// Where the handle tells no size its block has the room the analyzer may read.
class Container {
 public:
  Container(const std::string& bytes, bool foreign) {
    size_t room = bytes.size();
    if (kLinuxSourceManagerAbi || foreign) {
      if (room < kUnsizedContainerRoom) room = kUnsizedContainerRoom;
    }
    if (kLinuxSourceManagerAbi) {
      handle_ = static_cast<char**>(calloc(1, room));
      data_ = reinterpret_cast<char*>(handle_);
    } else if (foreign) {
      data_ = static_cast<char*>(calloc(1, room));
      handle_ = static_cast<char**>(malloc(sizeof(char*)));
      *handle_ = data_;
    } else {
      made_ = true;
      handle_ = CDSMInterface::AllocMemory(static_cast<unsigned>(room));
      data_ = handle_ != nullptr ? *handle_ : nullptr;
    }
    if (data_ != nullptr && !bytes.empty()) memcpy(data_, bytes.data(), bytes.size());
  }
  ~Container() { Free(); }
  Container(const Container&) = delete;
  Container& operator=(const Container&) = delete;

  char** Handle() const { return handle_; }
  const char* Data() const { return data_; }
  bool Locked() const {
#if !TWAINTRACE_ABI_LINUX_DSM
    if (made_) return MemoryHandleLockCount(handle_) != 0;
#endif
    return false;
  }
  void Free() {
    if (handle_ == nullptr) return;
    if (made_) {
      CDSMInterface::FreeMemory(handle_);
    } else {
      if (reinterpret_cast<char*>(handle_) != data_) free(data_);
      free(handle_);
    }
    handle_ = nullptr;
  }

 private:
  char** handle_ = nullptr;
  char* data_ = nullptr;
  bool made_ = false;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* input, size_t inputSize) {
  if (inputSize < kHeaderSize) return 0;
  Reader reader(input, inputSize);
  const uint8_t flags = reader.Take<uint8_t>();
  const uint8_t datIndex = reader.Take<uint8_t>();
  const TW_UINT16 rawDat = reader.Take<TW_UINT16>();
  const TW_UINT32 dg = reader.Take<TW_UINT32>();
  const TW_UINT16 msg = reader.Take<TW_UINT16>();
  const TW_UINT16 rc = reader.Take<TW_UINT16>();
  const uint8_t state = reader.Take<uint8_t>();
  const uint8_t unstructured = reader.Take<uint8_t>();
  const uint16_t outputChoice = reader.Take<uint16_t>();

  const TW_UINT16 dat =
      (flags & kRawDat) != 0
          ? rawDat
          : kDispatched[datIndex % (sizeof(kDispatched) / sizeof(kDispatched[0]))].dat;
  const size_t capacity =
      outputChoice >= 0x8000 ? kEntryTextSize : 1 + outputChoice % kEntryTextSize;

  Block structure(StructureSize(dat, unstructured));
  reader.Fill(structure.Data(), StructureSize(dat, unstructured));

  // The rest is the container; the origin identity is made of its first bytes as well.
  const size_t containerSize = reader.Left();
  const std::string containerBefore(reinterpret_cast<const char*>(reader.Here()), containerSize);
  std::unique_ptr<Container> container;
  char** handle = nullptr;
  if (dat == DAT_CAPABILITY && (flags & kNullContainer) == 0) {
    container = std::make_unique<Container>(containerBefore, (flags & kForeignHandle) != 0);
    if (container->Handle() == nullptr) return 0;
    handle = container->Handle();
    // A handle of a block long gone, where the analyzer has no reason to follow it.
    if ((flags & kStaleHandle) != 0 && (!CarriesContainer(msg) || rc == TWRC_FAILURE)) {
      container->Free();
      container.reset();
    }
  }
  if (dat == DAT_CAPABILITY) {
    reinterpret_cast<TW_CAPABILITY*>(structure.Data())->hContainer = handle;
  }
  Block origin(sizeof(TW_IDENTITY));
  reader.Fill(origin.Data(), sizeof(TW_IDENTITY));
  structure.Seal();
  origin.Seal();

  char* pData = (flags & kNullData) != 0 ? nullptr : structure.Data();
  auto* pOrigin =
      (flags & kNullOrigin) != 0 ? nullptr : reinterpret_cast<TW_IDENTITY*>(origin.Data());
  char* text = static_cast<char*>(malloc(capacity));

  g_cParaAnalyze.SetTwainStatus(state % 8);
  text[0] = '\0';
  g_cParaAnalyze.TripletAnalyze(pOrigin, nullptr, dg, dat, msg, pData, text, capacity);
  RequireTextInside(text, capacity);
  text[0] = '\0';
  g_cParaAnalyze.ParaAnalyze(pOrigin, nullptr, dg, dat, msg, pData, rc, text, capacity);
  RequireTextInside(text, capacity);

  Require(structure.Unchanged());
  Require(origin.Unchanged());
  if (container != nullptr) {
    Require(!container->Locked());
    Require(containerBefore.compare(0, containerSize, container->Data(), containerSize) == 0);
  }
  free(text);
  return 0;
}
