#pragma once

#include <stdio.h>

// A C runtime file that closes itself.
class ScopedStdioFile {
 public:
  ScopedStdioFile(const char* path, const char* mode) : file_(fopen(path, mode)) {}
  ScopedStdioFile(const ScopedStdioFile&) = delete;
  ScopedStdioFile& operator=(const ScopedStdioFile&) = delete;
  ~ScopedStdioFile() {
    if (file_ != nullptr) fclose(file_);
  }

  FILE* get() const { return file_; }
  explicit operator bool() const { return file_ != nullptr; }

 private:
  FILE* file_;
};
