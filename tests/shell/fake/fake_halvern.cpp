// A fake implementation bundle whose operator answers as the test scripts it.
//   FAKE_HALVERN_FACTORY=1: the factory makes an operator; 2: it stores null; 0: no factory.
//   FAKE_HALVERN_CFSTRING=1: the file name is a CoreFoundation string, as on macOS.
#include <unistd.h>

#include <cstring>

#if FAKE_HALVERN_CFSTRING
#include "platform/macos/apple_services.h"
#endif
#include "twaintrace/data_source_memory.h"
#include "twaintrace/triplet_operator.h"

#define FAKE_EXPORT extern "C" __attribute__((visibility("default")))

using FakeHandler = TW_UINT16 (*)(TW_IDENTITY*, TW_UINT32, TW_UINT16, TW_UINT16, TW_MEMREF);

// What the test scripts and reads: the operator's answers, the name the factory received.
extern "C" {
__attribute__((visibility("default"))) FakeHandler FakeHalvern_Handler = nullptr;
__attribute__((visibility("default"))) char FakeHalvern_FactoryName[256] = {};
}

namespace {

class FakeOperator final : public TripletOperator {
 public:
  void Reserved1() override {}
  void Reserved2() override {}
  TW_UINT16 ProcessTriplet(TW_IDENTITY* origin, TW_UINT32 dg, TW_UINT16 dat, TW_UINT16 msg,
                           TW_MEMREF data) override {
    return FakeHalvern_Handler != nullptr ? FakeHalvern_Handler(origin, dg, dat, msg, data)
                                          : TWRC_SUCCESS;
  }
  void Reserved4() override {}
  void Release() override {
    // Marks Release, and its order against the data source's own messages, on stderr.
    static const char kMarker[] = "Release\n";
    (void)!write(2, kMarker, sizeof(kMarker) - 1);
  }
};

// Unused by the variant built without a factory.
[[maybe_unused]] FakeOperator g_operator;

}  // namespace

FAKE_EXPORT char** FakeHalvern_AllocThroughDataSource(unsigned size) {
  DataSourceMemory memory;
  return memory.Bind() ? memory.AllocMemory(size) : nullptr;
}

#if FAKE_HALVERN_FACTORY
FAKE_EXPORT void CreateHalvern(ExecutableFileNameRef executableFileName, TripletOperator** out) {
#if FAKE_HALVERN_CFSTRING
  // Its characters copied out, ASCII as the data source's file name is.
  auto name = reinterpret_cast<CFStringRef>(executableFileName);
  CFIndex length = CFStringGetLength(name);
  UniChar units[sizeof(FakeHalvern_FactoryName) - 1];
  if (length > static_cast<CFIndex>(sizeof(units) / sizeof(units[0]))) length = 0;
  CFStringGetCharacters(name, CFRange{0, length}, units);
  for (CFIndex i = 0; i < length; ++i) FakeHalvern_FactoryName[i] = static_cast<char>(units[i]);
  FakeHalvern_FactoryName[length] = '\0';
#else
  strncpy(FakeHalvern_FactoryName, executableFileName, sizeof(FakeHalvern_FactoryName) - 1);
#endif
  *out = FAKE_HALVERN_FACTORY == 1 ? &g_operator : nullptr;
}
#endif
