// Extraction of the payload against CopyFileA of the same bytes from files: the 15 files of
// the shipped payload (linked into this program) and a scaled payload of about 100 MB (a
// resource-only module built for the benchmark). Two situations, each timed against CopyFileA
// in the same one, in alternating order: a fresh folder (the first install) and a folder
// where older files of the same names and sizes are already there (a reinstall, which
// CopyFileA simply overwrites).
#include <windows.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <memory>
#include <string>
#include <vector>

#include "bench/bench_stats.h"
#include "payload/exclusion_list.h"
#include "payload/payload_extraction.h"
#include "payload/payload_names.h"

namespace {

struct Source {
  std::string name;  // the file name the extraction writes it under
  const void* data;
  DWORD size;
};

BOOL CALLBACK Collect(HMODULE module, LPCSTR type, LPSTR name, LONG_PTR param) {
  auto& sources = *reinterpret_cast<std::vector<Source>*>(param);
  HRSRC found = FindResourceA(module, name, type);
  const void* data = LockResource(LoadResource(module, found));
  char fileName[MAX_PATH];
  lstrcpynA(fileName, name, sizeof fileName);
  sources.push_back({PayloadNameToFileName(fileName), data, SizeofResource(module, found)});
  return TRUE;
}

void RemoveFolder(const std::string& folder) {
  WIN32_FIND_DATAA found;
  HANDLE h = FindFirstFileA((folder + "*").c_str(), &found);
  if (h != INVALID_HANDLE_VALUE) {
    do {
      if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        DeleteFileA((folder + found.cFileName).c_str());
    } while (FindNextFileA(h, &found));
    FindClose(h);
  }
  RemoveDirectoryA(folder.c_str());
}

void Fresh(const std::string& folder) {
  RemoveFolder(folder);
  CreateDirectoryA(folder.c_str(), nullptr);
}

// Set-up, untimed: files that are on disk, as an installed plug-in long has been, and not
// still in the cache for the system to write while a run is timed.
void OnDisk(const std::string& path) {
  HANDLE f = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  if (f == INVALID_HANDLE_VALUE || !FlushFileBuffers(f)) exit(1);
  CloseHandle(f);
}

void WriteWhole(const std::string& path, const void* data, DWORD size) {
  HANDLE f = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD done = 0;
  if (f == INVALID_HANDLE_VALUE || !WriteFile(f, data, size, &done, nullptr) || done != size) {
    printf("    cannot write %s\n", path.c_str());
    exit(1);
  }
  CloseHandle(f);
  OnDisk(path);
}

// After a timed run, untimed: exactly the payload's files are there, each beginning with its
// own bytes rather than an older file's.
void Verify(const std::string& folder, const std::vector<Source>& sources) {
  size_t files = 0;
  WIN32_FIND_DATAA found;
  HANDLE h = FindFirstFileA((folder + "*").c_str(), &found);
  if (h != INVALID_HANDLE_VALUE) {
    do {
      if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) ++files;
    } while (FindNextFileA(h, &found));
    FindClose(h);
  }
  bool same = files == sources.size();
  for (const Source& s : sources) {
    char head[4096];
    const DWORD want = s.size < sizeof head ? s.size : sizeof head;
    DWORD done = 0;
    HANDLE f =
        CreateFileA((folder + s.name).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    same = same && f != INVALID_HANDLE_VALUE && ReadFile(f, head, want, &done, nullptr) &&
           done == want && memcmp(head, s.data, want) == 0 && GetFileSize(f, nullptr) == s.size;
    if (f != INVALID_HANDLE_VALUE) CloseHandle(f);
  }
  if (!same) {
    printf("    %s does not hold exactly the payload\n", folder.c_str());
    exit(1);
  }
}

// The folder as a run finds it: empty, or holding the older files.
struct Situation {
  const char* label;
  bool existing;
};

constexpr Situation kFresh{"fresh folder", false};
constexpr Situation kExisting{"files there", true};

struct Folders {
  std::string from, older, into;
  void prepare(const Situation& situation, const std::vector<Source>& sources) const {
    Fresh(into);
    if (!situation.existing) return;
    for (const Source& s : sources) {
      if (!CopyFileA((older + s.name).c_str(), (into + s.name).c_str(), FALSE)) exit(1);
      OnDisk(into + s.name);
    }
  }
};

// One way of writing a file, to show where the extraction's time goes.
enum class Temp { kNone, kOwn, kSystem };
struct Way {
  const char* label;
  const Situation* situation;
  Temp temp;
  DWORD piece;  // bytes per WriteFile; 0 for one write of the whole file
  bool flush;
};

constexpr DWORD kMB = 1 << 20;

// The part figures: what one write costs each way, in the situation it applies to.
const Way kWays[] = {
    {"new: CREATE_NEW, 1 MB writes, close", &kFresh, Temp::kNone, kMB, false},
    {"new: same, one write of the whole file", &kFresh, Temp::kNone, 0, false},
    {"new: same, flushed to disk", &kFresh, Temp::kNone, kMB, true},
    {"new: temporary file and rename instead", &kFresh, Temp::kOwn, kMB, false},
    {"there: overwritten in place, as a copy does", &kExisting, Temp::kNone, kMB, false},
    {"there: temporary file and rename", &kExisting, Temp::kOwn, kMB, false},
    {"there: same, name from GetTempFileNameA", &kExisting, Temp::kSystem, kMB, false},
    {"there: own name, flushed before the rename", &kExisting, Temp::kOwn, kMB, true},
};
constexpr size_t kWayCount = sizeof kWays / sizeof kWays[0];

void WriteOneWay(const Way& way, const std::string& folder, const Source& s, unsigned serial) {
  const std::string path = folder + s.name;
  char temp[MAX_PATH];
  const char* at = path.c_str();
  DWORD disposition = way.situation->existing ? CREATE_ALWAYS : CREATE_NEW;
  if (way.temp == Temp::kOwn) {
    wsprintfA(temp, "%sqpl%04X.tmp", folder.c_str(), serial & 0xFFFF);
    at = temp;
    disposition = CREATE_NEW;
  } else if (way.temp == Temp::kSystem) {
    GetTempFileNameA(folder.c_str(), "qpl", 0, temp);
    at = temp;
  }
  HANDLE f = CreateFileA(at, GENERIC_WRITE, 0, nullptr, disposition, 0, nullptr);
  const char* data = static_cast<const char*>(s.data);
  for (DWORD left = s.size; left > 0;) {
    DWORD done = 0;
    const DWORD piece = way.piece != 0 && way.piece < left ? way.piece : left;
    if (!WriteFile(f, data, piece, &done, nullptr) || done == 0) exit(1);
    data += done;
    left -= done;
  }
  if (way.flush) FlushFileBuffers(f);
  if (!CloseHandle(f)) exit(1);
  if (way.temp != Temp::kNone &&
      !MoveFileExA(temp, path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    exit(1);
  }
}

void Measure(const char* label, HMODULE module, const std::string& base, int runs) {
  std::vector<Source> sources;
  EnumResourceNamesA(module, MAKEINTRESOURCEA(kPayloadResourceType), Collect,
                     reinterpret_cast<LONG_PTR>(&sources));
  // The copy's sources: the same bytes, in files written once; and older files of the same
  // sizes with other bytes, for the reinstall.
  const Folders folders{base + "from\\", base + "older\\", base + "into\\"};
  Fresh(folders.from);
  Fresh(folders.older);
  unsigned long long total = 0;
  for (const Source& s : sources) {
    WriteWhole(folders.from + s.name, s.data, s.size);
    std::string older(static_cast<const char*>(s.data), s.size);
    for (char& c : older) c = static_cast<char>(c ^ 0x5A);
    WriteWhole(folders.older + s.name, older.data(), s.size);
    total += s.size;
  }
  printf("  %s: %zu files, %llu bytes\n", label, sources.size(), total);

  auto report = std::make_unique<ExtractionReport>();
  for (const Situation* situation : {&kFresh, &kExisting}) {
    std::vector<double> extraction, copy;
    for (int i = 0; i < runs; ++i) {
      for (int step = 0; step < 2; ++step) {
        folders.prepare(*situation, sources);
        if ((step == 0) == (i % 2 == 0)) {
          const double t = NowMs();
          RunPayloadExtraction(module, folders.into.c_str(), report.get());
          extraction.push_back(NowMs() - t);
          if (report->written.size() != sources.size() || !report->failed.empty()) {
            printf("    extraction failed: %zu of %zu written\n", report->written.size(),
                   sources.size());
            exit(1);
          }
          Verify(folders.into, sources);
        } else {
          const double t = NowMs();
          for (const Source& s : sources) {
            if (!CopyFileA((folders.from + s.name).c_str(), (folders.into + s.name).c_str(),
                           FALSE)) {
              exit(1);
            }
          }
          copy.push_back(NowMs() - t);
        }
      }
    }
    const std::string what = std::string(situation->label) + ": ";
    PrintMs((what + "RunPayloadExtraction").c_str(), extraction);
    PrintMs((what + "CopyFileA of the same bytes").c_str(), copy);
    PrintRatio((what + "extraction / CopyFileA").c_str(), extraction, copy, 1.2);
  }

  // Each way in turn within a run, the order shifted from run to run.
  std::vector<double> parts[kWayCount];
  unsigned serial = GetTickCount();
  for (int i = 0; i < runs; ++i) {
    for (size_t k = 0; k < kWayCount; ++k) {
      const Way& way = kWays[(k + i) % kWayCount];
      folders.prepare(*way.situation, sources);
      const double t = NowMs();
      for (const Source& s : sources) WriteOneWay(way, folders.into, s, ++serial);
      parts[(k + i) % kWayCount].push_back(NowMs() - t);
    }
  }
  printf("    parts: the same files written each way\n");
  for (size_t k = 0; k < kWayCount; ++k) PrintMs(kWays[k].label, parts[k]);
  RemoveFolder(folders.into);
  RemoveFolder(folders.older);
  RemoveFolder(folders.from);
}

}  // namespace

// usage: extraction_bench RUNS WORK_FOLDER\ [LARGE_PAYLOAD_MODULE]
int main(int argc, char** argv) {
  if (argc < 3) return 2;
  const int runs = atoi(argv[1]);
  const std::string base = argv[2];
  CreateDirectoryA(base.c_str(), nullptr);
  ClearExclusionList();
  Measure("the shipped payload", GetModuleHandleA(nullptr), base, runs);
  if (argc > 3) {
    HMODULE large = LoadLibraryA(argv[3]);
    if (large == nullptr) {
      printf("  scaled payload: cannot load %s\n", argv[3]);
      return 1;
    }
    Measure("the scaled payload", large, base, runs);
  }
  return 0;
}
