// Texts written by other programs can hold anything. These runs feed the text rules random
// texts built from the characters they react to, in buffers of exactly the text's size, so
// that a read or write past the end shows up under the sanitizers of the native build.
#include <gtest/gtest.h>

#include <stdio.h>
#include <string.h>

#include <random>
#include <string>
#include <vector>

#include "discovery/candidate_folder_list.h"
#include "discovery/file_search_pattern.h"
#include "discovery/path_rules.h"
#include "discovery/settings_scan.h"
#include "discovery/text_line.h"
#include "text/ansi_chars.h"

namespace {

constexpr int kRounds = 3000;

class HostileText : public ::testing::Test {
 protected:
  std::string Text(size_t maxLength) {
    static const char kAlphabet[] = "aZq:\\=(_.8' ;\"*\x80\xe9\xff\n\r\t1/";
    std::uniform_int_distribution<size_t> length(0, maxLength);
    std::uniform_int_distribution<size_t> pick(0, sizeof kAlphabet - 2);
    std::string text(length(random_), ' ');
    for (char& c : text) c = kAlphabet[pick(random_)];
    return text;
  }

  std::string Bytes(size_t maxLength) {
    std::uniform_int_distribution<size_t> length(0, maxLength);
    std::uniform_int_distribution<int> byte(0, 255);
    std::string bytes(length(random_), '\0');
    for (char& c : bytes) {
      int b = byte(random_);
      // Lean towards the record's marker, drive letters and the path's own characters.
      if (b < 40)
        b = 0x80;
      else if (b < 70)
        b = "C:\\\0"[b % 4];
      c = static_cast<char>(b);
    }
    return bytes;
  }

  static std::vector<char> Exact(const std::string& text, size_t extra = 0) {
    std::vector<char> buf(text.begin(), text.end());
    buf.resize(text.size() + 1 + extra, '\0');
    return buf;
  }

  std::mt19937 random_{20261208};
};

bool NoFolderExists(const char*) { return false; }
bool EveryFolderExists(const char*) { return true; }

TEST_F(HostileText, PathRulesStayInsideTheirBuffers) {
  for (int round = 0; round < kRounds; ++round) {
    const std::string text = Text(420);

    std::vector<char> capital = Exact(text);
    CapitalizePath(capital.data());
    EXPECT_EQ(text.size(), strlen(capital.data()));

    std::vector<char> stripped = Exact(text);
    StripLeadingNonLetters(stripped.data());
    const size_t kept = strlen(stripped.data());
    EXPECT_TRUE(kept == 0 || ansi::IsAlpha(stripped[0]));
    EXPECT_LE(kept, text.size());

    std::vector<char> ended = Exact(text);
    // No room for one more character: only a text that already ends with one succeeds.
    const bool endsWithBackslash = !text.empty() && text.back() == '\\';
    EXPECT_EQ(endsWithBackslash, EnsureTrailingBackslash(ended.data(), ended.size()));
    EXPECT_EQ(text, ended.data());

    std::vector<char> joined(text.size() + 8);
    if (JoinPath(joined.data(), joined.size(), "plugin", text.c_str())) {
      EXPECT_EQ(0, strncmp(joined.data(), text.c_str(), text.size()));
    } else {
      EXPECT_STREQ("", joined.data());
    }

    std::vector<char> command = Exact(text);
    if (ProgramFolderOfCommand(command.data())) {
      EXPECT_EQ(':', command[1]);
    }
  }
}

TEST_F(HostileText, CandidateListTakesAnyTextWithoutHarm) {
  for (int round = 0; round < kRounds; ++round) {
    ResetCandidateFolderList();
    char text[kPathChars];
    CopyText(text, sizeof text, Text(kPathChars - 1).c_str());
    char copy[kPathChars];
    memcpy(copy, text, sizeof text);
    AddCandidateFolder(copy, NoFolderExists);
    EXPECT_STREQ("", CandidateFolderList[0].path);
    AddCandidateFolder(text, EveryFolderExists);
    const char* stored = CandidateFolderList[0].path;
    const size_t length = strlen(stored);
    EXPECT_LT(length, kPathChars);
    if (length > 0) {
      EXPECT_EQ('\\', stored[length - 1]);
    }
  }
  ResetCandidateFolderList();
}

TEST_F(HostileText, PatternsStayInsideTheirBuffers) {
  for (int round = 0; round < kRounds; ++round) {
    const std::string pattern = Text(60);
    std::vector<char> up = Exact(pattern);
    PatternUp(up.data(), up.size());
    EXPECT_LT(strlen(up.data()), up.size());

    std::vector<char> down = Exact(pattern, 4);
    const std::string folder = Text(6);
    if (!PatternDown(down.data(), down.size(), folder.c_str())) {
      EXPECT_EQ(pattern, down.data());
    }
    EXPECT_LT(strlen(down.data()), down.size());
    FileNameMatches(pattern.c_str(), folder.c_str(), ".ini");
  }
}

TEST_F(HostileText, LineScanFindsOnlyDrivePathsAndEnds) {
  for (int round = 0; round < kRounds; ++round) {
    std::vector<char> line = Exact(Text(300));
    DrivePathScan scan(line.data());
    int last = -1;
    for (int found = scan.next(); found >= 0; found = scan.next()) {
      ASSERT_GT(found, last) << "the scan must move on";
      ASSERT_LT(static_cast<size_t>(found) + 1, strlen(line.data()));
      EXPECT_TRUE(ansi::IsAlpha(line[found]));
      EXPECT_EQ(':', line[found + 1]);
      last = found;
    }
  }
}

TEST_F(HostileText, FilesOfAnyContentAreReadToTheirEnd) {
  for (int round = 0; round < 400; ++round) {
    const std::string bytes = Bytes(1200);
    FILE* file = tmpfile();
    ASSERT_NE(nullptr, file);
    fwrite(bytes.data(), 1, bytes.size(), file);

    rewind(file);
    char line[kTextLineChars + 1];
    size_t lines = 0;
    while (ReadTextLine(file, line, sizeof line)) {
      EXPECT_LE(strlen(line), kTextLineChars);
      ASSERT_LE(++lines, bytes.size() + 1) << "the reader must reach the end";
    }

    rewind(file);
    char path[kSettingsPathChars + 1];
    size_t records = 0;
    while (FindSettingsFolderRecord(file, path, sizeof path)) {
      EXPECT_LE(strlen(path), kSettingsPathChars);
      EXPECT_EQ(':', path[1]);
      EXPECT_EQ('\\', path[2]);
      ASSERT_LE(++records, bytes.size()) << "the scan must reach the end";
    }
    fclose(file);
  }
}

}  // namespace
