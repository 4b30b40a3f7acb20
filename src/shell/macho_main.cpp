#include "shell/macho_main.h"

#include "analyzer/para_analyze.h"
#include "log/log_file.h"
#include "platform/executable_name.h"
#include "platform/exit_handler.h"
#include "platform/image_path.h"
#include "platform/source_manager_memory.h"
#include "platform/visibility.h"

PlatformBundle* g_HalvernBundleRef = nullptr;
CreateHalvernFn g_fnDsCreate = nullptr;

namespace {

// Between an initialisation and its termination; a second initialisation would otherwise
// replace, and so leak, the operator, the bundle and the open log.
bool g_bInitialized = false;

}  // namespace

const char* CreateMyMachOBundleURL() {
  return OwnImagePath();
}

extern "C" TWAINTRACE_EXPORT void MachO_Initialization() {
  if (g_bInitialized) return;
  g_bInitialized = true;
  ExecutableFileNameRef executableName = CreateExecutableFileName(CreateMyMachOBundleURL());

  g_HalvernBundleRef = CreateBundle(kImplementationBundle);
  if (executableName != nullptr && g_HalvernBundleRef != nullptr) {
    g_fnDsCreate = reinterpret_cast<CreateHalvernFn>(
        BundleFunction(g_HalvernBundleRef, TWAINTRACE_FACTORY_NAME));
    if (g_fnDsCreate != nullptr) g_fnDsCreate(executableName, &g_pcTripletOperator);
  }
  ReleaseExecutableFileName(executableName);
  // With logging on, the trace starts where a loaded data source is: source manager open.
  if (setupTwainLog()) g_cParaAnalyze.m_nTwainStatus = 3;
}

extern "C" TWAINTRACE_EXPORT void MachO_Termination() {
  if (g_pcTripletOperator != nullptr) {
    g_pcTripletOperator->Release();
    g_pcTripletOperator = nullptr;
  }
  if (g_HalvernBundleRef != nullptr) {
    ReleaseBundle(g_HalvernBundleRef);
    g_HalvernBundleRef = nullptr;
  }
  g_fnDsCreate = nullptr;
  ForgetSourceManagerMemory();
  cleanupTwainLog();
  g_bInitialized = false;
}

namespace {

void TerminateAtUnload(void* /*unused*/) {
  MachO_Termination();
}

// The analyzer is constant-initialised before any of these run; the terminator is registered
// only once the initialisation has finished, so it runs first at unload.
__attribute__((constructor(101))) void InitializeAtLoad() {
  MachO_Initialization();
}
__attribute__((constructor(102))) void RegisterTermination() {
  RegisterImageExitHandler(&TerminateAtUnload, nullptr);
}

}  // namespace
