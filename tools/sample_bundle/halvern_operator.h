// The sample bundle's triplet operator: executes every triplet as a TWAIN data source for the
// virtual scanner does, refusing those its state does not allow.
#pragma once

#include "capabilities.h"
#include "page_transfer.h"
#include "source_notifier.h"
#include "triplet_result.h"
#include "twain_session.h"
#include "twaintrace/data_source_memory.h"
#include "twaintrace/triplet_operator.h"

class HalvernOperator final : public TripletOperator {
 public:
  // Where containers and native images are made until the source manager hands over its own
  // memory functions: the memory interface of the data source that loaded the bundle, or, for
  // the bundle running as a data source of its own, the platform's memory manager.
  enum class MemorySource { kDataSource, kPlatform };
  explicit HalvernOperator(MemorySource memory) : m_memorySource(memory) {}

  void Reserved1() override {}
  void Reserved2() override {}
  TW_UINT16 ProcessTriplet(TW_IDENTITY* pOrigin, TW_UINT32 DG, TW_UINT16 DAT, TW_UINT16 MSG,
                           TW_MEMREF pData) override;
  void Reserved4() override {}
  void Release() override { delete this; }

 private:
  using Handler = TripletResult (HalvernOperator::*)(TW_UINT16 msg, TW_MEMREF data);
  struct Route {
    TW_UINT32 dg;
    TW_UINT16 dat;
    TW_UINT16 msg;
    StateSet states;
    Handler handler;
  };
  static const Route kRoutes[];

  TripletResult Execute(TW_UINT32 dg, TW_UINT16 dat, TW_UINT16 msg, TW_MEMREF data);
  const DataSourceMemory& Memory();

  // Session and negotiation.
  TripletResult TakeEntryPoints(TW_UINT16 msg, TW_MEMREF data);
  TripletResult GetIdentity(TW_UINT16 msg, TW_MEMREF data);
  TripletResult OpenSource(TW_UINT16 msg, TW_MEMREF data);
  TripletResult CloseSource(TW_UINT16 msg, TW_MEMREF data);
  TripletResult GetStatus(TW_UINT16 msg, TW_MEMREF data);
  TripletResult NegotiateCapability(TW_UINT16 msg, TW_MEMREF data);
  TripletResult GetHardwareInfo(TW_UINT16 msg, TW_MEMREF data);

  // Acquisition.
  TripletResult EnableSource(TW_UINT16 msg, TW_MEMREF data);
  TripletResult DisableSource(TW_UINT16 msg, TW_MEMREF data);
  TripletResult ProcessEvent(TW_UINT16 msg, TW_MEMREF data);
  TripletResult GetPendingTransfers(TW_UINT16 msg, TW_MEMREF data);
  TripletResult EndTransfer(TW_UINT16 msg, TW_MEMREF data);
  TripletResult ResetTransfers(TW_UINT16 msg, TW_MEMREF data);
  TripletResult GetSetupMemXfer(TW_UINT16 msg, TW_MEMREF data);
  TripletResult GetImageInfo(TW_UINT16 msg, TW_MEMREF data);
  TripletResult GetImageLayout(TW_UINT16 msg, TW_MEMREF data);
  TripletResult TransferByMemory(TW_UINT16 msg, TW_MEMREF data);
  TripletResult TransferNatively(TW_UINT16 msg, TW_MEMREF data);
  TW_UINT32 ImagesInJob() const;
  void FillIdentity(TW_IDENTITY* identity) const;
  void StartPage();

  TwainSession m_session;
  CapabilityStore m_capabilities;
  PageTransfer m_page;
  SourceNotifier m_notifier;
  const TW_IDENTITY* m_caller = nullptr;  // the origin of the triplet being executed
  MemorySource m_memorySource;
  DataSourceMemory m_memory;
  bool m_memoryBound = false;
  TW_UINT16 m_conditionCode = TWCC_SUCCESS;
};
