#include "scanner_model.h"

#include <cstdio>

void FillSourceIdentity(TW_IDENTITY* identity) {
  identity->Version.MajorNum = scanner_model::kVersion >> 8;
  identity->Version.MinorNum = scanner_model::kVersion & 0xFF;
  identity->Version.Language = TWLG_ENGLISH_USA;
  identity->Version.Country = TWCY_USA;
  snprintf(identity->Version.Info, sizeof(identity->Version.Info), "%d.%d sample bundle",
           identity->Version.MajorNum, identity->Version.MinorNum);
  identity->ProtocolMajor = TWON_PROTOCOLMAJOR;
  identity->ProtocolMinor = TWON_PROTOCOLMINOR;
  identity->SupportedGroups = DG_CONTROL | DG_IMAGE;
  snprintf(identity->Manufacturer, sizeof(identity->Manufacturer), "VELIX");
  snprintf(identity->ProductFamily, sizeof(identity->ProductFamily), "Tandra");
  snprintf(identity->ProductName, sizeof(identity->ProductName), "Halvern Virtual Scanner");
}
