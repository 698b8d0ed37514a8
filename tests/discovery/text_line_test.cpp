#include "discovery/text_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "discovery/scoped_stdio_file.h"
#include "tests/discovery/test_files.h"
#include "text/text_buffer.h"

namespace {

std::vector<std::string> ReadAllLines(const std::string& bytes) {
  const std::string path = WriteTestFile("text_line_test.txt", bytes);
  std::vector<std::string> lines;
  ScopedStdioFile file(path.c_str(), "rt");
  EXPECT_TRUE(file);
  if (!file) return lines;
  char line[kPathChars];
  while (ReadTextLine(file.get(), line, sizeof line)) {
    EXPECT_LE(strlen(line), kTextLineChars);
    lines.push_back(line);
  }
  EXPECT_STREQ("", line);
  remove(path.c_str());
  return lines;
}

std::vector<std::string> DrivePaths(const char* line) {
  std::vector<std::string> paths;
  DrivePathScan scan(line);
  for (int at = scan.next(); at >= 0; at = scan.next()) paths.push_back(line + at);
  return paths;
}

}  // namespace

TEST(TextLine, SplitsLinesAtNewlinesAndAfter200Characters) {
  const std::string a200(200, 'a');
  const struct {
    std::string bytes;
    std::vector<std::string> lines;
  } cases[] = {
      {"", {}},
      {"one\ntwo\n", {"one", "two"}},
      {"\n\nx\n", {"", "", "x"}},
      {"one\nlast without newline", {"one", "last without newline"}},
      {std::string(300, 'k') + "\nz\n", {std::string(200, 'k'), std::string(100, 'k'), "z"}},
      {a200 + "\n", {a200, ""}},
      {a200 + a200 + "b", {a200, a200, "b"}},
      {std::string(1000, 'q'), std::vector<std::string>(5, std::string(200, 'q'))},
  };
  for (const auto& c : cases) EXPECT_EQ(c.lines, ReadAllLines(c.bytes)) << c.bytes.size();
}

TEST(TextLine, ReadsIntoSmallBuffersWithoutOverrun) {
  const std::string path = WriteTestFile("text_line_small.txt", "abcdef\n");
  ScopedStdioFile file(path.c_str(), "rt");
  ASSERT_TRUE(file);
  char line[4];
  ASSERT_TRUE(ReadTextLine(file.get(), line, sizeof line));
  EXPECT_STREQ("abc", line);
  ASSERT_TRUE(ReadTextLine(file.get(), line, sizeof line));
  EXPECT_STREQ("def", line);
  remove(path.c_str());
}

TEST(TextLine, ScanFindsDrivePathsAfterEqualsAndOpeningBrackets) {
  const struct {
    const char* line;
    std::vector<std::string> paths;
  } cases[] = {
      {"plugindirectory=d:\\filters\\", {"d:\\filters\\"}},
      {"plugindirectory = \"d:\\filters\"", {"d:\\filters\""}},
      {"dirs1=(c:\\corel\\plugins)", {"c:\\corel\\plugins)"}},
      {"key=plugins", {}},
      {"key=plugins;c:\\x", {}},
      {"key=plugins (c:\\x)", {"c:\\x)"}},
      {"plugindir=c:\\a plugindir2=(d:\\b)", {"c:\\a plugindir2=(d:\\b)", "d:\\b)"}},
      {"a=c:\\x,d:\\y", {"c:\\x,d:\\y"}},
      {"x=1 2 c:\\a", {"c:\\a"}},
      {"c:\\no\\equals", {}},
      {"path=c", {}},
      {"path=", {}},
      {"(", {}},
      {"=c:", {"c:"}},
      {"=\xE9:\\x", {"\xE9:\\x"}},  // a letter of the code page
      {"", {}},
  };
  for (const auto& c : cases) EXPECT_EQ(c.paths, DrivePaths(c.line)) << c.line;
}

TEST(TextLine, ScanOfALongLineEnds) {
  std::string line;
  for (int i = 0; i < 60; ++i) line += "=(c:";
  EXPECT_EQ(60u, DrivePaths(line.c_str()).size());
}
