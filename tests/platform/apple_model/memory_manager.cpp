// The Memory Manager's relocatable blocks: a handle is the address of a master pointer, which
// points at the block's data; the Memory Manager knows each block's size and its state byte,
// whose high bit is the lock (a bit, not a count: HLock twice and HUnlock once leaves it
// unlocked).
//
// Where the model is simpler: blocks never move, locked or not, and none is purgeable.
// GetHandleSize answers 0 for a handle the Memory Manager does not know, as Apple documents
// (early Memory Managers answered a negative error instead; a test can make it answer either).
// Disposing of a handle twice or of a foreign one crashes on a Mac; here it ends the process
// with a message.
#include <cstdlib>
#include <map>
#include <mutex>
#include <optional>

#include "apple_model.h"
#include "model_state.h"

namespace apple_model {
namespace {

struct Block {
  Size size;
  SInt8 state;
  std::optional<Size> answer;  // what GetHandleSize answers instead of the size
};

std::mutex g_mutex;
std::map<Handle, Block>& Blocks() {
  static std::map<Handle, Block> blocks;
  return blocks;
}

Block* FindBlock(Handle handle) {
  auto found = Blocks().find(handle);
  return found != Blocks().end() ? &found->second : nullptr;
}

}  // namespace

size_t LiveHandles() {
  std::lock_guard<std::mutex> lock(g_mutex);
  return Blocks().size();
}

void AnswerHandleSize(Handle handle, Size answer) {
  std::lock_guard<std::mutex> lock(g_mutex);
  if (Block* block = FindBlock(handle)) block->answer = answer;
}

}  // namespace apple_model

extern "C" {

Handle NewHandleClear(Size byteCount) {
  if (byteCount < 0) return nullptr;
  auto* master = static_cast<Ptr*>(malloc(sizeof(Ptr)));
  Ptr data = static_cast<Ptr>(calloc(1, byteCount != 0 ? static_cast<size_t>(byteCount) : 1));
  if (master == nullptr || data == nullptr) {
    free(master);
    free(data);
    return nullptr;
  }
  *master = data;
  std::lock_guard<std::mutex> lock(apple_model::g_mutex);
  apple_model::Blocks()[master] = apple_model::Block{byteCount, 0, std::nullopt};
  return master;
}

void DisposeHandle(Handle handle) {
  if (handle == nullptr) return;
  {
    std::lock_guard<std::mutex> lock(apple_model::g_mutex);
    if (apple_model::Blocks().erase(handle) == 0) {
      apple_model::Misuse("DisposeHandle", "not a live handle");
    }
  }
  free(*handle);
  free(handle);
}

void HLock(Handle handle) {
  std::lock_guard<std::mutex> lock(apple_model::g_mutex);
  if (apple_model::Block* block = apple_model::FindBlock(handle)) block->state |= kHandleLockedBit;
}

void HUnlock(Handle handle) {
  std::lock_guard<std::mutex> lock(apple_model::g_mutex);
  if (apple_model::Block* block = apple_model::FindBlock(handle)) {
    block->state = static_cast<SInt8>(block->state & ~kHandleLockedBit);
  }
}

Size GetHandleSize(Handle handle) {
  std::lock_guard<std::mutex> lock(apple_model::g_mutex);
  const apple_model::Block* block = apple_model::FindBlock(handle);
  if (block == nullptr) return 0;
  return block->answer.value_or(block->size);
}

SInt8 HGetState(Handle handle) {
  std::lock_guard<std::mutex> lock(apple_model::g_mutex);
  const apple_model::Block* block = apple_model::FindBlock(handle);
  return block != nullptr ? block->state : 0;
}

}  // extern "C"
