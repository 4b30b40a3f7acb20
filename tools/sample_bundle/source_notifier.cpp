#include "source_notifier.h"

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <string>
#include <system_error>

namespace {

// A thread of the source's own sends its notice a little after the call that caused it returned,
// as a scanner finishing in the background does.
constexpr std::chrono::milliseconds kBackgroundDelay(5);

SourceNotifier::Mode ModeFromEnvironment() {
  const char* value = getenv("HALVERN_NOTIFY");
  if (value == nullptr) return SourceNotifier::Mode::kEventLoop;
  if (strcmp(value, "callback") == 0) return SourceNotifier::Mode::kCallback;
  if (strcmp(value, "callback-thread") == 0) return SourceNotifier::Mode::kCallbackThread;
  return SourceNotifier::Mode::kEventLoop;
}

bool Listed(const char* list, const char* name) {
  if (list == nullptr) return false;
  std::string items = std::string(",") + list + ",";
  return items.find(std::string(",") + name + ",") != std::string::npos;
}

}  // namespace

SourceNotifier::SourceNotifier() : m_mode(ModeFromEnvironment()) {
  const char* withheld = getenv("HALVERN_WITHHOLD");
  m_withholdTransferReady = Listed(withheld, "xferready");
  m_withholdCloseRequest = Listed(withheld, "closedsreq");
}

SourceNotifier::~SourceNotifier() {
  if (m_sender.joinable()) m_sender.join();
}

void SourceNotifier::Opened(const TW_IDENTITY* application, const TW_IDENTITY& source) {
  m_application = application != nullptr ? *application : TW_IDENTITY{};
  m_source = source;
  m_open = true;
}

void SourceNotifier::Closed() {
  if (m_sender.joinable()) m_sender.join();
  m_open = false;
}

bool SourceNotifier::Withholds(TW_UINT16 msg) const {
  return (msg == MSG_XFERREADY && m_withholdTransferReady) ||
         (msg == MSG_CLOSEDSREQ && m_withholdCloseRequest);
}

TW_UINT16 SourceNotifier::CallManager(TW_UINT16 msg) {
  return m_managerEntry(&m_source, &m_application, DG_CONTROL, DAT_NULL, msg, nullptr);
}

bool SourceNotifier::Send(TW_UINT16 msg) {
  if (m_managerEntry == nullptr || !m_open) return false;
  if (Withholds(msg)) return true;
  if (m_mode != Mode::kCallbackThread) return CallManager(msg) == TWRC_SUCCESS;
  // One notice on its way at a time; the identities it reads stay put until it is sent.
  if (m_sender.joinable()) m_sender.join();
  try {
    m_sender = std::thread([this, msg] {
      std::this_thread::sleep_for(kBackgroundDelay);
      CallManager(msg);
    });
  } catch (const std::system_error&) {
    return false;
  }
  return true;
}
