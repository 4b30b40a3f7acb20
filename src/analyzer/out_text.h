// The caller's text buffer, appended to without ever writing past its capacity.
#pragma once

#include <cstdarg>
#include <cstddef>

class OutText {
 public:
  // Continues the text already in `buffer`; `capacity` counts the terminating NUL.
  void Begin(char* buffer, size_t capacity);

  void Append(const char* text);
  void Append(const char* text, size_t length);
  void AppendFormat(const char* format, ...) __attribute__((format(printf, 2, 3)));
  void AppendFormatV(const char* format, va_list arguments);

  size_t Length() const { return length_; }
  // True once an append did not fit whole; the text then fills the buffer.
  bool Cut() const { return cut_; }

 private:
  char* buffer_ = nullptr;
  size_t capacity_ = 0;
  size_t length_ = 0;
  bool cut_ = false;
};
