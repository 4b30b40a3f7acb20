// The implementation bundle of the benchmarks. Its operator answers each benchmark call as a
// scanner's data source would: it fills in the structure (and a capability's container) with
// the values of a typical scanner, and succeeds.
#include <cstring>

#include "bench_cases.h"
#include "twaintrace/data_source_memory.h"
#include "twaintrace/triplet_operator.h"
#include "twaintrace/twain_abi.h"

#define BENCH_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

// The memory flags of a buffer the application owns and passes by pointer.
constexpr TW_UINT32 kAppOwnsPointer = 0x0001 | 0x0008;

TW_FIX32 Fix(double value) {
  long scaled = static_cast<long>(value * 65536.0 + (value < 0 ? -0.5 : 0.5));
  return TW_FIX32{static_cast<TW_INT16>(scaled >> 16), static_cast<TW_UINT16>(scaled & 0xFFFF)};
}

template <size_t N>
void SetText(char (&field)[N], const char* text) {
  strncpy(field, text, N - 1);
}

// The answers, made once when the bundle loads; each call copies them into place.
struct Answers {
  TW_UINT16 pixelTypes[kPixelTypeItems] = {TWPT_BW, TWPT_GRAY, TWPT_RGB};
  TW_FIX32 resolutions[kResolutionItems];
  TW_IDENTITY identity{};
  TW_IMAGEINFO imageInfo{};
  TW_IMAGEMEMXFER memXfer{};
  TW_CIECOLOR cieColor{};
  TWVX_HARDWAREINFO hardwareInfo{};

  Answers() {
    // 50 to 2000 dpi in steps of 50, with the odd fractional step of a film scanner.
    for (TW_UINT32 i = 0; i < kResolutionItems; ++i) {
      resolutions[i] = Fix(50.0 * (i + 1) + (i % 7 == 3 ? 0.3333 : 0.0));
    }

    identity.Id = IdentityIdFrom(0x2a);
    identity.Version = {2, 31, TWLG_ENGLISH_USA, TWCY_USA, {}};
    SetText(identity.Version.Info, "2.31 (2026-01-05)");
    identity.ProtocolMajor = 1;
    identity.ProtocolMinor = 9;
    identity.SupportedGroups = DG_CONTROL | DG_IMAGE;
    SetText(identity.Manufacturer, "VELIX");
    SetText(identity.ProductFamily, "Tandra");
    SetText(identity.ProductName, "VELIX Tandra 9000");

    imageInfo.XResolution = Fix(600);
    imageInfo.YResolution = Fix(600);
    imageInfo.ImageWidth = 5100;
    imageInfo.ImageLength = 7014;
    imageInfo.SamplesPerPixel = 3;
    imageInfo.BitsPerSample[0] = imageInfo.BitsPerSample[1] = imageInfo.BitsPerSample[2] = 8;
    imageInfo.BitsPerPixel = 24;
    imageInfo.Planar = 0;
    imageInfo.PixelType = TWPT_RGB;
    imageInfo.Compression = TWCP_NONE;

    memXfer.Compression = TWCP_NONE;
    memXfer.BytesPerRow = 15300;
    memXfer.Columns = 5100;
    memXfer.Rows = 64;
    memXfer.XOffset = 0;
    memXfer.YOffset = 1984;
    memXfer.BytesWritten = 979200;
    memXfer.Memory = {kAppOwnsPointer, 979200, reinterpret_cast<TW_MEMREF>(0x7f3a5c001000)};

    cieColor.ColorSpace = TWPT_CIEXYZ;
    cieColor.LowEndian = 1;
    cieColor.DeviceDependent = 0;
    cieColor.VersionNumber = 1;
    SetStage(cieColor.StageABC, 0.0);
    SetStage(cieColor.StageLMN, 0.125);
    cieColor.WhitePoint = {Fix(0.9642), Fix(1.0), Fix(0.8249)};
    cieColor.BlackPoint = {Fix(0.0), Fix(0.0), Fix(0.0)};
    cieColor.WhitePaper = {Fix(0.9505), Fix(1.0), Fix(1.089)};
    cieColor.BlackInk = {Fix(0.0131), Fix(0.0137), Fix(0.0113)};
    cieColor.Samples[0] = Fix(255.0);

    TWVX_HARDWAREINFO& info = hardwareInfo;
    info.ModelID = 0x5c;
    memcpy(info.ProductName, "\x11VELIX Tandra 9000", 18);
    memcpy(info.ModelName, "\x07TD-9000", 8);
    info.OptXResolution = 4800;
    info.OptYResolution = 9600;
    info.MinResolution = 50;
    info.MaxResolution = 12800;
    info.MaxMoireResolution = 600;
    info.MaxPixelofWidth = 40800;
    info.PixelSizeofFB[0] = 10200;
    info.PixelSizeofFB[1] = 14040;
    info.PixelSizeofADF[0] = 10200;
    info.PixelSizeofADF[1] = 16800;
    info.PixelSizeofTPU[0] = 3600;
    info.PixelSizeofTPU[1] = 12000;
    info.BitDepth = 0x30;
    info.InterfaceSupport = 3;
    info.CommandType = 2;
    info.ConnectInterfaceType = 1;
    info.StandAloneModeSupport = 0;
    info.FullAutoModeSupport = info.SimpleModeSupport = info.DocumentModeSupport = 1;
    info.AdvancedModeSupport = info.QORSupport = info.AutoLayoutSupportFB = 1;
    info.HalftoneSupport = info.HTModeSupport = info.HTDitherSupport = 1;
    info.TableArrangement = 1;
    info.OptionSupport = 0x0107;
    info.FocusSupport = 1;
    info.FocusArea[0] = 2540;
    info.FocusArea[1] = 3050;
    SetText(info.ProfileNameFB, "Tandra9000 Flatbed.icc");
    SetText(info.ProfileNameTPU, "Tandra9000 Film.icc");
    SetMatrix(info.ColorCorrectionFB, 1.0312);
    SetMatrix(info.ColorCorrectionPOSI, 1.1875);
    SetMatrix(info.ColorCorrectionNEGA, 1.4063);
    SetMatrix(info.QORColorCorrectionFB, 1.0156);
    SetMatrix(info.QORColorCorrectionPOSI, 1.2031);
    SetMatrix(info.QORColorCorrectionNEGA, 1.3594);
    SetText(info.ROMVersion, "1.02.0003");
  }

  static void SetStage(TW_TRANSFORMSTAGE& stage, double offset) {
    for (TW_DECODEFUNCTION& decode : stage.Decode) {
      decode = {Fix(offset), Fix(0.5 + offset), Fix(1.0), Fix(0.0),
                Fix(0.4545), Fix(1.0),          Fix(2.2), Fix(256)};
    }
    for (int i = 0; i < 3; ++i) {
      for (int j = 0; j < 3; ++j) stage.Mix[i][j] = Fix(i == j ? 1.0 - offset : offset / 3.0);
    }
  }

  // A colour correction matrix: `gain` on the diagonal, the balance off it.
  static void SetMatrix(TW_FIX32 (&matrix)[9], double gain) {
    for (int i = 0; i < 9; ++i) matrix[i] = Fix(i % 4 == 0 ? gain : (1.0 - gain) / 2.0);
  }
};

const Answers g_answers;

template <typename T>
TW_UINT16 Answer(TW_MEMREF pData, const T& answer) {
  if (pData == nullptr) return TWRC_FAILURE;
  memcpy(pData, &answer, sizeof(answer));
  return TWRC_SUCCESS;
}

class BenchOperator final : public TripletOperator {
 public:
  void Reserved1() override {}
  void Reserved2() override {}
  TW_UINT16 ProcessTriplet(TW_IDENTITY* /*origin*/, TW_UINT32 /*dg*/, TW_UINT16 dat,
                           TW_UINT16 /*msg*/, TW_MEMREF data) override {
    switch (dat) {
      case DAT_CAPABILITY:
        return AnswerCapability(static_cast<TW_CAPABILITY*>(data));
      case DAT_IDENTITY:
        return Answer(data, g_answers.identity);
      case DAT_IMAGEINFO:
        return Answer(data, g_answers.imageInfo);
      case DAT_IMAGEMEMXFER:
        return Answer(data, g_answers.memXfer);
      case DAT_CIECOLOR:
        return Answer(data, g_answers.cieColor);
      case DAT_VX_HARDWAREINFO:
        return Answer(data, g_answers.hardwareInfo);
      default:
        return TWRC_FAILURE;
    }
  }
  void Reserved4() override {}
  void Release() override {}

 private:
  // Fills the enumeration in the container the application handed over.
  TW_UINT16 AnswerCapability(TW_CAPABILITY* cap) {
    if (cap == nullptr || cap->hContainer == nullptr) return TWRC_FAILURE;
    if (!bound_ && !(bound_ = memory_.Bind())) return TWRC_FAILURE;
    const void* items;
    TW_UINT16 itemType;
    TW_UINT32 count;
    size_t itemSize;
    switch (cap->Cap) {
      case ICAP_PIXELTYPE:
        items = g_answers.pixelTypes;
        itemType = TWTY_UINT16;
        count = kPixelTypeItems;
        itemSize = sizeof(TW_UINT16);
        break;
      case ICAP_XRESOLUTION:
        items = g_answers.resolutions;
        itemType = TWTY_FIX32;
        count = kResolutionItems;
        itemSize = sizeof(TW_FIX32);
        break;
      default:
        return TWRC_FAILURE;
    }
    cap->ConType = TWON_ENUMERATION;
    auto* enumeration = reinterpret_cast<TW_ENUMERATION*>(memory_.LockMemory(cap->hContainer));
    if (enumeration == nullptr) return TWRC_FAILURE;
    enumeration->ItemType = itemType;
    enumeration->NumItems = count;
    enumeration->CurrentIndex = count - 1;
    enumeration->DefaultIndex = count / 2;
    memcpy(enumeration->ItemList, items, count * itemSize);
    memory_.UnlockMemory(cap->hContainer);
    return TWRC_SUCCESS;
  }

  DataSourceMemory memory_;
  bool bound_ = false;
};

BenchOperator g_operator;

}  // namespace

// The operator itself, so that the benchmark can call it directly, bypassing the data source.
BENCH_EXPORT TripletOperator* BenchHalvern_Operator() {
  return &g_operator;
}

BENCH_EXPORT void CreateHalvern(ExecutableFileNameRef /*executableFileName*/,
                                TripletOperator** out) {
  *out = &g_operator;
}
