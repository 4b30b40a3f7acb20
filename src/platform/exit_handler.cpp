#include "platform/exit_handler.h"

// Bound to this image's own handle, the runtime runs the handler at dlclose as well as at exit.
extern "C" void* __dso_handle;
extern "C" int __cxa_atexit(void (*handler)(void*), void* argument, void* dso);

void RegisterImageExitHandler(void (*handler)(void*), void* argument) {
  __cxa_atexit(handler, argument, &__dso_handle);
}
