// Image transfers as the log shows them, page by page: the image information the source gave,
// the transfer mechanism and, for a memory transfer, its strips and bytes.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

#include "log_reader/triplet_entry.h"

namespace report {

enum class TransferMechanism { kNone, kNative, kMemory, kFile };

const char* MechanismName(TransferMechanism mechanism);

struct ImageInfo {
  std::string_view width;
  std::string_view length;
  std::string_view xResolution;
  std::string_view yResolution;
  std::string_view pixelType;
  std::string_view bitsPerPixel;
  std::string_view compression;
};

struct ImagePage {
  int number = 0;
  size_t firstTriplet = 0;  // indices into the log's triplets
  size_t lastTriplet = 0;
  std::optional<ImageInfo> info;
  TransferMechanism mechanism = TransferMechanism::kNone;
  std::string_view result;  // of the transfer's last triplet
  size_t strips = 0;        // memory transfer blocks that arrived
  unsigned long long bytes = 0;
  bool bytesShown = true;  // every strip's dump showed its BytesWritten
  std::string_view stripCompression;
  std::string_view nativeHandle;
  bool ended = false;  // the application ended the transfer (MSG_ENDXFER or MSG_RESET)
  std::optional<long long> pendingAfter;

  bool TransferFinished() const { return !result.empty() && result != "TWRC_SUCCESS"; }
};

std::vector<ImagePage> CollectImagePages(const std::vector<log_reader::Triplet>& triplets);

}  // namespace report
