// The whole discovery run on a test prefix seeded with several image editors at once.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "discovery/candidate_folder_list.h"
#include "discovery/candidate_programs.h"
#include "discovery/host_probe_sequence.h"
#include "tests/discovery/seeding.h"
#include "text/text_buffer.h"

namespace {

const std::string kRoot = "C:\\DiscHosts";

struct SeededKey {
  HKEY root;
  const char* key;
};

// Every key the seeding makes, deleted before and after each test.
const SeededKey kSeededKeys[] = {
    {HKEY_CURRENT_USER, "Software\\Quillane"},
    {HKEY_LOCAL_MACHINE, "Software\\Adobe"},
    {HKEY_USERS, ".default\\Software\\Jasc"},
    {HKEY_LOCAL_MACHINE, "Software\\Microsoft\\PhotoDraw"},
    {HKEY_CURRENT_USER, "Software\\Megalux"},
    {HKEY_CURRENT_USER, "Software\\Computerinsel"},
    {HKEY_LOCAL_MACHINE, "Software\\iGrafx"},
    {HKEY_CLASSES_ROOT, "Photoshop.PlugIn"},
    {HKEY_CLASSES_ROOT, "Fireworks.Doc.3"},
    {HKEY_CLASSES_ROOT, "Fireworks.Doc.5"},
    {HKEY_CLASSES_ROOT, "CorelPhotoPaint.Image.7"},
    {HKEY_CLASSES_ROOT, "CorelPhotoPaint.Image.9 "},
    {HKEY_CLASSES_ROOT, "CorelPhotoPaint.Image.10"},
    {HKEY_CLASSES_ROOT, "PI3.Image"},
    {HKEY_CLASSES_ROOT, "PainterFile"},
    {HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Painter6.exe"},
    {HKEY_CLASSES_ROOT, "PClassicFile"},
};

std::string WindowsIni() {
  char folder[kPathChars];
  const UINT len = GetWindowsDirectoryA(folder, sizeof folder);
  EXPECT_TRUE(len > 0 && len < sizeof folder);
  return std::string(folder) + "\\ulead32.ini";
}

std::string Record(const std::string& path) {
  return std::string("\x80") + static_cast<char>(path.size()) + path + std::string(1, '\0');
}

class HostProbeSequenceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Clean();
    ResetCandidateFolderList();
  }
  void TearDown() override { Clean(); }

  static void Clean() {
    for (const SeededKey& seeded : kSeededKeys) DeleteRegistryTree(seeded.root, seeded.key);
    DeleteFileA(WindowsIni().c_str());
    LeaveTestFolders();
    RemoveTree(kRoot);
  }

  static void Folder(const std::string& name) {
    ASSERT_TRUE(MakeFolders(kRoot + "\\" + name)) << name;
  }

  static void File(const std::string& name, const std::string& bytes) {
    Folder(name.substr(0, name.rfind('\\')));
    ASSERT_TRUE(WriteBytes(kRoot + "\\" + name, bytes)) << name;
  }

  static void Value(HKEY root, const std::string& key, const std::string& name,
                    const std::string& text) {
    ASSERT_TRUE(SetRegistryText(root, key, name, text)) << key;
  }

  static void Command(const std::string& progId, const std::string& program) {
    ASSERT_TRUE(SetOpenCommand(progId, program)) << progId;
  }

  // Several editors at once, each leaving its plug-in folder where the installer looks.
  static void SeedEditors() {
    for (const char* folder :
         {"Own\\Plug-Ins\\Quillane", "Photoshop\\Plug-Ins", "Jasc\\PlugIns",
          "PhotoDraw\\photodraw\\plugins", "Megalux\\Filters", "PhotoLine\\Plugins",
          "iGrafx\\Plugins", "FW3 Plugins", "FW5 Plugins", "Corel7\\Plugins", "Corel9\\Plugins",
          "Corel10\\Plugins", "Ulead\\Plugin1", "Ulead\\Plugin2", "PI3\\plugin",
          "Painter5\\Plugins", "Painter6", "PClassic\\Filters"}) {
      Folder(folder);
    }
    Value(HKEY_CURRENT_USER, "Software\\Quillane", "PluginFolder",
          kRoot + "\\Own\\Plug-Ins\\Quillane\\");
    Value(HKEY_LOCAL_MACHINE, "Software\\Adobe\\Photoshop\\7.0", "PluginPath",
          kRoot + "\\Photoshop\\Plug-Ins");
    Value(HKEY_USERS, ".default\\Software\\Jasc\\Paint Shop Pro\\8\\File Locations", "PlugIns",
          kRoot + "\\Jasc\\PlugIns");
    Value(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\PhotoDraw\\2.0", "InstallDest",
          kRoot + "\\PhotoDraw\\");
    Value(HKEY_CURRENT_USER, "Software\\Megalux\\Megalux 1.0", "AdobeLoc",
          kRoot + "\\Megalux\\Filters");
    Value(HKEY_CURRENT_USER, "Software\\Computerinsel\\PhotoLine32", "PlugInPath",
          kRoot + "\\PhotoLine\\Plugins");
    Value(HKEY_LOCAL_MACHINE, "Software\\iGrafx\\iGrafx Image\\1.0", "PluginDir",
          kRoot + "\\iGrafx\\Plugins");

    // Photoshop's preferences name the folder its registry key named already.
    Command("Photoshop.PlugIn", "\"" + kRoot + "\\PS6\\Photoshp.exe\" \"%1\"");
    File("PS6\\Settings\\Photoshop 6 Prefs.ini",
         "[Paths]\r\nPluginDirectory=" + kRoot + "\\Photoshop\\Plug-Ins\r\n");
    Command("Fireworks.Doc.3", kRoot + "\\Fireworks 3\\Fireworks 3.exe");
    File("Fireworks 3\\Fireworks 3 Preferences.txt",
         "ExtraPhotoshop=" + kRoot + "\\FW3 Plugins\r\n");
    Command("Fireworks.Doc.5", kRoot + "\\Fireworks 5\\Fireworks 5.exe \"%1\"");
    File("Fireworks 5\\Config\\Fireworks 5 Preferences.txt",
         "ExtraPhotoshopPlugins=" + kRoot + "\\FW5 Plugins");
    // PhotoPaint 7 to 9 register their ProgIDs with a trailing blank.
    Command("CorelPhotoPaint.Image.7", kRoot + "\\Corel7\\Programs\\PhotoPnt.exe");
    File("Corel7\\Config\\PhotoPnt.ini", "[Dirs]\nDirs1=" + kRoot + "\\Corel7\\Plugins\n");
    Command("CorelPhotoPaint.Image.9 ", kRoot + "\\Corel9\\Programs\\PhotoPnt.exe");
    File("Corel9\\Config\\PhotoPnt.ini", "[Dirs]\nDirs1=" + kRoot + "\\Corel9\\Plugins\n");
    Command("CorelPhotoPaint.Image.10", kRoot + "\\Corel10\\Programs\\PhotoPnt.exe");
    File("Corel10\\Config\\PhotoPaint.ini", "Dirs1=(" + kRoot + "\\Corel10\\Plugins)\n");

    ASSERT_TRUE(WriteBytes(WindowsIni(), "[Paths]\nPluginDir=" + kRoot +
                                             "\\Ulead\\Plugin1\nPluginDir2=" + kRoot +
                                             "\\Ulead\\Plugin2\n"));

    Command("PI3.Image", kRoot + "\\PI3\\Pi3.exe %1");
    Command("PainterFile", kRoot + "\\Painter5\\Painter.exe");
    File("Painter5\\painter.set", "head" + Record(kRoot + "\\Painter5\\Plugins") + "tail");
    // Painter 6 has no plugins folder: its program folder stands in.
    Value(HKEY_LOCAL_MACHINE,
          "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Painter6.exe", "",
          kRoot + "\\Painter6\\Painter.exe");
    Command("PClassicFile", "\"" + kRoot + "\\PClassic\\PClassic.exe\"");
    File("PClassic\\pclassic.set", Record(kRoot + "\\PClassic\\Filters"));
  }
};

TEST_F(HostProbeSequenceTest, ListsTheFoldersOfSeveralEditorsInProbeOrder) {
  SeedEditors();
  if (HasFatalFailure()) return;
  HostProbeSequence();
  const std::vector<std::string> expected = {
      "C:\\Dischosts\\Own\\Plug-Ins\\ +",     "C:\\Dischosts\\Photoshop\\Plug-Ins\\ +",
      "C:\\Dischosts\\Jasc\\Plugins\\ +",     "C:\\Dischosts\\Photodraw\\Photodraw\\Plugins\\ +",
      "C:\\Dischosts\\Megalux\\Filters\\ +",  "C:\\Dischosts\\Photoline\\Plugins\\ +",
      "C:\\Dischosts\\Igrafx\\Plugins\\",     "C:\\Dischosts\\Fw3 Plugins\\ +",
      "C:\\Dischosts\\Fw5 Plugins\\ +",       "C:\\Dischosts\\Corel9\\Plugins\\ +",
      "C:\\Dischosts\\Corel10\\Plugins\\ +",  "C:\\Dischosts\\Ulead\\Plugin1\\ +",
      "C:\\Dischosts\\Ulead\\Plugin2\\ +",    "C:\\Dischosts\\Pi3\\Plugin\\ +",
      "C:\\Dischosts\\Painter5\\Plugins\\ +", "C:\\Dischosts\\Painter6\\ +",
      "C:\\Dischosts\\Pclassic\\Filters\\ +",
  };
  EXPECT_EQ(expected, ListedFolders());
  // The program each folder was found through, also Photoshop's, listed from the registry first.
  const std::string root = kRoot + "\\";
  const std::vector<std::string> programs = {
      "",
      root + "PS6\\Photoshp.exe",
      "",
      "",
      "",
      "",
      "",
      root + "Fireworks 3\\Fireworks 3.exe",
      root + "Fireworks 5\\Fireworks 5.exe",
      root + "Corel9\\Programs\\PhotoPnt.exe",
      root + "Corel10\\Programs\\PhotoPnt.exe",
      "",
      "",
      root + "PI3\\Pi3.exe",
      root + "Painter5\\Painter.exe",
      root + "Painter6\\Painter.exe",
      root + "PClassic\\PClassic.exe",
  };
  EXPECT_EQ(programs,
            std::vector<std::string>(CandidateProgramList, CandidateProgramList + expected.size()));
  EXPECT_STREQ("", CandidateProgramList[expected.size()]);

  Clean();
  ResetCandidateFolderList();
  HostProbeSequence();
  EXPECT_EQ(std::vector<std::string>{}, ListedFolders());
}

TEST_F(HostProbeSequenceTest, LaterProbesFindNoRoomInAFullList) {
  SeedEditors();
  for (int i = 0; i < 20; ++i) {
    const std::string name = "Own\\F" + std::to_string(10 + i);
    Folder(name);
    Value(HKEY_CURRENT_USER, "Software\\Quillane\\Folders", "Plugin" + std::to_string(10 + i),
          kRoot + "\\" + name);
  }
  HostProbeSequence();
  const std::vector<std::string> listed = ListedFolders();
  ASSERT_EQ(20u, listed.size());
  EXPECT_EQ("C:\\Dischosts\\Own\\Plug-Ins\\ +", listed[0]);
  for (int i = 1; i < 20; ++i) {
    EXPECT_EQ("C:\\Dischosts\\Own\\F" + std::to_string(9 + i) + "\\ +", listed[i]);
  }
}

TEST_F(HostProbeSequenceTest, AnEmptyPrefixGivesAnEmptyList) {
  HostProbeSequence();
  EXPECT_EQ(std::vector<std::string>{}, ListedFolders());
}

}  // namespace
