#pragma once

#include <windows.h>

#include <stddef.h>

// Read-only registry access for discovery. Each call opens its key by path with KEY_READ, in
// the 32-bit view, and closes it again. Data of any type but REG_SZ is delivered as an empty text;
// texts longer than a path value can be (256 bytes) are refused. ERROR_MORE_DATA only ever means a
// name or text too long to read: a key path too long to open gives ERROR_FILENAME_EXCED_RANGE.

// Reads value `valueName` ("" for the default value) of root\keyPath into out (cap
// characters). Returns the error of the open or else of the read, 0 on success. On failure
// out is empty.
LONG ReadRegistryString(HKEY root, const char* keyPath, const char* valueName, char* out,
                        size_t cap);

// Delivers the next value of root\keyPath: a process-wide cursor counts the values read and
// goes back to 0 when the key cannot be opened or holds no more values. Returns 0 when a
// value was delivered, ERROR_MORE_DATA when the next value's name (256 characters or more) or
// data (more than 256 bytes) is too long and was passed over, else the error that ended the
// key. Unless 0, name and data are empty.
LONG NextRegistryValue(HKEY root, const char* keyPath, char* name, size_t nameCap, char* data,
                       size_t dataCap);

// Reads the name of subkey `index` of root\keyPath. Returns 0 when name holds it, else the
// error; name is then empty.
LONG RegistrySubkeyAt(HKEY root, const char* keyPath, char* name, size_t cap, DWORD index);

// The same reads on a key the caller holds open, so a walk opens each key once.

// Opens path below parent (an open key or a root) as every read above does. Returns 0 with
// *key open, else the error with *key null.
LONG OpenDiscoveryKey(HKEY parent, const char* path, HKEY* key);

// Reads value `index` of key as NextRegistryValue reads the value at its cursor, with the same
// results; no cursor is kept.
LONG RegistryValueAt(HKEY key, DWORD index, char* name, size_t nameCap, char* data, size_t dataCap);

// Reads the name of subkey `index` of key as RegistrySubkeyAt does.
LONG RegistrySubkeyOf(HKEY key, char* name, size_t cap, DWORD index);
