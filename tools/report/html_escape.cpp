#include "report/html_escape.h"

#include <cstdio>

namespace report {

namespace {

bool IsContinuation(unsigned char byte) {
  return (byte & 0xC0) == 0x80;
}

size_t LengthFromLead(unsigned char lead) {
  if (lead >= 0xC2 && lead <= 0xDF) return 2;
  if (lead >= 0xE0 && lead <= 0xEF) return 3;
  if (lead >= 0xF0 && lead <= 0xF4) return 4;
  return 0;
}

// Length of the well-formed UTF-8 sequence of several bytes at `at`, or 0.
size_t MultiByteLength(std::string_view text, size_t at) {
  auto byte = [&text](size_t i) { return static_cast<unsigned char>(text[i]); };
  unsigned char lead = byte(at);
  size_t length = LengthFromLead(lead);
  if (length == 0 || at + length > text.size()) return 0;
  for (size_t i = 1; i < length; ++i) {
    if (!IsContinuation(byte(at + i))) return 0;
  }
  unsigned char second = byte(at + 1);
  // Overlong forms, UTF-16 surrogates and values past U+10FFFF are not text.
  if ((lead == 0xE0 && second < 0xA0) || (lead == 0xED && second > 0x9F) ||
      (lead == 0xF0 && second < 0x90) || (lead == 0xF4 && second > 0x8F)) {
    return 0;
  }
  return length;
}

void AppendByteEscape(unsigned char byte, std::string* out) {
  char escaped[8];
  snprintf(escaped, sizeof(escaped), "\\x%02x", byte);
  *out += escaped;
}

bool AppendMarkupEscape(char c, std::string* out) {
  switch (c) {
    case '&':
      *out += "&amp;";
      return true;
    case '<':
      *out += "&lt;";
      return true;
    case '>':
      *out += "&gt;";
      return true;
    case '"':
      *out += "&quot;";
      return true;
    case '\'':
      *out += "&#39;";
      return true;
    default:
      return false;
  }
}

}  // namespace

std::string EscapeHtml(std::string_view text) {
  std::string out;
  out.reserve(text.size() + text.size() / 8);
  for (size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    unsigned char byte = static_cast<unsigned char>(c);
    if (AppendMarkupEscape(c, &out)) continue;
    if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    if (c == '\n' || c == '\t' || (byte >= 0x20 && byte < 0x7f)) {
      out += c;
    } else if (size_t length = byte >= 0x80 ? MultiByteLength(text, i) : 0; length > 0) {
      out.append(text.substr(i, length));
      i += length - 1;
    } else {
      AppendByteEscape(byte, &out);
    }
  }
  return out;
}

}  // namespace report
