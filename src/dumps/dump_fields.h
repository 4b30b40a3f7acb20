// Fields as data: a structure's dump written as its list of members, one short line each.
//
//   TW_FIELDS(4, 15);                        // this block's labels: 4 columns in, 15 wide
//   TW_FIELD(pIdentity, ProtocolMajor, "%d") // "    ProtocolMajor   = [%d]\r\n"
//
// The member is named once: its name is the label, padded to the block's width, and the value
// is read through it; the line ends in "\r\n". The line's format is built when the data source
// is compiled and written by the line formatter, as TW_LINE writes its literal.
#pragma once

#include <cstddef>

#include "dumps/dump_conventions.h"
#include "dumps/dump_line.h"

namespace dump_fields {

template <size_t Indent, size_t Width>
struct Layout {
  static constexpr size_t kIndent = Indent;
  static constexpr size_t kWidth = Width;
};

constexpr size_t Length(const char* text) {
  size_t length = 0;
  while (text[length] != '\0') ++length;
  return length;
}

// "<indent><label, padded> = <open><directive><close>\r\n"; with no directive, a member whose
// structure follows on lines of its own: "<indent><label, padded> =\r\n".
template <typename Layout, typename Label, typename Value, char Open, char Close>
struct FieldFormat {
  static constexpr size_t kLabelLength = Length(Label::Text());
  static constexpr size_t kPadded = kLabelLength < Layout::kWidth ? Layout::kWidth : kLabelLength;
  static constexpr size_t kValueLength = Length(Value::Text());
  static constexpr size_t kValuePart = kValueLength == 0 ? 0 : 1 + 1 + kValueLength + 1;
  static constexpr size_t kSize = Layout::kIndent + kPadded + 2 + kValuePart + 2 + 1;

  struct Chars {
    char text[kSize] = {};
  };
  static constexpr Chars Make() {
    Chars out{};
    size_t at = 0;
    for (size_t i = 0; i < Layout::kIndent; ++i) out.text[at++] = ' ';
    for (size_t i = 0; i < kLabelLength; ++i) out.text[at++] = Label::Text()[i];
    for (size_t i = kLabelLength; i < kPadded; ++i) out.text[at++] = ' ';
    out.text[at++] = ' ';
    out.text[at++] = '=';
    if (kValueLength != 0) {
      out.text[at++] = ' ';
      out.text[at++] = Open;
      for (size_t i = 0; i < kValueLength; ++i) out.text[at++] = Value::Text()[i];
      out.text[at++] = Close;
    }
    out.text[at++] = '\r';
    out.text[at++] = '\n';
    return out;
  }
  static constexpr const char* Text();
};

template <typename Format>
inline constexpr auto kFieldText = Format::Make();

template <typename Layout, typename Label, typename Value, char Open, char Close>
constexpr const char* FieldFormat<Layout, Label, Value, Open, Close>::Text() {
  return kFieldText<FieldFormat>.text;
}

template <typename Layout, char Open, char Close, typename Label, typename Value>
constexpr FieldFormat<Layout, Label, Value, Open, Close> Field(Label, Value) {
  return {};
}

}  // namespace dump_fields

#define TW_FIELDS(indent, width) using TwFieldLayout = dump_fields::Layout<indent, width>

#define TW_FIELD_LINE(open, directive, close, member, ...)                        \
  AppendLine(context.out, dump_fields::Field<TwFieldLayout, open, close>(         \
                              TW_LINE_FORMAT(#member), TW_LINE_FORMAT(directive)) \
                              __VA_OPT__(TW_PASS_ALL(__VA_ARGS__)))

// The member as the directive shows it, or as `convert` makes it.
#define TW_FIELD(p, member, directive) TW_FIELD_LINE('[', directive, ']', member, (p)->member)
#define TW_FIELD_AS(p, member, directive, convert) \
  TW_FIELD_LINE('[', directive, ']', member, convert((p)->member))
// The member's constant name from the given tables.
#define TW_FIELD_NAME(p, member, ...) \
  TW_FIELD_LINE('[', "%s", ']', member, Name(__VA_ARGS__, (p)->member))
#define TW_FIELD_U32(p, member) TW_FIELD_AS(p, member, "%ld", Uint32AsLong)
#define TW_FIELD_FIX32(p, member) TW_FIELD_AS(p, member, "%.3f", ToFix32Number)
#define TW_FIELD_BOOL(p, member) TW_FIELD_AS(p, member, "%s", BoolText)
#define TW_FIELD_TEXT(p, member) TW_FIELD_AS(p, member, "%s", FieldText)
#define TW_FIELD_POINTER(p, member) \
  TW_FIELD_LINE('<', "0x%08x", '>', member, PointerLow32((p)->member))
// A handle the maker's structures keep as a number.
#define TW_FIELD_HANDLE(p, member) TW_FIELD_LINE('<', "0x%08x", '>', member, (p)->member)
// A member whose own structure's lines follow.
#define TW_FIELD_NESTED(member) TW_FIELD_LINE('\0', "", '\0', member)
