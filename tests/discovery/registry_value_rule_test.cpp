#include "discovery/registry_value_rule.h"

#include <gtest/gtest.h>

#include <string>

#include "text/text_buffer.h"

TEST(RegistryValueRule, AcceptsDrivePathsUnderPlugKeysOrNames) {
  const RegistryValueFilter photoshop = {"photoshop", nullptr, nullptr};
  const RegistryValueFilter any = {"", nullptr, nullptr};
  const RegistryValueFilter photodraw = {"", "installdest", "photodraw\\plugins"};
  const RegistryValueFilter megalux = {"", "adobeloc", nullptr};
  const struct {
    const RegistryValueFilter* filter;
    const char* keyPath;
    const char* name;
    const char* data;
    bool accepted;
    const char* folder;
  } cases[] = {
      {&photoshop, "Software\\Adobe\\Photoshop\\7.0", "PluginPath", "C:\\PS\\Plug-Ins", true,
       "C:\\PS\\Plug-Ins"},
      {&photoshop, "Software\\Adobe\\Photoshop\\7.0", "InstallPath", "C:\\PS", false, nullptr},
      {&photoshop, "Software\\Adobe\\Acrobat", "PluginPath", "C:\\Acro\\Plug_ins", false, nullptr},
      {&photoshop, "Software\\Adobe\\Photoshop\\7.0\\Plugins", "Anything", "D:\\Filters", true,
       "D:\\Filters"},
      {&any, "software\\quillane", "Directory2", "E:\\Host", true, "E:\\Host"},
      {&any, "software\\quillane", "directory4", "E:\\Host", false, nullptr},
      {&any, "software\\quillane", "PlugDir", "\" \"C:\\Quoted\\\"", true, "C:\\Quoted\\\""},
      {&any, "software\\quillane", "PlugDir", "Plugins\\Relative", false, nullptr},
      {&any, "software\\quillane", "PlugDir", "12", false, nullptr},
      {&any, "software\\quillane", "PlugDir", "C", false, nullptr},
      {&any, "software\\quillane", "PlugDir", "", false, nullptr},
      {&photodraw, "software\\microsoft\\photodraw\\2.0", "InstallDest", "C:\\PD\\", true,
       "C:\\PD\\photodraw\\plugins"},
      {&photodraw, "software\\microsoft\\photodraw\\2.0", "Install", "C:\\PD\\", false, nullptr},
      {&megalux, "software\\megalux\\1", "AdobeLoc", "C:\\Mega", true, "C:\\Mega"},
      {&photodraw, "software\\microsoft\\photodraw", "PluginDir", "C:\\PD", true, "C:\\PD"},
  };
  for (const auto& c : cases) {
    char keyPath[kPathChars];
    char name[kPathChars];
    char data[kPathChars];
    CopyText(keyPath, sizeof keyPath, c.keyPath);
    CopyText(name, sizeof name, c.name);
    CopyText(data, sizeof data, c.data);
    EXPECT_EQ(c.accepted, AcceptRegistryValue(keyPath, name, data, *c.filter))
        << c.keyPath << " " << c.name << " " << c.data;
    if (c.accepted) {
      EXPECT_STREQ(c.folder, data);
    }
  }
}

TEST(RegistryValueRule, LowerCasesTheKeyPathForTheRestOfTheWalk) {
  char keyPath[kPathChars] = "Software\\Adobe\\Photoshop";
  char name[kPathChars] = "X";
  char data[kPathChars] = "C:\\x";
  AcceptRegistryValue(keyPath, name, data, {"photoshop", nullptr, nullptr});
  EXPECT_STREQ("software\\adobe\\photoshop", keyPath);
}

TEST(RegistryValueRule, ATailThatWouldNotFitRejectsTheValue) {
  char keyPath[kPathChars] = "software\\microsoft\\photodraw";
  char name[kPathChars] = "installdest";
  char data[kPathChars];
  CopyText(data, sizeof data, ("C:\\" + std::string(kPathChars - 10, 'x')).c_str());
  EXPECT_FALSE(AcceptRegistryValue(keyPath, name, data, {"", "installdest", "photodraw\\plugins"}));
}
