#include "discovery/folder_entry.h"

#include <windows.h>

namespace {

// The longest current directory the ANSI calls report, with its terminating zero.
constexpr DWORD kCurrentDirectoryChars = MAX_PATH + 1;

void LeaveForSystemFolder() {
  char system[kCurrentDirectoryChars];
  const UINT length = GetSystemDirectoryA(system, kCurrentDirectoryChars);
  if (length > 0 && length < kCurrentDirectoryChars) SetCurrentDirectoryA(system);
}

}  // namespace

bool CanEnterFolder(const char* folder) {
  char previous[kCurrentDirectoryChars];
  const DWORD length = GetCurrentDirectoryA(kCurrentDirectoryChars, previous);
  const bool known = length > 0 && length < kCurrentDirectoryChars;
  if (!SetCurrentDirectoryA(folder)) return false;
  if (!known || !SetCurrentDirectoryA(previous)) LeaveForSystemFolder();
  return true;
}
