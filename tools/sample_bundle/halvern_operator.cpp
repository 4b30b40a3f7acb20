#include "halvern_operator.h"

#include <new>

#include "common/twain_values.h"
#include "hardware_info.h"
#include "platform/memory_handle.h"
#include "scanner_model.h"
#include "twaintrace/twain_abi.h"
#include "twaintrace/twain_vendor.h"

const HalvernOperator::Route HalvernOperator::kRoutes[] = {
    {DG_CONTROL, DAT_ENTRYPOINT, MSG_SET, States(kLoaded, kLoaded),
     &HalvernOperator::TakeEntryPoints},
    {DG_CONTROL, DAT_IDENTITY, MSG_GET, States(kLoaded, kTransferring),
     &HalvernOperator::GetIdentity},
    {DG_CONTROL, DAT_IDENTITY, MSG_OPENDS, States(kLoaded, kLoaded), &HalvernOperator::OpenSource},
    {DG_CONTROL, DAT_IDENTITY, MSG_CLOSEDS, States(kOpen, kOpen), &HalvernOperator::CloseSource},
    {DG_CONTROL, DAT_STATUS, MSG_GET, States(kLoaded, kTransferring), &HalvernOperator::GetStatus},
    {DG_CONTROL, DAT_CAPABILITY, MSG_GET, States(kOpen, kTransferring),
     &HalvernOperator::NegotiateCapability},
    {DG_CONTROL, DAT_CAPABILITY, MSG_GETCURRENT, States(kOpen, kTransferring),
     &HalvernOperator::NegotiateCapability},
    {DG_CONTROL, DAT_CAPABILITY, MSG_GETDEFAULT, States(kOpen, kTransferring),
     &HalvernOperator::NegotiateCapability},
    {DG_CONTROL, DAT_CAPABILITY, MSG_QUERYSUPPORT, States(kOpen, kTransferring),
     &HalvernOperator::NegotiateCapability},
    {DG_CONTROL, DAT_CAPABILITY, MSG_SET, States(kOpen, kOpen),
     &HalvernOperator::NegotiateCapability},
    {DG_CONTROL, DAT_CAPABILITY, MSG_RESET, States(kOpen, kOpen),
     &HalvernOperator::NegotiateCapability},
    {DG_CONTROL, DAT_VX_HARDWAREINFO, MSG_GET, States(kOpen, kTransferring),
     &HalvernOperator::GetHardwareInfo},
    {DG_CONTROL, DAT_USERINTERFACE, MSG_ENABLEDS, States(kOpen, kOpen),
     &HalvernOperator::EnableSource},
    {DG_CONTROL, DAT_USERINTERFACE, MSG_DISABLEDS, States(kEnabled, kEnabled),
     &HalvernOperator::DisableSource},
    {DG_CONTROL, DAT_EVENT, MSG_PROCESSEVENT, States(kEnabled, kTransferring),
     &HalvernOperator::ProcessEvent},
    {DG_CONTROL, DAT_PENDINGXFERS, MSG_GET, States(kOpen, kTransferring),
     &HalvernOperator::GetPendingTransfers},
    {DG_CONTROL, DAT_PENDINGXFERS, MSG_ENDXFER, States(kTransferReady, kTransferring),
     &HalvernOperator::EndTransfer},
    {DG_CONTROL, DAT_PENDINGXFERS, MSG_RESET, States(kTransferReady, kTransferReady),
     &HalvernOperator::ResetTransfers},
    {DG_CONTROL, DAT_SETUPMEMXFER, MSG_GET, States(kOpen, kTransferReady),
     &HalvernOperator::GetSetupMemXfer},
    {DG_IMAGE, DAT_IMAGEINFO, MSG_GET, States(kTransferReady, kTransferring),
     &HalvernOperator::GetImageInfo},
    {DG_IMAGE, DAT_IMAGELAYOUT, MSG_GET, States(kOpen, kTransferReady),
     &HalvernOperator::GetImageLayout},
    {DG_IMAGE, DAT_IMAGELAYOUT, MSG_GETDEFAULT, States(kOpen, kTransferReady),
     &HalvernOperator::GetImageLayout},
    {DG_IMAGE, DAT_IMAGEMEMXFER, MSG_GET, States(kTransferReady, kTransferring),
     &HalvernOperator::TransferByMemory},
    {DG_IMAGE, DAT_IMAGENATIVEXFER, MSG_GET, States(kTransferReady, kTransferReady),
     &HalvernOperator::TransferNatively},
};

TW_UINT16 HalvernOperator::ProcessTriplet(TW_IDENTITY* pOrigin, TW_UINT32 DG, TW_UINT16 DAT,
                                          TW_UINT16 MSG, TW_MEMREF pData) {
  TripletResult result;
  m_caller = pOrigin;
  // Nothing may escape into the data source, which has no way to handle it.
  try {
    result = Execute(DG, DAT, MSG, pData);
  } catch (const std::bad_alloc&) {
    result = Failure(TWCC_LOWMEMORY);
  }
  if (result.rc == TWRC_FAILURE) m_conditionCode = result.cc;
  return result.rc;
}

TripletResult HalvernOperator::Execute(TW_UINT32 dg, TW_UINT16 dat, TW_UINT16 msg, TW_MEMREF data) {
  for (const Route& route : kRoutes) {
    if (route.dg != dg || route.dat != dat || route.msg != msg) continue;
    if (!m_session.In(route.states)) return Failure(TWCC_SEQERROR);
    // Every triplet here carries a structure to read or fill.
    if (data == nullptr) return Failure(TWCC_BADVALUE);
    return (this->*route.handler)(msg, data);
  }
  return Failure(TWCC_BADPROTOCOL);
}

namespace {

// The platform's memory manager, in the shape of the source manager's memory functions.
TW_ENTRYPOINT PlatformMemory() {
  TW_ENTRYPOINT memory{};
  memory.Size = sizeof(TW_ENTRYPOINT);
  memory.DSM_MemAllocate = [](TW_UINT32 size) { return NewMemoryHandle(size); };
  memory.DSM_MemFree = [](TW_HANDLE handle) { DisposeMemoryHandle(handle); };
  memory.DSM_MemLock = [](TW_HANDLE handle) -> TW_MEMREF { return LockMemoryHandle(handle); };
  memory.DSM_MemUnlock = [](TW_HANDLE handle) { UnlockMemoryHandle(handle); };
  return memory;
}

}  // namespace

// Bound at first use: the data source's memory interface only once the data source that loaded
// this bundle has finished loading.
const DataSourceMemory& HalvernOperator::Memory() {
  if (!m_memoryBound) {
    m_memoryBound = m_memorySource == MemorySource::kDataSource ? m_memory.Bind()
                                                                : m_memory.Bind(PlatformMemory());
  }
  return m_memory;
}

// The source manager's memory is the application's: containers made there are the ones the
// application frees with the same functions.
TripletResult HalvernOperator::TakeEntryPoints(TW_UINT16 /*msg*/, TW_MEMREF data) {
  const auto* entryPoint = static_cast<const TW_ENTRYPOINT*>(data);
  if (!m_memory.Bind(*entryPoint)) return Failure(TWCC_BADVALUE);
  m_memoryBound = true;
  m_notifier.TakeManagerEntry(entryPoint->DSM_Entry);
  return Success();
}

// A source that notifies through the source manager says so, as TWAIN 2 sources do.
void HalvernOperator::FillIdentity(TW_IDENTITY* identity) const {
  FillSourceIdentity(identity);
  if (m_notifier.ThroughManager()) identity->SupportedGroups |= DF_DS2;
}

TripletResult HalvernOperator::GetIdentity(TW_UINT16 /*msg*/, TW_MEMREF data) {
  FillIdentity(static_cast<TW_IDENTITY*>(data));
  return Success();
}

// The identity keeps the Id the source manager gave it: the origin of the source's notices.
TripletResult HalvernOperator::OpenSource(TW_UINT16 /*msg*/, TW_MEMREF data) {
  auto* identity = static_cast<TW_IDENTITY*>(data);
  FillIdentity(identity);
  m_notifier.Opened(m_caller, *identity);
  m_session.Open();
  return Success();
}

// A source that is opened again starts from its defaults.
TripletResult HalvernOperator::CloseSource(TW_UINT16 /*msg*/, TW_MEMREF /*data*/) {
  m_notifier.Closed();
  m_capabilities = CapabilityStore();
  m_session.Close();
  return Success();
}

// Reports the condition of the last failure once; afterwards the status is clear again.
TripletResult HalvernOperator::GetStatus(TW_UINT16 /*msg*/, TW_MEMREF data) {
  auto* status = static_cast<TW_STATUS*>(data);
  status->ConditionCode = m_conditionCode;
  status->Data = 0;
  m_conditionCode = TWCC_SUCCESS;
  return Success();
}

TripletResult HalvernOperator::NegotiateCapability(TW_UINT16 msg, TW_MEMREF data) {
  return m_capabilities.Execute(msg, static_cast<TW_CAPABILITY*>(data), Memory());
}

TripletResult HalvernOperator::GetHardwareInfo(TW_UINT16 /*msg*/, TW_MEMREF data) {
  FillHardwareInfo(static_cast<TWVX_HARDWAREINFO*>(data));
  return Success();
}
