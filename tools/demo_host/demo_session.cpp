#include "demo_session.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <vector>

#include "capability_client.h"
#include "common/host_memory.h"
#include "common/twain_values.h"
#include "names/triplet_names.h"
#include "twaintrace/twain_vendor.h"

namespace {

// The source raises its event within a few polls of the event loop; beyond this it is stuck.
constexpr int kMostEventPolls = 100;
constexpr double kRefusedResolution = 1234;
// The Id the source manager gives the source it opens, which the source's notices come from.
constexpr uintptr_t kSourceId = 2;
constexpr double kTrialBrightness = 250;

// Named as the log names it, so that the demo's complaints and its log agree.
std::string ReturnCodeText(TW_UINT16 rc) {
  NameText name = FindName(twrc_macros, rc);
  if (name.text == nullptr) return "return code " + std::to_string(rc);
  return std::string(name.text, name.length);
}

std::string MessageText(TW_UINT16 msg) {
  NameText name = FindName(msg_macros, msg);
  if (name.text == nullptr) return "message " + std::to_string(msg);
  return std::string(name.text, name.length);
}

uint32_t Fnv1a(uint32_t hash, const TW_UINT8* data, size_t size) {
  for (size_t i = 0; i < size; ++i) hash = (hash ^ data[i]) * 16777619u;
  return hash;
}

uint64_t RowBytes(const TW_IMAGEINFO& info) {
  return (uint64_t(info.ImageWidth) * uint64_t(info.BitsPerPixel) + 7) / 8;
}

std::string PascalText(const TWVX_PSTR32 field) {
  size_t length = std::min<size_t>(field[0], sizeof(TWVX_PSTR32) - 1);
  return std::string(reinterpret_cast<const char*>(field + 1), length);
}

std::string FixedText(const char* field, size_t size) {
  return std::string(field, strnlen(field, size));
}

}  // namespace

DemoSession::DemoSession(SourceManager& manager, const DemoOptions& options, std::ostream& out,
                         std::ostream& err)
    : m_manager(manager), m_options(options), m_out(out), m_err(err) {}

bool DemoSession::Run() {
  bool ok = OpenSource() && ReadIdentity() && ProbeCapabilities() && ChooseScanSettings() &&
            ShowRefusals() && ShowReset() && ReadHardwareInfo() && Enable() &&
            AwaitTransferReady() && TransferPages();
  return Shutdown() && ok;
}

TW_UINT16 DemoSession::Call(TW_UINT32 dg, TW_UINT16 dat, TW_UINT16 msg, TW_MEMREF data) {
  return m_manager.Call(dg, dat, msg, data);
}

bool DemoSession::Fail(const std::string& message) {
  m_err << "twaintrace-demo: " << message << "\n";
  return false;
}

// An unexpected failure is followed by the status request any application makes to learn why.
bool DemoSession::Check(TW_UINT16 rc, TW_UINT16 expected, const std::string& what) {
  if (rc == expected) {
    if (rc == TWRC_FAILURE) ++m_expectedFailures;
    return true;
  }
  std::string message =
      what + " returned " + ReturnCodeText(rc) + ", expected " + ReturnCodeText(expected);
  if (rc == TWRC_FAILURE) {
    TW_STATUS status{};
    if (Call(DG_CONTROL, DAT_STATUS, MSG_GET, &status) == TWRC_SUCCESS) {
      message += " (condition code " + std::to_string(status.ConditionCode) + ")";
    }
  }
  return Fail(message);
}

bool DemoSession::OpenSource() {
  // The Linux source manager gives the source its memory before opening it, so that containers
  // and images are made in the application's memory.
  // A source that notifies the TWAIN 2 way needs the manager's entry on either interface, and
  // the Id the manager knows it by.
  bool handOver = kLinuxSourceManagerAbi || m_options.notifyByCallback;
  if (handOver &&
      !Check(m_manager.HandOverEntryPoints(), TWRC_SUCCESS, "handing over the entry points")) {
    return false;
  }
  if (m_options.notifyByCallback) m_source.Id = IdentityIdFrom(kSourceId);
  if (!Check(Call(DG_CONTROL, DAT_IDENTITY, MSG_OPENDS, &m_source), TWRC_SUCCESS, "opening")) {
    return false;
  }
  m_state = 4;
  return true;
}

bool DemoSession::ReadIdentity() {
  if (!Check(Call(DG_CONTROL, DAT_IDENTITY, MSG_GET, &m_source), TWRC_SUCCESS, "identity")) {
    return false;
  }
  m_out << "Source: " << FixedText(m_source.Manufacturer, sizeof(m_source.Manufacturer)) << " "
        << FixedText(m_source.ProductFamily, sizeof(m_source.ProductFamily)) << " "
        << FixedText(m_source.ProductName, sizeof(m_source.ProductName)) << " "
        << m_source.Version.MajorNum << "." << m_source.Version.MinorNum << "\n";
  if (m_options.notifyByCallback && (m_source.SupportedGroups & DF_DS2) == 0) {
    return Fail(
        "the source does not notify through the source manager (no DF_DS2 in its "
        "identity); run the session with --notify event");
  }
  return true;
}

bool DemoSession::GetCapability(TW_UINT16 cap, TW_UINT16 msg, TW_UINT32* value,
                                TW_UINT16 expected) {
  TW_CAPABILITY capability{};
  capability.Cap = cap;
  capability.ConType = TWON_DONTCARE16;
  bool ok = Check(Call(DG_CONTROL, DAT_CAPABILITY, msg, &capability), expected,
                  "capability " + std::to_string(cap));
  if (ok && value != nullptr && !OneValueItem(capability, value)) {
    ok = Fail("capability " + std::to_string(cap) + " did not answer with one value");
  }
  FreeContainer(&capability);
  return ok;
}

bool DemoSession::SetCapability(TW_UINT16 cap, TW_UINT16 itemType, TW_UINT32 value,
                                TW_UINT16 expected) {
  TW_CAPABILITY capability = OneValueCapability(cap, itemType, value);
  if (capability.hContainer == nullptr) return Fail("out of memory");
  bool ok = Check(Call(DG_CONTROL, DAT_CAPABILITY, MSG_SET, &capability), expected,
                  "setting capability " + std::to_string(cap));
  FreeContainer(&capability);
  return ok;
}

bool DemoSession::ExpectStatus(TW_UINT16 conditionCode) {
  TW_STATUS status{};
  if (!Check(Call(DG_CONTROL, DAT_STATUS, MSG_GET, &status), TWRC_SUCCESS, "status")) return false;
  if (status.ConditionCode == conditionCode) return true;
  return Fail("condition code " + std::to_string(status.ConditionCode) + ", expected " +
              std::to_string(conditionCode));
}

// What the source offers: its capability list, what may be done with the transfer mechanism,
// the pixel types, and the current settings an application shows its user.
bool DemoSession::ProbeCapabilities() {
  TW_CAPABILITY supported{};
  supported.Cap = CAP_SUPPORTEDCAPS;
  TW_UINT32 count = 0;
  bool listed = Check(Call(DG_CONTROL, DAT_CAPABILITY, MSG_GET, &supported), TWRC_SUCCESS,
                      "supported capabilities") &&
                ItemCount(supported, &count);
  FreeContainer(&supported);
  if (!listed) return Fail("no list of supported capabilities");
  m_out << "The source offers " << count << " capabilities\n";

  TW_UINT32 operations = 0;
  if (!GetCapability(ICAP_XFERMECH, MSG_QUERYSUPPORT, &operations)) return false;
  if ((operations & TWQC_SET) == 0) return Fail("the transfer mechanism cannot be set");
  TW_UINT32 version = 0;
  bool ok = GetCapability(ICAP_PIXELTYPE, MSG_GET) &&
            GetCapability(ICAP_XRESOLUTION, MSG_GETDEFAULT) &&
            GetCapability(ICAP_SUPPORTEDSIZES, MSG_GETCURRENT) &&
            GetCapability(ICAP_ORIENTATION, MSG_GET) && GetCapability(ICAP_UNITS, MSG_GETCURRENT) &&
            GetCapability(ICAP_COMPRESSION, MSG_GETCURRENT) &&
            GetCapability(CAP_DUPLEXENABLED, MSG_GETCURRENT) &&
            GetCapability(CAP_VX_FEEDERTYPE, MSG_GETCURRENT) &&
            GetCapability(CAP_VX_VERSION, MSG_GETCURRENT, &version);
  if (ok) m_out << "Scanner version " << (version >> 8) << "." << (version & 0xFF) << "\n";
  return ok;
}

bool DemoSession::ChooseScanSettings() {
  TW_UINT32 resolution = Fix32Bits(ToFix32(m_options.resolution));
  TW_UINT32 pixelType = 0;
  TW_UINT32 bitDepth = 0;
  bool ok = SetCapability(ICAP_PIXELTYPE, TWTY_UINT16, m_options.pixelType) &&
            GetCapability(ICAP_PIXELTYPE, MSG_GETCURRENT, &pixelType) &&
            GetCapability(ICAP_BITDEPTH, MSG_GETCURRENT, &bitDepth) &&
            SetCapability(ICAP_XRESOLUTION, TWTY_FIX32, resolution) &&
            SetCapability(ICAP_YRESOLUTION, TWTY_FIX32, resolution) &&
            SetCapability(CAP_FEEDERENABLED, TWTY_BOOL, 1) &&
            SetCapability(CAP_XFERCOUNT, TWTY_INT16, static_cast<TW_UINT32>(m_options.pages)) &&
            SetCapability(ICAP_XFERMECH, TWTY_UINT16, m_options.transferMechanism);
  if (!ok) return false;
  if (pixelType != m_options.pixelType) return Fail("the pixel type did not take");
  m_out << "Negotiated: " << PixelTypeName(m_options.pixelType) << ", " << bitDepth
        << " bits per pixel, " << m_options.resolution << " dpi, "
        << MechanismName(m_options.transferMechanism) << " transfer, " << m_options.pages
        << " pages from the feeder\n";
  return true;
}

// A value the source does not offer and a capability it does not have are refused, and the
// status says why.
bool DemoSession::ShowRefusals() {
  return SetCapability(ICAP_XRESOLUTION, TWTY_FIX32, Fix32Bits(ToFix32(kRefusedResolution)),
                       TWRC_FAILURE) &&
         ExpectStatus(TWCC_BADVALUE) && GetCapability(CAP_AUTHOR, MSG_GET, nullptr, TWRC_FAILURE) &&
         ExpectStatus(TWCC_CAPUNSUPPORTED);
}

bool DemoSession::ShowReset() {
  TW_UINT32 afterReset = 0;
  TW_UINT32 byDefault = 0;
  bool ok = GetCapability(ICAP_BRIGHTNESS, MSG_GET) &&
            SetCapability(ICAP_BRIGHTNESS, TWTY_FIX32, Fix32Bits(ToFix32(kTrialBrightness))) &&
            GetCapability(ICAP_BRIGHTNESS, MSG_RESET, &afterReset) &&
            GetCapability(ICAP_BRIGHTNESS, MSG_GETDEFAULT, &byDefault);
  if (ok && afterReset != byDefault) return Fail("resetting the brightness did not restore it");
  return ok;
}

bool DemoSession::ReadHardwareInfo() {
  TWVX_HARDWAREINFO info{};
  if (!Check(Call(DG_CONTROL, DAT_VX_HARDWAREINFO, MSG_GET, &info), TWRC_SUCCESS, "hardware")) {
    return false;
  }
  m_out << "Hardware: " << PascalText(info.ProductName) << " (" << PascalText(info.ModelName)
        << "), " << info.OptXResolution << " dpi optical, firmware "
        << FixedText(info.ROMVersion, sizeof(info.ROMVersion)) << "\n";
  return true;
}

bool DemoSession::Enable() {
  TW_USERINTERFACE ui{};
  ui.ShowUI = 0;
  ui.ModalUI = 0;
  if (!Check(Call(DG_CONTROL, DAT_USERINTERFACE, MSG_ENABLEDS, &ui), TWRC_SUCCESS, "enabling")) {
    return false;
  }
  m_state = 5;
  return true;
}

// The application's event loop hands every event to the source until the source claims one
// that says an image is ready.
bool DemoSession::AwaitTransferReady() {
  if (m_options.notifyByCallback) {
    if (!AwaitNotice(MSG_XFERREADY)) return false;
    m_state = 6;
    return true;
  }
  char platformEvent[64] = {};
  for (int poll = 0; poll < kMostEventPolls; ++poll) {
    TW_EVENT event{};
    event.pEvent = platformEvent;
    TW_UINT16 rc = Call(DG_CONTROL, DAT_EVENT, MSG_PROCESSEVENT, &event);
    if (rc == TWRC_NOTDSEVENT) continue;
    if (!Check(rc, TWRC_DSEVENT, "processing an event")) return false;
    if (event.TWMessage != MSG_XFERREADY) return Fail("the source asked for something else");
    m_state = 6;
    return true;
  }
  return Fail("no image became ready");
}

// Every notice is shown as it is taken, refused ones with the manager's reason.
void DemoSession::TakeNotices() {
  for (const SourceNotice& notice : m_manager.TakeNotices()) {
    if (notice.accepted) {
      m_out << "Notice from the source: " << MessageText(notice.message) << "\n";
      m_unansweredNotices.push_back(notice.message);
    } else {
      m_out << "Refused notice from the source: " << MessageText(notice.message) << " ("
            << notice.refusal << ")\n";
    }
  }
}

bool DemoSession::AwaitNotice(TW_UINT16 message) {
  m_manager.WaitForNotice(message, std::chrono::milliseconds(m_options.noticeTimeoutMs));
  TakeNotices();
  auto found = std::find(m_unansweredNotices.begin(), m_unansweredNotices.end(), message);
  if (found == m_unansweredNotices.end()) {
    return Fail("the source sent no " + MessageText(message) + " notice within " +
                std::to_string(m_options.noticeTimeoutMs) + " ms");
  }
  m_unansweredNotices.erase(found);
  return true;
}

bool DemoSession::ReadBufferSize() {
  TW_SETUPMEMXFER setup{};
  if (!Check(Call(DG_CONTROL, DAT_SETUPMEMXFER, MSG_GET, &setup), TWRC_SUCCESS, "buffer sizes")) {
    return false;
  }
  m_bufferSize = std::clamp(setup.Preferred, setup.MinBufSize, setup.MaxBufSize);
  return m_bufferSize > 0 || Fail("the source wants no buffer");
}

bool DemoSession::TransferPages() {
  if (m_options.transferMechanism == TWSX_MEMORY && !ReadBufferSize()) return false;
  TW_UINT16 pending = 1;
  while (pending != 0) {
    if (!TransferPage(&pending)) return false;
  }
  if (m_pages != m_options.pages) {
    return Fail("the source delivered " + std::to_string(m_pages) + " pages, expected " +
                std::to_string(m_options.pages));
  }
  // The TWAIN 2 way, the source says when it is done; the application then closes it.
  return !m_options.notifyByCallback || AwaitNotice(MSG_CLOSEDSREQ);
}

bool DemoSession::TransferPage(TW_UINT16* pending) {
  TW_IMAGEINFO info{};
  TW_IMAGELAYOUT layout{};
  if (!Check(Call(DG_IMAGE, DAT_IMAGEINFO, MSG_GET, &info), TWRC_SUCCESS, "image info") ||
      !Check(Call(DG_IMAGE, DAT_IMAGELAYOUT, MSG_GET, &layout), TWRC_SUCCESS, "image layout")) {
    return false;
  }
  PageBytes page;
  bool received = m_options.transferMechanism == TWSX_MEMORY ? ReceiveByMemory(info, &page)
                                                             : ReceiveNatively(info, &page);
  if (!received) return false;
  ++m_pages;
  m_imageBytes += page.bytes;
  char line[256];
  snprintf(line, sizeof(line), "page %u: %d x %d %s, %llu bytes by %s transfer", layout.PageNumber,
           info.ImageWidth, info.ImageLength, PixelTypeName(static_cast<TW_UINT16>(info.PixelType)),
           static_cast<unsigned long long>(page.bytes), MechanismName(m_options.transferMechanism));
  m_out << line;
  if (page.strips > 0) m_out << " in " << page.strips << (page.strips == 1 ? " strip" : " strips");
  snprintf(line, sizeof(line), ", checksum %08x\n", page.checksum);
  m_out << line;
  return EndTransfer(pending);
}

bool DemoSession::ReceiveByMemory(const TW_IMAGEINFO& info, PageBytes* page) {
  std::vector<TW_UINT8> buffer(m_bufferSize);
  uint64_t rowBytes = RowBytes(info);
  TW_UINT32 rowsDone = 0;
  for (;;) {
    TW_IMAGEMEMXFER xfer{};
    xfer.Memory.Flags = TWMF_APPOWNS | TWMF_POINTER;
    xfer.Memory.Length = m_bufferSize;
    xfer.Memory.TheMem = buffer.data();
    TW_UINT16 rc = Call(DG_IMAGE, DAT_IMAGEMEMXFER, MSG_GET, &xfer);
    if (rc != TWRC_XFERDONE && !Check(rc, TWRC_SUCCESS, "memory transfer")) return false;
    m_state = 7;
    if (xfer.YOffset != rowsDone || xfer.BytesPerRow != rowBytes || xfer.Rows == 0 ||
        uint64_t(xfer.Rows) * rowBytes != xfer.BytesWritten || xfer.BytesWritten > m_bufferSize) {
      return Fail("strip " + std::to_string(page->strips + 1) + " does not fit the image");
    }
    page->checksum = Fnv1a(page->checksum, buffer.data(), xfer.BytesWritten);
    page->bytes += xfer.BytesWritten;
    rowsDone += xfer.Rows;
    ++page->strips;
    if (rc == TWRC_XFERDONE) break;
  }
  if (rowsDone != TW_UINT32(info.ImageLength)) return Fail("the image ended early");
  return true;
}

// The application owns the handle of a native transfer and frees it.
bool DemoSession::ReceiveNatively(const TW_IMAGEINFO& info, PageBytes* page) {
  TW_HANDLE image = nullptr;
  if (!Check(Call(DG_IMAGE, DAT_IMAGENATIVEXFER, MSG_GET, &image), TWRC_XFERDONE,
             "native transfer")) {
    return false;
  }
  m_state = 7;
  uint64_t expected = RowBytes(info) * uint64_t(info.ImageLength);
  size_t size = 0;
  bool whole = image != nullptr && HostMemory::Size(image, &size) && size >= expected;
  if (whole) {
    auto* bytes = static_cast<TW_UINT8*>(HostMemory::Lock(image));
    page->checksum = Fnv1a(page->checksum, bytes, expected);
    page->bytes = expected;
    HostMemory::Unlock(image);
  }
  HostMemory::Free(image);
  return whole || Fail("the native image is smaller than its image info says");
}

bool DemoSession::EndTransfer(TW_UINT16* pending) {
  TW_PENDINGXFERS transfers{};
  if (!Check(Call(DG_CONTROL, DAT_PENDINGXFERS, MSG_ENDXFER, &transfers), TWRC_SUCCESS,
             "ending the transfer")) {
    return false;
  }
  *pending = transfers.Count;
  m_state = transfers.Count != 0 ? 6 : 5;
  return true;
}

// Steps back from whatever state the session reached to a closed source.
bool DemoSession::Shutdown() {
  bool ok = true;
  if (m_state == 7) {
    TW_UINT16 pending = 0;
    ok = EndTransfer(&pending) && ok;
  }
  if (m_state == 6) {
    TW_PENDINGXFERS transfers{};
    ok = Check(Call(DG_CONTROL, DAT_PENDINGXFERS, MSG_RESET, &transfers), TWRC_SUCCESS,
               "dropping the pending transfers") &&
         ok;
    m_state = 5;
  }
  if (m_state == 5) {
    TW_USERINTERFACE ui{};
    ok =
        Check(Call(DG_CONTROL, DAT_USERINTERFACE, MSG_DISABLEDS, &ui), TWRC_SUCCESS, "disabling") &&
        ok;
    m_state = 4;
  }
  if (m_state == 4) {
    ok = Check(Call(DG_CONTROL, DAT_IDENTITY, MSG_CLOSEDS, &m_source), TWRC_SUCCESS, "closing") &&
         ok;
    m_state = 3;
  }
  return ok;
}
