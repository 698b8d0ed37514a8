// The pspi-path line of a gimprc as GIMP writes it, and as a hostile file may hold it.
#include "discovery/gimprc_pspi_path.h"

#include <gtest/gtest.h>

#include "tests/discovery/host_settings_test_support.h"

namespace {

using host_settings_test::Folders;
using V = std::vector<std::string>;

TEST(GimprcPspiPathTest, ReadsTheLastSettingAndPassesOverWhatCannotBeAFolder) {
  const std::string longest(kPathChars, 'x');
  const struct {
    const char* what;
    std::string file;
    V expected;
  } cases[] = {
      {"as GIMP writes it, among other settings",
       "# GIMP gimprc\n\n(default-grid\n    (style solid))\n"
       "(pspi-path \"C:\\\\Filters;D:\\\\More Filters\")\n(theme \"Dark\")\n",
       {"C:\\Filters", "D:\\More Filters"}},
      {"escapes, octal UTF-8 bytes, a backslash before any other character stays",
       "(pspi-path \"C:\\\\Say \\\"hi\\\";C:\\\\Caf\\303\\251;C:\\Plain\\x\")",
       {"C:\\Say \"hi\"", "C:\\Caf\xC3\xA9", "C:\\Plain\\x"}},
      {"raw UTF-8, empty pieces, spaces around the name and the value",
       "(  pspi-path\t\"C:\\\\Caf\xC3\xA9;;C:\\\\B;\"  )",
       {"C:\\Caf\xC3\xA9", "C:\\B"}},
      {"the last setting counts", "(pspi-path \"C:\\\\A\")\n(pspi-path \"C:\\\\B\")", {"C:\\B"}},
      {"a setting cut short counts for nothing, the one before it does",
       "(pspi-path \"C:\\\\A\")\n(pspi-path \"C:\\\\B\"",
       {"C:\\A"}},
      {"an unterminated string ends the reading", "(pspi-path \"C:\\\\A)\n(x y)\n", {}},
      {"comments, strings and nested lists that look like the setting",
       "# (pspi-path \"C:\\\\Comment\")\n(other \"(pspi-path \\\"C:\\\\\\\\S\\\")\")\n"
       "(outer (pspi-path \"C:\\\\Nested\"))\n(pspi-pathx \"C:\\\\Other\")",
       {}},
      {"controls, bad UTF-8 and overlong folders are passed over; the rest is kept",
       "(pspi-path \"C:\\\\a\\nb;C:\\\\\xC3;C:\\\\\xC0\xAF;C:\\\\\\001;" + longest + ";" +
           longest.substr(1) + ";C:\\\\Good\")",
       {longest.substr(1), "C:\\Good"}},
      {"a value longer than the splitter's buffer spoils only that folder",
       "(pspi-path \"" + std::string(4 * kPathChars, 'y') + ";C:\\\\Good\")",
       {"C:\\Good"}},
      {"not a gimprc", "\xFF\xFE(\0p\0", {}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.expected, Folders(ReadGimprcPspiPath, c.file)) << c.what;
  }
}

}  // namespace
