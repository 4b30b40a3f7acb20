// Only the data source's published interfaces leave the image; everything else stays hidden.
#pragma once

#define TWAINTRACE_EXPORT __attribute__((visibility("default")))
#define TWAINTRACE_HIDDEN __attribute__((visibility("hidden")))
