#include "discovery/folder_entry.h"

#include <windows.h>

#include "platform/scoped_win32.h"

bool CanEnterFolder(const char* folder) {
  // Asked first, so a device name (CON, COM1, a pipe) is never opened.
  const DWORD attributes = GetFileAttributesA(folder);
  if (attributes == INVALID_FILE_ATTRIBUTES) return false;
  if ((attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
    SetLastError(ERROR_DIRECTORY);  // what entering a file reports
    return false;
  }
  // The rights and sharing that entering asks for, so a folder that cannot be passed through
  // is refused as entering it would be.
  ScopedFileHandle handle(CreateFileA(folder, FILE_TRAVERSE | SYNCHRONIZE,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                      FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  return handle.get() != INVALID_HANDLE_VALUE;
}
