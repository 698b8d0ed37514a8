#include "app/process_hardening.h"

#include <windows.h>

DllSearch RestrictDllSearch() {
  // Looked up by name, for systems that lack the call.
  using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);
  HMODULE kernel = GetModuleHandleA("kernel32.dll");
  if (kernel != nullptr) {
    auto set = reinterpret_cast<SetDefaultDllDirectoriesFn>(
        reinterpret_cast<void*>(GetProcAddress(kernel, "SetDefaultDllDirectories")));
    if (set != nullptr && set(LOAD_LIBRARY_SEARCH_SYSTEM32)) return DllSearch::kSystemFolderOnly;
  }
  return SetDllDirectoryA("") ? DllSearch::kWithoutCurrentFolder : DllSearch::kUnchanged;
}

void SilenceCriticalErrorBoxes() { SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX); }

void HardenProcess() {
  SilenceCriticalErrorBoxes();
  RestrictDllSearch();
}
