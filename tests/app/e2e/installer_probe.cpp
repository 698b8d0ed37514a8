// Looks into a running installer from outside, as a separate process would, for the
// end-to-end tests: the drop-down's entries, where the client area lies on the screen, and
// message boxes. It can also hold a file locked, rename a folder as another program would,
// and stand in for the browser.
#include <windows.h>

#include <tlhelp32.h>

#include <stdio.h>
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

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return 64;
  std::string command = argv[1];
  if (command == "lock" && argc == 4) return Lock(argv[2], argv[3]);
  if (command == "rename" && argc == 4) return Rename(argv[2], argv[3]);
  if (command == "record" && argc == 4) return Record(argv[2], argv[3]);
  if (command == "window" && argc >= 3)
    return OtherWindow(argv[2], argc > 3 && strcmp(argv[3], "cancel") == 0);
  Found found = FindInstaller();
  if (command == "message") return Message(found, argc > 2 && strcmp(argv[2], "dismiss") == 0);
  if (found.main == nullptr) return 2;
  if (command == "combo") return Combo(found);
  if (command == "geometry") return Geometry(found);
  return 64;
}
