#include "twain_session.h"

void TwainSession::Enable(TW_UINT32 images) {
  m_state = kEnabled;
  m_pending = images;
  m_imageIndex = 0;
  m_announced = false;
}

bool TwainSession::RaiseTransferReady() {
  if (m_state != kEnabled || m_pending == 0 || m_announced) return false;
  m_announced = true;
  m_state = kTransferReady;
  return true;
}

TW_UINT32 TwainSession::EndTransfer() {
  --m_pending;
  ++m_imageIndex;
  m_state = m_pending > 0 ? kTransferReady : kEnabled;
  return m_pending;
}

void TwainSession::ResetTransfers() {
  m_pending = 0;
  m_state = kEnabled;
}
