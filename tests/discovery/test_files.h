#pragma once

#include <stdio.h>

#include <string>

// Writes bytes to a file of that name in the test's current folder; returns its name.
inline std::string WriteTestFile(const std::string& name, const std::string& bytes) {
  FILE* file = fopen(name.c_str(), "wb");
  if (file != nullptr) {
    fwrite(bytes.data(), 1, bytes.size(), file);
    fclose(file);
  }
  return name;
}
