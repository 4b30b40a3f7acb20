// Fields as data: a structure's dump written as its list of members, one short line each.
//
//   TW_FIELDS(4, 15);                        // this block's labels: 4 columns in, 15 wide
//   TW_FIELD(pIdentity, ProtocolMajor, "%d") // "    ProtocolMajor   = [%d]\r\n"
//
// The member is named once: its name is the label, padded to the block's width, and the value
// is read through it; the line ends in "\r\n". A member that is an array is shown element by
// element, as many as its type holds, each labelled with its index ("Mix[0][2]"), or as one
// list. The line's format is built when the data source is compiled and written by the line
// formatter, as TW_LINE writes its literal.
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

// The columns a label takes on its line: an index's "%d" shows one digit (arrays here hold
// fewer than ten elements).
constexpr size_t ShownLength(const char* text) {
  size_t length = Length(text);
  for (size_t i = 0; text[i] != '\0'; ++i) {
    if (text[i] == '%' && text[i + 1] == 'd') --length;
  }
  return length;
}

template <typename Text>
inline constexpr auto kText = Text::Make();

// The texts of `Parts` (types with a static Text()) one after another.
template <typename... Parts>
struct Joined {
  static constexpr size_t kLength = (Length(Parts::Text()) + ... + 0);
  struct Chars {
    char text[kLength + 1] = {};
  };
  static constexpr Chars Make() {
    Chars out{};
    size_t at = 0;
    for (const char* part : {Parts::Text()...}) {
      for (size_t i = 0; part[i] != '\0'; ++i) out.text[at++] = part[i];
    }
    return out;
  }
  static constexpr const char* Text() { return kText<Joined>.text; }
};

template <char C>
struct Char {
  static constexpr char kText[2] = {C, '\0'};
  static constexpr const char* Text() { return kText; }
};

struct NoText {
  static constexpr const char* Text() { return ""; }
};
struct Index {
  static constexpr const char* Text() { return "[%d]"; }
};
struct Brackets {
  static constexpr const char* Text() { return "[]"; }
};
struct Comma {
  static constexpr const char* Text() { return ","; }
};
struct LineEnd {
  static constexpr const char* Text() { return "\r\n"; }
};
struct Equals {
  static constexpr const char* Text() { return " = "; }
};

// "<indent><label, padded><tail>".
template <typename Layout, typename Label, typename Tail>
struct FieldFormat {
  static constexpr size_t kShown = ShownLength(Label::Text());
  static constexpr size_t kPadding = kShown < Layout::kWidth ? Layout::kWidth - kShown : 0;
  struct Chars {
    char text[Layout::kIndent + Length(Label::Text()) + kPadding + Length(Tail::Text()) + 1] = {};
  };
  static constexpr Chars Make() {
    Chars out{};
    size_t at = 0;
    for (size_t i = 0; i < Layout::kIndent; ++i) out.text[at++] = ' ';
    for (const char* c = Label::Text(); *c != '\0'; ++c) out.text[at++] = *c;
    for (size_t i = 0; i < kPadding; ++i) out.text[at++] = ' ';
    for (const char* c = Tail::Text(); *c != '\0'; ++c) out.text[at++] = *c;
    return out;
  }
  static constexpr const char* Text() { return kText<FieldFormat>.text; }
};

template <typename Layout, typename Label, typename Tail>
constexpr FieldFormat<Layout, Label, Tail> Field(Label, Tail) {
  return {};
}

// " = <open><directive><close>\r\n".
template <char Open, char Close, typename Directive>
constexpr Joined<Equals, Char<Open>, Directive, Char<Close>, LineEnd> ValueTail(Directive) {
  return {};
}

// The common value tail, " = [<directive>]\r\n", named for macros whose arguments it is.
template <typename Directive>
constexpr auto BracketedValue(Directive directive) {
  return ValueTail<'[', ']'>(directive);
}

template <typename Label>
constexpr Joined<Label, Brackets> WithBrackets(Label) {
  return {};
}
template <typename Label>
constexpr Joined<Label, Index> Indexed(Label) {
  return {};
}
template <typename Label>
constexpr Joined<Label, Index, Index> Indexed2(Label) {
  return {};
}

// A structure member's label line and its structure's lines; for an array, each element's.
template <typename Layout, typename Label, typename Tail, typename Structure, typename Formatter>
void Nested(const DumpContext& context, Label label, Tail tail, const Structure* member,
            Formatter formatter) {
  AppendLine(context.out, Field<Layout>(label, tail));
  formatter(context, member);
}
template <typename Layout, typename Label, typename Tail, typename Structure, size_t N,
          typename Formatter>
void Nested(const DumpContext& context, Label label, Tail tail, const Structure (*member)[N],
            Formatter formatter) {
  for (size_t i = 0; i < N; ++i) {
    AppendLine(context.out, Field<Layout>(Indexed(label), tail), static_cast<int>(i));
    formatter(context, &(*member)[i]);
  }
}
// The same under a label of its own: no index is added.
template <typename Layout, typename Label, typename Tail, typename Structure, size_t N,
          typename Formatter>
void NestedUnder(const DumpContext& context, Label label, Tail tail, const Structure (*member)[N],
                 Formatter formatter) {
  for (size_t i = 0; i < N; ++i) {
    AppendLine(context.out, Field<Layout>(label, tail));
    formatter(context, &(*member)[i]);
  }
}

// One line per element, each labelled with its index.
template <typename Layout, typename Label, typename Tail, typename Item, size_t N, typename Convert>
void Each(OutText& out, Label label, Tail tail, const Item (*member)[N], Convert convert) {
  static_assert(N <= 10, "an index shows one digit");
  for (size_t i = 0; i < N; ++i) {
    AppendLine(out, Field<Layout>(Indexed(label), tail), static_cast<int>(i),
               convert((*member)[i]));
  }
}
template <typename Layout, typename Label, typename Tail, typename Item, size_t N, size_t M,
          typename Convert>
void Each(OutText& out, Label label, Tail tail, const Item (*member)[N][M], Convert convert) {
  static_assert(N <= 10 && M <= 10, "an index shows one digit");
  for (size_t i = 0; i < N; ++i) {
    for (size_t j = 0; j < M; ++j) {
      AppendLine(out, Field<Layout>(Indexed2(label), tail), static_cast<int>(i),
                 static_cast<int>(j), convert((*member)[i][j]));
    }
  }
}

// The elements on the label's line: "<label> = <open><item>,<item>,...<close>\r\n".
template <typename Layout, char Open, char Close, typename Label, typename Directive, typename Item,
          size_t N, typename Convert>
void List(OutText& out, Label label, Directive, const Item (*member)[N], Convert convert) {
  AppendLine(out, Field<Layout>(label, Joined<Equals, Char<Open>>{}));
  for (size_t i = 0; i + 1 < N; ++i)
    AppendLine(out, Joined<Directive, Comma>{}, convert((*member)[i]));
  AppendLine(out, Directive{}, convert((*member)[N - 1]));
  AppendLine(out, Joined<Char<Close>, LineEnd>{});
}

}  // namespace dump_fields

#define TW_FIELDS(indent, width) using TwFieldLayout = dump_fields::Layout<indent, width>

// The line of the field labelled `label` (a TW_LINE_FORMAT) with `tail` after it.
#define TW_FIELD_LABEL_LINE(label, tail, ...) \
  AppendLine(context.out,                     \
             dump_fields::Field<TwFieldLayout>(label, tail) __VA_OPT__(TW_PASS_ALL(__VA_ARGS__)))
// The format of `member`'s line: its value shown by `directive` between `open` and `close`.
#define TW_FIELD_FORMAT(open, directive, close, member) \
  dump_fields::Field<TwFieldLayout>(                    \
      TW_LINE_FORMAT(#member), dump_fields::ValueTail<open, close>(TW_LINE_FORMAT(directive)))
#define TW_FIELD_LINE(open, directive, close, member, ...) \
  AppendLine(context.out,                                  \
             TW_FIELD_FORMAT(open, directive, close, member) __VA_OPT__(TW_PASS_ALL(__VA_ARGS__)))

// The member as the directive shows it, or as `convert` makes it.
#define TW_FIELD(p, member, directive) TW_FIELD_LINE('[', directive, ']', member, (p)->member)
#define TW_FIELD_AS(p, member, directive, convert) \
  TW_FIELD_LINE('[', directive, ']', member, convert((p)->member))
// A member whose value is not read through it, but given.
#define TW_FIELD_SHOWN(member, directive, value) TW_FIELD_LINE('[', directive, ']', member, value)
// The same under the label `label` that stored logs give the member.
#define TW_FIELD_LABELLED(p, member, label, directive, convert)               \
  TW_FIELD_LABEL_LINE(TW_LINE_FORMAT(label),                                  \
                      dump_fields::BracketedValue(TW_LINE_FORMAT(directive)), \
                      convert((p)->member))
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

// A member whose own structure's lines follow, written by `formatter`: "<label> =\r\n" and its
// structure, for an array each element's. The _ENDING form ends the label's line as stored
// logs do; the _LABELLED one gives the member the label stored logs give it.
#define TW_FIELD_STRUCT(p, member, formatter) TW_FIELD_STRUCT_ENDING(p, member, " =\r\n", formatter)
#define TW_FIELD_STRUCT_ENDING(p, member, ending, formatter)                                   \
  dump_fields::Nested<TwFieldLayout>(context, TW_LINE_FORMAT(#member), TW_LINE_FORMAT(ending), \
                                     &(p)->member, formatter)
#define TW_FIELD_STRUCT_LABELLED(p, member, label, formatter)             \
  dump_fields::NestedUnder<TwFieldLayout>(context, TW_LINE_FORMAT(label), \
                                          TW_LINE_FORMAT(" =\r\n"), &(p)->member, formatter)

// An array member, one line per element: "<label>[i] = [<value>]\r\n".
#define TW_FIELD_EACH(p, member, directive, convert)                                       \
  dump_fields::Each<TwFieldLayout>(context.out, TW_LINE_FORMAT(#member),                   \
                                   dump_fields::BracketedValue(TW_LINE_FORMAT(directive)), \
                                   &(p)->member, convert)
// An array member on one line: "<label>[] = {<item>,<item>,...}\r\n"; the _LABELLED form under
// the label stored logs give it.
#define TW_FIELD_LIST(p, member, directive)                                                       \
  dump_fields::List<TwFieldLayout, '{', '}'>(                                                     \
      context.out, dump_fields::WithBrackets(TW_LINE_FORMAT(#member)), TW_LINE_FORMAT(directive), \
      &(p)->member, [](auto item) { return item; })
#define TW_FIELD_LIST_LABELLED(p, member, label, directive)                           \
  dump_fields::List<TwFieldLayout, '{', '}'>(context.out, TW_LINE_FORMAT(label),      \
                                             TW_LINE_FORMAT(directive), &(p)->member, \
                                             [](auto item) { return item; })
// A matrix of fixed-point numbers on one line: "<label> = <open><x>,<x>,...<close>\r\n".
#define TW_FIELD_MATRIX(p, member, open, close)  \
  dump_fields::List<TwFieldLayout, open, close>( \
      context.out, TW_LINE_FORMAT(#member), TW_LINE_FORMAT("%.3f"), &(p)->member, ToFix32Number)
