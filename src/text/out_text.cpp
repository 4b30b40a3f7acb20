#include "text/out_text.h"

#include <cstring>

void OutText::Begin(char* buffer, size_t capacity) {
  buffer_ = buffer;
  capacity_ = buffer != nullptr ? capacity : 0;
  // Mostly a fresh buffer, whose length needs no call.
  length_ = capacity_ > 1 && buffer[0] != '\0' ? strnlen(buffer, capacity_ - 1) : 0;
  Terminate();
  cut_ = false;
}

void OutText::PutCut(const char* text, size_t length) {
  if (capacity_ == 0) return;
  size_t room = Room();
  memcpy(buffer_ + length_, text, room < length ? room : length);
  length_ += room < length ? room : length;
  if (length > room) cut_ = true;
}

void OutText::Advance(size_t length) {
  size_t room = Room();
  if (length > room) {
    length_ += room;
    cut_ = true;
  } else {
    length_ += length;
  }
}
