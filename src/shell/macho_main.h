// Loading and unloading of the data source: the implementation bundle, its triplet operator
// and the log.
#pragma once

#include "platform/bundle.h"
#include "twaintrace/triplet_operator.h"

// The implementation bundle's directory, fixed when the data source is built.
extern const char* const kImplementationBundle;

extern TripletOperator* g_pcTripletOperator;
extern PlatformBundle* g_HalvernBundleRef;
extern CreateHalvernFn g_fnDsCreate;

// The path of this data source's own executable, or null if the loader does not know it.
// The exported interface's name, kept as shipped: it stays.
const char* CreateMyMachOBundleURL();

extern "C" {
void MachO_Initialization();
void MachO_Termination();
}
