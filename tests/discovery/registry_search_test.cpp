// The registry reads and the subtree walk against the real registry of the test prefix.
#include <windows.h>

#include <gtest/gtest.h>

#include <stdio.h>

#include <string>
#include <vector>

#include "discovery/candidate_folder_list.h"
#include "discovery/registry_read.h"
#include "discovery/registry_search.h"
#include "tests/discovery/seeding.h"
#include "text/text_buffer.h"

namespace {

const char kKey[] = "Software\\QDiscSearch";
const std::string kFolders = "C:\\DiscReg";
const HKEY kRoots[] = {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE, HKEY_USERS};

std::string UnderRoot(HKEY root, const std::string& key) {
  return root == HKEY_USERS ? ".default\\" + key : key;
}

class RegistrySearchTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Clean();
    ResetCandidateFolderList();
  }
  void TearDown() override { Clean(); }

  static void Clean() {
    for (HKEY root : kRoots) DeleteRegistryTree(root, UnderRoot(root, kKey));
    LeaveTestFolders();
    RemoveTree(kFolders);
  }

  // A folder below C:\DiscReg that exists, and the form it is listed in.
  static std::string Folder(const std::string& name) {
    EXPECT_TRUE(MakeFolders(kFolders + "\\" + name)) << name;
    return kFolders + "\\" + name;
  }

  static void Seed(HKEY root, const std::string& key, const std::string& name,
                   const std::string& text) {
    ASSERT_TRUE(SetRegistryText(root, UnderRoot(root, std::string(kKey) + key), name, text))
        << key << " " << name;
  }

  static void SeedBytes(HKEY root, const std::string& key, const std::string& name,
                        const std::string& bytes, DWORD type) {
    ASSERT_TRUE(SetRegistryBytes(root, UnderRoot(root, std::string(kKey) + key), name, bytes, type))
        << key << " " << name;
  }
};

// Runs the work on a thread of its own and waits up to `milliseconds` for it to end. A walk
// that never ends cannot be stopped safely, so the whole test program then ends, failed.
// False only when no thread could be started.
template <typename Work>
bool EndsWithin(DWORD milliseconds, Work work) {
  struct Call {
    static DWORD WINAPI Run(void* param) {
      (*static_cast<Work*>(param))();
      return 0;
    }
  };
  HANDLE thread = CreateThread(nullptr, 0, &Call::Run, &work, 0, nullptr);
  if (thread == nullptr) return false;
  const bool ended = WaitForSingleObject(thread, milliseconds) == WAIT_OBJECT_0;
  CloseHandle(thread);
  if (!ended) {
    fprintf(stderr, "[  FAILED  ] the work did not end within %lu ms\n",
            static_cast<unsigned long>(milliseconds));
    fflush(stderr);
    TerminateProcess(GetCurrentProcess(), 3);
  }
  return ended;
}

struct Read {
  LONG error;
  std::string text;
};

Read ReadValue(const char* name) {
  char out[kPathChars];
  memset(out, 'Z', sizeof out);
  Read read;
  read.error = ReadRegistryString(HKEY_CURRENT_USER, kKey, name, out, sizeof out);
  read.text = std::string(out, BoundedLength(out, sizeof out));
  return read;
}

TEST_F(RegistrySearchTest, ReadRegistryStringKeepsTextsOfAPathValue) {
  const std::string a254(254, 'a'), a255(255, 'a'), a256(256, 'a');
  const std::string zero(1, '\0');
  SeedBytes(HKEY_CURRENT_USER, "", "", "C:\\Default" + zero, REG_SZ);
  SeedBytes(HKEY_CURRENT_USER, "", "bytes255", a254 + zero, REG_SZ);
  SeedBytes(HKEY_CURRENT_USER, "", "bytes256", a255 + zero, REG_SZ);
  SeedBytes(HKEY_CURRENT_USER, "", "bytes257", a256 + zero, REG_SZ);
  SeedBytes(HKEY_CURRENT_USER, "", "unterminated256", a256, REG_SZ);
  SeedBytes(HKEY_CURRENT_USER, "", "expand", "C:\\Expand" + zero, REG_EXPAND_SZ);
  SeedBytes(HKEY_CURRENT_USER, "", "binary", "C:\\Binary" + zero, REG_BINARY);
  SeedBytes(HKEY_CURRENT_USER, "", "multi", "C:\\Multi" + zero + zero, REG_MULTI_SZ);
  SeedBytes(HKEY_CURRENT_USER, "", "dword", std::string("C:\\\0", 4), REG_DWORD);

  const struct {
    const char* name;
    LONG error;
    std::string text;
  } cases[] = {
      {"", ERROR_SUCCESS, "C:\\Default"},
      {"bytes255", ERROR_SUCCESS, a254},
      {"bytes256", ERROR_SUCCESS, a255},
      {"bytes257", ERROR_MORE_DATA, ""},
      {"unterminated256", ERROR_SUCCESS, a256},
      {"expand", ERROR_SUCCESS, ""},
      {"binary", ERROR_SUCCESS, ""},
      {"multi", ERROR_SUCCESS, ""},
      {"dword", ERROR_SUCCESS, ""},
      {"missing", ERROR_FILE_NOT_FOUND, ""},
  };
  for (const auto& c : cases) {
    const Read read = ReadValue(c.name);
    EXPECT_EQ(c.error, read.error) << c.name;
    EXPECT_EQ(c.text, read.text) << c.name;
  }
  char out[kPathChars] = "old";
  EXPECT_NE(ERROR_SUCCESS, ReadRegistryString(HKEY_CURRENT_USER, "Software\\QDiscSearch\\None", "",
                                              out, sizeof out));
  EXPECT_STREQ("", out);
}

TEST_F(RegistrySearchTest, NextRegistryValuePassesOverWhatIsTooLongAndStartsAgain) {
  // Created in name order: Wine lists values by name, Windows in the order they were made.
  const std::string zero(1, '\0');
  SeedBytes(HKEY_CURRENT_USER, "", "a" + std::string(299, 'n'), "C:\\LongName" + zero, REG_SZ);
  SeedBytes(HKEY_CURRENT_USER, "", "b257", std::string(256, 'b') + zero, REG_SZ);
  SeedBytes(HKEY_CURRENT_USER, "", "c", std::string("C:\\\0", 4), REG_DWORD);
  SeedBytes(HKEY_CURRENT_USER, "", "d" + std::string(254, 'n'), "C:\\Plug" + zero, REG_SZ);

  std::vector<std::string> seen;
  for (int call = 0; call < 6; ++call) {
    char name[kPathChars];
    char data[kPathChars];
    const LONG error =
        NextRegistryValue(HKEY_CURRENT_USER, kKey, name, sizeof name, data, sizeof data);
    seen.push_back(std::to_string(error) + " " + name + "=" + data);
  }
  const std::string more = std::to_string(ERROR_MORE_DATA) + " =";
  const std::vector<std::string> expected = {
      more,
      more,
      "0 c=",
      "0 d" + std::string(254, 'n') + "=C:\\Plug",
      std::to_string(ERROR_NO_MORE_ITEMS) + " =",
      more,  // the cursor went back to the first value
  };
  EXPECT_EQ(expected, seen);
  // Leave the cursor at 0 for the walks that follow.
  char name[kPathChars];
  char data[kPathChars];
  EXPECT_EQ(ERROR_FILE_NOT_FOUND,
            NextRegistryValue(HKEY_USERS, "QDiscNone", name, sizeof name, data, sizeof data));
}

// Wine opens no key by a path longer than 255 characters and says so with ERROR_MORE_DATA,
// the code the reads keep for a name or text too long to read.
TEST_F(RegistrySearchTest, AKeyThatCannotBeOpenedEndsItsReads) {
  const std::string level2 = "\\" + std::string(200, 'a') + "\\" + std::string(100, 'b');
  const std::string tooLong = kKey + level2;
  Seed(HKEY_CURRENT_USER, level2, "PluginDir", "C:\\x");
  HKEY opened = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, tooLong.c_str(), 0, KEY_READ, &opened) == ERROR_SUCCESS) {
    RegCloseKey(opened);
    GTEST_SKIP() << "this system opens long key paths";
  }
  for (int call = 0; call < 2; ++call) {
    char name[kPathChars] = "old";
    char data[kPathChars] = "old";
    const LONG error =
        NextRegistryValue(HKEY_CURRENT_USER, tooLong.c_str(), name, sizeof name, data, sizeof data);
    EXPECT_NE(ERROR_SUCCESS, error);
    EXPECT_NE(ERROR_MORE_DATA, error);
    EXPECT_STREQ("", name);
    EXPECT_STREQ("", data);
  }
  char name[kPathChars] = "old";
  const LONG error = RegistrySubkeyAt(HKEY_CURRENT_USER, tooLong.c_str(), name, sizeof name, 0);
  EXPECT_NE(ERROR_SUCCESS, error);
  EXPECT_NE(ERROR_MORE_DATA, error);
  EXPECT_STREQ("", name);
}

TEST_F(RegistrySearchTest, RegistrySubkeyAtNamesEachSubkey) {
  Seed(HKEY_CURRENT_USER, "\\a", "v", "x");
  Seed(HKEY_CURRENT_USER, "\\" + std::string(255, 'b'), "v", "x");
  Seed(HKEY_CURRENT_USER, "\\" + std::string(256, 'c'), "v", "x");
  const struct {
    DWORD index;
    LONG error;
    std::string name;
  } cases[] = {
      {0, ERROR_SUCCESS, "a"},
      {1, ERROR_SUCCESS, std::string(255, 'b')},
      {2, ERROR_MORE_DATA, ""},
      {3, ERROR_NO_MORE_ITEMS, ""},
  };
  for (const auto& c : cases) {
    char name[kPathChars] = "old";
    EXPECT_EQ(c.error, RegistrySubkeyAt(HKEY_CURRENT_USER, kKey, name, sizeof name, c.index));
    EXPECT_EQ(c.name, name);
  }
  char name[kPathChars] = "old";
  EXPECT_EQ(ERROR_FILE_NOT_FOUND,
            RegistrySubkeyAt(HKEY_CURRENT_USER, "Software\\QDiscNone", name, sizeof name, 0));
  EXPECT_STREQ("", name);
}

TEST_F(RegistrySearchTest, AddsPlugFoldersUnderTheKeyPathFilter) {
  const std::string ps7 = Folder("Ps7\\Plug-Ins");
  const std::string filters = Folder("Filters");
  const std::string quoted = Folder("Quoted");
  const std::string acrobat = Folder("Acrobat");
  const std::string install = Folder("Ps7\\Install");
  const std::string expanded = Folder("Expanded");
  Seed(HKEY_CURRENT_USER, "\\adobe\\acrobat", "PluginPath", acrobat);
  Seed(HKEY_CURRENT_USER, "\\adobe\\photoshop\\7.0", "InstallPath", install);
  Seed(HKEY_CURRENT_USER, "\\adobe\\photoshop\\7.0", "PluginPath", ps7);
  Seed(HKEY_CURRENT_USER, "\\adobe\\photoshop\\7.0\\Plugins", "Any", filters);
  Seed(HKEY_CURRENT_USER, "\\adobe\\photoshop\\7.0\\Plugins\\More", "Quoted", "\" \"" + quoted);
  Seed(HKEY_CURRENT_USER, "\\adobe\\photoshop\\7.0\\Plugins\\More", "Relative", "Plug-Ins\\x");
  Seed(HKEY_CURRENT_USER, "\\adobe\\photoshop\\7.0\\Plugins\\More", "Zahl", "12");
  SeedBytes(HKEY_CURRENT_USER, "\\adobe\\photoshop\\8.0", "PluginPath",
            expanded + std::string(1, '\0'), REG_EXPAND_SZ);

  RegistryTreeSearch("software", "qdiscsearch\\adobe", "photoshop");
  EXPECT_EQ((std::vector<std::string>{"C:\\Discreg\\Ps7\\Plug-Ins\\ +", "C:\\Discreg\\Filters\\ +",
                                      "C:\\Discreg\\Quoted\\ +"}),
            ListedFolders());
}

TEST_F(RegistrySearchTest, AppendsTheTailToAValueNamedByTheFilter) {
  Folder("PhotoDraw\\photodraw\\plugins");
  Folder("Mega");
  Seed(HKEY_LOCAL_MACHINE, "\\microsoft\\photodraw\\2.0", "InstallDest",
       kFolders + "\\PhotoDraw\\");
  Seed(HKEY_LOCAL_MACHINE, "\\megalux", "AdobeLoc", kFolders + "\\Mega");
  RegistryTreeSearch("software", "qdiscsearch\\microsoft\\photodraw", "", "installdest",
                     "photodraw\\plugins");
  RegistryTreeSearch("software", "qdiscsearch\\megalux", "", "adobeloc");
  EXPECT_EQ((std::vector<std::string>{"C:\\Discreg\\Photodraw\\Photodraw\\Plugins\\ +",
                                      "C:\\Discreg\\Mega\\ +"}),
            ListedFolders());
}

TEST_F(RegistrySearchTest, SearchesTheUserTheMachineAndTheDefaultUserInTurn) {
  const std::string a = Folder("A");
  const std::string b = Folder("B");
  const std::string c = Folder("C");
  Seed(HKEY_USERS, "\\Host", "PluginC", c);
  Seed(HKEY_USERS, "\\Host", "PluginD", b);
  Seed(HKEY_LOCAL_MACHINE, "\\Host", "PluginA", a);
  Seed(HKEY_LOCAL_MACHINE, "\\Host", "PluginB", b);
  Seed(HKEY_CURRENT_USER, "\\Host", "PluginA", a);
  RegistryTreeSearch("software", "qdiscsearch\\host", "");
  EXPECT_EQ(
      (std::vector<std::string>{"C:\\Discreg\\A\\ +", "C:\\Discreg\\B\\ +", "C:\\Discreg\\C\\ +"}),
      ListedFolders());
}

TEST_F(RegistrySearchTest, PassesOverKeysTooDeepAndGoesOn) {
  std::string deep = "\\Deep";
  for (int level = 1; level <= 20; ++level) {
    deep += "\\a";
    Seed(HKEY_CURRENT_USER, deep, "PluginDir", Folder("L" + std::to_string(level)));
  }
  Seed(HKEY_CURRENT_USER, "\\Deep\\b", "PluginDir", Folder("Sibling"));
  RegistryTreeSearch("software", "qdiscsearch\\deep", "");
  std::vector<std::string> expected;
  for (int level = 1; level <= 19; ++level) {
    expected.push_back("C:\\Discreg\\L" + std::to_string(level) + "\\ +");
  }
  expected.push_back("C:\\Discreg\\Sibling\\ +");
  EXPECT_EQ(expected, ListedFolders());
}

TEST_F(RegistrySearchTest, PassesOverKeysWhosePathWouldNotFitAndGoesOn) {
  // The start key path has 25 characters; the second long level would make it 427.
  const std::string level1 = "\\Long\\a" + std::string(199, 'x');
  Seed(HKEY_CURRENT_USER, level1, "PluginDir", Folder("Long1"));
  Seed(HKEY_CURRENT_USER, level1 + "\\" + std::string(200, 'y'), "PluginDir", Folder("Long2"));
  Seed(HKEY_CURRENT_USER, "\\Long\\b", "PluginDir", Folder("Sibling"));
  RegistryTreeSearch("software", "qdiscsearch\\long", "");
  EXPECT_EQ((std::vector<std::string>{"C:\\Discreg\\Long1\\ +", "C:\\Discreg\\Sibling\\ +"}),
            ListedFolders());
}

TEST_F(RegistrySearchTest, PassesOverKeysWhosePathCannotBeOpenedAndGoesOn) {
  // The start key path has 27 characters; below the 200-character level the path has 329,
  // which fits a path buffer but is more than a key path can be opened by.
  const std::string level1 = "\\Open\\" + std::string(200, 'a');
  Seed(HKEY_CURRENT_USER, level1, "PluginDir", Folder("Open1"));
  Seed(HKEY_CURRENT_USER, level1 + "\\" + std::string(100, 'b'), "PluginDir", Folder("Open2"));
  Seed(HKEY_CURRENT_USER, "\\Open\\c", "PluginDir", Folder("Sibling"));
  ASSERT_TRUE(EndsWithin(30000, [] { RegistryTreeSearch("software", "qdiscsearch\\open", ""); }))
      << "the walk did not end";
  EXPECT_EQ((std::vector<std::string>{"C:\\Discreg\\Open1\\ +", "C:\\Discreg\\Sibling\\ +"}),
            ListedFolders());
}

TEST_F(RegistrySearchTest, HostileValuesNeitherOverrunNorStopTheWalk) {
  const std::string zero(1, '\0');
  const std::string kept = Folder("Kept");
  const std::string padded = Folder("Padded");
  // Created in name order, so that Wine and Windows list them alike.
  SeedBytes(HKEY_CURRENT_USER, "\\Hostile", "a" + std::string(299, 'n'), kept + zero, REG_SZ);
  SeedBytes(HKEY_CURRENT_USER, "\\Hostile", "b257", "C:\\" + std::string(253, 'b') + zero, REG_SZ);
  SeedBytes(HKEY_CURRENT_USER, "\\Hostile", "plug", kept + zero, REG_SZ);
  // A key name too long to read hides its subtree, not its siblings.
  Seed(HKEY_CURRENT_USER, "\\Hostile\\" + std::string(256, 'a'), "PluginDir", Folder("Hidden"));
  // 256 bytes without a terminating zero: a folder and junk up to the limit.
  SeedBytes(HKEY_CURRENT_USER, "\\Hostile\\Plugins", "a",
            padded + std::string(256 - padded.size(), ';'), REG_SZ);
  SeedBytes(HKEY_CURRENT_USER, "\\Hostile\\Plugins", "b", Folder("Binary") + zero, REG_BINARY);
  SeedBytes(HKEY_CURRENT_USER, "\\Hostile\\Plugins", "c",
            std::string(1, '\0') + Folder("AfterZero") + zero, REG_SZ);
  RegistryTreeSearch("software", "qdiscsearch\\hostile", "");
  RegistryTreeSearch("software", "qdiscsearch\\none", "");
  EXPECT_EQ((std::vector<std::string>{"C:\\Discreg\\Kept\\ +", "C:\\Discreg\\Padded\\ +"}),
            ListedFolders());
}

}  // namespace

// 32-bit editors on 64-bit Windows register in the 32-bit view; both builds read only that
// view, so a key that only a 64-bit program wrote is not found.
TEST_F(RegistrySearchTest, ReadsTheThirtyTwoBitViewOnly) {
  const std::string wow = Folder("Wow");
  const std::string native = Folder("Native");
  SetSeedRegistryView(KEY_WOW64_64KEY);
  Seed(HKEY_LOCAL_MACHINE, "\\View", "PluginNative", native);
  SetSeedRegistryView(KEY_WOW64_32KEY);
  Seed(HKEY_LOCAL_MACHINE, "\\View", "PluginWow", wow);
  RegistryTreeSearch("software", "qdiscsearch\\view", "");
  char read[400];
  EXPECT_EQ(ERROR_FILE_NOT_FOUND,
            ReadRegistryString(HKEY_LOCAL_MACHINE, "Software\\QDiscSearch\\View", "PluginNative",
                               read, sizeof read));
  SetSeedRegistryView(KEY_WOW64_64KEY);
  DeleteRegistryTree(HKEY_LOCAL_MACHINE, std::string(kKey) + "\\View");
  SetSeedRegistryView(KEY_WOW64_32KEY);
  EXPECT_EQ((std::vector<std::string>{"C:\\Discreg\\Wow\\ +"}), ListedFolders());
}
