#include "replay/call_input.h"

#include <cstdlib>
#include <cstring>
#include <optional>
#include <vector>

#include "common/host_memory.h"
#include "common/twain_values.h"
#include "replay/dump_values.h"
#include "twaintrace/log_format.h"
#include "twaintrace/twain_items.h"

namespace replay {

namespace {

// Room for any structure a data source fills: more than the largest of the standard's and the
// vendor's, so that a source writing its whole structure stays inside.
constexpr size_t kSourceFilledSize = 16384;
// The platform event an application's event loop hands over; the source only reads it.
constexpr size_t kPlatformEventSize = 64;
// A later standard's set that also narrows the values offered: "MSG_SETCONSTRAINT" in a log of
// the build for any source, "ERROR!(12)" in the vendor's.
constexpr TW_UINT16 kSetConstraint = twain25::MSG_SETCONSTRAINT;

unsigned char* ZeroedBytes(size_t size) {
  return static_cast<unsigned char*>(calloc(size == 0 ? 1 : size, 1));
}

// A field of the dump that must be there for the input to be made; the reason when it is not.
class FieldReader {
 public:
  explicit FieldReader(const log_reader::Triplet& entry) : entry_(entry) {}

  template <typename Parse>
  auto Read(std::string_view key, Parse parse) -> decltype(parse(std::string_view())) {
    if (!entry_.HasField(key)) {
      Fail(key);
      return std::nullopt;
    }
    auto value = parse(entry_.Field(key));
    if (!value) Fail(key);
    return value;
  }
  std::optional<int64_t> Integer(std::string_view key) { return Read(key, IntegerValue); }
  std::optional<TW_FIX32> Fix32(std::string_view key) { return Read(key, Fix32Value); }
  std::optional<bool> Bool(std::string_view key) { return Read(key, BoolValue); }
  bool Text(std::string_view key, char* field, size_t size) {
    if (!entry_.HasField(key) || entry_.Field(key).size() >= size) {
      Fail(key);
      return false;
    }
    std::string_view text = entry_.Field(key);
    memset(field, 0, size);
    memcpy(field, text.data(), text.size());
    return true;
  }

  bool Ok() const { return missing_.empty(); }
  std::string Reason() const { return "the dump does not show " + missing_ + " readably"; }

 private:
  void Fail(std::string_view key) {
    if (missing_.empty()) missing_ = std::string(key);
  }

  const log_reader::Triplet& entry_;
  std::string missing_;
};

// A field of a packed structure may lie at any even offset: its bytes are stored, never through
// a pointer of its own type.
template <typename T, typename V>
bool Assign(T* field, const std::optional<V>& value) {
  if (!value) return false;
  T converted = static_cast<T>(*value);
  memcpy(static_cast<void*>(field), &converted, sizeof(T));
  return true;
}

bool ReadIdentity(const log_reader::Triplet& entry, TW_IDENTITY* identity, std::string* reason) {
  FieldReader read(entry);
  if (auto id = read.Integer("Id")) identity->Id = IdentityIdFrom(static_cast<uintptr_t>(*id));
  Assign(&identity->Version.MajorNum, read.Integer("MajorNum"));
  Assign(&identity->Version.MinorNum, read.Integer("MinorNum"));
  Assign(&identity->Version.Language, read.Read("Language", LanguageValue));
  Assign(&identity->Version.Country, read.Read("Country", CountryValue));
  read.Text("Info", identity->Version.Info, sizeof(identity->Version.Info));
  Assign(&identity->ProtocolMajor, read.Integer("ProtocolMajor"));
  Assign(&identity->ProtocolMinor, read.Integer("ProtocolMinor"));
  Assign(&identity->SupportedGroups, read.Integer("SupportedGroups"));
  read.Text("Manufacturer", identity->Manufacturer, sizeof(identity->Manufacturer));
  read.Text("ProductFamily", identity->ProductFamily, sizeof(identity->ProductFamily));
  read.Text("ProductName", identity->ProductName, sizeof(identity->ProductName));
  if (!read.Ok()) *reason = read.Reason();
  return read.Ok();
}

bool ReadUserInterface(const log_reader::Triplet& entry, TW_USERINTERFACE* ui,
                       std::string* reason) {
  FieldReader read(entry);
  Assign(&ui->ShowUI, read.Bool("ShowUI"));
  Assign(&ui->ModalUI, read.Bool("ModalUI"));
  if (!read.Ok()) *reason = read.Reason();
  return read.Ok();
}

bool ReadImageLayout(const log_reader::Triplet& entry, TW_IMAGELAYOUT* layout,
                     std::string* reason) {
  FieldReader read(entry);
  Assign(&layout->Frame.Left, read.Fix32("Left"));
  Assign(&layout->Frame.Top, read.Fix32("Top"));
  Assign(&layout->Frame.Right, read.Fix32("Right"));
  Assign(&layout->Frame.Bottom, read.Fix32("Bottom"));
  Assign(&layout->DocumentNumber, read.Integer("DocumentNumber"));
  Assign(&layout->PageNumber, read.Integer("PageNumber"));
  Assign(&layout->FrameNumber, read.Integer("FrameNumber"));
  if (!read.Ok()) *reason = read.Reason();
  return read.Ok();
}

bool ReadSetupFileXfer(const log_reader::Triplet& entry, TW_SETUPFILEXFER* setup,
                       std::string* reason) {
  FieldReader read(entry);
  read.Text("FileName", setup->FileName, sizeof(setup->FileName));
  Assign(&setup->Format, read.Read("Format", FileFormatValue));
  Assign(&setup->VRefNum, read.Integer("VRefNum"));
  if (!read.Ok()) *reason = read.Reason();
  return read.Ok();
}

// The application names the information it asks for; the tracer shows only the first item.
bool ReadInformationRequest(const log_reader::Triplet& entry, TW_EXTIMAGEINFO* request,
                            std::string* reason) {
  FieldReader read(entry);
  std::optional<int64_t> count = read.Integer("NumInfos");
  std::optional<int64_t> id = read.Integer("InfoID");
  if (!read.Ok()) {
    *reason = read.Reason();
    return false;
  }
  if (*count != 1) {
    *reason = "the log shows only the first of the " + std::to_string(*count) + " items asked for";
    return false;
  }
  request->NumInfos = 1;
  request->Info[0].InfoID = static_cast<TW_UINT16>(*id);
  return true;
}

// The buffer of a memory transfer: the size and kind the entry shows, owned by the application.
bool ReadMemoryBuffer(const log_reader::Triplet& entry, CallInput* input, std::string* reason) {
  FieldReader read(entry);
  std::optional<int64_t> flags = read.Read("Flags", HexValue);
  std::optional<int64_t> length = read.Integer("Length");
  if (!read.Ok()) {
    *reason = read.Reason();
    return false;
  }
  if (*length < 0 || *length > 0x7FFFFFFF) {
    *reason = "the transfer buffer's length is out of range";
    return false;
  }
  TW_MEMORY& memory = input->As<TW_IMAGEMEMXFER>()->Memory;
  memory.Flags = static_cast<TW_UINT32>(*flags);
  memory.Length = static_cast<TW_UINT32>(*length);
  if ((memory.Flags & TWMF_HANDLE) != 0) {
    TW_HANDLE handle = HostMemory::Allocate(memory.Length);
    if (handle == nullptr && memory.Length != 0) {
      *reason = "no memory for the transfer buffer";
      return false;
    }
    input->Own(handle);
    memory.TheMem = handle;
  } else {
    input->OwnBuffer(memory.Length);
    memory.TheMem = input->Buffer();
  }
  return true;
}

// The container of a capability set, as the dump shows it; its bytes laid out as this build's
// interface lays out the container.
bool ContainerBytes(const log_reader::Triplet& entry, TW_UINT16 cap, TW_UINT16 conType,
                    std::vector<unsigned char>* bytes, std::string* reason) {
  FieldReader read(entry);
  std::optional<int64_t> itemType = read.Read("ItemType", ItemTypeValue);
  if (!itemType) {
    *reason = read.Reason();
    return false;
  }
  const TW_UINT16 type = static_cast<TW_UINT16>(*itemType);
  const size_t itemSize = TwainItemSize(type);
  if (itemSize == 0) {
    *reason = "the container's item type has no known size";
    return false;
  }
  unsigned char item[sizeof(TW_STR255)];
  auto itemFrom = [&](std::string_view key, unsigned char* at) {
    if (!entry.HasField(key) || !ParseItem(cap, type, entry.Field(key), item)) {
      *reason = "the dump does not show " + std::string(key) + " readably";
      return false;
    }
    memcpy(at, item, itemSize);
    return true;
  };
  auto listFrom = [&](size_t offset) {
    std::optional<int64_t> count = read.Integer("NumItems");
    if (!count || *count < 0 || static_cast<size_t>(*count) != entry.items.size()) {
      *reason = "the dump does not show the container's items whole";
      return false;
    }
    bytes->assign(offset + entry.items.size() * itemSize, 0);
    for (size_t i = 0; i < entry.items.size(); ++i) {
      if (!ParseItem(cap, type, entry.items[i].text, item)) {
        *reason = "item " + std::to_string(i) + " cannot be read back";
        return false;
      }
      memcpy(bytes->data() + offset + i * itemSize, item, itemSize);
    }
    return true;
  };
  switch (conType) {
    case TWON_ONEVALUE: {
      size_t offset = offsetof(TW_ONEVALUE, Item);
      bytes->assign(std::max(sizeof(TW_ONEVALUE), offset + itemSize), 0);
      memcpy(bytes->data(), &type, sizeof(type));
      return itemFrom("Item", bytes->data() + offset);
    }
    case TWON_RANGE: {
      TW_RANGE range{};
      range.ItemType = type;
      bytes->assign(sizeof(TW_RANGE), 0);
      memcpy(bytes->data(), &range, sizeof(range));
      return itemSize <= sizeof(TW_UINT32) &&
             itemFrom("MinValue", bytes->data() + offsetof(TW_RANGE, MinValue)) &&
             itemFrom("MaxValue", bytes->data() + offsetof(TW_RANGE, MaxValue)) &&
             itemFrom("StepSize", bytes->data() + offsetof(TW_RANGE, StepSize)) &&
             itemFrom("DefaultValue", bytes->data() + offsetof(TW_RANGE, DefaultValue)) &&
             itemFrom("CurrentValue", bytes->data() + offsetof(TW_RANGE, CurrentValue));
    }
    case TWON_ENUMERATION: {
      if (!listFrom(offsetof(TW_ENUMERATION, ItemList))) return false;
      TW_ENUMERATION header{};
      header.ItemType = type;
      header.NumItems = static_cast<TW_UINT32>(entry.items.size());
      if (!Assign(&header.CurrentIndex, read.Integer("CurrentIndex")) ||
          !Assign(&header.DefaultIndex, read.Integer("DefaultIndex"))) {
        *reason = read.Reason();
        return false;
      }
      memcpy(bytes->data(), &header, offsetof(TW_ENUMERATION, ItemList));
      return true;
    }
    case TWON_ARRAY: {
      if (!listFrom(offsetof(TW_ARRAY, ItemList))) return false;
      TW_ARRAY header{};
      header.ItemType = type;
      header.NumItems = static_cast<TW_UINT32>(entry.items.size());
      memcpy(bytes->data(), &header, offsetof(TW_ARRAY, ItemList));
      return true;
    }
    default:
      *reason = "the container type cannot be made";
      return false;
  }
}

bool ReadCapability(const log_reader::Triplet& entry, CallInput* input, std::string* reason) {
  std::string_view capText = entry.HasField("Cap") ? entry.Field("Cap") : entry.capability;
  std::optional<int64_t> cap = CapabilityValue(capText);
  if (!cap) {
    *reason = "the capability is not named readably";
    return false;
  }
  TW_CAPABILITY* capability = input->As<TW_CAPABILITY>();
  capability->Cap = static_cast<TW_UINT16>(*cap);
  capability->ConType = TWON_DONTCARE16;
  if (input->Message() != MSG_SET && input->Message() != kSetConstraint) return true;
  if (entry.Failed()) {
    // The tracer shows no container for a call that failed.
    *reason = "the log does not show the container of a failed set";
    return false;
  }

  std::optional<int64_t> conType = ContainerTypeValue(entry.Field("ConType"));
  if (!conType) {
    *reason = "the dump does not show ConType readably";
    return false;
  }
  std::vector<unsigned char> bytes;
  if (!ContainerBytes(entry, capability->Cap, static_cast<TW_UINT16>(*conType), &bytes, reason)) {
    return false;
  }
  TW_HANDLE container = HostMemory::Allocate(static_cast<TW_UINT32>(bytes.size()));
  if (container == nullptr) {
    *reason = "no memory for the container";
    return false;
  }
  memcpy(HostMemory::Lock(container), bytes.data(), bytes.size());
  HostMemory::Unlock(container);
  input->Own(container);
  capability->ConType = static_cast<TW_UINT16>(*conType);
  capability->hContainer = container;
  return true;
}

bool IsSet(TW_UINT16 msg) {
  return msg == MSG_SET || msg == kSetConstraint;
}

std::string Unsupported(const log_reader::Triplet& entry) {
  return "making " + std::string(entry.argumentType) + "/" + std::string(entry.message) +
         " from the log is not supported";
}

// Fills what the application fills; false, with the reason, when the entry cannot give it.
bool FillApplicationPart(const log_reader::Triplet& entry, CallInput* input, std::string* reason) {
  const TW_UINT16 dat = input->ArgumentType();
  const TW_UINT16 msg = input->Message();
  switch (dat) {
    case DAT_CAPABILITY:
      return ReadCapability(entry, input, reason);
    case DAT_IDENTITY:
      if (msg == MSG_OPENDS || msg == MSG_CLOSEDS) {
        return ReadIdentity(entry, input->As<TW_IDENTITY>(), reason);
      }
      return true;
    case DAT_USERINTERFACE:
      return ReadUserInterface(entry, input->As<TW_USERINTERFACE>(), reason);
    case DAT_IMAGELAYOUT:
      return !IsSet(msg) || ReadImageLayout(entry, input->As<TW_IMAGELAYOUT>(), reason);
    case DAT_SETUPFILEXFER:
      return !IsSet(msg) || ReadSetupFileXfer(entry, input->As<TW_SETUPFILEXFER>(), reason);
    case DAT_IMAGEMEMXFER:
      return ReadMemoryBuffer(entry, input, reason);
    case DAT_EVENT:
      input->OwnBuffer(kPlatformEventSize);
      input->As<TW_EVENT>()->pEvent = input->Buffer();
      if (msg == MSG_PROCESSEVENT) input->SetKind(CallKind::kEventLoop);
      return true;
    case DAT_ENTRYPOINT:
      input->SetKind(CallKind::kEntryPoints);
      return true;
    case DAT_PALETTE8:
      if (IsSet(msg)) *reason = "the log does not show the palette's colours";
      return !IsSet(msg);
    case DAT_GRAYRESPONSE:
    case DAT_RGBRESPONSE:
      if (IsSet(msg)) *reason = "the log shows only the first element of the response";
      return !IsSet(msg);
    case DAT_EXTIMAGEINFO:
      return ReadInformationRequest(entry, input->As<TW_EXTIMAGEINFO>(), reason);
    default:
      // Structures the application fills for a set, which the replay does not make.
      if (IsSet(msg)) *reason = Unsupported(entry);
      return !IsSet(msg);
  }
}

std::optional<std::string> SkipReason(const log_reader::Triplet& entry, bool lastEntry) {
  if (entry.cut) return "cut at " + std::to_string(log_format::kParameterTextLimit) + " bytes";
  if (!entry.hasResult || !entry.Complete()) {
    return std::string(lastEntry ? "the log ends inside the entry" : "the entry is incomplete");
  }
  if (!entry.hasHeader && !entry.HasBlock("TW_EVENT")) {
    return std::string("an entry without header that is no event");
  }
  return std::nullopt;
}

}  // namespace

CallInput::CallInput(TW_UINT32 dg, TW_UINT16 dat, TW_UINT16 msg, size_t dataSize)
    : dg_(dg), dat_(dat), msg_(msg), data_(ZeroedBytes(dataSize)) {}

CallInput::CallInput(CallInput&& other) noexcept
    : dg_(other.dg_),
      dat_(other.dat_),
      msg_(other.msg_),
      kind_(other.kind_),
      data_(std::move(other.data_)),
      buffer_(std::move(other.buffer_)),
      ownHandle_(other.ownHandle_) {
  other.ownHandle_ = nullptr;
}

CallInput::~CallInput() {
  FreeReturnedMemory();
  HostMemory::Free(ownHandle_);
}

void CallInput::FreeBytes::operator()(unsigned char* bytes) const {
  free(bytes);
}

void CallInput::OwnBuffer(size_t size) {
  buffer_.reset(ZeroedBytes(size));
}

// What a source hands back to the application, which frees it: a container, a native image.
void CallInput::FreeReturnedMemory() {
  if (!data_) return;
  if (dat_ == DAT_CAPABILITY) {
    TW_HANDLE container = As<TW_CAPABILITY>()->hContainer;
    if (container != ownHandle_) HostMemory::Free(container);
  } else if (dat_ == DAT_IMAGENATIVEXFER) {
    HostMemory::Free(*As<TW_HANDLE>());
  }
}

Rebuilt RebuildCall(const log_reader::Triplet& entry, bool lastEntry) {
  if (std::optional<std::string> reason = SkipReason(entry, lastEntry)) return *reason;
  // Only an event loop's call is logged without header.
  std::optional<int64_t> dg = entry.hasHeader ? DataGroupValue(entry.group) : DG_CONTROL;
  std::optional<int64_t> dat = entry.hasHeader ? ArgumentTypeValue(entry.argumentType) : DAT_EVENT;
  std::optional<int64_t> msg = entry.hasHeader ? MessageValue(entry.message) : MSG_PROCESSEVENT;
  if (!dg || !dat || !msg) return std::string("the header's names cannot be read");
  if (!IsKnownArgumentType(*dat)) {
    return "unknown data argument type " + std::string(entry.argumentType);
  }
  CallInput input(static_cast<TW_UINT32>(*dg), static_cast<TW_UINT16>(*dat),
                  static_cast<TW_UINT16>(*msg), kSourceFilledSize);
  std::string reason;
  if (!FillApplicationPart(entry, &input, &reason)) return reason;
  if (entry.dataPointer == "0x00000000" && input.Kind() != CallKind::kEntryPoints) {
    input.SendNull();
  }
  return Rebuilt(std::move(input));
}

}  // namespace replay
