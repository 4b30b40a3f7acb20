#include "report/image_transfer_model.h"

#include <utility>

#include "log_reader/text_helpers.h"

namespace report {

namespace {

TransferMechanism MechanismOf(const log_reader::Triplet& triplet) {
  if (triplet.message != "MSG_GET") return TransferMechanism::kNone;
  if (triplet.argumentType == "DAT_IMAGENATIVEXFER") return TransferMechanism::kNative;
  if (triplet.argumentType == "DAT_IMAGEMEMXFER") return TransferMechanism::kMemory;
  if (triplet.argumentType == "DAT_IMAGEFILEXFER") return TransferMechanism::kFile;
  return TransferMechanism::kNone;
}

bool IsImageInfo(const log_reader::Triplet& triplet) {
  return triplet.argumentType == "DAT_IMAGEINFO" && triplet.message == "MSG_GET" &&
         triplet.hasResult && !triplet.Failed();
}

bool EndsTransfer(const log_reader::Triplet& triplet) {
  return triplet.argumentType == "DAT_PENDINGXFERS" &&
         (triplet.message == "MSG_ENDXFER" || triplet.message == "MSG_RESET") &&
         triplet.hasResult && !triplet.Failed();
}

ImageInfo ImageInfoOf(const log_reader::Triplet& triplet) {
  ImageInfo info;
  info.width = triplet.Field("ImageWidth");
  info.length = triplet.Field("ImageLength");
  info.xResolution = triplet.Field("XResolution");
  info.yResolution = triplet.Field("YResolution");
  info.pixelType = triplet.Field("PixelType");
  info.bitsPerPixel = triplet.Field("BitsPerPixel");
  info.compression = triplet.Field("Compression");
  return info;
}

void TakeStrip(const log_reader::Triplet& triplet, ImagePage* page) {
  if (triplet.returnCode != "TWRC_SUCCESS" && triplet.returnCode != "TWRC_XFERDONE") return;
  ++page->strips;
  std::optional<long long> written = log_reader::ParseInteger(triplet.Field("BytesWritten"));
  if (written && *written >= 0) {
    page->bytes += static_cast<unsigned long long>(*written);
  } else {
    page->bytesShown = false;
  }
  if (triplet.HasField("Compression")) page->stripCompression = triplet.Field("Compression");
}

void TakeTransfer(const log_reader::Triplet& triplet, TransferMechanism mechanism,
                  ImagePage* page) {
  page->mechanism = mechanism;
  page->result = triplet.returnCode;
  if (mechanism == TransferMechanism::kMemory) TakeStrip(triplet, page);
  if (mechanism == TransferMechanism::kNative && triplet.HasField("Item")) {
    page->nativeHandle = triplet.Field("Item");
  }
}

}  // namespace

const char* MechanismName(TransferMechanism mechanism) {
  switch (mechanism) {
    case TransferMechanism::kNone:
      return "none";
    case TransferMechanism::kNative:
      return "native";
    case TransferMechanism::kMemory:
      return "memory";
    case TransferMechanism::kFile:
      return "file";
  }
  return "";
}

void PageCollector::Take(const log_reader::Triplet& triplet) {
  TransferMechanism mechanism = MechanismOf(triplet);
  if (IsImageInfo(triplet)) {
    ImagePage* page = Open(triplet);
    if (triplet.HasField("ImageWidth")) page->info = ImageInfoOf(triplet);
  } else if (mechanism != TransferMechanism::kNone && triplet.hasResult) {
    TakeTransfer(triplet, mechanism, Open(triplet));
  } else if (EndsTransfer(triplet) && open_) {
    ImagePage& page = count_ > kKept ? spare_ : pages_.back();
    page.lastTriplet = MarkOf(triplet);
    page.ended = true;
    page.pendingAfter = log_reader::ParseInteger(triplet.Field("Count"));
    open_ = false;
  }
}

// The page the triplet belongs to: the open one, or a new one once its transfer finished.
ImagePage* PageCollector::Open(const log_reader::Triplet& triplet) {
  ImagePage* page = count_ > kKept ? &spare_ : count_ > 0 ? &pages_.back() : nullptr;
  if (!open_ || page->TransferFinished()) {
    ++count_;
    if (count_ <= kKept) {
      pages_.emplace_back();
      page = &pages_.back();
    } else {
      spare_ = ImagePage{};
      page = &spare_;
    }
    page->number = static_cast<int>(count_);
    page->firstTriplet = MarkOf(triplet);
    open_ = true;
  }
  page->lastTriplet = MarkOf(triplet);
  return page;
}

}  // namespace report
