// Looks into a running installer from outside, as a separate process would, for the
// end-to-end tests: the drop-down's entries, where the client area lies on the screen, and
// message boxes. It can also hold a file locked, rename a folder as another program would,
// and stand in for the browser.
#include <windows.h>

#include <oleacc.h>
#include <tlhelp32.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <string>

namespace {

const char kCaption[] = "Quillane Plugins : Installation";

struct Found {
  HWND main = nullptr;     // the installer's dialog (has the drop-down)
  HWND message = nullptr;  // a message box of the installer
};

BOOL CALLBACK Visit(HWND window, LPARAM param) {
  Found& found = *reinterpret_cast<Found*>(param);
  char title[128];
  if (!IsWindowVisible(window) || GetWindowTextA(window, title, sizeof title) == 0) return TRUE;
  if (strcmp(title, kCaption) != 0) return TRUE;
  if (GetDlgItem(window, 1033) != nullptr) {
    found.main = window;
  } else {
    found.message = window;
  }
  return TRUE;
}

Found FindInstaller() {
  Found found;
  EnumWindows(Visit, reinterpret_cast<LPARAM>(&found));
  return found;
}

// Text read through the wide messages: across processes the ANSI forms come back cut short.
std::string WindowText(HWND window) {
  wchar_t wide[4096];
  GetWindowTextW(window, wide, 4096);
  char text[8192];
  WideCharToMultiByte(CP_ACP, 0, wide, -1, text, sizeof text, nullptr, nullptr);
  return text;
}

int Combo(const Found& found) {
  HWND combo = GetDlgItem(found.main, 1033);
  LRESULT count = SendMessageW(combo, CB_GETCOUNT, 0, 0);
  printf("selected %ld\n", static_cast<long>(SendMessageW(combo, CB_GETCURSEL, 0, 0)));
  RECT rect;
  GetWindowRect(combo, &rect);
  POINT at = {rect.left, rect.top};
  ScreenToClient(found.main, &at);
  printf("top %ld\n", static_cast<long>(at.y));
  printf("hidden %d\n", IsWindowVisible(GetDlgItem(found.main, 1034)) ? 0 : 1);
  for (LRESULT i = 0; i < count; ++i) {
    wchar_t wide[1024] = L"";
    if (SendMessageW(combo, CB_GETLBTEXTLEN, i, 0) >= 1024) return 1;
    SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(wide));
    char text[2048];
    WideCharToMultiByte(CP_ACP, 0, wide, -1, text, sizeof text, nullptr, nullptr);
    printf("entry %s\n", text);
  }
  return 0;
}

int Geometry(const Found& found) {
  RECT window, client;
  GetWindowRect(found.main, &window);
  GetClientRect(found.main, &client);
  POINT origin = {0, 0};
  ClientToScreen(found.main, &origin);
  printf("client %ld %ld %ld %ld\n", static_cast<long>(origin.x), static_cast<long>(origin.y),
         static_cast<long>(client.right), static_cast<long>(client.bottom));
  printf("window %ld %ld %ld %ld\n", static_cast<long>(window.left), static_cast<long>(window.top),
         static_cast<long>(window.right - window.left),
         static_cast<long>(window.bottom - window.top));
  return 0;
}

BOOL CALLBACK PrintStatic(HWND child, LPARAM) {
  char cls[32];
  GetClassNameA(child, cls, sizeof cls);
  if (_stricmp(cls, "Static") == 0) printf("%s\n", WindowText(child).c_str());
  return TRUE;
}

int Message(const Found& found, bool dismiss) {
  if (found.message == nullptr) return 2;
  EnumChildWindows(found.message, PrintStatic, 0);
  if (dismiss) PostMessageW(found.message, WM_COMMAND, IDOK, 0);
  return 0;
}

// Whether a visible top-level window has this caption; with "cancel", closes it as its
// Cancel button would.
int OtherWindow(const char* caption, bool cancel) {
  HWND window = FindWindowA(nullptr, caption);
  if (window == nullptr || !IsWindowVisible(window)) return 2;
  if (cancel) PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
  return 0;
}

int Lock(const char* path, const char* seconds) {
  HANDLE file = CreateFileA(path, GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 1;
  printf("locked\n");
  fflush(stdout);
  Sleep(static_cast<DWORD>(atoi(seconds)) * 1000);
  CloseHandle(file);
  return 0;
}

std::string Narrow(BSTR text) {
  if (text == nullptr) return "";
  char narrow[2048];
  WideCharToMultiByte(CP_ACP, 0, text, -1, narrow, sizeof narrow, nullptr, nullptr);
  SysFreeString(text);
  return narrow;
}

// The window as a screen reader sees it, read through another process's accessible object:
// one line per child, "child ID ROLE STATE LEFT TOP WIDTH HEIGHT|NAME|DEFAULT-ACTION", and
// with "press N", the child's default action done first.
int Accessible(const Found& found, int press) {
  IAccessible* window = nullptr;
  HRESULT hr = AccessibleObjectFromWindow(found.main, static_cast<DWORD>(OBJID_CLIENT),
                                          IID_IAccessible, reinterpret_cast<void**>(&window));
  if (FAILED(hr) || window == nullptr) {
    printf("no object %08lx\n", static_cast<unsigned long>(hr));
    return 1;
  }
  VARIANT self;
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  if (press > 0) {
    VARIANT child = self;
    child.lVal = press;
    hr = window->accDoDefaultAction(child);
    printf("pressed %d %08lx\n", press, static_cast<unsigned long>(hr));
  }
  BSTR name = nullptr;
  window->get_accName(self, &name);
  printf("name %s\n", Narrow(name).c_str());
  LONG count = 0;
  window->get_accChildCount(&count);
  printf("count %ld\n", static_cast<long>(count));
  VARIANT focus;
  VariantInit(&focus);
  window->get_accFocus(&focus);
  printf("focus %ld\n", focus.vt == VT_I4 ? static_cast<long>(focus.lVal) : -1L);
  VariantClear(&focus);
  for (LONG id = 1; id <= count; ++id) {
    VARIANT child = self;
    child.lVal = id;
    IDispatch* object = nullptr;
    IAccessible* own = nullptr;
    // A child with an object of its own is asked through it, as readers do.
    if (window->get_accChild(child, &object) == S_OK && object != nullptr) {
      object->QueryInterface(IID_IAccessible, reinterpret_cast<void**>(&own));
      object->Release();
    }
    IAccessible* ask = own != nullptr ? own : window;
    VARIANT which = own != nullptr ? self : child;
    VARIANT role, state;
    VariantInit(&role);
    VariantInit(&state);
    ask->get_accRole(which, &role);
    ask->get_accState(which, &state);
    BSTR childName = nullptr, action = nullptr;
    ask->get_accName(which, &childName);
    ask->get_accDefaultAction(which, &action);
    long left = 0, top = 0, width = 0, height = 0;
    ask->accLocation(&left, &top, &width, &height, which);
    printf("child %ld %s %ld %08lx %ld %ld %ld %ld|%s|%s\n", static_cast<long>(id),
           own != nullptr ? "object" : "element",
           role.vt == VT_I4 ? static_cast<long>(role.lVal) : -1L,
           state.vt == VT_I4 ? static_cast<unsigned long>(state.lVal) : 0UL, left, top, width,
           height, Narrow(childName).c_str(), Narrow(action).c_str());
    if (own != nullptr) own->Release();
  }
  window->Release();
  return 0;
}

HWND eventWindow = nullptr;

void CALLBACK OnEvent(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG child, DWORD,
                      DWORD) {
  if (window != eventWindow || object != OBJID_CLIENT) return;
  printf("event %04lx %ld\n", static_cast<unsigned long>(event), static_cast<long>(child));
  fflush(stdout);
}

// Prints the installer's accessibility events for the client area, as a screen reader
// receives them, for the given number of seconds: "event CODE CHILD" per line.
int Events(const Found& found, const char* seconds) {
  eventWindow = found.main;
  DWORD process = 0;
  GetWindowThreadProcessId(found.main, &process);
  HWINEVENTHOOK hook = SetWinEventHook(EVENT_OBJECT_SHOW, EVENT_OBJECT_STATECHANGE, nullptr,
                                       OnEvent, process, 0, WINEVENT_OUTOFCONTEXT);
  if (hook == nullptr) return 1;
  printf("listening\n");
  fflush(stdout);
  const DWORD end = GetTickCount() + static_cast<DWORD>(atoi(seconds)) * 1000;
  while (GetTickCount() < end) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
  }
  UnhookWinEvent(hook);
  return 0;
}

// Renames a file or folder as any program would; fails while a process holds the folder open
// (for instance as its current directory).
int Rename(const char* from, const char* to) {
  if (MoveFileA(from, to)) return 0;
  printf("error %lu\n", GetLastError());
  return 1;
}

std::string ExeOf(DWORD pid, DWORD* parent) {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  PROCESSENTRY32 entry = {};
  entry.dwSize = sizeof entry;
  std::string exe;
  for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry)) {
    if (entry.th32ProcessID == pid) {
      exe = entry.szExeFile;
      if (parent != nullptr) *parent = entry.th32ParentProcessID;
    }
  }
  CloseHandle(snapshot);
  return exe;
}

// Stands in for the browser: writes the address it was given and the program that started it.
int Record(const char* file, const char* address) {
  DWORD parent = 0;
  ExeOf(GetCurrentProcessId(), &parent);
  FILE* out = fopen(file, "w");
  if (out == nullptr) return 1;
  fprintf(out, "%s\n%s\n", address, ExeOf(parent, nullptr).c_str());
  fclose(out);
  return 0;
}

// Prints the pointer-sized value at the given offset from the installer's image base, as
// another program with the right to read its memory sees it: "value HEX".
int ReadImageValue(const Found& found, const char* offsetHex) {
  DWORD pid = 0;
  GetWindowThreadProcessId(found.main, &pid);
  HANDLE modules = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, pid);
  MODULEENTRY32 module = {};
  module.dwSize = sizeof module;
  const bool listed = modules != INVALID_HANDLE_VALUE && Module32First(modules, &module);
  if (modules != INVALID_HANDLE_VALUE) CloseHandle(modules);
  HANDLE process = OpenProcess(PROCESS_VM_READ, FALSE, pid);
  if (!listed || process == nullptr) return 1;
  const ULONG_PTR at =
      reinterpret_cast<ULONG_PTR>(module.modBaseAddr) + strtoull(offsetHex, nullptr, 16);
  ULONG_PTR value = 0;
  const BOOL read =
      ReadProcessMemory(process, reinterpret_cast<LPCVOID>(at), &value, sizeof value, nullptr);
  CloseHandle(process);
  if (!read) return 1;
  printf("value %llx\n", static_cast<unsigned long long>(value));
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return 64;
  std::string command = argv[1];
  if (command == "lock" && argc == 4) return Lock(argv[2], argv[3]);
  // The user's "always show keyboard cues" setting, "on" or "off".
  if (command == "cues" && argc == 3) {
    const BOOL on = strcmp(argv[2], "on") == 0;
    return SystemParametersInfoA(SPI_SETKEYBOARDCUES, 0,
                                 reinterpret_cast<void*>(static_cast<INT_PTR>(on)),
                                 SPIF_UPDATEINIFILE | SPIF_SENDCHANGE)
               ? 0
               : 1;
  }
  if (command == "rename" && argc == 4) return Rename(argv[2], argv[3]);
  if (command == "record" && argc == 4) return Record(argv[2], argv[3]);
  if (command == "window" && argc >= 3)
    return OtherWindow(argv[2], argc > 3 && strcmp(argv[3], "cancel") == 0);
  Found found = FindInstaller();
  if (command == "message") return Message(found, argc > 2 && strcmp(argv[2], "dismiss") == 0);
  if (found.main == nullptr) return 2;
  if (command == "combo") return Combo(found);
  if (command == "value" && argc == 3) return ReadImageValue(found, argv[2]);
  if (command == "geometry") return Geometry(found);
  // Once everything is printed the process goes without its own teardown: under the
  // emulated 32-bit Wine, COM's threads at times crash or hang in it.
  if (command == "events" && argc > 2) {
    CoInitialize(nullptr);
    const int rc = Events(found, argv[2]);
    fflush(stdout);
    TerminateProcess(GetCurrentProcess(), static_cast<UINT>(rc));
  }
  if (command == "access") {
    CoInitialize(nullptr);
    const int rc = Accessible(found, argc > 2 ? atoi(argv[2]) : 0);
    fflush(stdout);
    TerminateProcess(GetCurrentProcess(), static_cast<UINT>(rc));
  }
  return 64;
}
