// Extraction from the real embedded payload into real folders of the test prefix.
#include "payload/payload_extraction.h"

#include <gtest/gtest.h>

#include <stdlib.h>
#include <string.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "payload/exclusion_list.h"
#include "tests/payload/payload_catalogue.h"

namespace {

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteAll(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary);
  out << bytes;
}

std::vector<std::string> FilesIn(const std::string& folder) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA found;
  HANDLE h = FindFirstFileA((folder + "*").c_str(), &found);
  if (h == INVALID_HANDLE_VALUE) return names;
  do {
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(found.cFileName);
  } while (FindNextFileA(h, &found));
  FindClose(h);
  std::sort(names.begin(), names.end());
  return names;
}

std::vector<std::string> Sorted(std::vector<std::string> names) {
  std::sort(names.begin(), names.end());
  return names;
}

std::vector<std::string> Sorted(const ReportList<PayloadFileName>& list) {
  std::vector<std::string> names;
  for (const PayloadFileName& name : list) names.push_back(name.text);
  return Sorted(names);
}

// Too large for a test's stack frame many times over; one per test is enough.
std::unique_ptr<ExtractionReport> RunInto(const char* folder, HMODULE module) {
  auto report = std::make_unique<ExtractionReport>();
  RunPayloadExtraction(module, folder, report.get());
  return report;
}

class PayloadExtraction : public ::testing::Test {
 protected:
  void SetUp() override {
    char temp[MAX_PATH];
    ASSERT_NE(0u, GetTempPathA(sizeof temp, temp));
    folder_ =
        std::string(temp) + "quillane-extract-" + std::to_string(GetCurrentProcessId()) + "\\";
    RemoveFolder();
    ASSERT_TRUE(CreateDirectoryA(folder_.c_str(), nullptr));
    ClearExclusionList();
  }
  void TearDown() override { RemoveFolder(); }

  void RemoveFolder() {
    for (const std::string& name : FilesIn(folder_)) {
      std::string path = folder_ + name;
      SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
      DeleteFileA(path.c_str());
    }
    RemoveDirectoryA(folder_.c_str());
  }

  ExtractionReport Extract() { return *RunInto(folder_.c_str(), GetModuleHandleA(nullptr)); }

  std::string folder_;
};

TEST_F(PayloadExtraction, WritesEveryFileByteForByte) {
  ExtractionReport report = Extract();
  EXPECT_TRUE(report.failed.empty());
  EXPECT_TRUE(report.excluded.empty());
  std::vector<std::string> expected;
  for (const CatalogueEntry& entry : kCatalogue) {
    expected.push_back(entry.fileName);
    std::string shipped = ReadAll(std::string(QUILLANE_PAYLOAD_DIR) + entry.fileName);
    ASSERT_FALSE(shipped.empty()) << entry.fileName;
    EXPECT_TRUE(shipped == ReadAll(folder_ + entry.fileName)) << entry.fileName;
  }
  EXPECT_EQ(Sorted(expected), Sorted(report.written));
  EXPECT_EQ(Sorted(expected), FilesIn(folder_)) << "no temporary file may be left behind";
}

TEST_F(PayloadExtraction, ExcludedFiltersAreNotWritten) {
  AddExclusion("Vilo2000");
  AddExclusion("Nimba");
  ExtractionReport report = Extract();
  std::vector<std::string> excluded = {"NimbaWendaro.8bf", "Vilo2000deformations.reg",
                                       "Vilo2000demo.8bf", "Vilo2000patterns.reg"};
  EXPECT_EQ(excluded, Sorted(report.excluded));
  std::vector<std::string> others;
  for (const CatalogueEntry& entry : kCatalogue) {
    if (std::find(excluded.begin(), excluded.end(), entry.fileName) == excluded.end()) {
      others.push_back(entry.fileName);
    }
  }
  EXPECT_EQ(Sorted(others), FilesIn(folder_));
  EXPECT_TRUE(report.failed.empty());
}

TEST_F(PayloadExtraction, ExistingFileIsReplacedWhole) {
  // Longer than the new content: nothing of the old tail may remain.
  WriteAll(folder_ + "Vilo3d.8bf", std::string(400000, 'x'));
  Extract();
  EXPECT_TRUE(ReadAll(std::string(QUILLANE_PAYLOAD_DIR) + "Vilo3d.8bf") ==
              ReadAll(folder_ + "Vilo3d.8bf"));
}

TEST_F(PayloadExtraction, LockedFileIsReportedAndKeepsItsOldContent) {
  const std::string locked = folder_ + "ZentroveDemo.8bf";
  WriteAll(locked, "the old plug-in");
  HANDLE held = CreateFileA(locked.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, held);
  ExtractionReport report = Extract();
  CloseHandle(held);

  ASSERT_EQ(1u, report.failed.size());
  EXPECT_STREQ("ZentroveDemo.8bf", report.failed[0].fileName);
  EXPECT_NE(static_cast<DWORD>(ERROR_SUCCESS), report.failed[0].error);
  EXPECT_EQ("the old plug-in", ReadAll(locked));
  EXPECT_EQ(14u, report.written.size());
  EXPECT_EQ(15u, FilesIn(folder_).size()) << "the temporary file of the failed write must go";
}

TEST_F(PayloadExtraction, FolderThatIsAFileFailsEveryFileByName) {
  const std::string notAFolder = folder_ + "plugins";
  WriteAll(notAFolder, "a file, not a folder");
  const auto result = RunInto((notAFolder + "\\").c_str(), GetModuleHandleA(nullptr));
  const ExtractionReport& report = *result;
  EXPECT_TRUE(report.written.empty());
  ASSERT_EQ(15u, report.failed.size());
  for (const PayloadFailure& failure : report.failed) {
    EXPECT_NE(static_cast<DWORD>(ERROR_SUCCESS), failure.error) << failure.fileName;
    EXPECT_NE('\0', failure.fileName[0]);
  }
  EXPECT_EQ("a file, not a folder", ReadAll(notAFolder));
}

TEST_F(PayloadExtraction, FolderTooLongForAnyPathFailsWithoutOverrun) {
  std::string deep = "C:\\" + std::string(395, 'd') + "\\";
  const auto result = RunInto(deep.c_str(), GetModuleHandleA(nullptr));
  const ExtractionReport& report = *result;
  EXPECT_TRUE(report.written.empty());
  EXPECT_EQ(15u, report.failed.size());
}

const PayloadFailure* FailureOf(const ExtractionReport& report, const std::string& name) {
  for (const PayloadFailure& failure : report.failed) {
    if (failure.fileName == name) return &failure;
  }
  return nullptr;
}

// Windows refuses to replace a read-only file; Wine would replace it.
TEST_F(PayloadExtraction, ReadOnlyPlugInIsReportedAndKept) {
  const std::string old = folder_ + "Vilo3d.8bf";
  WriteAll(old, "an older read-only plug-in");
  ASSERT_TRUE(SetFileAttributesA(old.c_str(), FILE_ATTRIBUTE_READONLY));
  ExtractionReport report = Extract();
  const PayloadFailure* failure = FailureOf(report, "Vilo3d.8bf");
  ASSERT_NE(nullptr, failure);
  EXPECT_EQ(static_cast<DWORD>(ERROR_ACCESS_DENIED), failure->error);
  EXPECT_EQ("an older read-only plug-in", ReadAll(old));
  EXPECT_EQ(14u, report.written.size());
  EXPECT_EQ(15u, FilesIn(folder_).size()) << "no temporary file may be left behind";
}

// A folder that exists, but whose longer file names would pass MAX_PATH: those files fail by
// name, none is written under a longer path, the shorter ones are written.
TEST_F(PayloadExtraction, PathsBeyondMaxPathAreReportedNotWritten) {
  const size_t room = MAX_PATH - 1 - folder_.size() - 22;
  const std::string deep = folder_ + std::string(room, 'd') + "\\";
  ASSERT_TRUE(CreateDirectoryA(deep.c_str(), nullptr)) << deep.size();
  const auto result = RunInto(deep.c_str(), GetModuleHandleA(nullptr));
  const ExtractionReport& report = *result;
  size_t tooLong = 0;
  for (const CatalogueEntry& entry : kCatalogue) {
    const bool fits = deep.size() + strlen(entry.fileName) < MAX_PATH;
    const PayloadFailure* failure = FailureOf(report, entry.fileName);
    if (fits) {
      EXPECT_EQ(nullptr, failure) << entry.fileName;
      continue;
    }
    ++tooLong;
    ASSERT_NE(nullptr, failure) << entry.fileName;
    EXPECT_EQ(static_cast<DWORD>(ERROR_FILENAME_EXCED_RANGE), failure->error);
  }
  EXPECT_GT(tooLong, 0u);
  EXPECT_EQ(15u - tooLong, FilesIn(deep).size());
  for (const std::string& name : FilesIn(deep)) DeleteFileA((deep + name).c_str());
  RemoveDirectoryA(deep.c_str());
}

// A small file system, nearly full (a tmpfs the test set-up mounts on the host, seen
// through Z:): what does not fit is reported as such, an older file is kept whole, and no
// partly written file is left.
TEST(PayloadExtractionDisk, FullDiskIsReportedAndLeavesNoPartialFile) {
  const char* disk = getenv("QUILLANE_SMALL_DISK");
  ASSERT_TRUE(disk != nullptr && disk[0] != '\0') << "no small file system was mounted";
  std::string folder = std::string("Z:") + disk + "\\";
  std::replace(folder.begin(), folder.end(), '/', '\\');
  const std::string old = folder + "TiraventBellcove.8bf";
  ASSERT_EQ(std::string("an older plug-in"), ReadAll(old));

  ClearExclusionList();
  const auto result = RunInto(folder.c_str(), GetModuleHandleA(nullptr));
  const ExtractionReport& report = *result;
  EXPECT_FALSE(report.failed.empty());
  for (const PayloadFailure& failure : report.failed) {
    EXPECT_TRUE(failure.error == ERROR_DISK_FULL || failure.error == ERROR_HANDLE_DISK_FULL)
        << failure.fileName << " " << failure.error;
  }
  if (FailureOf(report, "TiraventBellcove.8bf") != nullptr) {
    EXPECT_EQ("an older plug-in", ReadAll(old));
  }
  for (const std::string& name : FilesIn(folder)) {
    EXPECT_EQ(std::string::npos, name.find(".tmp")) << "a temporary file is left: " << name;
    bool shipped = name == "filler";
    for (const CatalogueEntry& entry : kCatalogue) {
      if (name == entry.fileName) {
        shipped = true;
        if (name != "TiraventBellcove.8bf" || FailureOf(report, name) == nullptr) {
          EXPECT_TRUE(ReadAll(std::string(QUILLANE_PAYLOAD_DIR) + name) == ReadAll(folder + name))
              << name << " is written only in part";
        }
      }
    }
    EXPECT_TRUE(shipped) << name;
  }
}

TEST(PayloadExtractionModule, ModuleWithoutPayloadReportsAFailure) {
  char temp[MAX_PATH];
  ASSERT_NE(0u, GetTempPathA(sizeof temp, temp));
  const auto result = RunInto(temp, GetModuleHandleA("kernel32.dll"));
  const ExtractionReport& report = *result;
  EXPECT_TRUE(report.written.empty());
  EXPECT_EQ(1u, report.failed.size());
}

}  // namespace
