// The model's objects as its parts share them: every CoreFoundation object starts with this
// header, so that CFRelease can tell an object of the model from anything else.
#pragma once

#include <cstdint>

namespace apple_model {

enum class Kind : uint32_t { kString, kUrl, kBundle };

struct Object {
  Kind kind;
  long count;
};

// Registers a new object with a reference count of one.
void Register(Object* object);
// The live object at `reference` of `kind`, or null.
Object* Find(const void* reference, Kind kind);

// Reports a misuse that crashes on a Mac (an over-release, a foreign pointer) and ends the
// process, so that a test sees it at the call that made it.
[[noreturn]] void Misuse(const char* function, const char* what);

}  // namespace apple_model
