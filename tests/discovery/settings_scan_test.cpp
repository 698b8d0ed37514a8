#include "discovery/settings_scan.h"

#include <gtest/gtest.h>

#include <string>

#include "discovery/scoped_stdio_file.h"
#include "tests/discovery/test_files.h"
#include "text/text_buffer.h"

namespace {

// A folder record: marker, length byte, path, zero.
std::string Record(const std::string& path, int length) {
  return std::string(1, '\x80') + static_cast<char>(length) + path + std::string(1, '\0');
}

std::string Record(const std::string& path) { return Record(path, static_cast<int>(path.size())); }

struct Scan {
  bool found;
  std::string path;
};

Scan ScanBytes(const std::string& bytes) {
  const std::string path = WriteTestFile("settings_scan_test.set", bytes);
  ScopedStdioFile file(path.c_str(), "rb");
  EXPECT_TRUE(file);
  Scan scan = {false, "unread"};
  if (file) {
    char folder[kPathChars];
    memset(folder, 'x', sizeof folder);
    scan.found = FindSettingsFolderRecord(file.get(), folder, sizeof folder);
    scan.path = folder;
  }
  remove(path.c_str());
  return scan;
}

}  // namespace

TEST(SettingsScan, FindsTheFirstRecordWhoseLengthIsTrue) {
  const std::string path246 = "C:\\" + std::string(246, 'p');  // 249 characters
  const std::string a246 = std::string(246, 'a');
  const std::string markers(1000, '\x80');
  const struct {
    const char* what;
    std::string bytes;
    bool found;
    std::string path;
  } cases[] = {
      {"record", "head" + Record("C:\\Filters") + "tail", true, "C:\\Filters"},
      {"length byte lies", Record("C:\\Filters", 9), false, ""},
      {"length byte too big", Record("C:\\Filters", 200), false, ""},
      {"second record after a lying one",
       Record("C:\\Filters", 9) + Record("D:\\Plug") + Record("E:\\Later"), true, "D:\\Plug"},
      {"no marker", std::string(5000, 'C') + ":\\x", false, ""},
      {"empty file", "", false, ""},
      {"marker at the very end", "abc\x80", false, ""},
      {"truncated head",
       std::string("\x80\x0a"
                   "C:"),
       false, ""},
      {"truncated path",
       std::string("\x80\x0a"
                   "C:\\Filt"),
       false, ""},
      {"many markers", markers + Record("C:\\Many"), true, "C:\\Many"},
      {"marker as length byte", std::string("\x80\x80\x80") + Record("C:\\ab"), true, "C:\\ab"},
      {"no letter",
       std::string("\x80\x04"
                   "1:\\x") +
           '\0',
       false, ""},
      {"249 characters", Record(path246), true, path246},
      {"no zero within 249 characters",
       std::string("\x80\x05"
                   "C:\\") +
           a246 + "b" + std::string(1, '\0'),
       false, ""},
      // The last byte of a candidate given up may begin the next one.
      {"record at the last byte read",
       std::string("\x80\x05"
                   "C:\\") +
           a246 + Record("D:\\xy"),
       true, "D:\\xy"},
      // Bytes inside a candidate given up are not looked at again.
      {"record inside a passed candidate",
       std::string("\x80\x03"
                   "C:\\x") +
           Record("D:\\y"),
       false, ""},
      {"high length byte", Record("C:\\" + std::string(197, '\xE9')), true,
       "C:\\" + std::string(197, '\xE9')},
  };
  for (const auto& c : cases) {
    const Scan scan = ScanBytes(c.bytes);
    EXPECT_EQ(c.found, scan.found) << c.what;
    EXPECT_EQ(c.path, scan.path) << c.what;
  }
}
