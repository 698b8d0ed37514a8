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

// Every file name the folder reports created, renamed or removed, in order, until the marker
// file appears: what a write looked like from the outside.
class FolderWatch {
 public:
  explicit FolderWatch(const std::string& folder) : folder_(folder) {
    dir_ = CreateFileA(folder.c_str(), FILE_LIST_DIRECTORY,
                       FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                       OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OVERLAPPED, nullptr);
    overlapped_.hEvent = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    listening_ = dir_ != INVALID_HANDLE_VALUE && Listen();
  }
  ~FolderWatch() {
    if (dir_ != INVALID_HANDLE_VALUE) {
      CancelIo(dir_);
      CloseHandle(dir_);
    }
    CloseHandle(overlapped_.hEvent);
  }
  bool listening() const { return listening_; }

  std::vector<std::string> NamesSeen() {
    const std::string marker = "watch-marker";
    WriteAll(folder_ + marker, "");
    std::vector<std::string> names;
    while (WaitForSingleObject(overlapped_.hEvent, 5000) == WAIT_OBJECT_0) {
      DWORD bytes = 0;
      if (!GetOverlappedResult(dir_, &overlapped_, &bytes, FALSE) || bytes == 0) break;
      bool done = false;
      for (const char* at = buffer_;;) {
        const auto* info = reinterpret_cast<const FILE_NOTIFY_INFORMATION*>(at);
        char name[MAX_PATH] = {};
        WideCharToMultiByte(CP_ACP, 0, info->FileName, info->FileNameLength / sizeof(WCHAR), name,
                            sizeof name - 1, nullptr, nullptr);
        if (marker == name) {
          done = true;
        } else if (names.empty() || names.back() != name) {
          names.push_back(name);
        }
        if (info->NextEntryOffset == 0) break;
        at += info->NextEntryOffset;
      }
      if (done || !Listen()) break;
    }
    DeleteFileA((folder_ + marker).c_str());
    return names;
  }

 private:
  bool Listen() {
    ResetEvent(overlapped_.hEvent);
    return ReadDirectoryChangesW(dir_, buffer_, sizeof buffer_, FALSE, FILE_NOTIFY_CHANGE_FILE_NAME,
                                 nullptr, &overlapped_, nullptr);
  }

  std::string folder_;
  HANDLE dir_;
  OVERLAPPED overlapped_ = {};
  bool listening_ = false;
  alignas(DWORD) char buffer_[16384];
};

// Wine's 32-bit loader under qemu-user crashes in a folder's change notifications: there only
// what the folder holds afterwards is checked.
bool FolderWatchRuns() {
  const char* mode = getenv("QUILLANE_I386_MODE");
  return sizeof(void*) == 8 || mode == nullptr || strcmp(mode, "emulated") != 0;
}

// A file not there yet is written under its own name and no other; an older one is replaced
// through a temporary file, whole, or kept when it is read-only. No temporary file remains.
TEST_F(PayloadExtraction, NewFilesAreWrittenInPlaceOlderOnesReplacedThroughATemporaryFile) {
  struct Case {
    const char* what;
    size_t olderBytes;  // 0: no older file
    DWORD olderAttributes;
    DWORD error;
    bool throughTemporaryFile;
  };
  const Case cases[] = {
      {"new file", 0, 0, ERROR_SUCCESS, false},
      {"longer older file", 400000, FILE_ATTRIBUTE_NORMAL, ERROR_SUCCESS, true},
      {"read-only older file", 100, FILE_ATTRIBUTE_READONLY, ERROR_ACCESS_DENIED, false},
  };
  const std::string name = "Vilo3d.8bf";
  const std::string path = folder_ + name;
  const std::string data(100000, 'n');
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string older(c.olderBytes, 'o');
    if (c.olderBytes != 0) {
      WriteAll(path, older);
      ASSERT_TRUE(SetFileAttributesA(path.c_str(), c.olderAttributes));
    }
    std::unique_ptr<FolderWatch> watch;
    if (FolderWatchRuns()) {
      watch = std::make_unique<FolderWatch>(folder_);
      ASSERT_TRUE(watch->listening());
    }
    EXPECT_EQ(c.error,
              WritePayloadFile(folder_.c_str(), path.c_str(), data.data(), DWORD(data.size())));
    EXPECT_TRUE(ReadAll(path) == (c.error == ERROR_SUCCESS ? data : older));
    EXPECT_EQ(std::vector<std::string>{name}, FilesIn(folder_));
    if (watch) {
      const std::vector<std::string> seen = watch->NamesSeen();
      const bool others = std::any_of(
          seen.begin(), seen.end(), [&](const std::string& seenName) { return seenName != name; });
      EXPECT_EQ(c.throughTemporaryFile, others) << ::testing::PrintToString(seen);
      if (c.olderBytes == 0) {
        EXPECT_EQ(std::vector<std::string>{name}, seen);
      }
    }
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(path.c_str());
  }
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

std::string SmallDiskFolder() {
  const char* disk = getenv("QUILLANE_SMALL_DISK");
  if (disk == nullptr || disk[0] == '\0') return "";
  std::string folder = std::string("Z:") + disk + "\\";
  std::replace(folder.begin(), folder.end(), '/', '\\');
  return folder;
}

// On the small file system, before the extraction below fills it: a file that does not fit
// fails as a full disk and leaves nothing of itself, and an older file stays whole.
TEST(PayloadExtractionDisk, FullDiskWriteLeavesNoPartialFileAndKeepsTheOlderOne) {
  const std::string disk = SmallDiskFolder();
  ASSERT_FALSE(disk.empty()) << "no small file system was mounted";
  const std::string folder = disk + "writes\\";
  ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
  ULARGE_INTEGER room;
  ASSERT_TRUE(GetDiskFreeSpaceExA(folder.c_str(), &room, nullptr, nullptr));
  const size_t tooLarge = static_cast<size_t>(room.QuadPart) + 256 * 1024;
  struct Case {
    const char* what;
    bool older;
    size_t bytes;
    bool fits;
  };
  const Case cases[] = {
      {"new file that fits", false, 8 * 1024, true},
      {"new file too large", false, tooLarge, false},
      {"older file, successor too large", true, tooLarge, false},
  };
  const std::string path = folder + "Vilo3d.8bf";
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    if (c.older) WriteAll(path, "an older plug-in");
    const std::string data(c.bytes, 'n');
    const DWORD error =
        WritePayloadFile(folder.c_str(), path.c_str(), data.data(), DWORD(data.size()));
    if (c.fits) {
      EXPECT_EQ(static_cast<DWORD>(ERROR_SUCCESS), error);
      EXPECT_TRUE(ReadAll(path) == data);
    } else {
      EXPECT_TRUE(error == ERROR_DISK_FULL || error == ERROR_HANDLE_DISK_FULL) << error;
    }
    const bool kept = c.older || c.fits;
    EXPECT_EQ(kept ? std::vector<std::string>{"Vilo3d.8bf"} : std::vector<std::string>{},
              FilesIn(folder));
    if (c.older) {
      EXPECT_EQ("an older plug-in", ReadAll(path));
    }
    DeleteFileA(path.c_str());
  }
  for (const std::string& name : FilesIn(folder)) DeleteFileA((folder + name).c_str());
  RemoveDirectoryA(folder.c_str());
}

// A small file system, nearly full (a tmpfs the test set-up mounts on the host, seen
// through Z:): what does not fit is reported as such, an older file is kept whole, and no
// partly written file is left.
TEST(PayloadExtractionDisk, FullDiskIsReportedAndLeavesNoPartialFile) {
  const std::string folder = SmallDiskFolder();
  ASSERT_FALSE(folder.empty()) << "no small file system was mounted";
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
