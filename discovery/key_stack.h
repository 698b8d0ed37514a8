#pragma once

#include <stddef.h>
#include <stdint.h>

// Where the registry walk resumes in each parent key, for the levels below its start key.
struct KeyStack {
  static constexpr int32_t kLevels = 19;

  int32_t top = -1;              // index of the top level; -1 when empty
  int32_t savedIndex[20] = {};   // per level: the subkey index in the parent key
  int32_t savedLength[20] = {};  // per level: the key path's length before the subkey name

  // Descends into subkey `name`: saves *cursor and the key path's length, appends "\" and the
  // name to keyPath (a buffer of cap characters) and sets *cursor to 0. Returns false, with
  // nothing changed, when kLevels levels are already stored or the longer path would not fit.
  bool push(char* keyPath, size_t cap, const char* name, int32_t* cursor);

  // Back to the parent key: ends keyPath where it was before the last push and returns the
  // subkey index saved there; -1 when the stack is empty.
  int32_t pop(char* keyPath);
};
