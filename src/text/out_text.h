// The caller's text buffer, appended to without ever writing past its capacity.
#pragma once

#include <cstddef>
#include <cstring>

class OutText {
 public:
  // Continues the text already in `buffer`; `capacity` counts the terminating NUL.
  void Begin(char* buffer, size_t capacity);
  // Starts an empty text in `buffer`.
  void Start(char* buffer, size_t capacity) {
    buffer_ = buffer;
    capacity_ = buffer != nullptr ? capacity : 0;
    length_ = 0;
    cut_ = false;
    Terminate();
  }

  size_t Length() const { return length_; }
  // True once an append did not fit whole; the text then fills the buffer.
  bool Cut() const { return cut_; }

  // For the line writer, which appends a line in pieces and terminates it once at its end.
  // A piece that does not fit whole is cut at the buffer's end.
  void Put(const char* text, size_t length) {
    if (length < capacity_ - length_) {
      memcpy(buffer_ + length_, text, length);
      length_ += length;
    } else {
      PutCut(text, length);
    }
  }
  // Bytes written at End(), counted once they are known to fit.
  void Commit(size_t length) { length_ += length; }
  // The end of the text and the bytes that still fit after it, its terminator apart; a piece
  // of `length` bytes written there in the C library's way counts as far as it fitted.
  char* End() const { return buffer_ + length_; }
  size_t Room() const { return capacity_ != 0 ? capacity_ - 1 - length_ : 0; }
  void Advance(size_t length);
  void Terminate() {
    if (capacity_ != 0) buffer_[length_] = '\0';
  }

 private:
  void PutCut(const char* text, size_t length);
  char* buffer_ = nullptr;
  // 0 when there is no buffer, so that nothing ever fits.
  size_t capacity_ = 0;
  size_t length_ = 0;
  bool cut_ = false;
};
