#include "tests/discovery/seeding.h"

#include "discovery/candidate_folder_list.h"
#include "tests/discovery/test_files.h"

namespace {
// Seeds go where 32-bit image editors write: the view discovery reads in both builds.
REGSAM seedView = KEY_WOW64_32KEY;
}  // namespace

void SetSeedRegistryView(REGSAM view) { seedView = view; }

bool MakeFolders(const std::string& path) {
  for (size_t at = path.find('\\', 3); at != std::string::npos; at = path.find('\\', at + 1)) {
    CreateDirectoryA(path.substr(0, at).c_str(), nullptr);
  }
  CreateDirectoryA(path.c_str(), nullptr);
  return (GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_DIRECTORY) != 0 &&
         GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void RemoveTree(const std::string& path) {
  WIN32_FIND_DATAA entry;
  HANDLE listing = FindFirstFileA((path + "\\*").c_str(), &entry);
  if (listing != INVALID_HANDLE_VALUE) {
    do {
      const std::string name = entry.cFileName;
      if (name == "." || name == "..") continue;
      const std::string full = path + "\\" + name;
      if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        RemoveTree(full);
      } else {
        SetFileAttributesA(full.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(full.c_str());
      }
    } while (FindNextFileA(listing, &entry));
    FindClose(listing);
  }
  RemoveDirectoryA(path.c_str());
}

bool WriteBytes(const std::string& path, const std::string& bytes) {
  WriteTestFile(path, bytes);
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool SetRegistryBytes(HKEY root, const std::string& key, const std::string& name,
                      const std::string& bytes, DWORD type) {
  // One level at a time: Wine takes no ANSI key path longer than 255 characters, but deeper
  // keys and longer names can be made relative to their parent.
  HKEY opened = root;
  for (size_t from = 0; from <= key.size();) {
    size_t to = key.find('\\', from);
    if (to == std::string::npos) to = key.size();
    HKEY child;
    const LONG error = RegCreateKeyExA(opened, key.substr(from, to - from).c_str(), 0, nullptr, 0,
                                       KEY_WRITE | seedView, nullptr, &child, nullptr);
    if (opened != root) RegCloseKey(opened);
    if (error != ERROR_SUCCESS) return false;
    opened = child;
    from = to + 1;
  }
  // A byte that is not zero follows the data: given a text without its zero, the system
  // would otherwise count the zero that follows it in memory.
  const std::string stored = bytes + "#";
  const LONG error = RegSetValueExA(opened, name.empty() ? nullptr : name.c_str(), 0, type,
                                    reinterpret_cast<const BYTE*>(stored.data()),
                                    static_cast<DWORD>(bytes.size()));
  RegCloseKey(opened);
  return error == ERROR_SUCCESS;
}

bool SetRegistryText(HKEY root, const std::string& key, const std::string& name,
                     const std::string& text) {
  return SetRegistryBytes(root, key, name, text + std::string(1, '\0'), REG_SZ);
}

bool SetOpenCommand(const std::string& progId, const std::string& command) {
  return SetRegistryText(HKEY_CLASSES_ROOT, progId + "\\shell\\open\\command", "", command);
}

void DeleteRegistryTree(HKEY root, const std::string& key) {
  HKEY opened;
  if (RegOpenKeyExA(root, key.c_str(), 0, KEY_ALL_ACCESS | seedView, &opened) != ERROR_SUCCESS)
    return;
  RegDeleteTreeA(opened, nullptr);
  RegCloseKey(opened);
  RegDeleteKeyExA(root, key.c_str(), seedView, 0);
}

void LeaveTestFolders() { SetCurrentDirectoryA("C:\\"); }

std::vector<std::string> ListedFolders() {
  std::vector<std::string> listed;
  for (const CandidateFolder& entry : CandidateFolderList) {
    if (entry.path[0] == '\0') break;
    listed.push_back(std::string(entry.path) + (entry.appendSubfolder != 0 ? " +" : ""));
  }
  return listed;
}
