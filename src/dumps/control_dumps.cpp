// The control structures of the TWAIN protocol, one line per field: identities and versions,
// status, events, user interface, transfer set-ups, memory descriptors, custom data and the
// plain 32-bit item.
#include <cstdint>

#include "analyzer/line_format.h"
#include "analyzer/para_analyze.h"
#include "dumps/dump_conventions.h"
#include "names/field_names.h"
#include "names/triplet_names.h"
#include "twaintrace/twain_abi.h"

bool CParaAnalyze::TwIdentityAnalyze(TW_IDENTITY* pIdentity) {
  if (pIdentity == nullptr) return true;
  // The source manager's own open shows the caller's identity, so it says whose it is.
  if (m_MSG == MSG_OPENDSM) {
    TW_LINE("  pOrigin:TW_IDENTITY = {%s", kCrLf);
  } else {
    TW_LINE("  TW_IDENTITY = {%s", kCrLf);
  }
  TW_LINE("    Id              = [%ld]%s", static_cast<long>(IdentityIdValue(pIdentity->Id)),
          kCrLf);
  TW_LINE("    Version         =%s", kCrLf);
  TwVersionAnalyze(&pIdentity->Version);
  TW_LINE("    ProtocolMajor   = [%d]%s", pIdentity->ProtocolMajor, kCrLf);
  TW_LINE("    ProtocolMinor   = [%d]%s", pIdentity->ProtocolMinor, kCrLf);
  TW_LINE("    SupportedGroups = [%ld]%s", static_cast<long>(pIdentity->SupportedGroups), kCrLf);
  TW_LINE("    Manufacturer    = [%s]%s", FieldText(pIdentity->Manufacturer), kCrLf);
  TW_LINE("    ProductFamily   = [%s]%s", FieldText(pIdentity->ProductFamily), kCrLf);
  TW_LINE("    ProductName     = [%s]%s", FieldText(pIdentity->ProductName), kCrLf);
  TW_LINE("  }%s", kCrLf);
  return true;
}

bool CParaAnalyze::TwVersionAnalyze(TW_VERSION* pVersion) {
  if (pVersion == nullptr) return true;
  TW_LINE("    TW_VERSION = {%s", kCrLf);
  TW_LINE("      MajorNum = [%d]%s", pVersion->MajorNum, kCrLf);
  TW_LINE("      MinorNum = [%d]%s", pVersion->MinorNum, kCrLf);
  TW_LINE("      Language = [%s]%s", Name(twlg_index, pVersion->Language), kCrLf);
  TW_LINE("      Country  = [%s]%s", Name(twcy_index, pVersion->Country), kCrLf);
  TW_LINE("      Info     = [%s]%s", FieldText(pVersion->Info), kCrLf);
  TW_LINE("    }%s", kCrLf);
  return true;
}

bool CParaAnalyze::TwStatusAnalyze(TW_STATUS* pStatus) {
  if (pStatus == nullptr) return true;
  TW_LINE("  TW_STATUS = {%s", kCrLf);
  TW_LINE("    ConditionCode = [%s]%s", Name(twcc_index, twcc_supplement, pStatus->ConditionCode),
          kCrLf);
  TW_LINE("  }%s", kCrLf);
  return true;
}

bool CParaAnalyze::TwEventAnalyze(TW_EVENT* pEvent) {
  // An event that carries no message for the application is not worth a dump.
  if (pEvent == nullptr || pEvent->TWMessage == MSG_NULL) return true;
  TW_UINT16 message = pEvent->TWMessage;
  TW_LINE("  TW_EVENT = {%s", kCrLf);
  TW_LINE("    pEvent    = <0x%08x>%s", PointerLow32(pEvent->pEvent), kCrLf);
  TW_LINE("    TWMessage = [%s]%s", MessageName(message, m_szMacroName), kCrLf);
  TW_LINE("  }%s", kCrLf);
  return true;
}

bool CParaAnalyze::TwUserInterfaceAnalyze(TW_USERINTERFACE* pUserInterface) {
  if (pUserInterface == nullptr) return true;
  TW_LINE("  TW_USERINTERFACE = {%s", kCrLf);
  TW_LINE("    ShowUI  = [%s]%s", BoolText(pUserInterface->ShowUI), kCrLf);
  TW_LINE("    ModalUI = [%s]%s", BoolText(pUserInterface->ModalUI), kCrLf);
  TW_LINE("    hParent = <0x%08x>%s", PointerLow32(pUserInterface->hParent), kCrLf);
  TW_LINE("  }%s", kCrLf);
  return true;
}

bool CParaAnalyze::TwPendingXfersAnalyze(TW_PENDINGXFERS* pPendingXfers) {
  if (pPendingXfers == nullptr) return true;
  TW_LINE("  TW_PENDINGXFERS = {%s", kCrLf);
  // Signed, so that -1 (the count is not known) reads as such.
  TW_LINE("    Count = [%d]%s", static_cast<TW_INT16>(pPendingXfers->Count), kCrLf);
  TW_LINE("    EOJ   = [%ld]%s", static_cast<long>(pPendingXfers->EOJ), kCrLf);
  TW_LINE("  }%s", kCrLf);
  return true;
}

bool CParaAnalyze::TwSetupMemXferAnalyze(TW_SETUPMEMXFER* pSetupMemXfer) {
  if (pSetupMemXfer == nullptr) return true;
  TW_LINE("  TW_SETUPMEMXFER = {%s", kCrLf);
  TW_LINE("    MinBufSize = [%ld]%s", static_cast<long>(pSetupMemXfer->MinBufSize), kCrLf);
  TW_LINE("    MaxBufSize = [%ld]%s", static_cast<long>(pSetupMemXfer->MaxBufSize), kCrLf);
  TW_LINE("    Preferred  = [%ld]%s", static_cast<long>(pSetupMemXfer->Preferred), kCrLf);
  TW_LINE("  }%s", kCrLf);
  return true;
}

bool CParaAnalyze::TwSetupFileXferAnalyze(TW_SETUPFILEXFER* pSetupFileXfer) {
  if (pSetupFileXfer == nullptr) return true;
  TW_LINE("  TW_SETUPFILEXFER = {%s", kCrLf);
  TW_LINE("    FileName = [%s]%s", FieldText(pSetupFileXfer->FileName), kCrLf);
  TW_LINE("    Format   = [%s]%s", Name(twff_macros, twff_supplement, pSetupFileXfer->Format),
          kCrLf);
  TW_LINE("    VRefNum  = [%d]%s", pSetupFileXfer->VRefNum, kCrLf);
  TW_LINE("  }%s", kCrLf);
  return true;
}

bool CParaAnalyze::TwMemoryAnalyze(TW_MEMORY* pMemory) {
  if (pMemory == nullptr) return true;
  TW_LINE("    TW_MEMORY = {%s", kCrLf);
  TW_LINE("      Flags  = [0x%x]%s", pMemory->Flags, kCrLf);
  TW_LINE("      Length = [%ld]%s", static_cast<long>(pMemory->Length), kCrLf);
  TW_LINE("      TheMem = <0x%08x>%s", PointerLow32(pMemory->TheMem), kCrLf);
  TW_LINE("    }%s", kCrLf);
  return true;
}

bool CParaAnalyze::TwCustomDsDataAnalyze(TW_CUSTOMDSDATA* pCustomDsData) {
  if (pCustomDsData == nullptr) return true;
  TW_LINE("  TW_CUSTOMDSDATA = {%s", kCrLf);
  TW_LINE("    InfoLength = [%d]%s", static_cast<TW_INT32>(pCustomDsData->InfoLength), kCrLf);
  TW_LINE("    hData      = <0x%08x>%s", PointerLow32(pCustomDsData->hData), kCrLf);
  TW_LINE("  }%s", kCrLf);
  return true;
}

// One item that a data pointer leads to: the transfer group or the native image handle, read
// by the dispatch and given here as a pointer-sized value.
bool CParaAnalyze::TwUint32(void* pData) {
  TW_LINE("  TW_UINT32 = {%s", kCrLf);
  TW_LINE("    Item = <0x%08x>%s", PointerLow32(pData), kCrLf);
  TW_LINE("  }%s", kCrLf);
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
