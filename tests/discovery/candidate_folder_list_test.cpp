// The list's text rules, with a table of folders standing in for the file system.
#include "discovery/candidate_folder_list.h"
#include "discovery/candidate_programs.h"

#include <gtest/gtest.h>

#include <ctype.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> existing;
std::vector<std::string> tried;

std::string Folded(const char* text) {
  std::string s(text);
  if (!s.empty() && s.back() == '\\') s.pop_back();
  for (char& ch : s) ch = static_cast<char>(tolower(static_cast<unsigned char>(ch)));
  return s;
}

// Like the real test, with or without a trailing backslash and in any case.
bool TableFolderExists(const char* folder) {
  tried.push_back(folder);
  for (const std::string& e : existing) {
    if (Folded(e.c_str()) == Folded(folder)) return true;
  }
  return false;
}

class CandidateFolderListTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetCandidateFolderList();
    existing.clear();
    tried.clear();
  }

  void Add(const std::string& text) {
    char buffer[kPathChars];
    CopyText(buffer, sizeof buffer, text.c_str());
    AddCandidateFolder(buffer, TableFolderExists);
  }

  static std::vector<std::string> Listed() {
    std::vector<std::string> paths;
    for (const CandidateFolder& entry : CandidateFolderList) {
      if (entry.path[0] == '\0') break;
      paths.push_back(std::string(entry.path) + (entry.appendSubfolder ? " +" : ""));
    }
    return paths;
  }
};

TEST_F(CandidateFolderListTest, ResetFreesEveryEntryAndSetsTheSubfolderFlag) {
  for (int i = 0; i < kCandidateFolderCount; ++i)
    existing.push_back("C:\\Igrafx\\F" + std::to_string(i));
  for (const std::string& folder : existing) Add(folder);
  ASSERT_EQ(static_cast<size_t>(kCandidateFolderCount), Listed().size());
  ASSERT_EQ(0, CandidateFolderList[kCandidateFolderCount - 1].appendSubfolder);
  ResetCandidateFolderList();
  for (const CandidateFolder& entry : CandidateFolderList) {
    EXPECT_STREQ("", entry.path);
    EXPECT_EQ(1, entry.appendSubfolder);
  }
}

struct FindCase {
  const char* text;
  std::vector<std::string> folders;  // every form the existence test accepts
  bool found;
  const char* held;
  std::vector<std::string> tried;
};

void CheckFind(const FindCase& c) {
  existing = c.folders;
  tried.clear();
  char text[kPathChars];
  CopyText(text, sizeof text, c.text);
  EXPECT_EQ(c.found, FindExistingFolder(text, TableFolderExists)) << c.text;
  EXPECT_STREQ(c.held, text) << c.text;
  EXPECT_EQ(c.tried, tried) << c.text;
}

TEST_F(CandidateFolderListTest, FindExistingFolderShedsCharactersUpToTheLastBackslash) {
  const FindCase cases[] = {
      {"D:\\Paint\\Plugins;",
       {"D:\\Paint\\Plugins"},
       true,
       "D:\\Paint\\Plugins",
       {"D:\\Paint\\Plugins;", "D:\\Paint\\Plugins"}},
      {"C:\\ab\\cd\\", {"C:\\ab"}, true, "C:\\ab\\", {"C:\\ab\\cd", "C:\\ab\\c", "C:\\ab\\"}},
      {"C:\\ab\\cd", {}, false, "C:\\ab\\", {"C:\\ab\\cd", "C:\\ab\\c", "C:\\ab\\"}},
      // Each form tried is at least four characters long: a drive root is never tried.
      {"C:\\xy", {"C:\\"}, false, "C:\\", {"C:\\xy", "C:\\x"}},
      {"C:\\", {"C:\\"}, false, "C:", {}},
      {"", {}, false, "", {}},
      // A drive-relative text would be looked up below the current directory.
      {"C:plugins", {"C:plugins"}, false, "C:plugins", {}},
      {"plugins\\x", {"plugins\\x"}, false, "plugins\\x", {}},
  };
  for (const FindCase& c : cases) CheckFind(c);
}

// The system ignores blanks and dots at the end of a folder name, so "C:\Plugins " is found
// where "C:\Plugins" exists; the found text is kept without them when that form exists too.
TEST_F(CandidateFolderListTest, FindExistingFolderDropsTheBlanksAndDotsTheSystemIgnores) {
  const FindCase cases[] = {
      {"C:\\Ulead\\Plugins ;comment",
       {"C:\\Ulead\\Plugins ", "C:\\Ulead\\Plugins"},
       true,
       "C:\\Ulead\\Plugins",
       {"C:\\Ulead\\Plugins ;comment", "C:\\Ulead\\Plugins ;commen", "C:\\Ulead\\Plugins ;comme",
        "C:\\Ulead\\Plugins ;comm", "C:\\Ulead\\Plugins ;com", "C:\\Ulead\\Plugins ;co",
        "C:\\Ulead\\Plugins ;c", "C:\\Ulead\\Plugins ;", "C:\\Ulead\\Plugins ",
        "C:\\Ulead\\Plugins"}},
      {"C:\\ab. . ", {"C:\\ab. . ", "C:\\ab"}, true, "C:\\ab", {"C:\\ab. . ", "C:\\ab"}},
      {"C:\\ab\\.", {"C:\\ab\\.", "C:\\ab"}, true, "C:\\ab\\", {"C:\\ab\\.", "C:\\ab\\"}},
      // A folder whose blank the system keeps is found by its own name.
      {"C:\\ab ", {"C:\\ab "}, true, "C:\\ab ", {"C:\\ab ", "C:\\ab"}},
      // "\.." names the parent: its dots stay.
      {"C:\\ab\\cd\\..",
       {"C:\\ab\\cd\\..", "C:\\ab\\cd"},
       true,
       "C:\\ab\\cd\\..",
       {"C:\\ab\\cd\\.."}},
      {"C:\\ab..", {"C:\\ab..", "C:\\ab"}, true, "C:\\ab..", {"C:\\ab.."}},
      // What is left of a drive root named with blanks or dots is no folder to store.
      {"C:\\ .", {"C:\\ .", "C:\\"}, false, "C:\\ .", {"C:\\ ."}},
  };
  for (const FindCase& c : cases) CheckFind(c);
}

TEST_F(CandidateFolderListTest, StoresEachExistingFolderOnceInNormalForm) {
  const struct {
    std::vector<std::string> folders;
    std::vector<std::string> added;
    std::vector<std::string> listed;  // " +" marks appendSubfolder 1
  } cases[] = {
      {{"C:\\foo"}, {"c:\\Foo", "C:\\FOO\\"}, {"C:\\Foo\\ +"}},
      {{"C:\\Hosts\\App"}, {"C:\\Hosts\\App\\app.exe"}, {"C:\\Hosts\\App\\ +"}},
      {{"D:\\Paint\\Plugins"}, {"D:\\Paint\\Plugins;"}, {"D:\\Paint\\Plugins\\ +"}},
      {{"C:\\Tools"}, {"C:\\Tools\\Missing"}, {"C:\\Tools\\ +"}},
      {{}, {"C:\\Tools\\Missing"}, {}},
      {{"C:\\", "C:\\ "}, {"C:\\", "C:\\x", "C:\\ "}, {}},
      {{"C:\\Host\\Plug-Ins\\Quillane", "C:\\Host\\Plug-Ins\\QuillaneFilters"},
       {"C:\\Host\\Plug-Ins\\Quillane\\", "C:\\Host\\Plug-Ins\\QuillaneFilters"},
       {"C:\\Host\\Plug-Ins\\ +"}},
      {{"c:\\programs\\igrafx\\plugins"},
       {"c:\\programs\\igrafx\\plugins"},
       {"C:\\Programs\\Igrafx\\Plugins\\"}},
      {{"C:\\Tools\\quillane\\igrafx"}, {"C:\\Tools\\quillane\\igrafx"}, {"C:\\Tools\\ +"}},
      // Only the first "quil" counts, and only after a backslash.
      {{"C:\\Aquila\\Quill"}, {"C:\\Aquila\\Quill"}, {"C:\\Aquila\\Quill\\ +"}},
      // Cut to a drive root, the maker's folder itself is no plug-in folder.
      {{"C:\\Quillane"}, {"C:\\Quillane\\"}, {}},
      // A folder already listed keeps its first flag.
      {{"C:\\Igrafx\\Plug"},
       {"C:\\Igrafx\\Plug", "C:\\igrafx\\plug\\Quillane"},
       {"C:\\Igrafx\\Plug\\"}},
      // An ini line's comment leaves a blank that the system ignores.
      {{"C:\\Ulead\\Plugins", "C:\\Ulead\\Plugins "},
       {"C:\\Ulead\\Plugins ;comment", "C:\\Ulead\\Plugins\\"},
       {"C:\\Ulead\\Plugins\\ +"}},
      {{"C:\\a\\b", "C:\\a"},
       {"C:\\a\\b", "C:\\a", "c:\\A\\B\\x.txt"},
       {"C:\\A\\B\\ +", "C:\\A\\ +"}},
  };
  for (const auto& c : cases) {
    ResetCandidateFolderList();
    existing = c.folders;
    for (const std::string& text : c.added) Add(text);
    EXPECT_EQ(c.listed, Listed()) << c.added.front();
  }
}

// The hosts of today: a folder is taken only as named; the flags for the dialog and Install.
TEST_F(CandidateFolderListTest, HostFoldersAreTakenOnlyAsNamed) {
  const struct {
    const char* what;
    std::vector<std::string> folders;
    std::vector<std::string> added;   // a leading "-" adds with appendSubfolder 0, "*" loads x86
    std::vector<std::string> listed;  // " +" appendSubfolder 1, " x86" marked for Install
  } cases[] = {
      {"exists as named", {"C:\\Filters"}, {"C:\\Filters"}, {"C:\\Filters\\ +"}},
      {"missing: not trimmed to its parent", {"C:\\Filters"}, {"C:\\Filters\\Gone"}, {}},
      {"no trailing junk shed", {"C:\\Filters"}, {"C:\\Filters;"}, {}},
      {"relative, a device, a .. step, a stream are never tried",
       {"Filters", "C:\\Filters", "\\\\.\\C:\\Filters"},
       {"Filters", "\\\\.\\C:\\Filters", "C:\\Filters\\Sub\\..", "C:\\Filters:x"},
       {}},
      {"'/' and '.' steps as the system reads them", {"C:\\A\\B"}, {"C:/A/./B/"}, {"C:\\A\\B\\ +"}},
      {"sub-folders not searched, marked for Install",
       {"C:\\A", "C:\\B"},
       {"-*C:\\A", "*C:\\B"},
       {"C:\\A\\ x86", "C:\\B\\ + x86"}},
      {"a folder listed before keeps its flag and is marked",
       {"C:\\A"},
       {"C:\\A", "-*c:\\a\\"},
       {"C:\\A\\ + x86"}},
  };
  for (const auto& c : cases) {
    ResetCandidateFolderList();
    existing = c.folders;
    tried.clear();
    for (std::string text : c.added) {
      int32_t append = 1;
      bool loadsX86 = false;
      for (; text[0] == '-' || text[0] == '*'; text.erase(0, 1)) {
        if (text[0] == '-') append = 0;
        if (text[0] == '*') loadsX86 = true;
      }
      char buffer[kPathChars];
      CopyText(buffer, sizeof buffer, text.c_str());
      AddHostFolder(buffer, append, loadsX86, TableFolderExists);
    }
    std::vector<std::string> listed = Listed();
    for (size_t i = 0; i < listed.size(); ++i) {
      if (CandidateHostLoadsX86List[i]) listed[i] += " x86";
    }
    EXPECT_EQ(c.listed, listed) << c.what;
    for (const std::string& folder : tried) {
      EXPECT_TRUE(folder.size() > 2 && folder[1] == ':' && folder.find("..") == std::string::npos)
          << c.what << ": tried " << folder;
    }
  }
}

TEST_F(CandidateFolderListTest, TheBufferHoldsTheNormalFormAfterwards) {
  existing = {"C:\\Foo"};
  char text[kPathChars] = "c:\\foo\\setup.exe\"";
  AddCandidateFolder(text, TableFolderExists);
  EXPECT_STREQ("C:\\Foo\\", text);
  char missing[kPathChars] = "c:\\gone\\x";
  AddCandidateFolder(missing, TableFolderExists);
  EXPECT_STREQ("c:\\gone\\", missing);
}

TEST_F(CandidateFolderListTest, KeepsTwentyFoldersAndDropsTheRest) {
  for (int i = 0; i < 21; ++i) existing.push_back("C:\\F" + std::to_string(i));
  for (int i = 0; i < 21; ++i) Add("C:\\F" + std::to_string(i));
  const std::vector<std::string> listed = Listed();
  ASSERT_EQ(20u, listed.size());
  for (int i = 0; i < 20; ++i) EXPECT_EQ("C:\\F" + std::to_string(i) + "\\ +", listed[i]);
  Add("C:\\F5");  // a listed folder is still found equal in a full list
  EXPECT_EQ(listed, Listed());
}

TEST_F(CandidateFolderListTest, TextsThatCannotTakeTheirBackslashAreDropped) {
  // 399 characters fill the buffer: with its backslash the folder would lose a character.
  const std::string full = "C:\\" + std::string(kPathChars - 4, 'a');
  const std::string fits = "C:\\" + std::string(kPathChars - 5, 'b');
  existing = {full, fits};
  Add(full);
  EXPECT_TRUE(Listed().empty());
  Add(fits);
  ASSERT_EQ(1u, Listed().size());
  EXPECT_EQ(kPathChars - 1, strlen(CandidateFolderList[0].path));
}

TEST_F(CandidateFolderListTest, AnUnterminatedBufferIsNotRead) {
  existing = {"C:\\a"};
  char text[kPathChars];
  memset(text, 'a', sizeof text);
  text[0] = 'C';
  text[1] = ':';
  text[2] = '\\';
  AddCandidateFolder(text, TableFolderExists);
  EXPECT_TRUE(Listed().empty());
  EXPECT_TRUE(tried.empty());
}

}  // namespace
