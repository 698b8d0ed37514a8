#pragma once

#include <stdint.h>

#include "text/text_buffer.h"

// The keys of the filters the user deselected. Used entries are a prefix of the array.
struct ExclusionEntry {
  char text[kPathChars];  // the filter key; empty marks an unused entry
  int32_t flag;           // 1 once initialised; not used for exclusion
};

constexpr int kExclusionCount = 20;
extern ExclusionEntry ExclusionList[kExclusionCount];

// Empties every entry (flag 1), so each install attempt starts from the current choice.
void ClearExclusionList();

// Stores the key in the first unused entry; dropped when all 20 are in use or the key
// would not fit an entry.
void AddExclusion(const char* key);

// True when any stored key occurs in the file name (case-sensitive).
bool IsExcluded(const char* fileName);
