// The Memory Manager's relocatable blocks: a handle is the address of a master pointer, which
// points at the block's data; the Memory Manager knows each block's size and its state byte,
// whose high bit is the lock (a bit, not a count: HLock twice and HUnlock once leaves it
// unlocked).
//
// Where the model is simpler: blocks never move, locked or not, and none is purgeable.
// GetHandleSize answers 0 for a handle the Memory Manager does not know, as Apple documents
// (early Memory Managers answered a negative error instead; a test can make it answer either).
// Disposing of a handle twice or of a foreign one crashes on a Mac; here it ends the process
// with a message. Calls come from one thread at a time, as the tests make them.
#include <algorithm>
#include <map>
#include <optional>

#include "apple_model.h"

namespace apple_model {
namespace {

struct Block {
  Size size;
  SInt8 state;
  std::optional<Size> answer;  // what GetHandleSize answers instead of the size
};

std::map<Handle, Block> g_blocks;

Block* FindBlock(Handle handle) {
  auto found = g_blocks.find(handle);
  return found != g_blocks.end() ? &found->second : nullptr;
}

}  // namespace

size_t LiveHandles() {
  return g_blocks.size();
}

void AnswerHandleSize(Handle handle, Size answer) {
  if (Block* block = FindBlock(handle)) block->answer = answer;
}

}  // namespace apple_model

using apple_model::FindBlock;

extern "C" {

// Memory never runs out here.
Handle NewHandleClear(Size byteCount) {
  if (byteCount < 0) return nullptr;
  auto* master = new Ptr(new char[static_cast<size_t>(std::max<Size>(byteCount, 1))]());
  apple_model::g_blocks[master] = apple_model::Block{byteCount, 0, std::nullopt};
  return master;
}

void DisposeHandle(Handle handle) {
  if (handle == nullptr) return;
  if (apple_model::g_blocks.erase(handle) == 0) {
    apple_model::Misuse("DisposeHandle", "not a live handle");
  }
  delete[] handle[0];  // the data, then the master pointer
  delete handle;
}

void HLock(Handle handle) {
  if (auto* block = FindBlock(handle)) block->state |= kHandleLockedBit;
}

void HUnlock(Handle handle) {
  if (auto* block = FindBlock(handle)) block->state &= ~kHandleLockedBit;
}

Size GetHandleSize(Handle handle) {
  const auto* block = FindBlock(handle);
  return block != nullptr ? block->answer.value_or(block->size) : 0;
}

SInt8 HGetState(Handle handle) {
  const auto* block = FindBlock(handle);
  return block != nullptr ? block->state : 0;
}

}  // extern "C"
