// The dynamic loader's image list of <mach-o/dyld.h>, as the model of Apple's functions offers it
// on Linux: the images are the loader's shared objects in load order, the host program first.
#pragma once

#include <cstdint>

struct mach_header;

extern "C" {
uint32_t _dyld_image_count(void);
const struct mach_header* _dyld_get_image_header(uint32_t imageIndex);
const char* _dyld_get_image_name(uint32_t imageIndex);
}
