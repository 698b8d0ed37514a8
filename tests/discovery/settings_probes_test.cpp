// The settings-file probes on real program folders, found through real ProgID commands.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "discovery/candidate_folder_list.h"
#include "discovery/path_rules.h"
#include "discovery/resumable_file_search.h"
#include "discovery/settings_probes.h"
#include "tests/discovery/seeding.h"
#include "text/text_buffer.h"

namespace {

const std::string kRoot = "C:\\DiscProbe";
const char* const kProgIds[] = {"QDiscProbe.App",     "QDiscProbe.Bare",    "QDiscProbe.Expand",
                                "QDiscProbe.Long",    "QDiscProbe.Prefs",   "QDiscProbe.Corel ",
                                "QDiscProbe.Painter", "QDiscProbe.Relative"};
const char kIniName[] = "qdiscprobe.ini";

std::string WindowsFile(const char* name) {
  char folder[kPathChars];
  const UINT len = GetWindowsDirectoryA(folder, sizeof folder);
  EXPECT_TRUE(len > 0 && len < sizeof folder);
  return std::string(folder) + "\\" + name;
}

class SettingsProbesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Clean();
    ResetCandidateFolderList();
  }
  void TearDown() override {
    EndFileSearch();
    Clean();
  }

  static void Clean() {
    for (const char* progId : kProgIds) DeleteRegistryTree(HKEY_CLASSES_ROOT, progId);
    DeleteRegistryTree(HKEY_LOCAL_MACHINE, "Software\\QDiscProbe");
    DeleteFileA(WindowsFile(kIniName).c_str());
    LeaveTestFolders();
    RemoveTree(kRoot);
  }

  // Creates the folder below kRoot; returns its full path.
  static std::string Folder(const std::string& name) {
    EXPECT_TRUE(MakeFolders(kRoot + "\\" + name)) << name;
    return kRoot + "\\" + name;
  }

  static void File(const std::string& name, const std::string& bytes) {
    const size_t slash = name.rfind('\\');
    if (slash != std::string::npos) Folder(name.substr(0, slash));
    ASSERT_TRUE(WriteBytes(kRoot + "\\" + name, bytes)) << name;
  }

  static void Command(const std::string& progId, const std::string& command) {
    ASSERT_TRUE(SetOpenCommand(progId, command)) << progId;
  }
};

std::vector<std::string> SearchAll(const std::string& start, int32_t levelsUp) {
  std::vector<std::string> found;
  char out[kPathChars];
  int32_t restart = 1;
  while (
      ResumableFileSearch(start.c_str(), "photos", ".ini", out, sizeof out, &restart, levelsUp)) {
    EXPECT_EQ(0, restart);
    found.push_back(out);
  }
  EXPECT_STREQ("", out);
  // The system lists folders in its own order.
  std::sort(found.begin(), found.end());
  return found;
}

TEST_F(SettingsProbesTest, FindAppFolderTakesTheProgramFolderOfACommand) {
  Command("QDiscProbe.App", "\"C:\\DiscProbe\\App\\app.exe\" \"%1\"");
  Command("QDiscProbe.Bare", "app.exe %1");
  Command("QDiscProbe.Relative", "C:DiscProbe\\App\\app.exe %1");
  ASSERT_TRUE(SetRegistryBytes(HKEY_CLASSES_ROOT, "QDiscProbe.Expand\\shell\\open\\command", "",
                               std::string("C:\\DiscProbe\\Expand\\app.exe", 29), REG_EXPAND_SZ));
  Command("QDiscProbe.Long", "C:\\DiscProbe\\" + std::string(250, 'x') + "\\app.exe");
  ASSERT_TRUE(SetRegistryText(HKEY_LOCAL_MACHINE, "Software\\QDiscProbe\\App Paths\\Tool.exe", "",
                              "C:\\DiscProbe\\Tool\\Tool.exe"));
  const struct {
    HKEY root;
    const char* key;
    const char* subPath;
    bool found;
    const char* folder;
  } cases[] = {
      {HKEY_CLASSES_ROOT, "QDiscProbe.App", "shell\\open\\command", true, "C:\\DiscProbe\\App\\"},
      {HKEY_CLASSES_ROOT, "QDiscProbe.Bare", "shell\\open\\command", false, ""},
      {HKEY_CLASSES_ROOT, "QDiscProbe.Relative", "shell\\open\\command", false, ""},
      {HKEY_CLASSES_ROOT, "QDiscProbe.Expand", "shell\\open\\command", false, ""},
      {HKEY_CLASSES_ROOT, "QDiscProbe.Long", "shell\\open\\command", false, ""},
      {HKEY_CLASSES_ROOT, "QDiscProbe.None", "shell\\open\\command", false, ""},
      {HKEY_LOCAL_MACHINE, "Software\\QDiscProbe\\App Paths", "Tool.exe", true,
       "C:\\DiscProbe\\Tool\\"},
  };
  for (const auto& c : cases) {
    char folder[kPathChars] = "old";
    EXPECT_EQ(c.found, FindAppFolder(c.root, c.key, c.subPath, folder, sizeof folder)) << c.key;
    EXPECT_STREQ(c.folder, folder) << c.key;
  }
}

TEST_F(SettingsProbesTest, FileSearchGoesNineFoldersDeepAndMovesUp) {
  File("Search\\Prog\\Photos-Top.ini", "");
  File("Search\\Prog\\Sub\\photos-sub.INI", "");
  File("Search\\Prog\\Sub\\other.ini", "");
  File("Search\\Prog\\Sub\\photos.txt", "");
  File("Search\\Prog\\Sub\\xphotos.ini", "");
  File("Search\\Prog\\.hidden\\photos-hidden.ini", "");
  File("Search\\Prog\\Sub\\photos-folder.ini\\photos-in.ini", "");  // a folder, not a file
  std::string deep = "Search\\Prog";
  for (int level = 1; level <= 10; ++level) {
    deep += "\\D" + std::to_string(level);
    File(deep + "\\photos-" + std::to_string(level) + ".ini", "");
  }
  File("Search\\Sibling\\photos-sibling.ini", "");

  const std::string prog = kRoot + "\\Search\\Prog\\";
  std::vector<std::string> below;
  deep = prog;
  for (int level = 1; level <= 9; ++level) {
    deep += "D" + std::to_string(level) + "\\";
    below.push_back(deep + "photos-" + std::to_string(level) + ".ini");
  }
  below.push_back(prog + "Photos-Top.ini");
  below.push_back(prog + "Sub\\photos-folder.ini\\photos-in.ini");
  below.push_back(prog + "Sub\\photos-sub.INI");
  std::sort(below.begin(), below.end());
  EXPECT_EQ(below, SearchAll(prog, 0));
  EXPECT_EQ(below, SearchAll(kRoot + "\\Search\\Prog", 0));

  // Counted from the parent, the ninth folder below the program folder is one too deep.
  std::vector<std::string> fromParent;
  for (const std::string& path : below) {
    if (path.find("\\D9\\") == std::string::npos) fromParent.push_back(path);
  }
  fromParent.push_back(kRoot + "\\Search\\Sibling\\photos-sibling.ini");
  std::sort(fromParent.begin(), fromParent.end());
  EXPECT_EQ(fromParent, SearchAll(prog, 1));
  EXPECT_EQ(std::vector<std::string>{}, SearchAll(kRoot + "\\None\\", 0));
}

TEST_F(SettingsProbesTest, AnAbandonedFileSearchStartsAfreshOrEnds) {
  File("Search\\photos-1.ini", "");
  File("Search\\A\\photos-2.ini", "");
  const std::string start = kRoot + "\\Search";
  char out[kPathChars];
  int32_t restart = 1;
  ASSERT_TRUE(ResumableFileSearch(start.c_str(), "photos", ".ini", out, sizeof out, &restart, 0));
  EXPECT_EQ(2u, SearchAll(start, 0).size());
  // The complete search that started afresh has ended.
  EXPECT_FALSE(ResumableFileSearch(start.c_str(), "photos", ".ini", out, sizeof out, &restart, 0));
  restart = 1;
  ASSERT_TRUE(ResumableFileSearch(start.c_str(), "photos", ".ini", out, sizeof out, &restart, 0));
  EndFileSearch();
  EXPECT_FALSE(ResumableFileSearch(start.c_str(), "photos", ".ini", out, sizeof out, &restart, 0));
  EXPECT_STREQ("", out);
}

TEST_F(SettingsProbesTest, PreferenceFileProbeAddsTheFirstPathOfAKeyLine) {
  const std::string other = Folder("Prefs\\Other");
  Folder("Prefs\\Plug-Ins");
  Command("QDiscProbe.Prefs", "\"" + kRoot + "\\Prefs\\Prog\\prog.exe\" \"%1\"");
  File("Prefs\\Prog\\Settings\\QDPrefs.ini",
       "[Paths]\r\nOtherDir=" + other + "\r\nPluginDirectory=plugins;Alt=(" + kRoot +
           "\\Prefs\\Plug-Ins) \r\nPluginDirectory2=" + other + "\r\n");
  PreferenceFileProbe("QDiscProbe.Prefs", "qdprefs", ".ini", "plugindirectory", 0);
  EXPECT_EQ(std::vector<std::string>{"C:\\Discprobe\\Prefs\\Plug-Ins\\ +"}, ListedFolders());
}

TEST_F(SettingsProbesTest, PreferenceFileProbeReadsOnUntilAPathAndNoFurther) {
  const struct {
    const char* what;
    std::string first;
    std::string second;
    std::vector<std::vector<std::string>> oneOf;
  } cases[] = {
      {"the first path ends the probe",
       "PluginDirectory=C:\\DiscProbe\\A\r\n",
       "PluginDirectory=C:\\DiscProbe\\B\r\n",
       {{"C:\\Discprobe\\A\\ +"}, {"C:\\Discprobe\\B\\ +"}}},
      {"a key line without a path",
       "PluginDirectory=plugins\r\n",
       "PluginDirectory=C:\\DiscProbe\\B\r\n",
       {{"C:\\Discprobe\\B\\ +"}}},
      {"a last line without a newline",
       "x\r\nPluginDirectory=C:\\DiscProbe\\A",
       "[none]\r\n",
       {{"C:\\Discprobe\\A\\ +"}}},
      {"a folder that does not exist",
       "PluginDirectory=C:\\DiscProbe\\None\\x\r\n",
       "PluginDirectory=C:\\DiscProbe\\None\\y\r\n",
       {{}}},
  };
  for (const auto& c : cases) {
    Clean();
    ResetCandidateFolderList();
    Folder("A");
    Folder("B");
    Command("QDiscProbe.Prefs", kRoot + "\\Prog\\prog.exe");
    File("Prog\\qdprefs-1.ini", c.first);
    File("Prog\\Sub\\qdprefs-2.ini", c.second);
    PreferenceFileProbe("QDiscProbe.Prefs", "qdprefs", ".ini", "plugindirectory", 0);
    const std::vector<std::string> listed = ListedFolders();
    EXPECT_TRUE(std::find(c.oneOf.begin(), c.oneOf.end(), listed) != c.oneOf.end())
        << c.what << ": " << (listed.empty() ? "nothing" : listed.front());
  }
}

TEST_F(SettingsProbesTest, PreferenceFileProbePassesOverAFileItCannotOpen) {
  // The system lists folders in its own order, so each file is locked in turn: whichever
  // comes first, one run meets the locked file before the other.
  const struct {
    const char* locked;
    const char* listed;
  } cases[] = {
      {"Prog\\qdprefs-1.ini", "C:\\Discprobe\\B\\ +"},
      {"Prog\\Sub\\qdprefs-2.ini", "C:\\Discprobe\\A\\ +"},
  };
  Folder("A");
  Folder("B");
  Command("QDiscProbe.Prefs", kRoot + "\\Prog\\prog.exe");
  File("Prog\\qdprefs-1.ini", "PluginDirectory=C:\\DiscProbe\\A\r\n");
  File("Prog\\Sub\\qdprefs-2.ini", "PluginDirectory=C:\\DiscProbe\\B\r\n");
  for (const auto& c : cases) {
    ResetCandidateFolderList();
    HANDLE locked = CreateFileA((kRoot + "\\" + c.locked).c_str(), GENERIC_READ, 0, nullptr,
                                OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, locked) << c.locked;
    PreferenceFileProbe("QDiscProbe.Prefs", "qdprefs", ".ini", "plugindirectory", 0);
    CloseHandle(locked);
    EXPECT_EQ(std::vector<std::string>{c.listed}, ListedFolders()) << c.locked;
  }
}

TEST_F(SettingsProbesTest, PreferenceFileProbeMovesUpFromTheProgramFolder) {
  Folder("Corel\\Plugins");
  Command("QDiscProbe.Corel ", kRoot + "\\Corel\\Programs\\PhotoPnt.exe");
  File("Corel\\Programs\\PhotoPnt.exe", "MZ");
  File("Corel\\Config\\PhotoPnt.ini", "[Dirs]\nDirs1=C:\\DiscProbe\\Corel\\Plugins\n");
  PreferenceFileProbe("QDiscProbe.Corel", "photop", ".ini", "dirs1", 1);  // no blank: no key
  PreferenceFileProbe("QDiscProbe.Corel ", "photop", ".ini", "dirs1", 0);
  EXPECT_EQ(std::vector<std::string>{}, ListedFolders());
  PreferenceFileProbe("QDiscProbe.Corel ", "photop", ".ini", "dirs1", 1);
  EXPECT_EQ(std::vector<std::string>{"C:\\Discprobe\\Corel\\Plugins\\ +"}, ListedFolders());
}

TEST_F(SettingsProbesTest, WindowsIniProbeAddsEveryPathOfEveryKeyLine) {
  for (const char* folder : {"One", "Two", "Three", "Four", "Five", "Six"}) {
    Folder(std::string("Ini\\") + folder);
  }
  ASSERT_TRUE(WriteBytes(WindowsFile(kIniName),
                         "[Settings]\n"
                         "PluginDir=C:\\DiscProbe\\Ini\\One\n"
                         "Other=C:\\DiscProbe\\Ini\\Three\n"
                         "plugindir2=(C:\\DiscProbe\\Ini\\Two) ; comment\n"
                         // The first path runs on into the second: only the second is whole.
                         "plugindir3=C:\\DiscProbe\\Ini\\Four;plugindir4=C:\\DiscProbe\\Ini\\Five\n"
                         "PLUGINDIR5=C:\\DiscProbe\\Ini\\Six"));
  WindowsIniProbe("qdiscprobe-none.ini", "plugindir");
  EXPECT_EQ(std::vector<std::string>{}, ListedFolders());
  WindowsIniProbe(kIniName, "plugindir");
  EXPECT_EQ(
      (std::vector<std::string>{"C:\\Discprobe\\Ini\\One\\ +", "C:\\Discprobe\\Ini\\Two\\ +",
                                "C:\\Discprobe\\Ini\\Five\\ +", "C:\\Discprobe\\Ini\\Six\\ +"}),
      ListedFolders());
}

TEST_F(SettingsProbesTest, BinarySettingsProbeAddsTheFirstTrueRecordOnly) {
  const std::string zero(1, '\0');
  const std::string plugins = Folder("Painter\\Plugins");
  const std::string other = Folder("Painter\\Other");
  Command("QDiscProbe.Painter", kRoot + "\\Painter\\Painter.exe");
  const struct {
    const char* what;
    std::string bytes;
    std::vector<std::string> listed;
  } cases[] = {
      {"a lying record, then a true one",
       std::string(300, '\x80') + "\x80\x05" + plugins + zero + "\x80" +
           static_cast<char>(plugins.size()) + plugins + zero + "\x80" +
           static_cast<char>(other.size()) + other + zero,
       {"C:\\Discprobe\\Painter\\Plugins\\ +"}},
      {"a true record of a missing folder ends the probe",
       std::string("\x80\x0d") + "C:\\~none\\x\\yz" + zero + "\x80" +
           static_cast<char>(plugins.size()) + plugins + zero,
       {}},
      {"no record", std::string(5000, '\x80'), {}},
  };
  for (const auto& c : cases) {
    ResetCandidateFolderList();
    File("Painter\\painter.set", c.bytes);
    char path[kPathChars];
    ASSERT_TRUE(FindAppFolder(HKEY_CLASSES_ROOT, "QDiscProbe.Painter", "shell\\open\\command", path,
                              sizeof path));
    ASSERT_TRUE(JoinPath(path, sizeof path, "painter.set"));
    BinarySettingsProbe(path);
    EXPECT_EQ(c.listed, ListedFolders()) << c.what;
  }
  BinarySettingsProbe((kRoot + "\\Painter\\none.set").c_str());
}

}  // namespace
