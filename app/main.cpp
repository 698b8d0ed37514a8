#include <windows.h>

#include <objbase.h>

#include <new>

#include "app/app_state.h"
#include "app/installer_dialog.h"
#include "app/process_hardening.h"
#include "discovery/candidate_folder_list.h"
#include "payload/exclusion_list.h"

HINSTANCE ProgramInstance = nullptr;
SkinWindow* TheSkinWindow = nullptr;
// Zeroed, as the dialog needs it: the program's own entry runs no static initialisers.
InstallerDialog TheInstallerDialog;

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  HardenProcess();

  // One copy per session. The name is one blank: an empty name would make no guard at all.
  HANDLE mutex = CreateMutexA(nullptr, TRUE, " ");
  if (GetLastError() == ERROR_ALREADY_EXISTS) return 0;

  ProgramInstance = instance;
  // A tag of its own: the std::nothrow object would come from the C++ runtime library.
  TheSkinWindow = new (std::nothrow_t{}) SkinWindow(instance);

  // The folder picker and the browser start need COM on this thread.
  const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
  INT_PTR result = DialogBoxParamA(instance, "main", nullptr, InstallerDialogProc,
                                   reinterpret_cast<LPARAM>(&TheInstallerDialog));
  if (result != 0) MessageBoxA(nullptr, "E", nullptr, MB_OK);

  if (TheSkinWindow != nullptr) {
    TheSkinWindow->teardown();
    delete TheSkinWindow;
    TheSkinWindow = nullptr;
  }
  if (SUCCEEDED(com)) CoUninitialize();
  if (mutex != nullptr) {
    ReleaseMutex(mutex);
    CloseHandle(mutex);
  }
  return 0;
}

#if defined(QUILLANE_STACK_PROTECTOR)
// The canaries' guard. The C runtime's start-up sets it from a random source; without that
// start-up it would stay 0, a value anyone can predict.
extern "C" void* __stack_chk_guard;
#endif

namespace {

// Not protected itself: it changes the guard its own canary would be checked against.
__attribute__((no_stack_protector)) void SetStackGuard() {
#if defined(QUILLANE_STACK_PROTECTOR)
  LARGE_INTEGER counter;
  QueryPerformanceCounter(&counter);
  FILETIME now;
  GetSystemTimeAsFileTime(&now);
  ULONG_PTR guard = static_cast<ULONG_PTR>(counter.QuadPart) ^ now.dwLowDateTime ^
                    (static_cast<ULONG_PTR>(GetCurrentProcessId()) << 16) ^ GetCurrentThreadId() ^
                    reinterpret_cast<ULONG_PTR>(&counter);
  if (guard == 0) guard = 0x2F8A6C31u;
  __stack_chk_guard = reinterpret_cast<void*>(guard);
#endif
}

}  // namespace

// The program starts here, not in the C runtime's start-up code, which would add its own
// argument parsing, thread-local storage, error handlers and static-initialiser machinery to
// the download; the runtime DLL sets itself up when it loads. The two process-wide lists get
// here the empty state that their static initialisers give them in the tests.
extern "C" void QuillaneEntry() {
  SetStackGuard();
  ResetCandidateFolderList();
  ClearExclusionList();
  ExitProcess(static_cast<UINT>(
      WinMain(GetModuleHandleA(nullptr), nullptr, GetCommandLineA(), SW_SHOWDEFAULT)));
}
