// The dynamic loader's image list from the Linux loader's: image 0 is the host program, then
// every shared object in load order. An image's header is its ELF header where the loader
// mapped it (where a Mach-O image's header is its mach_header), and its name the path it was
// loaded by; the host program's name is its executable's path, as dyld gives it.
//
// As with dyld, indices shift when images come or go, so a caller walks the list at once.
#include "mach-o/dyld.h"

#include <elf.h>
#include <link.h>
#include <unistd.h>

#include <climits>
#include <cstdint>

namespace {

struct Image {
  uint32_t wanted;
  uint32_t index;
  const void* header;
  const char* name;
};

int Visit(dl_phdr_info* info, size_t /*size*/, void* data) {
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
}

Image Find(uint32_t index) {
  Image image{index, 0, nullptr, nullptr};
  dl_iterate_phdr(&Visit, &image);
  return image;
}

const char* HostProgramPath() {
  static char path[PATH_MAX] = {};
  if (path[0] == '\0') {
    ssize_t length = readlink("/proc/self/exe", path, sizeof(path) - 1);
    path[length > 0 ? length : 0] = '\0';
  }
  return path;
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
  if (imageIndex == 0) return HostProgramPath();
  return Find(imageIndex).name;
}

}  // extern "C"
