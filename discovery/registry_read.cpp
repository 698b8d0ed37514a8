#include "discovery/registry_read.h"

#include "platform/scoped_win32.h"

namespace {

// Longest value data and names the walk reads, terminating zero included.
constexpr DWORD kRegistryTextBytes = 256;

DWORD Limit(size_t cap) {
  return cap < kRegistryTextBytes ? static_cast<DWORD>(cap) : kRegistryTextBytes;
}

// Image editors are 32-bit programs: on 64-bit Windows they write the 32-bit view of the
// registry, and both builds of the installer must read that view.
constexpr REGSAM kDiscoveryAccess = KEY_READ | KEY_WOW64_32KEY;

// Ends the text that a read left in out: data of other types is not a path, and a REG_SZ
// value stored without its terminating zero must not run on into the rest of the buffer.
void EndText(char* out, DWORD type, DWORD bytes) {
  if (type != REG_SZ) bytes = 0;
  out[bytes] = '\0';
}

LONG valueCursor = 0;

}  // namespace

LONG ReadRegistryString(HKEY root, const char* keyPath, const char* valueName, char* out,
                        size_t cap) {
  if (cap == 0) return ERROR_INSUFFICIENT_BUFFER;
  out[0] = '\0';
  ScopedRegistryKey key;
  LONG error = OpenDiscoveryKey(root, keyPath, key.out());
  if (error != ERROR_SUCCESS) return error;
  // One byte stays free for the zero that the value may lack.
  DWORD type = REG_NONE;
  DWORD bytes = Limit(cap - 1);
  error =
      RegQueryValueExA(key.get(), valueName, nullptr, &type, reinterpret_cast<BYTE*>(out), &bytes);
  if (error != ERROR_SUCCESS) bytes = 0;
  EndText(out, type, bytes);
  return error;
}

// Wine refuses a key path of more than 255 characters with ERROR_MORE_DATA. The reads keep
// that code for a name or text too long to read, which the walk passes over and goes on
// after; a key that cannot be opened must end its reads instead.
LONG OpenDiscoveryKey(HKEY parent, const char* path, HKEY* key) {
  const LONG error = RegOpenKeyExA(parent, path, 0, kDiscoveryAccess, key);
  if (error != ERROR_SUCCESS) *key = nullptr;
  return error == ERROR_MORE_DATA ? ERROR_FILENAME_EXCED_RANGE : error;
}

LONG RegistryValueAt(HKEY key, DWORD index, char* name, size_t nameCap, char* data,
                     size_t dataCap) {
  if (nameCap == 0 || dataCap == 0) return ERROR_INSUFFICIENT_BUFFER;
  DWORD nameChars = Limit(nameCap);
  DWORD type = REG_NONE;
  DWORD bytes = Limit(dataCap - 1);
  const LONG error = RegEnumValueA(key, index, name, &nameChars, nullptr, &type,
                                   reinterpret_cast<BYTE*>(data), &bytes);
  if (error != ERROR_SUCCESS) {
    name[0] = '\0';
    data[0] = '\0';
    return error;
  }
  name[nameChars < nameCap ? nameChars : nameCap - 1] = '\0';
  EndText(data, type, bytes);
  return error;
}

LONG NextRegistryValue(HKEY root, const char* keyPath, char* name, size_t nameCap, char* data,
                       size_t dataCap) {
  if (nameCap == 0 || dataCap == 0) return ERROR_INSUFFICIENT_BUFFER;
  name[0] = '\0';
  data[0] = '\0';
  ScopedRegistryKey key;
  LONG error = OpenDiscoveryKey(root, keyPath, key.out());
  if (error == ERROR_SUCCESS) {
    error =
        RegistryValueAt(key.get(), static_cast<DWORD>(valueCursor), name, nameCap, data, dataCap);
    // A name or text too long for a path is passed over; the values after it still count.
    if (error == ERROR_SUCCESS || error == ERROR_MORE_DATA) {
      ++valueCursor;
      return error;
    }
  }
  valueCursor = 0;
  return error;
}

LONG RegistrySubkeyOf(HKEY key, char* name, size_t cap, DWORD index) {
  if (cap == 0) return ERROR_INSUFFICIENT_BUFFER;
  DWORD chars = Limit(cap);
  const LONG error = RegEnumKeyExA(key, index, name, &chars, nullptr, nullptr, nullptr, nullptr);
  if (error != ERROR_SUCCESS) {
    name[0] = '\0';
    return error;
  }
  name[chars < cap ? chars : cap - 1] = '\0';
  return error;
}

LONG RegistrySubkeyAt(HKEY root, const char* keyPath, char* name, size_t cap, DWORD index) {
  if (cap == 0) return ERROR_INSUFFICIENT_BUFFER;
  name[0] = '\0';
  ScopedRegistryKey key;
  const LONG error = OpenDiscoveryKey(root, keyPath, key.out());
  if (error != ERROR_SUCCESS) return error;
  return RegistrySubkeyOf(key.get(), name, cap, index);
}
