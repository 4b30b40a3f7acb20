// What a test reads and steers in the model of Apple's functions: the CoreFoundation objects
// still referenced, the Memory Manager's blocks, and faults the real system shows only rarely;
// and what the model's parts share.
#pragma once

#include <cstddef>

#include "platform/macos/apple_services.h"

namespace apple_model {

// CoreFoundation objects whose reference count has not reached zero.
size_t LiveObjects();

// Memory Manager blocks not yet disposed of.
size_t LiveHandles();
// From now on GetHandleSize answers `answer` for `handle` (0, or a negative error as early
// Memory Managers did), whatever the block's size.
void AnswerHandleSize(Handle handle, Size answer);

// The next FSCreateDirectoryUnicode fails with `status` and makes nothing; the next
// FSPathMakeRef fails with `status` (an OSStatus, which may lie outside the classic codes).
void FailNextCreateDirectory(OSErr status);
void FailNextPathMakeRef(OSStatus status);

// Reports a misuse that crashes on a Mac (an over-release, a foreign pointer) and ends the
// process, so that a test sees it at the call that made it.
[[noreturn]] void Misuse(const char* function, const char* what);

}  // namespace apple_model
