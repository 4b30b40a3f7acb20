// Routes the triplet's data to the formatter its data argument type's row names.
#include <cstddef>
#include <iterator>

#include "analyzer/para_analyze.h"
#include "dumps/dumped_types.h"
#include "dumps/structure_dumps.h"
#include "names/vendor_extensions.h"

namespace {

using DataDump = void (*)(const DumpContext& context, const char* data);

// The triplet's data as the row's structure, for the row's formatter.
template <typename Structure, void (*Formatter)(const DumpContext&, const Structure*)>
void DumpAs(const DumpContext& context, const char* data) {
  Formatter(context, static_cast<const Structure*>(static_cast<const void*>(data)));
}

struct DumpedType {
  TW_UINT16 DAT;
  DataDump dump;
};

#define TW_DUMPED_TYPE(DG, DAT, MSG, Structure, Formatter) \
  DumpedType{DAT, &DumpAs<Structure, Formatter>},
constexpr DumpedType kStandardTypes[] = {TW_DUMPED_STANDARD_TYPES(TW_DUMPED_TYPE)};
// Another source's structures in the vendor's range are unknown: only the vendor's build reads
// these.
constexpr DumpedType kVendorTypes[] = {TW_DUMPED_VENDOR_TYPES(TW_DUMPED_TYPE)};
#undef TW_DUMPED_TYPE

#define TW_TYPE(DG, DAT, MSG, Structure, Formatter) DAT,
constexpr TW_UINT16 kEveryType[] = {TW_DUMPED_TYPES(TW_TYPE)};
#undef TW_TYPE

constexpr bool EachTypeOnce() {
  for (size_t i = 0; i < std::size(kEveryType); ++i) {
    for (size_t j = i + 1; j < std::size(kEveryType); ++j) {
      if (kEveryType[i] == kEveryType[j]) return false;
    }
  }
  return true;
}
static_assert(EachTypeOnce(), "a data argument type has two rows");

template <size_t N>
DataDump Find(const DumpedType (&types)[N], TW_UINT16 DAT) {
  for (const DumpedType& type : types) {
    if (type.DAT == DAT) return type.dump;
  }
  return nullptr;
}

}  // namespace

void CParaAnalyze::DumpDataArgument(TW_UINT16 DAT, bool vendorTypes) {
  DataDump dump = Find(kStandardTypes, DAT);
  if (dump == nullptr && vendorTypes) dump = Find(kVendorTypes, DAT);
  if (dump != nullptr) dump(Context(), m_pData);
}

#define TW_DEFINE_DAT_OPERATION(Operation, DAT) \
  bool CParaAnalyze::Operation() {              \
    DumpDataArgument(DAT, true);                \
    return true;                                \
  }
TW_PUBLISHED_DAT_OPERATIONS(TW_DEFINE_DAT_OPERATION)
#undef TW_DEFINE_DAT_OPERATION
