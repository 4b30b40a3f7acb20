// The adapter's triplet operator: hands every triplet, unchanged, to the DS_Entry of another
// data source and returns that source's answer unchanged. The data source is loaded at the first
// triplet and unloaded at Release.
#pragma once

#include <string>
#include <utility>

#include "twaintrace/triplet_operator.h"

class AdapterOperator final : public TripletOperator {
 public:
  // `targetFile` names the data source; it is read at the first triplet.
  explicit AdapterOperator(std::string targetFile) : m_targetFile(std::move(targetFile)) {}

  void Reserved1() override {}
  void Reserved2() override {}
  TW_UINT16 ProcessTriplet(TW_IDENTITY* pOrigin, TW_UINT32 DG, TW_UINT16 DAT, TW_UINT16 MSG,
                           TW_MEMREF pData) override;
  void Reserved4() override {}
  void Release() override;

 private:
  using Entry = TW_UINT16 (*)(TW_IDENTITY*, TW_UINT32, TW_UINT16, TW_UINT16, TW_MEMREF);

  void LoadTarget();
  void Unload();
  TW_UINT16 AnswerWithoutTarget(TW_UINT32 DG, TW_UINT16 DAT, TW_UINT16 MSG, TW_MEMREF pData);

  std::string m_targetFile;
  bool m_tried = false;
  void* m_library = nullptr;
  Entry m_entry = nullptr;
};
