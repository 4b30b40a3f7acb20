// The control structures of the TWAIN protocol, one line per field: identities and versions,
// status, events, user interface, transfer set-ups, memory descriptors, custom data and the
// plain 32-bit item.
#include <cstdint>
#include <cstring>

#include "dumps/dump_conventions.h"
#include "dumps/dump_fields.h"
#include "dumps/structure_dumps.h"
#include "names/field_names.h"
#include "names/triplet_names.h"
#include "twaintrace/twain_abi.h"

namespace {

template <typename Id>
long IdNumber(Id id) {
  return static_cast<long>(IdentityIdValue(id));
}

// Signed, so that -1 (the count is not known) reads as such.
int SignedCount(TW_UINT16 count) {
  return static_cast<TW_INT16>(count);
}

int SignedLength(TW_UINT32 length) {
  return static_cast<TW_INT32>(length);
}

// The value of type `Item` that the data pointer leads to, as a pointer-sized number; 0 when
// there is no data. Copied out, since the application's variable need not be aligned.
template <typename Item>
const void* PointedItem(const void* data) {
  if (data == nullptr) return nullptr;
  Item item;
  memcpy(&item, data, sizeof(item));
  return reinterpret_cast<const void*>(static_cast<uintptr_t>(item));
}

}  // namespace

void DumpIdentity(const DumpContext& context, const TW_IDENTITY* pIdentity) {
  if (pIdentity == nullptr) return;
  // The source manager's own open shows the caller's identity, so it says whose it is.
  if (context.MSG == MSG_OPENDSM) {
    TW_LINE("  pOrigin:TW_IDENTITY = {%s", kCrLf);
  } else {
    TW_LINE("  TW_IDENTITY = {%s", kCrLf);
  }
  TW_FIELDS(4, 15);
  TW_FIELD_AS(pIdentity, Id, "%ld", IdNumber);
  TW_FIELD_STRUCT(pIdentity, Version, DumpVersion);
  TW_FIELD(pIdentity, ProtocolMajor, "%d");
  TW_FIELD(pIdentity, ProtocolMinor, "%d");
  TW_FIELD_U32(pIdentity, SupportedGroups);
  TW_FIELD_TEXT(pIdentity, Manufacturer);
  TW_FIELD_TEXT(pIdentity, ProductFamily);
  TW_FIELD_TEXT(pIdentity, ProductName);
  TW_LINE("  }%s", kCrLf);
}

void DumpVersion(const DumpContext& context, const TW_VERSION* pVersion) {
  if (pVersion == nullptr) return;
  TW_LINE("    TW_VERSION = {%s", kCrLf);
  TW_FIELDS(6, 8);
  TW_FIELD(pVersion, MajorNum, "%d");
  TW_FIELD(pVersion, MinorNum, "%d");
  TW_FIELD_NAME(pVersion, Language, twlg_index);
  TW_FIELD_NAME(pVersion, Country, twcy_index);
  TW_FIELD_TEXT(pVersion, Info);
  TW_LINE("    }%s", kCrLf);
}

void DumpStatus(const DumpContext& context, const TW_STATUS* pStatus) {
  if (pStatus == nullptr) return;
  TW_LINE("  TW_STATUS = {%s", kCrLf);
  TW_FIELDS(4, 13);
  TW_FIELD_NAME(pStatus, ConditionCode, twcc_index, twcc_supplement);
  TW_LINE("  }%s", kCrLf);
}

void DumpEvent(const DumpContext& context, const TW_EVENT* pEvent) {
  // An event that carries no message for the application is not worth a dump.
  if (pEvent == nullptr || pEvent->TWMessage == MSG_NULL) return;
  TW_LINE("  TW_EVENT = {%s", kCrLf);
  TW_FIELDS(4, 9);
  TW_FIELD_POINTER(pEvent, pEvent);
  TW_FIELD_AS(pEvent, TWMessage, "%s", NamedBy<MessageName>);
  TW_LINE("  }%s", kCrLf);
}

void DumpUserInterface(const DumpContext& context, const TW_USERINTERFACE* pUserInterface) {
  if (pUserInterface == nullptr) return;
  TW_LINE("  TW_USERINTERFACE = {%s", kCrLf);
  TW_FIELDS(4, 7);
  TW_FIELD_BOOL(pUserInterface, ShowUI);
  TW_FIELD_BOOL(pUserInterface, ModalUI);
  TW_FIELD_POINTER(pUserInterface, hParent);
  TW_LINE("  }%s", kCrLf);
}

void DumpPendingXfers(const DumpContext& context, const TW_PENDINGXFERS* pPendingXfers) {
  if (pPendingXfers == nullptr) return;
  TW_LINE("  TW_PENDINGXFERS = {%s", kCrLf);
  TW_FIELDS(4, 5);
  TW_FIELD_AS(pPendingXfers, Count, "%d", SignedCount);
  TW_FIELD_U32(pPendingXfers, EOJ);
  TW_LINE("  }%s", kCrLf);
}

void DumpSetupMemXfer(const DumpContext& context, const TW_SETUPMEMXFER* pSetupMemXfer) {
  if (pSetupMemXfer == nullptr) return;
  TW_LINE("  TW_SETUPMEMXFER = {%s", kCrLf);
  TW_FIELDS(4, 10);
  TW_FIELD_U32(pSetupMemXfer, MinBufSize);
  TW_FIELD_U32(pSetupMemXfer, MaxBufSize);
  TW_FIELD_U32(pSetupMemXfer, Preferred);
  TW_LINE("  }%s", kCrLf);
}

void DumpSetupFileXfer(const DumpContext& context, const TW_SETUPFILEXFER* pSetupFileXfer) {
  if (pSetupFileXfer == nullptr) return;
  TW_LINE("  TW_SETUPFILEXFER = {%s", kCrLf);
  TW_FIELDS(4, 8);
  TW_FIELD_TEXT(pSetupFileXfer, FileName);
  TW_FIELD_NAME(pSetupFileXfer, Format, twff_macros, twff_supplement);
  TW_FIELD(pSetupFileXfer, VRefNum, "%d");
  TW_LINE("  }%s", kCrLf);
}

void DumpMemory(const DumpContext& context, const TW_MEMORY* pMemory) {
  if (pMemory == nullptr) return;
  TW_LINE("    TW_MEMORY = {%s", kCrLf);
  TW_FIELDS(6, 6);
  TW_FIELD(pMemory, Flags, "0x%x");
  TW_FIELD_U32(pMemory, Length);
  TW_FIELD_POINTER(pMemory, TheMem);
  TW_LINE("    }%s", kCrLf);
}

void DumpCustomDsData(const DumpContext& context, const TW_CUSTOMDSDATA* pCustomDsData) {
  if (pCustomDsData == nullptr) return;
  TW_LINE("  TW_CUSTOMDSDATA = {%s", kCrLf);
  TW_FIELDS(4, 10);
  TW_FIELD_AS(pCustomDsData, InfoLength, "%d", SignedLength);
  TW_FIELD_POINTER(pCustomDsData, hData);
  TW_LINE("  }%s", kCrLf);
}

void DumpUint32Item(const DumpContext& context, const void* item) {
  TW_LINE("  TW_UINT32 = {%s", kCrLf);
  TW_LINE("    Item = <0x%08x>%s", PointerLow32(item), kCrLf);
  TW_LINE("  }%s", kCrLf);
}

// The group itself, not the address of the application's variable.
void DumpTransferGroup(const DumpContext& context, const TW_UINT32* group) {
  DumpUint32Item(context, PointedItem<TW_UINT32>(group));
}

// The handle the source returned, not the address of the application's variable.
void DumpNativeTransfer(const DumpContext& context, const TW_HANDLE* handle) {
  DumpUint32Item(context, PointedItem<TW_UINTPTR>(handle));
}

// Opening the source manager carries the application's window, not an identity; the identity
// worth showing is the caller's own.
void DumpParent(const DumpContext& context, const void*) {
  if (context.MSG == MSG_OPENDSM) DumpIdentity(context, context.origin);
}

// The calls whose data is nothing worth showing, or, as the TWUNK structures of the 16-bit
// thunker, not dumped.
void DumpNothing(const DumpContext&, const void*) {}
