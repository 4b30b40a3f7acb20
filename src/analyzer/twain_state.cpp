#include "analyzer/para_analyze.h"
#include "dumps/dump_line.h"

namespace {

bool IsImageTransfer(unsigned short DAT) {
  return DAT == DAT_IMAGEMEMXFER || DAT == DAT_IMAGENATIVEXFER || DAT == DAT_IMAGEFILEXFER;
}

// Triplets that TWAIN allows only once a transfer is ready (states 6 and 7).
// An end of transfer without its data moves nothing, as its own rule.
bool NeedsTransferReady(unsigned short DAT, unsigned short MSG, const char* pData) {
  if (MSG == MSG_ENDXFER) return DAT == DAT_PENDINGXFERS && pData != nullptr;
  return MSG == MSG_GET &&
         (IsImageTransfer(DAT) || DAT == DAT_IMAGEINFO || DAT == DAT_EXTIMAGEINFO);
}

// The state a successful triplet leads to from `state`; the state itself when no rule fires.
int NextState(int state, unsigned short DAT, unsigned short MSG, const char* pData) {
  // A TWAIN 2 source signals a ready transfer through the source manager's callback, which
  // never passes the entry point: a transfer triplet that succeeded in state 5 proves it.
  if (state == 5 && NeedsTransferReady(DAT, MSG, pData)) state = 6;
  auto from = [state](int expected, int to) { return state == expected ? to : state; };
  switch (MSG) {
    case MSG_OPENDSM:
      return from(2, 3);
    case MSG_CLOSEDSM:
      return from(3, 2);
    case MSG_OPENDS:
      return from(3, 4);
    case MSG_CLOSEDS:
      return from(4, 3);
    case MSG_ENABLEDS:
      return from(4, 5);
    case MSG_DISABLEDS:
      return DAT == DAT_USERINTERFACE ? from(5, 4) : state;
    case MSG_PROCESSEVENT:
      if (DAT == DAT_EVENT) {
        if (pData == nullptr) return state;
        TW_UINT16 message = reinterpret_cast<const TW_EVENT*>(pData)->TWMessage;
        if (message == MSG_XFERREADY) return from(5, 6);
        if (message == MSG_CLOSEDSREQ) return from(5, 4);
        return state;
      }
      return IsImageTransfer(DAT) ? from(6, 7) : state;
    case MSG_GET:
      return IsImageTransfer(DAT) ? from(6, 7) : state;
    case MSG_ENDXFER:
      if (DAT != DAT_PENDINGXFERS || pData == nullptr || state < 6) return state;
      return reinterpret_cast<const TW_PENDINGXFERS*>(pData)->Count == 0 ? 5 : 6;
    case MSG_RESET:
      return DAT == DAT_PENDINGXFERS ? from(6, 5) : state;
    default:
      return state;
  }
}

}  // namespace

int CParaAnalyze::UpDateTwainStatus(unsigned int /*DG*/, unsigned short DAT, unsigned short MSG,
                                    char* pData) {
  m_nTwainStatus = NextState(m_nTwainStatus, DAT, MSG, pData);
  return m_nTwainStatus;
}

int CParaAnalyze::SetTwainStatus(int nStatus) {
  m_nTwainStatus = nStatus;
  return m_nTwainStatus;
}

void CParaAnalyze::InitTwainStatus() {
  m_nTwainStatus = 1;
}

int CParaAnalyze::GetTwainStatus() {
  return m_nTwainStatus;
}

// The line that ends a call's parameter text once the state has moved.
#define TW_STATE_LINE_FORMAT "%sTWAIN Status = [%d]%s"

bool CParaAnalyze::MakeTwainStatusString(char* pszOut) {
  TW_FORMAT(pszOut, 256, TW_STATE_LINE_FORMAT, kCrLf, m_nTwainStatus, kCrLf);
  return true;
}

void CParaAnalyze::AppendTwainStatusLine() {
  TW_LINE_TO(m_out, TW_STATE_LINE_FORMAT, kCrLf, m_nTwainStatus, kCrLf);
}
