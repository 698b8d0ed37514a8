// Extraction of the payload against CopyFileA of the same bytes from files: the 15 files of
// the shipped payload (linked into this program) and a scaled payload of about 100 MB (a
// resource-only module built for the benchmark). Each run times both, in alternating order,
// into fresh folders.
#include <windows.h>

#include <stdio.h>
#include <stdlib.h>

#include <memory>
#include <string>
#include <vector>

#include "bench/bench_stats.h"
#include "payload/exclusion_list.h"
#include "payload/payload_extraction.h"

namespace {

struct Source {
  std::string name;
  const void* data;
  DWORD size;
};

BOOL CALLBACK Collect(HMODULE module, LPCSTR type, LPSTR name, LONG_PTR param) {
  auto& sources = *reinterpret_cast<std::vector<Source>*>(param);
  HRSRC found = FindResourceA(module, name, type);
  const void* data = LockResource(LoadResource(module, found));
  sources.push_back({name, data, SizeofResource(module, found)});
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

void Measure(const char* label, HMODULE module, const std::string& base, int runs) {
  std::vector<Source> sources;
  EnumResourceNamesA(module, MAKEINTRESOURCEA(kPayloadResourceType), Collect,
                     reinterpret_cast<LONG_PTR>(&sources));
  // The copy's sources: the same bytes, in files written once.
  const std::string from = base + "from\\";
  Fresh(from);
  unsigned long long total = 0;
  for (const Source& s : sources) {
    HANDLE f =
        CreateFileA((from + s.name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD done = 0;
    WriteFile(f, s.data, s.size, &done, nullptr);
    CloseHandle(f);
    total += s.size;
  }
  printf("  %s: %zu files, %llu bytes\n", label, sources.size(), total);

  auto report = std::make_unique<ExtractionReport>();
  std::vector<double> extraction, copy;
  const std::string into = base + "into\\";
  for (int i = 0; i < runs; ++i) {
    for (int step = 0; step < 2; ++step) {
      Fresh(into);
      if ((step == 0) == (i % 2 == 0)) {
        const double t = NowMs();
        RunPayloadExtraction(module, into.c_str(), report.get());
        extraction.push_back(NowMs() - t);
        if (report->written.size() != sources.size() || !report->failed.empty()) {
          printf("    extraction failed: %zu of %zu written\n", report->written.size(),
                 sources.size());
          exit(1);
        }
      } else {
        const double t = NowMs();
        for (const Source& s : sources) {
          if (!CopyFileA((from + s.name).c_str(), (into + s.name).c_str(), FALSE)) exit(1);
        }
        copy.push_back(NowMs() - t);
      }
    }
  }
  // Where the extraction's time goes: the same bytes written plainly, then flushed to disk
  // too, then through the installer's replace-by-rename step.
  std::vector<double> plain, flushed, replaced;
  for (int i = 0; i < runs; ++i) {
    for (int kind = 0; kind < 3; ++kind) {
      Fresh(into);
      const double t = NowMs();
      for (const Source& s : sources) {
        const std::string path = into + s.name;
        if (kind == 2) {
          ReplaceFileContents(into.c_str(), path.c_str(), s.data, s.size);
          continue;
        }
        HANDLE f = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD done = 0;
        WriteFile(f, s.data, s.size, &done, nullptr);
        if (kind == 1) FlushFileBuffers(f);
        CloseHandle(f);
      }
      (kind == 0 ? plain : kind == 1 ? flushed : replaced).push_back(NowMs() - t);
    }
  }
  RemoveFolder(into);
  RemoveFolder(from);
  PrintMs("RunPayloadExtraction", extraction);
  PrintMs("CopyFileA of the same bytes", copy);
  PrintRatio("extraction / CopyFileA", extraction, copy, 1.2);
  PrintMs("part: each file written plainly", plain);
  PrintMs("part: written and flushed to disk", flushed);
  PrintMs("part: flushed, via temporary file and rename", replaced);
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
