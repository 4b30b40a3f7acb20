#include "analyzer/para_analyze.h"

#include <cstdio>
#include <cstring>
#include <ctime>

#include "dumps/dump_conventions.h"
#include "dumps/dump_line.h"
#include "names/triplet_names.h"
#include "text/value_text.h"

CParaAnalyze g_cParaAnalyze;

namespace {

// Only an event triplet's data is a TW_EVENT; any other type's structure may be shorter than
// one, so it is never read as an event.
bool IsTransferReadyOrCloseRequest(TW_UINT16 DAT, const char* pData) {
  if (DAT != DAT_EVENT || pData == nullptr) return false;
  TW_UINT16 message = reinterpret_cast<const TW_EVENT*>(pData)->TWMessage;
  return message == MSG_XFERREADY || message == MSG_CLOSEDSREQ;
}

bool HasHeader(TW_UINT16 DAT, TW_UINT16 MSG) {
  return !((DAT == DAT_NULL && MSG == MSG_XFERREADY) || MSG == MSG_PROCESSEVENT);
}

bool HasResultLines(TW_UINT16 DAT, TW_UINT16 MSG, TW_UINT16 RC, const char* pData) {
  if (DAT == DAT_NULL && MSG == MSG_XFERREADY) return false;
  return MSG != MSG_PROCESSEVENT ||
         (RC == TWRC_DSEVENT && IsTransferReadyOrCloseRequest(DAT, pData));
}

// A call that moves the tracked state: one with result lines that did not fail.
bool MovesState(TW_UINT16 DAT, TW_UINT16 MSG, TW_UINT16 RC, const char* pData) {
  return RC != TWRC_FAILURE && HasResultLines(DAT, MSG, RC, pData);
}

}  // namespace

void CParaAnalyze::Init(const char* pszName) {
  if (pszName == nullptr) return;
  strncpy(m_szAppName, pszName, sizeof(m_szAppName) - 1);
  m_szAppName[sizeof(m_szAppName) - 1] = '\0';
}

void CParaAnalyze::SetOutText(char* pOutText, size_t nOutSize) {
  m_pOutText = pOutText;
  m_out.Begin(pOutText, nOutSize);
}

void CParaAnalyze::StoreTriplet(TW_IDENTITY* pOrigin, TW_IDENTITY* pDest, unsigned int DG,
                                unsigned short DAT, unsigned short MSG, char* pData) {
  m_pOrigin = pOrigin;
  m_pDest = pDest;
  m_DG = DG;
  m_DAT = DAT;
  m_MSG = MSG;
  m_pData = pData;
}

bool CParaAnalyze::TripletAnalyze(TW_IDENTITY* pOrigin, TW_IDENTITY* pDest, unsigned int DG,
                                  unsigned short DAT, unsigned short MSG, char* pData,
                                  char* pOutText) {
  return TripletAnalyze(pOrigin, pDest, DG, DAT, MSG, pData, pOutText, kDefaultOutTextSize);
}

bool CParaAnalyze::TripletAnalyze(TW_IDENTITY* pOrigin, TW_IDENTITY* pDest, unsigned int DG,
                                  unsigned short DAT, unsigned short MSG, char* pData,
                                  char* pOutText, size_t nOutSize) {
  StoreTriplet(pOrigin, pDest, DG, DAT, MSG, pData);
  SetOutText(pOutText, nOutSize);
  return CreateStringOfTriplet();
}

bool CParaAnalyze::CreateStringOfTriplet() {
  if (!HasHeader(m_DAT, m_MSG)) return false;

  ++m_nSequence;
  long sequence = static_cast<long>(m_nSequence);

  // Each name is the table's own text; only an unnamed value is written into its buffer.
  char group[kMacroNameSize];
  char argumentType[kMacroNameSize];
  char message[kMacroNameSize];
  NameText groupName = DataGroupName(m_DG, group);
  NameText argumentTypeName = ArgumentTypeName(m_DAT, argumentType);
  NameText messageName = MessageName(m_MSG, message);

  if (m_DAT == DAT_CAPABILITY) {
    // A capability triplet without data names no capability.
    char capability[kMacroNameSize];
    const auto* pCap = reinterpret_cast<const TW_CAPABILITY*>(m_pData);
    NameText capabilityName =
        pCap != nullptr ? CapabilityNameOf(pCap->Cap, capability) : NameText{"", 0};
    TW_LINE_TO(m_out, "[%05ld] [%s] %s/%s/%s (%s)%s", sequence, m_szAppName, groupName,
               argumentTypeName, messageName, capabilityName, kCrLf);
  } else {
    TW_LINE_TO(m_out, "[%05ld] [%s] %s/%s/%s%s", sequence, m_szAppName, groupName, argumentTypeName,
               messageName, kCrLf);
  }
  return true;
}

namespace {

// Copies `text` and its NUL when they fit `size` bytes.
bool CopyIfFits(const char* text, char* out, size_t size) {
  size_t length = strlen(text);
  if (length + 1 > size) return false;
  memcpy(out, text, length + 1);
  return true;
}

// The exported form's steps: the general table's text, which must fit, and only then the image
// table's, or the supplement's where the image table names nothing either.
template <typename General, typename Image>
bool CapabilityNameInto(const General& general, const Image& image,
                        const NameSupplement& supplement, TW_UINT16 cap, char* scratch,
                        char* pszOut, size_t nOutSize) {
  if (!CopyIfFits(LookupName(general, cap, scratch), pszOut, nOutSize)) return false;
  if (FindName(general, cap) != nullptr) return true;
  return CopyIfFits(LookupName(image, supplement, cap, scratch), pszOut, nOutSize);
}

}  // namespace

bool CParaAnalyze::GetStringOfCapability(TW_CAPABILITY* pCap, char* pszOut, unsigned int nOutSize) {
  if (pCap == nullptr) return true;
  TW_UINT16 cap = pCap->Cap;
  if (kVendorExtensions && IsVendorId(cap)) {
    return CapabilityNameInto(cap_vx_macros, icap_vx_macros, NameSupplement{}, cap, m_szMacroName,
                              pszOut, nOutSize);
  }
  return CapabilityNameInto(cap_macros, icap_macros, cap_supplement, cap, m_szMacroName, pszOut,
                            nOutSize);
}

bool CParaAnalyze::ParaAnalyze(TW_IDENTITY* pOrigin, TW_IDENTITY* pDest, unsigned int DG,
                               unsigned short DAT, unsigned short MSG, char* pData,
                               unsigned short RC, char* pOutText) {
  return ParaAnalyze(pOrigin, pDest, DG, DAT, MSG, pData, RC, pOutText, kDefaultOutTextSize);
}

bool CParaAnalyze::ParaAnalyze(TW_IDENTITY* pOrigin, TW_IDENTITY* pDest, unsigned int DG,
                               unsigned short DAT, unsigned short MSG, char* pData,
                               unsigned short RC, char* pOutText, size_t nOutSize) {
  StoreTriplet(pOrigin, pDest, DG, DAT, MSG, pData);
  m_RC = RC;
  SetOutText(pOutText, nOutSize);

  bool resultLines = ResultMake();
  if (m_DAT == DAT_EVENT && !resultLines) return true;

  // A type without a dump appends nothing.
  DumpDataArgument(m_DAT, kVendorExtensions);
  if (!MovesState(m_DAT, m_MSG, m_RC, m_pData)) return true;

  UpDateTwainStatus(m_DG, m_DAT, m_MSG, m_pData);
  AppendTwainStatusLine();
  return true;
}

void CParaAnalyze::TrackCall(TW_IDENTITY* pOrigin, unsigned int DG, unsigned short DAT,
                             unsigned short MSG, char* pData, unsigned short RC) {
  StoreTriplet(pOrigin, nullptr, DG, DAT, MSG, pData);
  m_RC = RC;
  if (HasHeader(DAT, MSG)) ++m_nSequence;
  if (MovesState(DAT, MSG, RC, pData)) UpDateTwainStatus(DG, DAT, MSG, pData);
}

bool CParaAnalyze::ResultMake() {
  if (!HasResultLines(m_DAT, m_MSG, m_RC, m_pData)) return false;
  TW_LINE_TO(m_out, "        Return Code = [%s]%s", Name(twrc_macros, twrc_supplement, m_RC),
             kCrLf);
  TW_LINE_TO(m_out, "pData   = <0x%08x>%s",
             static_cast<unsigned>(reinterpret_cast<uintptr_t>(m_pData)), kCrLf);
  return true;
}

bool CParaAnalyze::HeaderMake(char* pszOut) {
  static constexpr char kRule[] = "////////////////////////////////////////////////";
  char now[80] = {};
  time_t seconds = time(nullptr);
  struct tm local {};
  localtime_r(&seconds, &local);
  asctime_r(&local, now);
  size_t length = strlen(now);
  if (length > 0) now[length - 1] = '\0';

  // Appended to the caller's text, in the room every caller of the analysis gives its text.
  OutText out;
  out.Begin(pszOut, kDefaultOutTextSize);
  TW_APPEND(out, "%s%s", kRule, kCrLf);
  TW_APPEND(out, "           Trivane Ver1.10%s", kCrLf);
  TW_APPEND(out, "%s%s", kRule, kCrLf);
  TW_APPEND(out, "  << Current time = %s >>%s", now, kCrLf);
  return true;
}
