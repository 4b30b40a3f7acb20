#include "log_reader/triplet_entry.h"

#include <cstdio>

#include "log_reader/line_patterns.h"
#include "log_reader/text_helpers.h"

namespace log_reader {

namespace {

// Text between a prefix and a closing character that ends the line, as in "pData   = <...>".
std::optional<std::string_view> Enclosed(std::string_view text, std::string_view prefix,
                                         std::string_view close) {
  if (!StartsWith(text, prefix) || !EndsWith(text, close)) return std::nullopt;
  return text.substr(prefix.size(), text.size() - prefix.size() - close.size());
}

void TakeHeader(const LogLine& line, Triplet* triplet) {
  std::optional<HeaderLine> header = ParseHeaderLine(line.text);
  if (!header) return;
  triplet->hasHeader = true;
  static_cast<HeaderLine&>(*triplet) = *header;
}

// The return-code and data-pointer lines open the parameter text; returns the lines used.
size_t TakeResultLines(const std::vector<LogLine>& body, Triplet* triplet) {
  size_t used = 0;
  std::optional<std::string_view> code;
  std::optional<std::string_view> pointer;
  if (used < body.size()) {
    code = Enclosed(body[used].text, kReturnCodePrefix, "]");
    if (code) ++used;
  }
  if (used < body.size()) {
    pointer = Enclosed(body[used].text, kDataPointerPrefix, ">");
    if (pointer) ++used;
  }
  triplet->hasResult = code && pointer;
  if (code) triplet->returnCode = *code;
  if (pointer) triplet->dataPointer = *pointer;
  return used;
}

class DumpReader {
 public:
  explicit DumpReader(Triplet* triplet) : triplet_(triplet) {}

  // False when the line fits none of the dump's forms.
  bool Read(std::string_view text) {
    if (text.empty() || (text.front() != ' ' && text.front() != '}')) return false;
    std::string_view trimmed = TrimSpaces(text);
    if (inItemList_) return ReadListLine(trimmed);
    if (trimmed == "}") return true;
    size_t equals = trimmed.find('=');
    if (equals == std::string_view::npos || equals == 0) return false;
    std::string_view key = TrimSpaces(trimmed.substr(0, equals));
    std::string_view value = TrimSpaces(trimmed.substr(equals + 1));
    if (value == "{") return OpenBlock(key);
    // A memory block's label shares its line with the nested dump's header:
    // "QuantTable[0]   = {    TW_MEMORY = {".
    if (StartsWith(value, "{") && EndsWith(value, "= {") && value.size() > 4) {
      return OpenBlock(TrimSpaces(value.substr(1, value.size() - 4)));
    }
    if (!value.empty()) triplet_->fields.push_back(DumpField{key, Unbracket(value)});
    return true;
  }

 private:
  bool OpenBlock(std::string_view name) {
    if (name == "ItemList") {
      inItemList_ = true;
    } else {
      triplet_->blocks.push_back(name);
    }
    return true;
  }

  bool ReadListLine(std::string_view trimmed) {
    if (trimmed == "}") {
      inItemList_ = false;
      return true;
    }
    size_t colon = trimmed.find(':');
    if (colon == std::string_view::npos) return false;
    std::optional<long long> index = ParseInteger(trimmed.substr(0, colon));
    if (!index) return false;
    triplet_->items.push_back(ListItem{*index, trimmed.substr(colon + 1)});
    return true;
  }

  static std::string_view Unbracket(std::string_view value) {
    if (value.size() >= 2 && value.front() == '[' && value.back() == ']') {
      return value.substr(1, value.size() - 2);
    }
    return value;
  }

  Triplet* triplet_;
  bool inItemList_ = false;
};

// Every item but the list's last carries a comma; the count says which is the last.
void DropItemSeparators(Triplet* triplet) {
  std::optional<long long> count = ParseInteger(triplet->Field("NumItems"));
  for (size_t i = 0; i < triplet->items.size(); ++i) {
    ListItem& item = triplet->items[i];
    bool last = count ? item.index + 1 >= *count : i + 1 == triplet->items.size();
    if (!last && EndsWith(item.text, ",")) item.text.remove_suffix(1);
  }
}

bool TakeStateLine(std::string_view text, Triplet* triplet) {
  std::optional<std::string_view> state = Enclosed(text, kStatePrefix, "]");
  std::optional<long long> value = state ? ParseInteger(*state) : std::nullopt;
  if (!value) return false;
  triplet->state = static_cast<int>(*value);
  return true;
}

bool IsLastPartialLine(const RawEntry& entry, size_t index) {
  return index + 1 == entry.body.size() && entry.body[index].end == LineEnd::kNone;
}

void TakeParameterText(const RawEntry& entry, Triplet* triplet) {
  size_t first = TakeResultLines(entry.body, triplet);
  DumpReader dump(triplet);
  for (size_t i = first; i < entry.body.size(); ++i) {
    const LogLine& line = entry.body[i];
    bool partial = IsLastPartialLine(entry, i);
    bool fits;
    if (line.end == LineEnd::kLf) {
      fits = false;  // the tracer ends every line with CR LF
    } else if (line.text.empty()) {
      fits = true;  // the blank line before the state line
    } else if (StartsWith(line.text, kStatePrefix)) {
      fits = TakeStateLine(line.text, triplet);
    } else {
      fits = dump.Read(line.text) || partial;
    }
    if (!fits) triplet->malformed.push_back(line);
  }
  DropItemSeparators(triplet);
}

}  // namespace

bool Triplet::Failed() const {
  return hasResult && returnCode == kFailureCode;
}

bool Triplet::Complete() const {
  return state.has_value() || cut || (Failed() && errorStatus);
}

std::string_view Triplet::Field(std::string_view key) const {
  for (const DumpField& field : fields) {
    if (field.key == key) return field.value;
  }
  return {};
}

bool Triplet::HasField(std::string_view key) const {
  for (const DumpField& field : fields) {
    if (field.key == key) return true;
  }
  return false;
}

bool Triplet::HasBlock(std::string_view name) const {
  for (std::string_view block : blocks) {
    if (block == name) return true;
  }
  return false;
}

void ParseTriplet(const RawEntry& entry, size_t ordinal, Triplet* triplet) {
  // The lists keep their storage: a log of millions of entries is read without an allocation
  // per entry.
  std::vector<DumpField> fields = std::move(triplet->fields);
  std::vector<std::string_view> blocks = std::move(triplet->blocks);
  std::vector<ListItem> items = std::move(triplet->items);
  std::vector<LogLine> malformed = std::move(triplet->malformed);
  fields.clear();
  blocks.clear();
  items.clear();
  malformed.clear();
  *triplet = Triplet{};
  triplet->fields = std::move(fields);
  triplet->blocks = std::move(blocks);
  triplet->items = std::move(items);
  triplet->malformed = std::move(malformed);
  triplet->ordinal = ordinal;
  triplet->firstLine = entry.firstLine;
  triplet->offset = entry.offset;
  triplet->raw = entry.raw;
  triplet->cut = entry.cut;
  triplet->cutAtLimit = entry.cutAtLimit;
  triplet->errorStatus = entry.errorStatusStart && entry.errorStatusEnd;
  if (entry.header) TakeHeader(*entry.header, triplet);
  if (entry.header && entry.header->end == LineEnd::kLf) {
    triplet->malformed.push_back(*entry.header);
  }
  TakeParameterText(entry, triplet);
  triplet->truncatedLine = !entry.cut && !EndsWith(entry.raw, "\n");
}

Triplet ParseTriplet(const RawEntry& entry, size_t ordinal) {
  Triplet triplet;
  ParseTriplet(entry, ordinal, &triplet);
  return triplet;
}

std::string TripletText(const Triplet& triplet) {
  if (!triplet.hasHeader) return "MSG_PROCESSEVENT (no header)";
  std::string text(triplet.group);
  text += '/';
  text += triplet.argumentType;
  text += '/';
  text += triplet.message;
  return text;
}

std::string SequenceText(const Triplet& triplet) {
  if (!triplet.hasHeader) return "-----";
  char text[32];
  snprintf(text, sizeof(text), "%05lld", triplet.sequence);
  return text;
}

}  // namespace log_reader
