// The text rules on a Japanese system (code page 932): the second byte of a double-byte
// character may be a backslash (0x5C), a letter or a colon's neighbour, and must be neither
// changed nor taken for one. Runs natively with the 932 table and under Wine in a Japanese
// prefix with the real functions (a test of its own there).
#include <stdio.h>

#include <gtest/gtest.h>

#include <string>

#include "discovery/candidate_folder_list.h"
#include "discovery/file_search_pattern.h"
#include "discovery/path_rules.h"
#include "discovery/text_line.h"
#include "payload/payload_names.h"
#include "text/ansi_chars.h"
#include "text/ansi_code_page.h"
#include "text/text_buffer.h"

namespace {

// Shift-JIS characters whose second byte is a backslash, "g" and "A".
#define SO "\x83\x5C"
#define HYO "\x95\x5C"
#define TO "\x83\x67"
#define ZA "\x83\x41"

class DoubleByteRules : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(ansi::UseCodePage(932)) << "code page 932 must be the system's";
  }
  void TearDown() override { ansi::UseCodePage(1252); }
};

std::string Apply(void (*rule)(char*), const char* text) {
  char buffer[kPathChars];
  CopyText(buffer, sizeof buffer, text);
  rule(buffer);
  return buffer;
}

const char* existing[] = {"C:\\" SO, "C:\\a\\" HYO, "C:\\x" SO "quil"};

bool Exists(const char* folder) {
  for (const char* e : existing) {
    if (std::string(folder) == e) return true;
  }
  return false;
}

TEST_F(DoubleByteRules, InPlaceRulesLeaveDoubleByteCharactersWhole) {
  const struct {
    const char* rule;
    void (*apply)(char*);
    const char* text;
    const char* result;
  } cases[] = {
      {"lower", [](char* t) { ansi::ToLowerInPlace(t); }, "C:\\" ZA "X", "c:\\" ZA "x"},
      {"capitalize", CapitalizePath, "c:\\" TO "\\abc\\", "C:\\" TO "\\Abc\\"},
      {"capitalize", CapitalizePath, "c:\\" TO "abc", "C:\\" TO "Abc"},
      {"backslash", [](char* t) { EnsureTrailingBackslash(t, kPathChars); }, "C:\\" SO,
       "C:\\" SO "\\"},
      // Found by fuzzing: half a character would take the backslash as its second byte.
      {"backslash", [](char* t) { EnsureTrailingBackslash(t, kPathChars); }, "\"C\x95:\\\xE1",
       "\"C\x95:\\\xE1"},
      {"strip", StripLeadingNonLetters, ZA "\"C:\\x", "C:\\x"},
      {"program", [](char* t) { ProgramFolderOfCommand(t); }, "\"C:\\" HYO "app.exe\" %1", "C:\\"},
      {"program", [](char* t) { ProgramFolderOfCommand(t); }, "C:\\" HYO "\\app.exe",
       "C:\\" HYO "\\"},
      {"find", [](char* t) { FindExistingFolder(t, Exists); }, "C:\\" SO "\\", "C:\\" SO},
      {"find", [](char* t) { FindExistingFolder(t, Exists); }, "C:\\a\\" HYO "x;", "C:\\a\\" HYO},
      {"up", [](char* t) { PatternUp(t, kPathChars); }, "C:\\a\\" SO "\\*", "C:\\a\\*"},
      {"up", [](char* t) { PatternUp(t, kPathChars); }, "C:\\" SO "\\b\\*", "C:\\" SO "\\*"},
      {"down", [](char* t) { PatternDown(t, kPathChars, "b"); }, "C:\\x\\" SO, "C:\\x\\b\\*"},
      {"payload", [](char* t) { PayloadNameToFileName(t); }, "AB" ZA "_CD.8BF", "Ab" ZA " Cd.8bf"},
      {"payload", [](char* t) { PayloadNameToFileName(t); }, "X__" TO "Y:" ZA ".REG",
       "X" TO "Y" ZA ".reg"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(c.result, Apply(c.apply, c.text)) << c.rule << " " << c.text;
}

TEST_F(DoubleByteRules, SecondBytesAreNeverMatchedOrScanned) {
  // The maker's folder after a character ending in 0x5C is no sub-folder: nothing is cut.
  ResetCandidateFolderList();
  char text[kPathChars] = "C:\\x" SO "quil";
  AddCandidateFolder(text, Exists);
  EXPECT_STREQ("C:\\X" SO "Quil\\", CandidateFolderList[0].path);
  ResetCandidateFolderList();

  EXPECT_FALSE(FileNameMatches("p" TO "ini", "p", "gini"));
  EXPECT_TRUE(FileNameMatches("p" TO ".ini", "p", ".ini"));
  // "=" then a character whose second byte is a letter before a colon: no drive path.
  DrivePathScan scan("key=" ZA ":\\x");
  EXPECT_EQ(-1, scan.next());
  DrivePathScan real("key=" ZA " d:\\x");
  EXPECT_EQ(7, real.next());
}

TEST_F(DoubleByteRules, LongLinesBreakBetweenCharacters) {
  FILE* file = tmpfile();
  ASSERT_NE(nullptr, file);
  const std::string head(kTextLineChars - 1, 'a');
  // Found by fuzzing: 0xE7 is both a lead byte and a second byte; the line of 100 such
  // characters is whole, and the character after it comes next.
  std::string pairs;
  for (size_t i = 0; i < kTextLineChars / 2; ++i) pairs += "\xE7\xE7";
  fputs((head + ZA "b\n" + pairs + ZA "\n").c_str(), file);
  rewind(file);
  char line[kPathChars];
  ASSERT_TRUE(ReadTextLine(file, line, sizeof line));
  EXPECT_EQ(head, line);
  ASSERT_TRUE(ReadTextLine(file, line, sizeof line));
  EXPECT_STREQ(ZA "b", line);
  ASSERT_TRUE(ReadTextLine(file, line, sizeof line));
  EXPECT_EQ(pairs, line);
  ASSERT_TRUE(ReadTextLine(file, line, sizeof line));
  EXPECT_STREQ(ZA, line);
  fclose(file);
}

}  // namespace
