#pragma once

#include <stdio.h>

// A C runtime file that closes itself.
class ScopedFile {
 public:
  ScopedFile(const char* path, const char* mode) : file_(fopen(path, mode)) {}
  ScopedFile(const ScopedFile&) = delete;
  ScopedFile& operator=(const ScopedFile&) = delete;
  ~ScopedFile() {
    if (file_ != nullptr) fclose(file_);
  }

  FILE* get() const { return file_; }
  explicit operator bool() const { return file_ != nullptr; }

 private:
  FILE* file_;
};
