// AddCandidateFolder with real folders of the test prefix.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "discovery/existing_folder.h"
#include "tests/discovery/seeding.h"
#include "text/text_buffer.h"

namespace {

const std::string kRoot = "C:\\DiscAdd";

std::string CurrentFolder() {
  char current[kPathChars] = "";
  GetCurrentDirectoryA(sizeof current, current);
  return current;
}

struct FolderWatch {
  std::string expected;
  volatile LONG done;
  volatile LONG moved;
};

DWORD WINAPI WatchCurrentFolder(LPVOID data) {
  FolderWatch* watch = static_cast<FolderWatch*>(data);
  while (watch->done == 0) {
    if (CurrentFolder() != watch->expected) watch->moved = 1;
  }
  return 0;
}

class CandidateFolderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    LeaveTestFolders();
    RemoveTree(kRoot);
    ResetCandidateFolderList();
    for (const char* folder : {"foo", "Hosts\\App", "Paint\\Plugins", "Tools\\quillane\\igrafx",
                               "Host\\Plug-Ins\\Quillane", "Host\\Plug-Ins\\QuillaneFilters",
                               "programs\\igrafx\\plugins", "Ulead\\Plugins"}) {
      ASSERT_TRUE(MakeFolders(kRoot + "\\" + folder)) << folder;
    }
    ASSERT_TRUE(WriteBytes(kRoot + "\\Hosts\\App\\app.exe", "MZ"));
  }

  void TearDown() override {
    LeaveTestFolders();
    RemoveTree(kRoot);
  }

  static void Add(const std::string& text) {
    char buffer[kPathChars];
    CopyText(buffer, sizeof buffer, text.c_str());
    AddCandidateFolder(buffer);
  }
};

TEST_F(CandidateFolderTest, StoresExistingFoldersInNormalForm) {
  const struct {
    std::vector<std::string> added;   // below kRoot
    std::vector<std::string> listed;  // below "C:\Discadd\", " +" for appendSubfolder 1
  } cases[] = {
      {{"\\foo", "\\FOO\\"}, {"Foo\\ +"}},
      {{"\\Hosts\\App\\app.exe"}, {"Hosts\\App\\ +"}},
      {{"\\Paint\\Plugins;"}, {"Paint\\Plugins\\ +"}},
      {{"\\Tools\\Missing"}, {"Tools\\ +"}},
      {{"\\Gone\\Missing"}, {}},
      {{"\\Host\\Plug-Ins\\Quillane\\", "\\Host\\Plug-Ins\\QuillaneFilters"},
       {"Host\\Plug-Ins\\ +"}},
      {{"\\programs\\igrafx\\plugins"}, {"Programs\\Igrafx\\Plugins\\"}},
      {{"\\Tools\\quillane\\igrafx"}, {"Tools\\ +"}},
      // The system finds "Plugins " and "Plugins." as "Plugins": listed once, by its own name.
      {{"\\Ulead\\Plugins ;comment", "\\Ulead\\Plugins\\", "\\Ulead\\Plugins. ;x",
        "\\Ulead\\Plugins \\"},
       {"Ulead\\Plugins\\ +"}},
      {{"\\Hosts\\App\\\" \"%1\"", "\\foo\\bar.dll", "\\Tools\\"},
       {"Hosts\\App\\ +", "Foo\\ +", "Tools\\ +"}},
  };
  // The search runs beside the window's thread, which must find the current folder where it
  // left it at every moment: a second thread watches it while the rows run.
  const std::string before = CurrentFolder();
  FolderWatch watch = {before, 0, 0};
  HANDLE watcher = CreateThread(nullptr, 0, WatchCurrentFolder, &watch, 0, nullptr);
  ASSERT_NE(watcher, nullptr);
  for (const auto& c : cases) {
    ResetCandidateFolderList();
    std::vector<std::string> expected;
    for (const std::string& folder : c.listed) expected.push_back("C:\\Discadd\\" + folder);
    for (const std::string& text : c.added) Add(kRoot + text);
    EXPECT_EQ(expected, ListedFolders()) << c.added.front();
    EXPECT_EQ(before, CurrentFolder()) << c.added.front();
  }
  watch.done = 1;
  WaitForSingleObject(watcher, INFINITE);
  CloseHandle(watcher);
  EXPECT_EQ(0, watch.moved) << "the current folder moved while folders were tested";
}

TEST_F(CandidateFolderTest, NeverStoresADriveRootOrADriveRelativeFolder) {
  ASSERT_FALSE(EnterFolder("C:\\~none"));
  Add("C:\\");
  Add("C:\\~none");  // its parent is the drive root
  Add("C:\\x");
  Add("C:\\ ;comment");
  Add("C:\\. ");
  LeaveTestFolders();
  ASSERT_TRUE(EnterFolder("C:windows"));  // the system takes it, below the current directory
  Add("C:windows");
  EXPECT_EQ(std::vector<std::string>{}, ListedFolders());
}

// The folder found is not kept as the current directory, so nothing holds it open.
TEST_F(CandidateFolderTest, FindExistingFolderLeavesTheCurrentDirectoryAsItWas) {
  char before[kPathChars];
  ASSERT_NE(0u, GetCurrentDirectoryA(sizeof before, before));
  char text[kPathChars] = "C:\\DiscAdd\\Paint\\Plugins\\filter.8bf\"";
  ASSERT_TRUE(FindExistingFolder(text));
  EXPECT_STREQ("C:\\DiscAdd\\Paint\\Plugins\\", text);
  char current[kPathChars];
  ASSERT_NE(0u, GetCurrentDirectoryA(sizeof current, current));
  EXPECT_STREQ(before, current);
  ASSERT_TRUE(MoveFileA("C:\\DiscAdd\\Paint\\Plugins", "C:\\DiscAdd\\Paint\\Renamed"));
  EXPECT_TRUE(MoveFileA("C:\\DiscAdd\\Paint\\Renamed", "C:\\DiscAdd\\Paint\\Plugins"));
}

TEST_F(CandidateFolderTest, FindExistingFolderKeepsTheNameWithoutIgnoredBlanksAndDots) {
  const struct {
    const char* text;
    const char* held;
  } cases[] = {
      {"C:\\DiscAdd\\Ulead\\Plugins ;comment", "C:\\DiscAdd\\Ulead\\Plugins"},
      {"C:\\DiscAdd\\Ulead\\Plugins. .", "C:\\DiscAdd\\Ulead\\Plugins"},
      {"C:\\DiscAdd\\Ulead\\.", "C:\\DiscAdd\\Ulead\\"},
      {"C:\\DiscAdd\\Ulead\\Plugins\\..", "C:\\DiscAdd\\Ulead\\Plugins\\.."},
  };
  for (const auto& c : cases) {
    char text[kPathChars];
    CopyText(text, sizeof text, c.text);
    EXPECT_TRUE(FindExistingFolder(text)) << c.text;
    EXPECT_STREQ(c.held, text) << c.text;
  }
}

TEST_F(CandidateFolderTest, KeepsTheFirstTwentyFolders) {
  std::vector<std::string> expected;
  for (int i = 0; i < 21; ++i) {
    const std::string name = "Many\\F" + std::to_string(i);
    ASSERT_TRUE(MakeFolders(kRoot + "\\" + name));
    if (i < 20) expected.push_back("C:\\Discadd\\Many\\F" + std::to_string(i) + "\\ +");
  }
  for (int i = 0; i < 21; ++i) Add(kRoot + "\\Many\\F" + std::to_string(i));
  EXPECT_EQ(expected, ListedFolders());
}

}  // namespace
