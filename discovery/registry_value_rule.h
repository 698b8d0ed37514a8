#pragma once

#include <stddef.h>

// What one registry subtree search looks for, beside values and keys named "plug...".
struct RegistryValueFilter {
  const char* keyPath;    // the key path must contain it; "" matches every key
  const char* valueName;  // nullptr, or a value name that also marks a folder
  const char* tail;       // nullptr, or text appended to the folder of such a value
};

// The value test of the registry walk, for one value `name` = `data` under `keyPath` (all
// three in kPathChars buffers; data of other types than REG_SZ arrives empty). Strips what
// comes before the drive letter of data, lower-cases keyPath and name, and returns true when
// data now holds a folder to add; when false, data may have been stripped. Every filter word
// is given in lower case.
bool AcceptRegistryValue(char* keyPath, char* name, char* data, const RegistryValueFilter& filter);
