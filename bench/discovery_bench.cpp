// Discovery on the machine of the prefix it runs in: HostProbeSequence alone, against its
// floor, a minimal walk of the same registry subtrees with every key opened once and a plain
// listing of the same folder tree. Each run times both, in alternating order.
#include <windows.h>

#include <stdio.h>
#include <stdlib.h>

#include <vector>

#include "bench/bench_stats.h"
#include "discovery/candidate_folder_list.h"
#include "discovery/host_probe_sequence.h"

namespace {

const char* const kSubtrees[] = {"software\\quillane", "software\\adobe",
                                 "software\\jasc",     "software\\microsoft\\photodraw",
                                 "software\\megalux",  "software\\computerinsel",
                                 "software\\igrafx"};

struct Counts {
  long keys = 0, values = 0, files = 0;
};

void WalkKey(HKEY key, Counts& counts) {
  ++counts.keys;
  char name[256], data[257];
  for (DWORD i = 0;; ++i) {
    DWORD nameChars = sizeof name, bytes = sizeof data - 1, type = 0;
    LONG r = RegEnumValueA(key, i, name, &nameChars, nullptr, &type, reinterpret_cast<BYTE*>(data),
                           &bytes);
    if (r == ERROR_MORE_DATA) continue;
    if (r != ERROR_SUCCESS) break;
    ++counts.values;
  }
  for (DWORD i = 0;; ++i) {
    DWORD nameChars = sizeof name;
    LONG r = RegEnumKeyExA(key, i, name, &nameChars, nullptr, nullptr, nullptr, nullptr);
    if (r == ERROR_MORE_DATA) continue;
    if (r != ERROR_SUCCESS) break;
    HKEY child;
    if (RegOpenKeyExA(key, name, 0, KEY_READ | KEY_WOW64_32KEY, &child) == ERROR_SUCCESS) {
      WalkKey(child, counts);
      RegCloseKey(child);
    }
  }
}

void ListTree(const char* folder, Counts& counts) {
  char pattern[MAX_PATH * 2];
  snprintf(pattern, sizeof pattern, "%s\\*", folder);
  WIN32_FIND_DATAA found;
  HANDLE h = FindFirstFileA(pattern, &found);
  if (h == INVALID_HANDLE_VALUE) return;
  do {
    if (found.cFileName[0] == '.') continue;
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      char sub[MAX_PATH * 2];
      snprintf(sub, sizeof sub, "%s\\%s", folder, found.cFileName);
      ListTree(sub, counts);
    } else {
      ++counts.files;
    }
  } while (FindNextFileA(h, &found));
  FindClose(h);
}

Counts Floor(const std::vector<const char*>& trees) {
  Counts counts;
  const HKEY roots[] = {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE, HKEY_USERS};
  for (HKEY root : roots) {
    for (const char* subtree : kSubtrees) {
      char path[300];
      snprintf(path, sizeof path, "%s%s", root == HKEY_USERS ? ".default\\" : "", subtree);
      HKEY key;
      if (RegOpenKeyExA(root, path, 0, KEY_READ | KEY_WOW64_32KEY, &key) != ERROR_SUCCESS) continue;
      WalkKey(key, counts);
      RegCloseKey(key);
    }
  }
  for (const char* tree : trees) ListTree(tree, counts);
  return counts;
}

int Found() {
  int n = 0;
  for (const CandidateFolder& folder : CandidateFolderList) n += folder.path[0] != '\0';
  return n;
}

}  // namespace

// usage: discovery_bench RUNS [FOLDER_TREE...]
int main(int argc, char** argv) {
  const int runs = argc > 1 ? atoi(argv[1]) : 5;
  std::vector<const char*> trees(argv + (argc > 2 ? 2 : argc), argv + argc);
  std::vector<double> probe, floor;
  Counts counts;
  for (int i = 0; i < runs; ++i) {
    for (int step = 0; step < 2; ++step) {
      if ((step == 0) == (i % 2 == 0)) {
        ResetCandidateFolderList();
        const double t = NowMs();
        HostProbeSequence();
        probe.push_back(NowMs() - t);
      } else {
        const double t = NowMs();
        counts = Floor(trees);
        floor.push_back(NowMs() - t);
      }
    }
  }
  printf("    machine: %ld keys, %ld values in the searched subtrees, %ld files in the tree\n",
         counts.keys, counts.values, counts.files);
  printf("    candidate folders found: %d\n", Found());
  for (const CandidateFolder& folder : CandidateFolderList) {
    if (folder.path[0] != '\0') printf("      %s\n", folder.path);
  }
  PrintMs("HostProbeSequence", probe);
  PrintMs("floor (keys opened once, tree listed)", floor);
  PrintRatio("discovery / floor", probe, floor, 2.0);
  return 0;
}
