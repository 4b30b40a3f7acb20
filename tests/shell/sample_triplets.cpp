#include "shell/sample_triplets.h"

#include <cstring>

#include "platform/memory_handle.h"
#include "twaintrace/twain_vendor.h"

namespace {

// Bytes that vary from field to field and leave text fields without a terminating NUL.
void Fill(void* data, size_t size) {
  auto* bytes = static_cast<unsigned char*>(data);
  for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<unsigned char>(0x41 + i % 26);
}

}  // namespace

void* SampleTriplets::Structure(size_t size) {
  storage_.emplace_back(new unsigned char[size]);
  Fill(storage_.back().get(), size);
  return storage_.back().get();
}

SampleTriplets::SampleTriplets() {
  Fill(&origin_, sizeof(origin_));
  strcpy(origin_.ProductName, "Sample Application");

  // A pixel-type enumeration in a handle of the application's memory manager.
  const TW_UINT16 pixelTypes[3] = {TWPT_BW, TWPT_GRAY, TWPT_RGB};
  container_ = NewMemoryHandle(offsetof(TW_ENUMERATION, ItemList) + sizeof(pixelTypes));
  auto* enumeration = reinterpret_cast<TW_ENUMERATION*>(LockMemoryHandle(container_));
  *enumeration = TW_ENUMERATION{TWTY_UINT16, 3, 2, 2, {}};
  memcpy(enumeration->ItemList, pixelTypes, sizeof(pixelTypes));
  UnlockMemoryHandle(container_);
  auto* capability = static_cast<TW_CAPABILITY*>(Structure(sizeof(TW_CAPABILITY)));
  *capability = TW_CAPABILITY{ICAP_PIXELTYPE, TWON_ENUMERATION, container_};

  auto* event = static_cast<TW_EVENT*>(Structure(sizeof(TW_EVENT)));
  event->TWMessage = MSG_XFERREADY;
  auto* pending = static_cast<TW_PENDINGXFERS*>(Structure(sizeof(TW_PENDINGXFERS)));
  pending->Count = 1;

  auto add = [this](TW_UINT32 DG, TW_UINT16 DAT, TW_UINT16 MSG, size_t size) {
    triplets_.push_back({DG, DAT, MSG, size != 0 ? Structure(size) : nullptr, size});
  };
  triplets_.push_back({DG_CONTROL, DAT_CAPABILITY, MSG_GET, capability, sizeof(TW_CAPABILITY)});
  triplets_.push_back({DG_CONTROL, DAT_EVENT, MSG_PROCESSEVENT, event, sizeof(TW_EVENT)});
  triplets_.push_back({DG_CONTROL, DAT_PENDINGXFERS, MSG_ENDXFER, pending, sizeof(*pending)});
  add(DG_CONTROL, DAT_NULL, MSG_CLOSEDSREQ, 0);
  add(DG_CONTROL, DAT_IDENTITY, MSG_GET, sizeof(TW_IDENTITY));
  add(DG_CONTROL, DAT_PARENT, MSG_OPENDSM, 0);
  add(DG_CONTROL, DAT_SETUPMEMXFER, MSG_GET, sizeof(TW_SETUPMEMXFER));
  add(DG_CONTROL, DAT_SETUPFILEXFER, MSG_GET, sizeof(TW_SETUPFILEXFER));
  add(DG_CONTROL, DAT_STATUS, MSG_GET, sizeof(TW_STATUS));
  add(DG_CONTROL, DAT_USERINTERFACE, MSG_ENABLEDS, sizeof(TW_USERINTERFACE));
  add(DG_CONTROL, DAT_XFERGROUP, MSG_GET, sizeof(TW_UINT32));
  add(DG_CONTROL, DAT_TWUNKIDENTITY, MSG_GET, 0);
  add(DG_CONTROL, DAT_CUSTOMDSDATA, MSG_GET, sizeof(TW_CUSTOMDSDATA));
  add(DG_IMAGE, DAT_IMAGEINFO, MSG_GET, sizeof(TW_IMAGEINFO));
  add(DG_IMAGE, DAT_IMAGELAYOUT, MSG_GET, sizeof(TW_IMAGELAYOUT));
  add(DG_IMAGE, DAT_IMAGEMEMXFER, MSG_GET, sizeof(TW_IMAGEMEMXFER));
  add(DG_IMAGE, DAT_IMAGENATIVEXFER, MSG_GET, sizeof(TW_HANDLE));
  add(DG_IMAGE, DAT_IMAGEFILEXFER, MSG_GET, 0);
  add(DG_IMAGE, DAT_CIECOLOR, MSG_GET, sizeof(TW_CIECOLOR));
  add(DG_IMAGE, DAT_GRAYRESPONSE, MSG_SET, sizeof(TW_GRAYRESPONSE));
  add(DG_IMAGE, DAT_RGBRESPONSE, MSG_SET, sizeof(TW_RGBRESPONSE));
  add(DG_IMAGE, DAT_JPEGCOMPRESSION, MSG_GET, sizeof(TW_JPEGCOMPRESSION));
  add(DG_IMAGE, DAT_PALETTE8, MSG_GET, sizeof(TW_PALETTE8));
  add(DG_IMAGE, DAT_EXTIMAGEINFO, MSG_GET, sizeof(TW_EXTIMAGEINFO));
  add(DG_CONTROL, DAT_VX_AUTOEXPOSURE, MSG_GET, sizeof(TWVX_AUTOEXPOSURE));
  add(DG_CONTROL, DAT_VX_RGBMATRIX, MSG_GET, sizeof(TWVX_RGBMATRIX));
  add(DG_CONTROL, DAT_VX_COLORSMOOTHING, MSG_GET, sizeof(TWVX_COLORSMOOTHING));
  add(DG_CONTROL, DAT_VX_EVENT, MSG_GET, 0);
  add(DG_CONTROL, DAT_VX_HARDWAREINFO, MSG_GET, sizeof(TWVX_HARDWAREINFO));
  add(DG_CONTROL, DAT_VX_SKEWINFO, MSG_GET, sizeof(TWVX_LOCATIONDATA));
  add(DG_CONTROL, DAT_VX_UNSHARPMASKPARAM, MSG_GET, sizeof(TWVX_USMPARAM));
  add(DG_CONTROL, DAT_VX_REDCORRECTIONMATRIX, MSG_GET, 0);
  add(DG_CONTROL, DAT_VX_TWAINCALLBACKMSG, MSG_GET, 0);
  add(DG_CONTROL, DAT_VX_SETTINGFRAME, MSG_GET, sizeof(TWVX_SETTINGFRAME));
  add(DG_CONTROL, DAT_VX_USMINFO, MSG_GET, sizeof(TWVX_USMINFO));
  // Types the analyzer has no dump for.
  add(DG_CONTROL, DAT_FILESYSTEM, MSG_GET, 0);
  add(DG_CONTROL, DAT_VX_DUALIMAGE, MSG_GET, 0);
}

SampleTriplets::~SampleTriplets() {
  DisposeMemoryHandle(container_);
}
