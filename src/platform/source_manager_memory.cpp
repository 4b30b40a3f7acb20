#include "platform/source_manager_memory.h"

namespace {

TW_ENTRYPOINT g_kept{};
bool g_haveKept = false;

}  // namespace

bool KeepSourceManagerMemory(const TW_ENTRYPOINT* entryPoint) {
  if (entryPoint == nullptr || entryPoint->Size < sizeof(TW_ENTRYPOINT) ||
      entryPoint->DSM_MemAllocate == nullptr || entryPoint->DSM_MemFree == nullptr ||
      entryPoint->DSM_MemLock == nullptr || entryPoint->DSM_MemUnlock == nullptr) {
    return false;
  }
  // A copy: the structure belongs to the source manager and may not outlive the call.
  g_kept = TW_ENTRYPOINT{};
  g_kept.Size = sizeof(TW_ENTRYPOINT);
  g_kept.DSM_MemAllocate = entryPoint->DSM_MemAllocate;
  g_kept.DSM_MemFree = entryPoint->DSM_MemFree;
  g_kept.DSM_MemLock = entryPoint->DSM_MemLock;
  g_kept.DSM_MemUnlock = entryPoint->DSM_MemUnlock;
  g_haveKept = true;
  return true;
}

void ForgetSourceManagerMemory() {
  g_kept = TW_ENTRYPOINT{};
  g_haveKept = false;
}

const TW_ENTRYPOINT* SourceManagerMemory() {
  return g_haveKept ? &g_kept : nullptr;
}
