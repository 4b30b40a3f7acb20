// One printf-style line appended to a text (TW_LINE in the analyzer, TW_FORMAT here), its format a
// literal that is read when the data source is compiled rather than on every call. A traced call
// formats dozens of lines; read at run time, their formats cost more than the log's writes.
//
// The text is the C library's, byte for byte. Directives: %s (and %.<n>s), %c, %d, %i, %u, %x,
// %X with the flags '-' and '0', a width and the length 'l'; %f with a precision; %%. A directive
// the formatter does not know, or an argument of a type its directive does not take, is a
// compile error, as -Wformat made it before. A TW_FIX32 given as its parts (ToFix32Number) is
// converted exactly here with up to four decimals; a double, a TW_FIX32 with more decimals, and
// a null %s go to the C library. A line that may not fit is written piece by piece with the
// same writers, each piece cut where the text ends.
//
// Included by the sources that write lines only: the macros are theirs.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <tuple>
#include <type_traits>
#include <utility>
#ifdef TWAINTRACE_CHECK_LINES
#include <string>
#endif

#include "text/name_text.h"
#include "text/out_text.h"
#include "text/value_text.h"

// A type that carries the literal `format`, for TW_LINE and for helpers that take a line's format.
#define TW_LINE_FORMAT(format)                               \
  [] {                                                       \
    struct LineFormat {                                      \
      static constexpr const char* Text() { return format; } \
    };                                                       \
    return LineFormat{};                                     \
  }()

// Each argument of a line as a copy of its value, so that no reference is ever bound to a
// field of the application's structure: with the Linux source manager's 2-byte packing a 32-bit
// field may lie at any even offset, and a reference to it would be a misaligned one. Text
// arrays stay arrays (their bytes have no alignment), so that their size still bounds them.
#define TW_PASS(argument) static_cast<line_format::Passed<decltype(argument)>>(argument)
#define TW_PASS_1(a) , TW_PASS(a)
#define TW_PASS_2(a, ...) , TW_PASS(a) TW_PASS_1(__VA_ARGS__)
#define TW_PASS_3(a, ...) , TW_PASS(a) TW_PASS_2(__VA_ARGS__)
#define TW_PASS_4(a, ...) , TW_PASS(a) TW_PASS_3(__VA_ARGS__)
#define TW_PASS_5(a, ...) , TW_PASS(a) TW_PASS_4(__VA_ARGS__)
#define TW_PASS_6(a, ...) , TW_PASS(a) TW_PASS_5(__VA_ARGS__)
#define TW_PASS_7(a, ...) , TW_PASS(a) TW_PASS_6(__VA_ARGS__)
#define TW_PASS_8(a, ...) , TW_PASS(a) TW_PASS_7(__VA_ARGS__)
#define TW_PASS_9(a, ...) , TW_PASS(a) TW_PASS_8(__VA_ARGS__)
#define TW_PASS_10(a, ...) , TW_PASS(a) TW_PASS_9(__VA_ARGS__)
#define TW_PASS_COUNT(...) TW_PASS_COUNT_(__VA_ARGS__, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1, 0)
#define TW_PASS_COUNT_(_1, _2, _3, _4, _5, _6, _7, _8, _9, _10, count, ...) count
#define TW_PASS_JOIN(a, b) TW_PASS_JOIN_(a, b)
#define TW_PASS_JOIN_(a, b) a##b
#define TW_PASS_ALL(...) TW_PASS_JOIN(TW_PASS_, TW_PASS_COUNT(__VA_ARGS__))(__VA_ARGS__)

// As snprintf(out, size, format, ...), for a literal format: a value's text on its own.
#define TW_FORMAT(out, size, format, ...) \
  line_format::FormatInto(out, size, TW_LINE_FORMAT(format) __VA_OPT__(TW_PASS_ALL(__VA_ARGS__)))
// The same, appended to the OutText `text`.
#define TW_APPEND(text, format, ...) \
  line_format::AppendTo(text, TW_LINE_FORMAT(format) __VA_OPT__(TW_PASS_ALL(__VA_ARGS__)))

namespace line_format {

// How TW_PASS hands an argument on: arrays by reference, everything else as a copy.
template <typename T>
using Passed = std::conditional_t<std::is_array_v<std::remove_reference_t<T>> ||
                                      std::is_same_v<std::decay_t<T>, ShownName>,
                                  const std::remove_reference_t<T>&, std::decay_t<T>>;

struct Directive {
  char conversion = '\0';  // '%' for "%%", which takes no argument
  bool leftAlign = false;
  bool zeroPad = false;
  bool isLong = false;
  size_t width = 0;
  int precision = -1;
  size_t argument = 0;  // index of the directive's argument
  size_t begin = 0;     // the directive's text in the format, from its '%'
  size_t end = 0;
};

// The format cut into literal runs and directives: run 0, directive 0, run 1, ..., run N.
template <size_t N>
struct Plan {
  size_t literalBegin[N + 1] = {};
  size_t literalLength[N + 1] = {};
  Directive directives[N + 1] = {};  // one spare, so that a plan may have no directive
  size_t argumentCount = 0;
};

constexpr bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

constexpr size_t DirectiveCount(const char* format) {
  size_t count = 0;
  for (size_t i = 0; format[i] != '\0'; ++i) {
    if (format[i] != '%') continue;
    ++count;
    if (format[i + 1] == '%') ++i;
  }
  return count;
}

// The directive whose '%' is at `format[at]`, its argument numbered `argument`: the one reading
// of a format, when the data source is compiled.
constexpr Directive ParseDirective(const char* format, size_t at, size_t argument) {
  Directive directive;
  directive.begin = at;
  size_t i = at + 1;
  if (format[i] == '%') {
    directive.conversion = '%';
    directive.end = i + 1;
    return directive;
  }
  for (;; ++i) {
    if (format[i] == '-') {
      directive.leftAlign = true;
    } else if (format[i] == '0') {
      directive.zeroPad = true;
    } else {
      break;
    }
  }
  while (IsDigit(format[i])) directive.width = directive.width * 10 + (format[i++] - '0');
  if (format[i] == '.') {
    directive.precision = 0;
    ++i;
    while (IsDigit(format[i])) directive.precision = directive.precision * 10 + (format[i++] - '0');
  }
  if (format[i] == 'l') {
    directive.isLong = true;
    ++i;
  }
  directive.conversion = format[i];
  if (format[i] != '\0') ++i;
  directive.argument = argument;
  directive.end = i;
  return directive;
}

template <size_t N>
constexpr Plan<N> MakePlan(const char* format) {
  Plan<N> plan{};
  size_t i = 0;
  size_t k = 0;
  size_t begin = 0;
  while (format[i] != '\0') {
    if (format[i] != '%') {
      ++i;
      continue;
    }
    plan.literalBegin[k] = begin;
    plan.literalLength[k] = i - begin;
    Directive directive = ParseDirective(format, i, plan.argumentCount);
    if (directive.conversion != '%') ++plan.argumentCount;
    i = directive.end;
    plan.directives[k++] = directive;
    begin = i;
  }
  plan.literalBegin[k] = begin;
  plan.literalLength[k] = i - begin;
  return plan;
}

template <typename Format>
inline constexpr auto kPlan = MakePlan<DirectiveCount(Format::Text())>(Format::Text());

// The widest field a directive may ask for, so that every number is built on the stack.
inline constexpr size_t kMaxWidth = 64;

constexpr bool Known(const Directive& d) {
  switch (d.conversion) {
    case '%':
      return true;
    case 's':
      return !d.zeroPad && !d.isLong && d.width <= kMaxWidth;
    case 'c':
      return !d.zeroPad && !d.isLong && d.precision < 0 && d.width <= kMaxWidth;
    case 'd':
    case 'i':
    case 'u':
    case 'x':
    case 'X':
      return d.precision < 0 && d.width <= kMaxWidth;
    case 'f':
      return !d.isLong && d.width <= kMaxWidth;
    default:
      return false;
  }
}

// What printf reads for an integer argument: the value after the default promotions, as int
// or long, signed or not.
template <typename T>
constexpr bool IsNarrowInteger() {
  using Promoted = decltype(+std::declval<T>());
  return std::is_integral_v<Promoted> && sizeof(Promoted) == sizeof(int);
}
template <typename T>
constexpr bool IsLongInteger() {
  using Promoted = decltype(+std::declval<T>());
  return std::is_integral_v<Promoted> && sizeof(Promoted) == sizeof(long);
}
template <typename T>
constexpr bool IsMeasured() {
  return std::is_same_v<std::decay_t<T>, NameText> || std::is_same_v<std::decay_t<T>, ShownName>;
}
template <typename T>
constexpr bool IsText() {
  using Decayed = std::decay_t<T>;
  return IsMeasured<T>() ||
         (std::is_pointer_v<Decayed> &&
          std::is_same_v<std::remove_cv_t<std::remove_pointer_t<Decayed>>, char>);
}

// A text argument's text: a measured one's as it is, any other a C string.
inline NameText Measured(const NameText& text) {
  return text;
}
inline NameText Measured(const ShownName& name) {
  return name.Text();
}
template <typename Arg>
const char* TextOf(const Arg& text) {
  if constexpr (IsMeasured<Arg>()) {
    return Measured(text).text;
  } else {
    return text;
  }
}

// The writers behind the directives, out of line: every dump runs them dozens of times. Each
// writes at `at`, which has room for kMostNumberBytes, and returns the end.
inline constexpr size_t kMostNumberBytes = kMaxWidth + 24;
inline constexpr int kMaxExactPrecision = 4;
// A directive with no width, the form of most lines.
char* WritePlainDecimal(char* at, long value);
// "%.3f" of a fixed-point value.
char* WritePlainFixedPoint3(char* at, Fix32Number value);
// Any other integer, character or fixed-point directive of a known form; `precision` is 0 to
// kMaxExactPrecision.
char* WriteSigned(char* at, const Directive& d, long value);
char* WriteUnsigned(char* at, const Directive& d, unsigned long value);
char* WriteCharacter(char* at, const Directive& d, char c);
char* WriteFixedPoint(char* at, const Directive& d, int precision, Fix32Number value);
// Text in a field of the directive's width; `at` has room for the field.
char* WritePadded(char* at, const Directive& d, const char* text, size_t length);

// GCC sees the word copies of a branch a short constant text never takes, and warns of them.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Warray-bounds"
#pragma GCC diagnostic ignored "-Wstringop-overread"
#endif
// `length` bytes of `text` at `at`. The names and texts of a line are mostly 4 to 32 bytes:
// they are moved as two overlapping words, never reading outside the text, rather than by a
// call.
inline void CopyText(char* at, const char* text, size_t length) {
  if (length > 32) {
    memcpy(at, text, length);
  } else if (length >= 16) {
    memcpy(at, text, 16);
    memcpy(at + length - 16, text + length - 16, 16);
  } else if (length >= 8) {
    memcpy(at, text, 8);
    memcpy(at + length - 8, text + length - 8, 8);
  } else if (length >= 4) {
    memcpy(at, text, 4);
    memcpy(at + length - 4, text + length - 4, 4);
  } else if (length != 0) {
    at[0] = text[0];
    at[length / 2] = text[length / 2];
    at[length - 1] = text[length - 1];
  }
}
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic pop
#endif

// A 32-bit value as exactly eight hexadecimal digits, the form of every handle and pointer.
inline char* WriteHex8(char* at, uint32_t value, bool upper) {
  const char* symbols = upper ? "0123456789ABCDEF" : "0123456789abcdef";
  for (int i = 7; i >= 0; --i, value >>= 4) at[i] = symbols[value & 0xF];
  return at + 8;
}

// A string's bytes up to its NUL; an array's never beyond its end. The texts of a line are
// mostly short and were written a moment before, byte by byte or by a copy: they are measured
// a byte at a time, since a wide read of bytes just stored waits for the stores.
inline constexpr size_t kNoLimit = PTRDIFF_MAX;

template <typename Arg>
size_t TextLength(const Arg& text, size_t limit) {
  if constexpr (std::is_array_v<Arg>) {
    if (sizeof(Arg) < limit) limit = sizeof(Arg);
  }
  size_t length = 0;
  while (length < limit && text[length] != '\0') ++length;
  return length;
}

// Bytes that no text of a directive exceeds, its strings apart, whose length is measured at
// the call; kUnbounded where the C library may write it.
inline constexpr size_t kUnbounded = SIZE_MAX / 8;

template <typename Format, size_t K, typename Arguments>
constexpr size_t MostBytes() {
  constexpr Directive d = kPlan<Format>.directives[K];
  static_assert(Known(d), "Line: a directive the line formatter does not know");
  if constexpr (d.conversion == '%') {
    return 1;
  } else {
    using Arg = std::tuple_element_t<d.argument, Arguments>;
    using Value = std::remove_cv_t<std::remove_reference_t<Arg>>;
    if constexpr (d.conversion == 's') {
      static_assert(IsText<Value>(), "Line: %s takes a char pointer or array");
      return d.width;
    } else if constexpr (d.conversion == 'f') {
      static_assert(std::is_same_v<Value, Fix32Number> ||
                        (std::is_floating_point_v<Value> && sizeof(Value) <= sizeof(double)),
                    "Line: %f takes a double");
      constexpr bool exact = d.precision >= 0 && d.precision <= kMaxExactPrecision;
      return std::is_same_v<Value, Fix32Number> && exact ? kMostNumberBytes : kUnbounded;
    } else if constexpr (d.conversion == 'c') {
      static_assert(IsNarrowInteger<Value>(), "Line: %c takes an int");
    } else if constexpr (d.isLong) {
      static_assert(IsLongInteger<Value>(), "Line: %ld, %lx and %lu take a long");
    } else {
      static_assert(IsNarrowInteger<Value>(), "Line: %d, %x and %u take an int");
    }
    return kMostNumberBytes;
  }
}

// The length of directive K's string, or 0 for another directive; kUnbounded for a null one,
// which the C library writes.
template <typename Format, size_t K, typename Arguments>
size_t TextBytes(const Arguments& arguments) {
  constexpr Directive d = kPlan<Format>.directives[K];
  if constexpr (d.conversion != 's') {
    return 0;
  } else {
    const auto& text = std::get<d.argument>(arguments);
    using Value = std::remove_cv_t<std::remove_reference_t<decltype(text)>>;
    constexpr size_t limit = d.precision >= 0 ? static_cast<size_t>(d.precision) : kNoLimit;
    if constexpr (IsMeasured<Value>()) {
      NameText measured = Measured(text);
      if (measured.text == nullptr) return kUnbounded;
      return measured.length < limit ? measured.length : limit;
    } else if constexpr (std::is_array_v<Value> && sizeof(Value) <= 16) {
      // The line ends, mostly: too short for a call.
      size_t length = 0;
      while (length < sizeof(Value) && length < limit && text[length] != '\0') ++length;
      return length;
    } else {
      if (static_cast<const char*>(text) == nullptr) return kUnbounded;
      return TextLength(text, limit);
    }
  }
}

template <typename Format, size_t K, typename Arg>
char* WriteArgument(char* at, const Arg& argument, size_t length) {
  constexpr Directive d = kPlan<Format>.directives[K];
  if constexpr (d.conversion == 's') {
    const char* text = TextOf(argument);
    if constexpr (d.width != 0) return WritePadded(at, d, text, length);
    if constexpr (std::is_array_v<Arg> && sizeof(Arg) <= 16) {
      for (size_t i = 0; i < length; ++i) at[i] = text[i];
    } else {
      CopyText(at, text, length);
    }
    return at + length;
  } else if constexpr (d.conversion == 'c') {
    return WriteCharacter(at, d, static_cast<char>(static_cast<int>(+argument)));
  } else if constexpr (d.conversion == 'd' || d.conversion == 'i') {
    long value = d.isLong ? static_cast<long>(+argument) : static_cast<int>(+argument);
    // Indices and counts are mostly one digit, in a field of a few.
    constexpr char kSpaces[] = "        ";
    constexpr char kZeros[] = "00000000";
    if constexpr (d.width < sizeof(kSpaces)) {
      if (value >= 0 && value < 10) {
        constexpr size_t padding = d.width > 1 ? d.width - 1 : 0;
        char digit = static_cast<char>('0' + value);
        if constexpr (d.leftAlign) {
          *at = digit;
          memcpy(at + 1, kSpaces, padding);
        } else {
          memcpy(at, d.zeroPad ? kZeros : kSpaces, padding);
          at[padding] = digit;
        }
        return at + padding + 1;
      }
    }
    if constexpr (d.width != 0) return WriteSigned(at, d, value);
    return WritePlainDecimal(at, value);
  } else if constexpr (d.conversion == 'u' || d.conversion == 'x' || d.conversion == 'X') {
    unsigned long value =
        d.isLong ? static_cast<unsigned long>(+argument) : static_cast<unsigned>(+argument);
    if constexpr (d.conversion != 'u' && !d.isLong && d.zeroPad && d.width == 8) {
      return WriteHex8(at, static_cast<uint32_t>(value), d.conversion == 'X');
    }
    return WriteUnsigned(at, d, value);
  } else {
    static_assert(d.conversion == 'f' && std::is_same_v<Arg, Fix32Number>);
    if constexpr (d.precision == 3 && d.width == 0) return WritePlainFixedPoint3(at, argument);
    return WriteFixedPoint(at, d, d.precision, argument);
  }
}

template <typename Format, size_t K, typename Arguments>
char* WritePiece(char* at, const Arguments& arguments, size_t length) {
  constexpr const auto& plan = kPlan<Format>;
  memcpy(at, Format::Text() + plan.literalBegin[K], plan.literalLength[K]);
  at += plan.literalLength[K];
  constexpr Directive d = plan.directives[K];
  if constexpr (d.conversion == '%') {
    *at = '%';
    return at + 1;
  } else {
    return WriteArgument<Format, K>(at, std::get<d.argument>(arguments), length);
  }
}

// The directives the line formatter does not write itself, by the C library, straight into the
// text: a null %s, and a %f of a double or of a precision beyond kMaxExactPrecision.
void PutByLibrary(OutText& out, const char* format, const Directive& d, const char* text);
void PutByLibrary(OutText& out, const char* format, const Directive& d, double value);

// Directive K of a line that may not fit, written by the same writer as on the line's fast
// path: in place when the text has room for the most it can take, else into a local copy that
// is cut where the text ends.
template <typename Format, size_t K, typename Arguments>
void PutArgumentCut(OutText& out, const Arguments& arguments) {
  constexpr Directive d = kPlan<Format>.directives[K];
  const auto& argument = std::get<d.argument>(arguments);
  if constexpr (MostBytes<Format, K, Arguments>() == kUnbounded) {
    return PutByLibrary(out, Format::Text(), d, static_cast<double>(argument));
  } else {
    size_t length = TextBytes<Format, K>(arguments);
    if constexpr (d.conversion == 's') {
      if (length == kUnbounded) return PutByLibrary(out, Format::Text(), d, TextOf(argument));
      // A text at least as long as its field is the whole piece, of any length: cut as it is.
      if (length >= d.width) return out.Put(TextOf(argument), length);
    }
    // Else the piece is at most a field's width or a number.
    constexpr size_t most = kMostNumberBytes;
    char* at = out.End();
    if (at != nullptr && most <= out.Room()) {
      return out.Commit(static_cast<size_t>(WriteArgument<Format, K>(at, argument, length) - at));
    }
    char local[most];
    out.Put(local, static_cast<size_t>(WriteArgument<Format, K>(local, argument, length) - local));
  }
}

template <typename Format, size_t K, typename Arguments>
void PutPieceCut(OutText& out, const Arguments& arguments) {
  constexpr const auto& plan = kPlan<Format>;
  out.Put(Format::Text() + plan.literalBegin[K], plan.literalLength[K]);
  if constexpr (plan.directives[K].conversion == '%') {
    out.Put("%", 1);
  } else {
    PutArgumentCut<Format, K>(out, arguments);
  }
}

// The line piece by piece, each cut where the text ends: for a line that may not fit, or that
// leaves a directive to the C library. Rare enough to be kept out of the way of the others.
template <typename Format, typename Arguments, size_t... K>
[[gnu::cold]] [[gnu::noinline]] void PutPiecesCut(OutText& out, const Arguments& arguments,
                                                  std::index_sequence<K...>) {
  constexpr const auto& plan = kPlan<Format>;
  constexpr size_t last = sizeof...(K);
  (PutPieceCut<Format, K>(out, arguments), ...);
  out.Put(Format::Text() + plan.literalBegin[last], plan.literalLength[last]);
}

// A line whose every directive has a bound is written in place, unchecked, when the text has
// room for the most it can take; one test per line rather than one per piece.
template <typename Format, typename Arguments, size_t... K>
void PutPieces(OutText& out, const Arguments& arguments, std::index_sequence<K...> pieces) {
  constexpr const auto& plan = kPlan<Format>;
  constexpr size_t last = sizeof...(K);
  constexpr size_t fixed = (plan.literalLength[last] + ... +
                            (plan.literalLength[K] + MostBytes<Format, K, Arguments>()));
  if constexpr (fixed < kUnbounded) {
    const size_t lengths[last + 1] = {TextBytes<Format, K>(arguments)..., 0};
    // Summed term by term, so that the lengths stay in registers: a loop over them is made a
    // vector load of values just stored one by one, which waits for the stores.
    const size_t texts = (lengths[K] + ... + 0);
    char* at = out.End();
    size_t room = out.Room();
    if (at != nullptr && fixed <= room && texts <= room - fixed) {
      char* start = at;
      ((at = WritePiece<Format, K>(at, arguments, lengths[K])), ...);
      memcpy(at, Format::Text() + plan.literalBegin[last], plan.literalLength[last]);
      at += plan.literalLength[last];
      out.Commit(static_cast<size_t>(at - start));
      return;
    }
  }
  PutPiecesCut<Format>(out, arguments, pieces);
}

#ifdef TWAINTRACE_CHECK_LINES
// Test builds only: every line is formatted by the C library as well, and any difference is
// recorded, so that tests can run the dumps and see that not one byte changed.
void RecordLine(const char* format, const char* ours, size_t oursLength, const char* library,
                int libraryLength);

// An argument as it would reach printf: a measured text as a terminated copy, since its bytes
// need not end in a NUL.
template <typename Arg>
const Arg& Held(const Arg& argument) {
  return argument;
}
inline std::string Held(const NameText& argument) {
  return argument.text != nullptr ? std::string(argument.text, argument.length) : std::string();
}
inline std::string Held(const ShownName& argument) {
  return Held(argument.Text());
}
template <typename Arg>
const Arg& ForLibrary(const Arg& argument) {
  return argument;
}
inline double ForLibrary(const Fix32Number& argument) {
  return argument;
}
inline const char* ForLibrary(const std::string& argument) {
  return argument.c_str();
}

template <typename... Held>
void CheckHeld(const OutText& out, size_t begin, const char* format, const Held&... held) {
  char library[8192];
  // An unused argument keeps an argument-free format from counting as an unchecked one.
  int length = snprintf(library, sizeof(library), format, ForLibrary(held)..., 0);
  RecordLine(format, out.End() - (out.Length() - begin), out.Length() - begin, library, length);
}

template <typename... Args>
void CheckLine(const OutText& out, size_t begin, bool wasCut, const char* format,
               const Args&... args) {
  if (wasCut || out.Cut()) return;
  CheckHeld(out, begin, format, Held(args)...);
}
#endif

template <typename Format, typename... Args>
void Append(OutText& out, const Args&... args) {
  constexpr const auto& plan = kPlan<Format>;
  static_assert(plan.argumentCount == sizeof...(Args), "Line: arguments do not match the format");
  constexpr size_t directives = DirectiveCount(Format::Text());
#ifdef TWAINTRACE_CHECK_LINES
  size_t begin = out.Length();
  bool wasCut = out.Cut();
#endif
  PutPieces<Format>(out, std::forward_as_tuple(args...), std::make_index_sequence<directives>());
  out.Terminate();
#ifdef TWAINTRACE_CHECK_LINES
  CheckLine(out, begin, wasCut, Format::Text(), args...);
#endif
}

template <typename Format, typename... Args>
void AppendTo(OutText& out, Format, const Args&... args) {
  Append<Format>(out, args...);
}

// Returns the length of the text written.
template <typename Format, typename... Args>
size_t FormatInto(char* out, size_t size, Format, const Args&... args) {
  OutText text;
  text.Start(out, size);
  Append<Format>(text, args...);
  return text.Length();
}

}  // namespace line_format
