// Image transfers as the log shows them, page by page: the image information the source gave,
// the transfer mechanism and, for a memory transfer, its strips and bytes.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "log_reader/triplet_entry.h"
#include "report/entry_mark.h"

namespace report {

enum class TransferMechanism { kNone, kNative, kMemory, kFile };

const char* MechanismName(TransferMechanism mechanism);

struct ImageInfo {
  std::string width;
  std::string length;
  std::string xResolution;
  std::string yResolution;
  std::string pixelType;
  std::string bitsPerPixel;
  std::string compression;
};

struct ImagePage {
  int number = 0;
  EntryMark firstTriplet;
  EntryMark lastTriplet;
  std::optional<ImageInfo> info;
  TransferMechanism mechanism = TransferMechanism::kNone;
  std::string result;  // of the transfer's last triplet
  size_t strips = 0;   // memory transfer blocks that arrived
  unsigned long long bytes = 0;
  bool bytesShown = true;  // every strip's dump showed its BytesWritten
  std::string stripCompression;
  std::string nativeHandle;
  bool ended = false;  // the application ended the transfer (MSG_ENDXFER or MSG_RESET)
  std::optional<long long> pendingAfter;

  bool TransferFinished() const { return !result.empty() && result != "TWRC_SUCCESS"; }
};

// The pages in log order; a log of more pages than kKept keeps the first and counts the rest.
class PageCollector {
 public:
  static constexpr size_t kKept = 500;

  void Take(const log_reader::Triplet& triplet);
  size_t Count() const { return count_; }
  std::vector<ImagePage> Pages() && { return std::move(pages_); }

 private:
  ImagePage* Open(const log_reader::Triplet& triplet);

  std::vector<ImagePage> pages_;
  ImagePage spare_;  // the page past the kept ones, counted and dropped
  size_t count_ = 0;
  bool open_ = false;
};

}  // namespace report
