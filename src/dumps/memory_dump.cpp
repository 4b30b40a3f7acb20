#include "analyzer/para_analyze.h"
#include "dumps/dump_conventions.h"

bool CParaAnalyze::TwMemoryAnalyze(TW_MEMORY* pMemory) {
  if (pMemory == nullptr) return true;
  Line("    TW_MEMORY = {%s", kCrLf);
  Line("      Flags  = [0x%x]%s", pMemory->Flags, kCrLf);
  Line("      Length = [%ld]%s", Unsigned32(pMemory->Length), kCrLf);
  Line("      TheMem = <0x%08x>%s", PointerLow32(pMemory->TheMem), kCrLf);
  Line("    }%s", kCrLf);
  return true;
}
