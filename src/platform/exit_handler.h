// Runs a function when this image is unloaded, or at process exit if it never is.
#pragma once

void RegisterImageExitHandler(void (*handler)(void*), void* argument);
