// The acquisition triplets of the operator: enabling the source, the transfer-ready event,
// image information and the transfers, and the pending-transfer counts between pages.
#include <algorithm>

#include "common/twain_values.h"
#include "halvern_operator.h"
#include "scanner_model.h"

namespace {

constexpr TW_UINT32 kPreferredBuffer = 128 * 1024;
constexpr TW_UINT32 kLargestBuffer = 1024 * 1024;

}  // namespace

// The feeder delivers every sheet of its stack, both sides when duplex is on, up to the count
// the application asked for; the flatbed delivers one page.
TW_UINT32 HalvernOperator::ImagesInJob() const {
  if (!m_capabilities.FeederEnabled()) return 1;
  TW_UINT32 available = scanner_model::kSheetsInFeeder * (m_capabilities.DuplexEnabled() ? 2 : 1);
  TW_INT16 wanted = m_capabilities.TransferCount();
  return wanted < 0 ? available : std::min<TW_UINT32>(available, static_cast<TW_UINT32>(wanted));
}

void HalvernOperator::StartPage() {
  m_page.Begin(m_capabilities.Settings(), m_session.ImageIndex() + 1);
}

// There is no user interface to show: the scan starts as soon as the source is enabled. Working
// the TWAIN 2 way, the first image is ready at once and the source says so through the source
// manager; a source that cannot tell its application is not enabled. One that withholds the
// notice never finishes its scan, so the application can still disable it.
TripletResult HalvernOperator::EnableSource(TW_UINT16 /*msg*/, TW_MEMREF /*data*/) {
  m_session.Enable(ImagesInJob());
  if (!m_notifier.ThroughManager() || m_notifier.Withholds(MSG_XFERREADY)) return Success();
  if (!m_session.RaiseTransferReady()) return Success();
  StartPage();
  if (m_notifier.Send(MSG_XFERREADY)) return Success();
  m_session.Disable();
  return Failure(TWCC_BUMMER);
}

TripletResult HalvernOperator::DisableSource(TW_UINT16 /*msg*/, TW_MEMREF /*data*/) {
  m_session.Disable();
  return Success();
}

TripletResult HalvernOperator::ProcessEvent(TW_UINT16 /*msg*/, TW_MEMREF data) {
  auto* event = static_cast<TW_EVENT*>(data);
  if (!m_session.RaiseTransferReady()) {
    event->TWMessage = MSG_NULL;
    return Success(TWRC_NOTDSEVENT);
  }
  StartPage();
  event->TWMessage = MSG_XFERREADY;
  return Success(TWRC_DSEVENT);
}

TripletResult HalvernOperator::GetPendingTransfers(TW_UINT16 /*msg*/, TW_MEMREF data) {
  auto* pending = static_cast<TW_PENDINGXFERS*>(data);
  pending->Count = static_cast<TW_UINT16>(m_session.Pending());
  pending->EOJ = 0;
  return Success();
}

TripletResult HalvernOperator::EndTransfer(TW_UINT16 /*msg*/, TW_MEMREF data) {
  auto* pending = static_cast<TW_PENDINGXFERS*>(data);
  pending->Count = static_cast<TW_UINT16>(m_session.EndTransfer());
  pending->EOJ = 0;
  if (pending->Count > 0) {
    StartPage();
  } else if (m_notifier.ThroughManager()) {
    // The job is done: the source asks to be closed. The transfer itself succeeded either way.
    m_notifier.Send(MSG_CLOSEDSREQ);
  }
  return Success();
}

TripletResult HalvernOperator::ResetTransfers(TW_UINT16 /*msg*/, TW_MEMREF data) {
  auto* pending = static_cast<TW_PENDINGXFERS*>(data);
  m_session.ResetTransfers();
  pending->Count = 0;
  pending->EOJ = 0;
  return Success();
}

// Buffers hold whole rows: at least one, preferably about 128 KiB of them.
TripletResult HalvernOperator::GetSetupMemXfer(TW_UINT16 /*msg*/, TW_MEMREF data) {
  auto* setup = static_cast<TW_SETUPMEMXFER*>(data);
  TW_UINT32 row = GeometryOf(m_capabilities.Settings()).bytesPerRow;
  setup->MinBufSize = row;
  setup->Preferred = std::max(row, kPreferredBuffer / row * row);
  setup->MaxBufSize = std::max(setup->Preferred, kLargestBuffer);
  return Success();
}

TripletResult HalvernOperator::GetImageInfo(TW_UINT16 /*msg*/, TW_MEMREF data) {
  FillImageInfo(m_page.Settings(), static_cast<TW_IMAGEINFO*>(data));
  return Success();
}

// Before the job the layout is that of the next page as negotiated; during it, the current one's.
TripletResult HalvernOperator::GetImageLayout(TW_UINT16 msg, TW_MEMREF data) {
  auto* layout = static_cast<TW_IMAGELAYOUT*>(data);
  if (msg == MSG_GETDEFAULT) {
    FillImageLayout(m_capabilities.DefaultSettings(), 1, layout);
  } else if (m_session.State() == kTransferReady) {
    FillImageLayout(m_page.Settings(), m_session.ImageIndex() + 1, layout);
  } else {
    FillImageLayout(m_capabilities.Settings(), m_session.ImageIndex() + 1, layout);
  }
  return Success();
}

TripletResult HalvernOperator::TransferByMemory(TW_UINT16 /*msg*/, TW_MEMREF data) {
  if (m_capabilities.TransferMechanism() != TWSX_MEMORY) return Failure(TWCC_SEQERROR);
  TripletResult result = m_page.NextStrip(static_cast<TW_IMAGEMEMXFER*>(data), Memory());
  if (result.rc != TWRC_FAILURE) m_session.BeginTransfer();
  return result;
}

TripletResult HalvernOperator::TransferNatively(TW_UINT16 /*msg*/, TW_MEMREF data) {
  if (m_capabilities.TransferMechanism() != TWSX_NATIVE) return Failure(TWCC_SEQERROR);
  TripletResult result = m_page.WholePage(static_cast<TW_HANDLE*>(data), Memory());
  if (result.rc != TWRC_FAILURE) m_session.BeginTransfer();
  return result;
}
