#include "discovery/file_search_pattern.h"

#include <gtest/gtest.h>

#include <string>

#include "text/text_buffer.h"

TEST(FileSearchPattern, UpGoesToTheParentAndStopsAtTheDriveRoot) {
  const struct {
    const char* pattern;
    const char* up;
  } cases[] = {
      {"C:\\a\\b\\*", "C:\\a\\*"},
      {"C:\\a\\b\\", "C:\\a\\*"},  // a file was just delivered from C:\a\b
      {"C:\\a\\*", "C:\\*"},
      {"C:\\a\\", "C:\\*"},
      {"C:\\*", "C:\\*"},
      {"C:\\", "C:\\*"},
      {"C:*", "C:\\*"},
      {"C:\\Program Files\\Corel\\Programs\\*", "C:\\Program Files\\Corel\\*"},
      {"*", "*"},
  };
  for (const auto& c : cases) {
    char pattern[kPathChars];
    CopyText(pattern, sizeof pattern, c.pattern);
    PatternUp(pattern, sizeof pattern);
    EXPECT_STREQ(c.up, pattern) << c.pattern;
  }
}

TEST(FileSearchPattern, DownEntersTheNamedFolder) {
  const struct {
    std::string pattern;
    std::string folder;
    bool fits;
    std::string down;
  } cases[] = {
      {"C:\\a\\*", "b", true, "C:\\a\\b\\*"},
      {"C:\\*", "Program Files", true, "C:\\Program Files\\*"},
      {"C:\\a\\b\\", "c", true, "C:\\a\\b\\c\\*"},
      {"*", "b", false, "*"},
      {"\\*", "b", false, "\\*"},
      {"C:\\" + std::string(390, 'a') + "\\*", "bcd", true,
       "C:\\" + std::string(390, 'a') + "\\bcd\\*"},  // 399 characters
      {"C:\\" + std::string(390, 'a') + "\\*", "bcde", false,
       "C:\\" + std::string(390, 'a') + "\\*"},
  };
  for (const auto& c : cases) {
    char pattern[kPathChars];
    CopyText(pattern, sizeof pattern, c.pattern.c_str());
    EXPECT_EQ(c.fits, PatternDown(pattern, sizeof pattern, c.folder.c_str())) << c.pattern;
    EXPECT_EQ(c.down, pattern);
  }
}

TEST(FileSearchPattern, UpAndDownAtTheDriveRootWithinASmallBuffer) {
  char pattern[5] = "C:*";
  PatternUp(pattern, sizeof pattern);
  EXPECT_STREQ("C:\\*", pattern);
  char tight[4] = "C:*";  // no room for the backslash: left alone
  PatternUp(tight, sizeof tight);
  EXPECT_STREQ("C:*", tight);
  EXPECT_FALSE(PatternDown(pattern, sizeof pattern, "x"));
  EXPECT_STREQ("C:\\*", pattern);
}

TEST(FileSearchPattern, NamesMatchPrefixAndSuffixInAnyCase) {
  const struct {
    std::string name;
    const char* prefix;
    const char* suffix;
    bool matches;
  } cases[] = {
      {"Photoshop.INI", "photos", ".ini", true},
      {"Fireworks 3 Preferences.txt", "fireworks 3 preferences", ".txt", true},
      {"Fireworks 3 Preferences.txt.bak", "fireworks 3 preferences", ".txt", false},
      {"PhotoPnt.ini", "photop", ".ini", true},
      {"photop", "photop", ".ini", false},
      {".ini", "photop", ".ini", false},
      {"xphotop.ini", "photop", ".ini", false},
      {"photop.ini", "photop.ini", "op.ini", true},  // prefix and suffix may overlap
      {"a", "", "", true},
      {std::string(kPathChars, 'p'), "p", "p", false},  // no name of the system is that long
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.matches, FileNameMatches(c.name.c_str(), c.prefix, c.suffix)) << c.name;
  }
}
