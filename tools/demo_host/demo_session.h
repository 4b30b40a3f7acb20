// The application's TWAIN session, as a scanning application runs it: open the source, read
// its identity, negotiate, read the hardware, enable, wait for the transfer-ready event (or, the
// TWAIN 2 way, the source's notice), take every page, and close again (after the source's close
// request, the TWAIN 2 way).
#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "common/source_manager.h"
#include "demo_options.h"
#include "twaintrace/twain_types.h"

class DemoSession {
 public:
  DemoSession(SourceManager& manager, const DemoOptions& options, std::ostream& out,
              std::ostream& err);

  // Runs the session and brings the source back to closed, whatever happened on the way; true
  // when every call answered as expected.
  bool Run();

  int ExpectedFailures() const { return m_expectedFailures; }
  int Pages() const { return m_pages; }
  uint64_t ImageBytes() const { return m_imageBytes; }

 private:
  struct PageBytes {
    uint64_t bytes = 0;
    uint32_t checksum = 2166136261u;  // FNV-1a offset basis
    int strips = 0;
  };

  TW_UINT16 Call(TW_UINT32 dg, TW_UINT16 dat, TW_UINT16 msg, TW_MEMREF data);
  bool Check(TW_UINT16 rc, TW_UINT16 expected, const std::string& what);
  bool Fail(const std::string& message);

  bool OpenSource();
  bool ReadIdentity();
  bool ProbeCapabilities();
  bool ChooseScanSettings();
  bool ShowRefusals();
  bool ShowReset();
  bool ReadHardwareInfo();
  bool Enable();
  bool AwaitTransferReady();
  // Waits for the source's notice through the source manager, bounded; an earlier one counts.
  bool AwaitNotice(TW_UINT16 message);
  void TakeNotices();
  bool ReadBufferSize();
  bool TransferPages();
  bool TransferPage(TW_UINT16* pending);
  bool ReceiveByMemory(const TW_IMAGEINFO& info, PageBytes* page);
  bool ReceiveNatively(const TW_IMAGEINFO& info, PageBytes* page);
  bool EndTransfer(TW_UINT16* pending);
  bool Shutdown();

  bool GetCapability(TW_UINT16 cap, TW_UINT16 msg, TW_UINT32* value = nullptr,
                     TW_UINT16 expected = TWRC_SUCCESS);
  bool SetCapability(TW_UINT16 cap, TW_UINT16 itemType, TW_UINT32 value,
                     TW_UINT16 expected = TWRC_SUCCESS);
  bool ExpectStatus(TW_UINT16 conditionCode);

  SourceManager& m_manager;
  const DemoOptions& m_options;
  std::ostream& m_out;
  std::ostream& m_err;
  TW_IDENTITY m_source{};
  std::vector<TW_UINT16> m_unansweredNotices;  // accepted, not yet acted on
  int m_state = 3;
  TW_UINT32 m_bufferSize = 0;
  int m_expectedFailures = 0;
  int m_pages = 0;
  uint64_t m_imageBytes = 0;
};
