// Every line of every dump, formatted by the data source's own line formatter, against the C
// library's formatting of the same format and arguments: random calls of every data argument
// type, with random structures and containers, through the analyzer built to check each line.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <utility>

#include "analyzer/para_analyze.h"
#include "platform/memory_handle.h"
#include "twaintrace/twain_vendor.h"

namespace {

long g_checked = 0;
long g_differing = 0;
std::string g_firstDifference;

}  // namespace

namespace line_format {

void RecordLine(const char* format, const char* ours, size_t oursLength, const char* library,
                int libraryLength) {
  ++g_checked;
  std::string mine(ours, oursLength);
  if (libraryLength >= 0 && mine == std::string(library, static_cast<size_t>(libraryLength))) {
    return;
  }
  if (++g_differing == 1) {
    g_firstDifference = std::string("format \"") + format + "\": ours \"" + mine +
                        "\", the library's \"" + std::string(library) + "\"";
  }
}

}  // namespace line_format

namespace {

class RandomCalls {
 public:
  explicit RandomCalls(unsigned seed) : random_(seed) {}

  // A call of `DAT` with a random message, return code and structure, analysed as the entry
  // point analyses it.
  void Run(TW_UINT16 DAT) {
    Fill(data_, sizeof(data_));
    Fill(&origin_, sizeof(origin_));
    char** container = nullptr;
    if (DAT == DAT_CAPABILITY) container = RandomCapability();
    auto* event = reinterpret_cast<TW_EVENT*>(data_);
    if (DAT == DAT_EVENT && Pick(2) == 0)
      event->TWMessage = Pick(2) ? MSG_XFERREADY : MSG_CLOSEDSREQ;

    static constexpr TW_UINT16 kMessages[] = {MSG_GET,     MSG_GETCURRENT,   MSG_SET,
                                              MSG_OPENDSM, MSG_PROCESSEVENT, MSG_ENDXFER};
    TW_UINT16 MSG = Pick(4) == 0 ? Pick(0x10000) : kMessages[Pick(std::size(kMessages))];
    TW_UINT16 rc = Pick(3) == 0 ? TWRC_DSEVENT : Pick(12);
    TW_UINT32 DG = Pick(2) ? DG_CONTROL : static_cast<TW_UINT32>(random_());
    char text[5122] = {};
    analyzer_.TripletAnalyze(&origin_, nullptr, DG, DAT, MSG, data_, text, sizeof(text));
    text[0] = '\0';
    analyzer_.ParaAnalyze(&origin_, nullptr, DG, DAT, MSG, data_, rc, text, sizeof(text));
    DisposeMemoryHandle(container);
  }

 private:
  unsigned Pick(size_t count) { return static_cast<unsigned>(random_() % count); }

  void Fill(void* bytes, size_t size) {
    auto* p = static_cast<unsigned char*>(bytes);
    for (size_t i = 0; i < size; ++i) p[i] = static_cast<unsigned char>(random_());
    // Text fields are mostly text: printable runs, some of them ended.
    if (Pick(2) == 0) {
      for (size_t i = 0; i < size; ++i) p[i] = (p[i] % 5 == 0) ? '\0' : 'A' + p[i] % 26;
    }
  }

  // A capability of a named or unnamed id, with a container of a random shape and size.
  char** RandomCapability() {
    static constexpr TW_UINT16 kCaps[] = {ICAP_PIXELTYPE,    ICAP_XRESOLUTION, CAP_SUPPORTEDCAPS,
                                          ICAP_COMPRESSION,  CAP_VX_VERSION,   ICAP_VX_FILMTYPE,
                                          CAP_FEEDERENABLED, ICAP_FRAMES,      0x1234};
    size_t size = Pick(400);
    // Where handles do not tell their block's size, the analyzer reads up to 4096 bytes of a
    // container, as far as its counts reach; the block then holds all of them.
    char** container = NewMemoryHandle(kHandlesKnowTheirBlock ? size : 4096);
    char* block = LockMemoryHandle(container);
    Fill(block, size);
    if (size >= sizeof(TW_ENUMERATION)) {
      auto* enumeration = reinterpret_cast<TW_ENUMERATION*>(block);
      enumeration->ItemType = Pick(15);
      enumeration->NumItems = Pick(40);
    }
    UnlockMemoryHandle(container);
    TW_CAPABILITY capability{kCaps[Pick(std::size(kCaps))], static_cast<TW_UINT16>(3 + Pick(5)),
                             container};
    memcpy(data_, &capability, sizeof(capability));
    return container;
  }

  std::mt19937 random_;
  CParaAnalyze analyzer_;
  TW_IDENTITY origin_{};
  alignas(16) char data_[2048] = {};
};

TEST(LineFormat, EveryDumpLineIsTheCLibrarysByteForByte) {
  RandomCalls calls(20260105);
  // Every dumped data argument type, and one without a dump.
  const std::pair<TW_UINT16, TW_UINT16> types[] = {{DAT_NULL, DAT_CUSTOMDSDATA},
                                                   {DAT_IMAGEINFO, DAT_EXTIMAGEINFO},
                                                   {DAT_VX_AUTOEXPOSURE, DAT_VX_USMINFO},
                                                   {0x0403, 0x0403}};
  for (int round = 0; round < 200; ++round) {
    for (auto [first, last] : types) {
      for (TW_UINT16 DAT = first; DAT <= last; ++DAT) calls.Run(DAT);
    }
  }
  EXPECT_EQ(g_differing, 0) << g_firstDifference;
  // Each call makes a header and result lines at least; far fewer checks would mean that the
  // lines went unchecked.
  EXPECT_GT(g_checked, 200 * 30 * 3);
}

}  // namespace
