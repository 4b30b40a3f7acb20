// The dynamic loader's image list from the Linux loader's: image 0 is the host program, then
// every shared object in load order. An image's header is its ELF header where the loader
// mapped it (where a Mach-O image's header is its mach_header), and its name the path it was
// loaded by. The host program's name is empty here (dyld gives its executable's path): the data
// source, looking for its own image, passes it by.
//
// As with dyld, indices shift when images come or go, so a caller walks the list at once.
#include "mach-o/dyld.h"

#include <elf.h>
#include <link.h>

#include <cstdint>

namespace {

// The image at `wanted` (its header and name), and how many images the walk passed.
struct Image {
  uint32_t wanted;
  uint32_t index = 0;
  const void* header = nullptr;
  const char* name = nullptr;
};

Image Find(uint32_t wanted) {
  Image image{wanted};
  dl_iterate_phdr(
      [](dl_phdr_info* info, size_t, void* data) {
        auto* image = static_cast<Image*>(data);
        if (image->index++ != image->wanted) return 0;
        for (ElfW(Half) i = 0; i < info->dlpi_phnum; ++i) {
          const ElfW(Phdr)& segment = info->dlpi_phdr[i];
          if (segment.p_type == PT_LOAD && segment.p_offset == 0) {
            image->header = reinterpret_cast<const void*>(info->dlpi_addr + segment.p_vaddr);
          }
        }
        image->name = info->dlpi_name;
        return 1;
      },
      &image);
  return image;
}

}  // namespace

extern "C" {

uint32_t _dyld_image_count(void) {
  return Find(UINT32_MAX).index;
}

const struct mach_header* _dyld_get_image_header(uint32_t imageIndex) {
  return static_cast<const struct mach_header*>(Find(imageIndex).header);
}

const char* _dyld_get_image_name(uint32_t imageIndex) {
  return Find(imageIndex).name;
}

}  // extern "C"
