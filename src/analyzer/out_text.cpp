#include "analyzer/out_text.h"

#include <cstdio>
#include <cstring>

void OutText::Begin(char* buffer, size_t capacity) {
  buffer_ = buffer;
  capacity_ = capacity;
  length_ = (buffer != nullptr && capacity > 0) ? strnlen(buffer, capacity - 1) : 0;
  if (buffer != nullptr && capacity > 0) buffer[length_] = '\0';
  cut_ = false;
}

void OutText::Append(const char* text) {
  Append(text, strlen(text));
}

void OutText::Append(const char* text, size_t length) {
  if (buffer_ == nullptr || capacity_ == 0) return;
  size_t room = capacity_ - 1 - length_;
  if (length > room) {
    length = room;
    cut_ = true;
  }
  memcpy(buffer_ + length_, text, length);
  length_ += length;
  buffer_[length_] = '\0';
}

void OutText::AppendFormat(const char* format, ...) {
  va_list arguments;
  va_start(arguments, format);
  AppendFormatV(format, arguments);
  va_end(arguments);
}

void OutText::AppendFormatV(const char* format, va_list arguments) {
  if (buffer_ == nullptr || capacity_ == 0) return;
  size_t room = capacity_ - length_;
  int written = vsnprintf(buffer_ + length_, room, format, arguments);
  if (written < 0) {
    buffer_[length_] = '\0';
    return;
  }
  if (static_cast<size_t>(written) >= room) {
    length_ = capacity_ - 1;
    cut_ = true;
  } else {
    length_ += static_cast<size_t>(written);
  }
}
