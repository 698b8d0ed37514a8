// What the files on disk say of a folder's editor, on layouts of older and of today's editors
// made in a fresh folder.
#include "app/editor_machine.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr unsigned kX86 = 0x14C, kX64 = 0x8664, kNone = 0;

// The first bytes of a program or module for machine; kNone: a file that is no module.
std::string Head(unsigned machine) {
  std::string head(512, '\0');
  if (machine == kNone) return head;
  head[0] = 'M', head[1] = 'Z', head[0x3C] = 0x40;
  head.replace(0x40, 4, std::string("PE\0\0", 4));
  head[0x44] = static_cast<char>(machine & 0xFF), head[0x45] = static_cast<char>(machine >> 8);
  return head;
}

struct File {
  std::string path;  // below the layout's root; a name ending in "\" is a folder
  unsigned machine;
};

std::string Root() {
  char temp[MAX_PATH];
  GetTempPathA(sizeof temp, temp);
  return std::string(temp) + "quillane-evidence-" + std::to_string(GetCurrentProcessId()) + "\\";
}

void Make(const std::string& root, const std::vector<File>& files) {
  CreateDirectoryA(root.c_str(), nullptr);
  for (const File& f : files) {
    for (size_t at = 0; (at = f.path.find('\\', at)) != std::string::npos; ++at) {
      CreateDirectoryA((root + f.path.substr(0, at)).c_str(), nullptr);
    }
    if (f.path.back() == '\\') continue;
    HANDLE h = CreateFileA((root + f.path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, h) << f.path;
    const std::string head = Head(f.machine);
    DWORD written = 0;
    WriteFile(h, head.data(), static_cast<DWORD>(head.size()), &written, nullptr);
    CloseHandle(h);
  }
}

void Remove(const std::string& folder) {
  WIN32_FIND_DATAA found;
  HANDLE listing = FindFirstFileA((folder + "*").c_str(), &found);
  if (listing != INVALID_HANDLE_VALUE) {
    do {
      const std::string name = found.cFileName;
      if (name == "." || name == "..") continue;
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        Remove(folder + name + "\\");
      } else {
        DeleteFileA((folder + name).c_str());
      }
    } while (FindNextFileA(listing, &found));
    FindClose(listing);
  }
  RemoveDirectoryA(folder.c_str());
}

std::vector<File> Many(const std::string& folder, int count, unsigned machine) {
  std::vector<File> files;
  for (int i = 0; i < count; ++i)
    files.push_back({folder + "m" + std::to_string(100 + i) + ".8bf", machine});
  return files;
}

TEST(EditorMachineTest, TheNearestFilesThatSayAnythingDecide) {
  const std::string pluginFolder = "Editor\\Plug-Ins\\";
  const struct {
    const char* what;
    std::vector<File> files;
    const char* program;  // below the root; empty: none known
    EditorEvidence expected;
    const char* shown;  // below the root
  } cases[] = {
      {"a 64-bit program found by discovery",
       {{"Editor\\ed.exe", kX64}},
       "Editor\\ed.exe",
       EditorEvidence::kSixtyFourProgram,
       "Editor\\ed.exe"},
      {"an x86 program found by discovery outweighs 64-bit modules",
       {{"Editor\\ed.exe", kX86}, {"Editor\\Plug-Ins\\a.8bf", kX64}},
       "Editor\\ed.exe",
       EditorEvidence::kNone,
       ""},
      {"64-bit modules one level down (today's layout)",
       {{"Editor\\Plug-Ins\\Filters\\a.8bf", kX64}, {"Editor\\Plug-Ins\\b.txt", kNone}},
       "",
       EditorEvidence::kSixtyFourModules,
       ""},
      {"an x86 module one level down outweighs 64-bit ones directly in it",
       {{"Editor\\Plug-Ins\\a.8bf", kX64},
        {"Editor\\Plug-Ins\\Old\\b.8bf", kX86},
        {"Editor\\ed.exe", kX64}},
       "",
       EditorEvidence::kNone,
       ""},
      {"modules two levels down are not looked at; the program above is",
       {{"Editor\\Plug-Ins\\A\\B\\a.8bf", kX86}, {"Editor\\ed.exe", kX64}},
       "",
       EditorEvidence::kSixtyFourProgram,
       "Editor\\ed.exe"},
      {"no modules: the 64-bit program in the folder above (today's layout)",
       {{"Editor\\Plug-Ins\\Filters\\", kNone}, {"Editor\\Photoshop.exe", kX64}},
       "",
       EditorEvidence::kSixtyFourProgram,
       "Editor\\Photoshop.exe"},
      {"the nearest folder that holds programs decides, even with an x86 one further up",
       {{"Editor\\Plug-Ins\\", kNone}, {"Editor\\setup.exe", kX64}, {"host.exe", kX86}},
       "",
       EditorEvidence::kSixtyFourProgram,
       "Editor\\setup.exe"},
      {"an x86 program beside a 64-bit one above: no question",
       {{"Editor\\Plug-Ins\\", kNone}, {"Editor\\a.exe", kX64}, {"Editor\\b.exe", kX86}},
       "",
       EditorEvidence::kNone,
       ""},
      {"two levels up is the farthest",
       {{"Host\\Editor\\Plug-Ins\\", kNone}, {"host.exe", kX64}},
       "",
       EditorEvidence::kNone,
       ""},
      {"a folder holding programs that are no modules ends the look up",
       {{"Editor\\Plug-Ins\\", kNone}, {"Editor\\broken.exe", kNone}, {"host.exe", kX64}},
       "",
       EditorEvidence::kNone,
       ""},
  };
  const std::string root = Root();
  for (const auto& c : cases) {
    Remove(root);
    Make(root, c.files);
    // The layouts of the last two rows sit one level deeper.
    std::string folder = root + pluginFolder;
    if (c.files[0].path.rfind("Host\\", 0) == 0) folder = root + "Host\\" + pluginFolder;
    char shown[MAX_PATH] = "junk";
    const std::string program = c.program[0] != '\0' ? root + c.program : "";
    EXPECT_EQ(c.expected,
              SixtyFourBitEvidence(program.c_str(), folder.c_str(), shown, sizeof shown))
        << c.what;
    EXPECT_EQ(c.shown[0] != '\0' ? root + c.shown : "", std::string(shown)) << c.what;
  }
  // At most 32 files are read in all: 32 modules that say nothing leave the program above
  // unread.
  std::vector<File> files = Many(pluginFolder, 32, kNone);
  files.push_back({"Editor\\ed.exe", kX64});
  Remove(root);
  Make(root, files);
  char shown[MAX_PATH];
  EXPECT_EQ(EditorEvidence::kNone,
            SixtyFourBitEvidence("", (root + pluginFolder).c_str(), shown, sizeof shown));
  files = Many(pluginFolder, 31, kNone);
  files.push_back({"Editor\\ed.exe", kX64});
  Remove(root);
  Make(root, files);
  EXPECT_EQ(EditorEvidence::kSixtyFourProgram,
            SixtyFourBitEvidence("", (root + pluginFolder).c_str(), shown, sizeof shown));
  Remove(root);
}

}  // namespace
