#include "text/line_format.h"

namespace line_format {
namespace {

constexpr char kDigitPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

size_t DecimalLength(uint64_t value) {
  // Compared with powers of ten rather than divided down: the digits are divided out after.
  size_t length = 1;
  for (uint64_t bound = 10; value >= bound; bound *= 10) {
    ++length;
    if (length == 20) break;  // 10^19 is the last power of ten a uint64_t holds
  }
  return length;
}

// The decimal digits of `value`, ending just before `end`.
void WriteDecimal(uint64_t value, char* end) {
  while (value >= 100) {
    unsigned pair = static_cast<unsigned>(value % 100) * 2;
    value /= 100;
    end -= 2;
    end[0] = kDigitPairs[pair];
    end[1] = kDigitPairs[pair + 1];
  }
  if (value >= 10) {
    end[-2] = kDigitPairs[value * 2];
    end[-1] = kDigitPairs[value * 2 + 1];
  } else {
    end[-1] = static_cast<char>('0' + value);
  }
}

size_t HexadecimalLength(uint64_t value) {
  size_t length = 1;
  while (value >= 16) {
    value >>= 4;
    ++length;
  }
  return length;
}

void WriteHexadecimal(uint64_t value, bool upper, char* end) {
  const char* symbols = upper ? "0123456789ABCDEF" : "0123456789abcdef";
  do {
    *--end = symbols[value & 0xF];
    value >>= 4;
  } while (value != 0);
}

// `count` copies of `fill` at `at`: a field's padding, mostly a byte or two, set in place rather
// than by a call.
char* Fill(char* at, char fill, size_t count) {
  if (count >= 8) {
    memset(at, fill, count);
    return at + count;
  }
  const uint64_t eight = 0x0101010101010101u * static_cast<unsigned char>(fill);
  if (count & 4) memcpy(at + (count & 3), &eight, 4);
  if (count & 2) memcpy(at + (count & 1), &eight, 2);
  if (count & 1) *at = fill;
  return at + count;
}

// A field of the directive's width at `at` around a number of `length` characters besides its
// sign, whose digits `write` puts before the end it is given; returns the field's end.
template <typename Write>
char* WriteNumber(char* at, const Directive& d, bool negative, size_t length, Write write) {
  size_t number = length + (negative ? 1 : 0);
  size_t padding = d.width > number ? d.width - number : 0;
  if (!d.leftAlign && !d.zeroPad) at = Fill(at, ' ', padding);
  if (negative) *at++ = '-';
  if (!d.leftAlign && d.zeroPad) at = Fill(at, '0', padding);
  write(at + length);
  at += length;
  if (d.leftAlign) at = Fill(at, ' ', padding);
  return at;
}

// The magnitude of the most negative value does not fit a long; it fits unsigned.
uint64_t Magnitude(long value) {
  return value < 0 ? 0 - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
}

constexpr uint64_t kPowersOfTen[] = {1, 10, 100, 1000, 10000};
static_assert(sizeof(kPowersOfTen) / sizeof(kPowersOfTen[0]) == kMaxExactPrecision + 1);

// A magnitude of `units` 1/65536ths in units of 1/`scale`, rounded as the C library rounds in
// its default mode, a tie to the even last digit: exactly, in integers.
uint64_t Rescaled(uint64_t units, uint64_t scale) {
  // units < 2^48 and the scale at most 10^4 < 2^14, so the product fits.
  uint64_t scaled = units * scale;
  uint64_t rounded = scaled >> 16;
  uint64_t remainder = scaled & 0xFFFF;
  // Without branches: which way a value rounds is as good as random.
  uint64_t up = static_cast<uint64_t>(remainder > 0x8000) |
                (static_cast<uint64_t>(remainder == 0x8000) & rounded);
  return rounded + (up & 1);
}

char* WriteFixedPoint(char* at, const Directive& d, int precision, bool negative, uint64_t units) {
  uint64_t scale = kPowersOfTen[precision];
  uint64_t rounded = Rescaled(units, scale);
  uint64_t integer = rounded / scale;
  uint64_t fraction = rounded % scale;
  size_t length = DecimalLength(integer) + (precision > 0 ? precision + 1 : 0);
  return WriteNumber(at, d, negative, length, [=](char* end) {
    uint64_t rest = fraction;
    for (int i = 0; i < precision; ++i) {
      *--end = static_cast<char>('0' + rest % 10);
      rest /= 10;
    }
    if (precision > 0) *--end = '.';
    WriteDecimal(integer, end);
  });
}

}  // namespace

char* WritePlainDecimal(char* at, long value) {
  uint64_t magnitude = Magnitude(value);
  if (value < 0) *at++ = '-';
  char* end = at + DecimalLength(magnitude);
  WriteDecimal(magnitude, end);
  return end;
}

char* WritePlainFixedPoint3(char* at, Fix32Number value) {
  // The form of every fixed-point field, dozens to a structure: kept to 32-bit steps. A
  // magnitude of at most 2^31 1/65536ths is below 2^26 thousandths.
  int32_t units = value.Units();
  uint32_t magnitude = units < 0 ? 0u - static_cast<uint32_t>(units) : static_cast<uint32_t>(units);
  uint64_t scaled = static_cast<uint64_t>(magnitude) * 1000;
  uint32_t thousandths = static_cast<uint32_t>(scaled >> 16);
  uint32_t remainder = static_cast<uint32_t>(scaled & 0xFFFF);
  // A tie goes to the even last digit, as the C library rounds.
  thousandths += (remainder > 0x8000) | ((remainder == 0x8000) & thousandths);
  uint32_t integer = thousandths / 1000;
  uint32_t fraction = thousandths - integer * 1000;
  if (units < 0) *at++ = '-';
  if (integer < 10) {
    *at++ = static_cast<char>('0' + integer);
  } else {
    at += DecimalLength(integer);
    WriteDecimal(integer, at);
  }
  at[0] = '.';
  at[1] = static_cast<char>('0' + fraction / 100);
  memcpy(at + 2, &kDigitPairs[(fraction % 100) * 2], 2);
  return at + 4;
}

char* WriteSigned(char* at, const Directive& d, long value) {
  uint64_t magnitude = Magnitude(value);
  return WriteNumber(at, d, value < 0, DecimalLength(magnitude),
                     [magnitude](char* end) { WriteDecimal(magnitude, end); });
}

char* WriteUnsigned(char* at, const Directive& d, unsigned long value) {
  if (d.conversion == 'u') {
    return WriteNumber(at, d, false, DecimalLength(value),
                       [value](char* end) { WriteDecimal(value, end); });
  }
  bool upper = d.conversion == 'X';
  return WriteNumber(at, d, false, HexadecimalLength(value),
                     [value, upper](char* end) { WriteHexadecimal(value, upper, end); });
}

char* WriteCharacter(char* at, const Directive& d, char c) {
  return WriteNumber(at, d, false, 1, [c](char* end) { end[-1] = c; });
}

char* WriteFixedPoint(char* at, const Directive& d, int precision, Fix32Number value) {
  int32_t units = value.Units();
  return WriteFixedPoint(at, d, precision, units < 0, Magnitude(units));
}

char* WritePadded(char* at, const Directive& d, const char* text, size_t length) {
  size_t padding = d.width > length ? d.width - length : 0;
  if (!d.leftAlign) at = Fill(at, ' ', padding);
  CopyText(at, text, length);
  at += length;
  if (d.leftAlign) at = Fill(at, ' ', padding);
  return at;
}

namespace {

// One directive handed to the C library with its argument, straight into the text.
template <typename T>
void PutDirectiveByLibrary(OutText& out, const char* format, const Directive& d, T value) {
  // Flags, a width of at most kMaxWidth, a precision and the conversion.
  char directive[32];
  size_t length = d.end - d.begin;
  if (length >= sizeof(directive)) return;
  memcpy(directive, format + d.begin, length);
  directive[length] = '\0';
  // A full text (or none at all) takes nothing, not even a terminator.
  int written = out.Room() != 0 ? snprintf(out.End(), out.Room() + 1, directive, value)
                                : snprintf(nullptr, 0, directive, value);
  if (written > 0) out.Advance(static_cast<size_t>(written));
}

}  // namespace

void PutByLibrary(OutText& out, const char* format, const Directive& d, const char* text) {
  PutDirectiveByLibrary(out, format, d, text);
}

void PutByLibrary(OutText& out, const char* format, const Directive& d, double value) {
  PutDirectiveByLibrary(out, format, d, value);
}

}  // namespace line_format
