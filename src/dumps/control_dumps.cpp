// The control structures of the TWAIN protocol, one line per field: identities and versions,
// status, events, user interface, transfer set-ups, memory descriptors, custom data and the
// plain 32-bit item.
#include <cstdint>

#include "analyzer/append_line.h"
#include "analyzer/para_analyze.h"
#include "dumps/dump_conventions.h"
#include "names/field_names.h"
#include "names/triplet_names.h"
#include "twaintrace/twain_abi.h"

bool CParaAnalyze::TwIdentityAnalyze(TW_IDENTITY* pIdentity) {
  if (pIdentity == nullptr) return true;
  // The source manager's own open shows the caller's identity, so it says whose it is.
  if (m_MSG == MSG_OPENDSM) {
    Line("  pOrigin:TW_IDENTITY = {%s", kCrLf);
  } else {
    Line("  TW_IDENTITY = {%s", kCrLf);
  }
  Line("    Id              = [%ld]%s", static_cast<long>(IdentityIdValue(pIdentity->Id)), kCrLf);
  Line("    Version         =%s", kCrLf);
  TwVersionAnalyze(&pIdentity->Version);
  Line("    ProtocolMajor   = [%d]%s", pIdentity->ProtocolMajor, kCrLf);
  Line("    ProtocolMinor   = [%d]%s", pIdentity->ProtocolMinor, kCrLf);
  Line("    SupportedGroups = [%ld]%s", static_cast<long>(pIdentity->SupportedGroups), kCrLf);
  Line("    Manufacturer    = [%s]%s", FieldText(pIdentity->Manufacturer), kCrLf);
  Line("    ProductFamily   = [%s]%s", FieldText(pIdentity->ProductFamily), kCrLf);
  Line("    ProductName     = [%s]%s", FieldText(pIdentity->ProductName), kCrLf);
  Line("  }%s", kCrLf);
  return true;
}

bool CParaAnalyze::TwVersionAnalyze(TW_VERSION* pVersion) {
  if (pVersion == nullptr) return true;
  Line("    TW_VERSION = {%s", kCrLf);
  Line("      MajorNum = [%d]%s", pVersion->MajorNum, kCrLf);
  Line("      MinorNum = [%d]%s", pVersion->MinorNum, kCrLf);
  Line("      Language = [%s]%s", Name(twlg_index, pVersion->Language), kCrLf);
  Line("      Country  = [%s]%s", Name(twcy_index, pVersion->Country), kCrLf);
  Line("      Info     = [%s]%s", FieldText(pVersion->Info), kCrLf);
  Line("    }%s", kCrLf);
  return true;
}

bool CParaAnalyze::TwStatusAnalyze(TW_STATUS* pStatus) {
  if (pStatus == nullptr) return true;
  Line("  TW_STATUS = {%s", kCrLf);
  Line("    ConditionCode = [%s]%s", Name(twcc_index, twcc_supplement, pStatus->ConditionCode),
       kCrLf);
  Line("  }%s", kCrLf);
  return true;
}

bool CParaAnalyze::TwEventAnalyze(TW_EVENT* pEvent) {
  // An event that carries no message for the application is not worth a dump.
  if (pEvent == nullptr || pEvent->TWMessage == MSG_NULL) return true;
  TW_UINT16 message = pEvent->TWMessage;
  Line("  TW_EVENT = {%s", kCrLf);
  Line("    pEvent    = <0x%08x>%s", PointerLow32(pEvent->pEvent), kCrLf);
  Line("    TWMessage = [%s]%s", MessageName(message, m_szMacroName), kCrLf);
  Line("  }%s", kCrLf);
  return true;
}

bool CParaAnalyze::TwUserInterfaceAnalyze(TW_USERINTERFACE* pUserInterface) {
  if (pUserInterface == nullptr) return true;
  Line("  TW_USERINTERFACE = {%s", kCrLf);
  Line("    ShowUI  = [%s]%s", BoolText(pUserInterface->ShowUI), kCrLf);
  Line("    ModalUI = [%s]%s", BoolText(pUserInterface->ModalUI), kCrLf);
  Line("    hParent = <0x%08x>%s", PointerLow32(pUserInterface->hParent), kCrLf);
  Line("  }%s", kCrLf);
  return true;
}

bool CParaAnalyze::TwPendingXfersAnalyze(TW_PENDINGXFERS* pPendingXfers) {
  if (pPendingXfers == nullptr) return true;
  Line("  TW_PENDINGXFERS = {%s", kCrLf);
  // Signed, so that -1 (the count is not known) reads as such.
  Line("    Count = [%d]%s", static_cast<TW_INT16>(pPendingXfers->Count), kCrLf);
  Line("    EOJ   = [%ld]%s", static_cast<long>(pPendingXfers->EOJ), kCrLf);
  Line("  }%s", kCrLf);
  return true;
}

bool CParaAnalyze::TwSetupMemXferAnalyze(TW_SETUPMEMXFER* pSetupMemXfer) {
  if (pSetupMemXfer == nullptr) return true;
  Line("  TW_SETUPMEMXFER = {%s", kCrLf);
  Line("    MinBufSize = [%ld]%s", static_cast<long>(pSetupMemXfer->MinBufSize), kCrLf);
  Line("    MaxBufSize = [%ld]%s", static_cast<long>(pSetupMemXfer->MaxBufSize), kCrLf);
  Line("    Preferred  = [%ld]%s", static_cast<long>(pSetupMemXfer->Preferred), kCrLf);
  Line("  }%s", kCrLf);
  return true;
}

bool CParaAnalyze::TwSetupFileXferAnalyze(TW_SETUPFILEXFER* pSetupFileXfer) {
  if (pSetupFileXfer == nullptr) return true;
  Line("  TW_SETUPFILEXFER = {%s", kCrLf);
  Line("    FileName = [%s]%s", FieldText(pSetupFileXfer->FileName), kCrLf);
  Line("    Format   = [%s]%s", Name(twff_macros, twff_supplement, pSetupFileXfer->Format), kCrLf);
  Line("    VRefNum  = [%d]%s", pSetupFileXfer->VRefNum, kCrLf);
  Line("  }%s", kCrLf);
  return true;
}

bool CParaAnalyze::TwMemoryAnalyze(TW_MEMORY* pMemory) {
  if (pMemory == nullptr) return true;
  Line("    TW_MEMORY = {%s", kCrLf);
  Line("      Flags  = [0x%x]%s", pMemory->Flags, kCrLf);
  Line("      Length = [%ld]%s", static_cast<long>(pMemory->Length), kCrLf);
  Line("      TheMem = <0x%08x>%s", PointerLow32(pMemory->TheMem), kCrLf);
  Line("    }%s", kCrLf);
  return true;
}

bool CParaAnalyze::TwCustomDsDataAnalyze(TW_CUSTOMDSDATA* pCustomDsData) {
  if (pCustomDsData == nullptr) return true;
  Line("  TW_CUSTOMDSDATA = {%s", kCrLf);
  Line("    InfoLength = [%d]%s", static_cast<TW_INT32>(pCustomDsData->InfoLength), kCrLf);
  Line("    hData      = <0x%08x>%s", PointerLow32(pCustomDsData->hData), kCrLf);
  Line("  }%s", kCrLf);
  return true;
}

// One item that a data pointer leads to: the transfer group or the native image handle, read
// by the dispatch and given here as a pointer-sized value.
bool CParaAnalyze::TwUint32(void* pData) {
  Line("  TW_UINT32 = {%s", kCrLf);
  Line("    Item = <0x%08x>%s", PointerLow32(pData), kCrLf);
  Line("  }%s", kCrLf);
  return true;
}

// The TWUNK structures of the 16-bit thunker are not dumped.
bool CParaAnalyze::TwTwunkIdentityAnalyze() {
  return true;
}
bool CParaAnalyze::TwTwunkDsentryParamsAnalyze() {
  return true;
}
bool CParaAnalyze::TwTwunkDsentryReturnAnalyze() {
  return true;
}
