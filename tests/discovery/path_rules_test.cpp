#include "discovery/path_rules.h"

#include <gtest/gtest.h>

#include <string>

#include "text/text_buffer.h"

TEST(PathRules, CapitalizePathUpperCasesAfterEveryNonLetter) {
  const struct {
    const char* text;
    const char* capitalized;
  } cases[] = {
      {"c:\\program files\\adobe\\photoshop 7.0\\plug-ins\\",
       "C:\\Program Files\\Adobe\\Photoshop 7.0\\Plug-Ins\\"},
      {"C:\\FOO\\", "C:\\Foo\\"},
      {"d:\\paint\\3dfx\\v2beta\\", "D:\\Paint\\3Dfx\\V2Beta\\"},
      {"c:\\\xFC"
       "ber\\",
       "C:\\\xDC"
       "ber\\"},  // u umlaut is a letter of code page 1252
      {"x", "X"},
      {"\\", "\\"},
      {"", ""},
  };
  for (const auto& c : cases) {
    char text[kPathChars];
    CopyText(text, sizeof text, c.text);
    CapitalizePath(text);
    EXPECT_STREQ(c.capitalized, text) << c.text;
  }
}

TEST(PathRules, EnsureTrailingBackslashAppendsOnlyWhereItFits) {
  const struct {
    std::string text;
    bool fits;
    std::string result;
  } cases[] = {
      {"", true, "\\"},
      {"C:\\Tools", true, "C:\\Tools\\"},
      {"C:\\Tools\\", true, "C:\\Tools\\"},
      {std::string(kPathChars - 2, 'a'), true, std::string(kPathChars - 2, 'a') + "\\"},
      {std::string(kPathChars - 1, 'a'), false, std::string(kPathChars - 1, 'a')},
      {std::string(kPathChars - 2, 'a') + "\\", true, std::string(kPathChars - 2, 'a') + "\\"},
  };
  for (const auto& c : cases) {
    char text[kPathChars];
    CopyText(text, sizeof text, c.text.c_str());
    EXPECT_EQ(c.fits, EnsureTrailingBackslash(text, sizeof text)) << c.text.size();
    EXPECT_EQ(c.result, text);
  }
}

TEST(PathRules, JoinPathPutsOneBackslashBetweenFolderAndName) {
  const struct {
    const char* held;
    const char* base;
    const char* name;
    bool fits;
    const char* joined;
  } cases[] = {
      {"", "C:\\Painter", "painter.set", true, "C:\\Painter\\painter.set"},
      {"", "C:\\Painter\\", "plugins", true, "C:\\Painter\\plugins"},
      {"C:\\Pi3\\", nullptr, "plugin", true, "C:\\Pi3\\plugin"},
      {"C:\\", nullptr, "*", true, "C:\\*"},
      {"", "", "x", true, "\\x"},
      {"software\\adobe", nullptr, "photoshop", true, "software\\adobe\\photoshop"},
  };
  for (const auto& c : cases) {
    char dst[kPathChars];
    CopyText(dst, sizeof dst, c.held);
    EXPECT_EQ(c.fits, JoinPath(dst, sizeof dst, c.name, c.base)) << c.name;
    EXPECT_STREQ(c.joined, dst);
  }
}

TEST(PathRules, JoinPathThatDoesNotFitLeavesNothing) {
  const std::string base(kPathChars - 5, 'b');
  char dst[kPathChars] = "old";
  EXPECT_TRUE(JoinPath(dst, sizeof dst, "abc", base.c_str()));  // 395 + 1 + 3 characters
  EXPECT_FALSE(JoinPath(dst, sizeof dst, "abcd", base.c_str()));
  EXPECT_STREQ("", dst);
  char small[8];
  EXPECT_FALSE(JoinPath(small, sizeof small, "name", "C:\\x"));
  EXPECT_STREQ("", small);
}

TEST(PathRules, StripLeadingNonLettersKeepsTheTextFromItsFirstLetter) {
  const struct {
    std::string text;
    std::string stripped;
  } cases[] = {
      {"\"C:\\Program Files\\App\\\" \"%1\"", "C:\\Program Files\\App\\\" \"%1\""},
      {"  ; d:\\paint", "d:\\paint"},
      {"C:\\Tools", "C:\\Tools"},
      {"12345", ""},
      {"", ""},
      {"\"\xC9t\xE9\"", "\xC9t\xE9\""},
      // A text that starts with a letter is not cut, however long.
      {std::string(395, 'a'), std::string(395, 'a')},
      // Any other is cut at 390 characters before its front goes.
      {std::string(385, ' ') + "C:\\abcdefgh", "C:\\ab"},
      {std::string(392, ' ') + "C:\\x", ""},
  };
  for (const auto& c : cases) {
    char text[kPathChars];
    CopyText(text, sizeof text, c.text.c_str());
    StripLeadingNonLetters(text);
    EXPECT_EQ(c.stripped, text) << c.text;
  }
}

TEST(PathRules, ProgramFolderOfCommandKeepsTheFolderOfTheProgram) {
  const struct {
    const char* command;
    bool found;
    const char* folder;
  } cases[] = {
      {"\"C:\\Program Files\\Adobe\\Photoshop.exe\" \"%1\"", true, "C:\\Program Files\\Adobe\\"},
      {"C:\\Painter6\\Painter.exe", true, "C:\\Painter6\\"},
      {"C:\\Pi3\\pi3.exe %1", true, "C:\\Pi3\\"},
      // Its own last character is never the cut: a folder value gives its parent.
      {"C:\\Tools\\Paint\\", true, "C:\\Tools\\"},
      // A backslash in the arguments takes the cut.
      {"\"C:\\App\\app.exe\" /dde C:\\docs\\%1", true, "C:\\App\\app.exe\" /dde C:\\docs\\"},
      {"pi3.exe %1", false, "pi3.exe %1"},
      // A drive-relative folder would be searched below whatever folder is current.
      {"C:prog\\app.exe", false, "C:prog\\"},
      {"\"C:app.exe\" /x \\y", false, "C:app.exe\" /x \\"},
      {"C:/prog/app.exe", false, "C:/prog/app.exe"},
      {"\"%1\"", false, ""},
      {"\\\\server\\share\\app.exe", false, "server\\share\\"},
      {"", false, ""},
      {"\\", false, ""},
  };
  for (const auto& c : cases) {
    char text[kPathChars];
    CopyText(text, sizeof text, c.command);
    EXPECT_EQ(c.found, ProgramFolderOfCommand(text)) << c.command;
    EXPECT_STREQ(c.folder, text) << c.command;
  }
}

TEST(PathRules, ProgramFileOfCommandTakesTheQuotedFileOrTheTextUpToExe) {
  const struct {
    const char* command;
    const char* program;  // "" when none is named
  } cases[] = {
      {"\"C:\\Program Files\\Pixa\\Pixa.exe\" \"%1\"", "C:\\Program Files\\Pixa\\Pixa.exe"},
      {"  \"C:\\Pixa\\pixa.bin\"", "C:\\Pixa\\pixa.bin"},
      {"C:\\Program Files\\Pi3\\Pi3.EXE /dde C:\\docs\\%1", "C:\\Program Files\\Pi3\\Pi3.EXE"},
      // Only ".exe" followed by a blank or the end ends the file name.
      {"C:\\Tools.exe.d\\run.exe %1", "C:\\Tools.exe.d\\run.exe"},
      {"\"C:\\Pixa\\pixa.exe %1", ""},
      {"pi3.exe %1", ""},
      {"C:pi3.exe", ""},
  };
  for (const auto& c : cases) {
    char program[kPathChars];
    EXPECT_EQ(c.program[0] != '\0', ProgramFileOfCommand(c.command, program, sizeof program))
        << c.command;
    EXPECT_STREQ(c.program, program) << c.command;
  }
}
