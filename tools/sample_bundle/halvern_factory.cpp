// The bundle's one export: the factory the data source calls when it loads.
#include <new>

#include "halvern_operator.h"

// The data source's file name is not needed: the virtual scanner is the same for every caller.
extern "C" __attribute__((visibility("default"))) void CreateHalvern(
    ExecutableFileNameRef /*executableFileName*/, TripletOperator** out) {
  if (out == nullptr) return;
  *out = new (std::nothrow) HalvernOperator(HalvernOperator::MemorySource::kDataSource);
}
