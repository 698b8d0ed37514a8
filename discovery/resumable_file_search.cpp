#include "discovery/resumable_file_search.h"

#include <windows.h>

#include "discovery/file_search_pattern.h"
#include "discovery/path_rules.h"
#include "discovery/search_stop.h"
#include "text/text_buffer.h"

namespace {

constexpr int32_t kDeepestLevel = 9;

// The state of the one search in progress.
struct FileSearch {
  char pattern[kPathChars];  // listing pattern of the folder being read
  int32_t levels;            // listings open; the one being read is levels - 1, 0 the start
  HANDLE listings[kDeepestLevel + 1];
  bool entryPending = false;  // entry holds the first entry of a listing just opened
  WIN32_FIND_DATAA entry;
};

// All zero: no start-up code sets it up, and it takes no room in the download.
FileSearch search = {};

void CloseLevel() { FindClose(search.listings[--search.levels]); }

// Opens the listing of the current pattern as the next level, its first entry pending. That
// entry is examined like the others: in a drive root it is a real folder or file, elsewhere
// it is "." and passed over.
bool OpenLevel() {
  HANDLE listing = FindFirstFileA(search.pattern, &search.entry);
  if (listing == INVALID_HANDLE_VALUE) return false;
  search.listings[search.levels++] = listing;
  search.entryPending = true;
  return true;
}

bool NextEntry() {
  if (search.entryPending) {
    search.entryPending = false;
    return true;
  }
  return FindNextFileA(search.listings[search.levels - 1], &search.entry) != FALSE;
}

// Starts a new search: the pattern of the start folder, moved up levelsUp folders.
bool StartSearch(const char* startFolder, int32_t levelsUp) {
  EndFileSearch();
  if (!JoinPath(search.pattern, sizeof search.pattern, "*", startFolder)) return false;
  for (int32_t i = 0; i < levelsUp; ++i) PatternUp(search.pattern, sizeof search.pattern);
  return OpenLevel();
}

// Writes the pattern's folder and the file name into out.
bool DeliverFile(char* out, size_t cap) {
  size_t len = BoundedLength(search.pattern, sizeof search.pattern);
  if (len > 0 && search.pattern[len - 1] == '*') search.pattern[--len] = '\0';
  return CopyText(out, cap, search.pattern) && AppendText(out, cap, search.entry.cFileName);
}

}  // namespace

void EndFileSearch() {
  while (search.levels > 0) CloseLevel();
  search.entryPending = false;
}

bool ResumableFileSearch(const char* startFolder, const char* prefix, const char* suffix, char* out,
                         size_t cap, int32_t* restart, int32_t levelsUp) {
  if (cap > 0) out[0] = '\0';
  if (*restart != 0) {
    *restart = 0;
    if (!StartSearch(startFolder, levelsUp)) return false;
  }
  while (search.levels > 0) {
    if (SearchStopRequested()) {
      EndFileSearch();
      return false;
    }
    if (!NextEntry()) {
      CloseLevel();
      PatternUp(search.pattern, sizeof search.pattern);
      continue;
    }
    // The system always terminates the name; the bound keeps a damaged entry harmless.
    search.entry.cFileName[MAX_PATH - 1] = '\0';
    const char* name = search.entry.cFileName;
    if ((search.entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
      if (name[0] == '.' || search.levels - 1 == kDeepestLevel) continue;
      // A junction or a link to a folder may lead back to a parent, walking the same tree
      // again, or to a whole drive: only real sub-folders are entered.
      if ((search.entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) continue;
      if (!PatternDown(search.pattern, sizeof search.pattern, name)) continue;
      // A folder that cannot be listed is passed over like any unreadable item.
      if (!OpenLevel()) PatternUp(search.pattern, sizeof search.pattern);
      continue;
    }
    if (FileNameMatches(name, prefix, suffix)) {
      if (DeliverFile(out, cap)) return true;
      out[0] = '\0';
    }
  }
  return false;
}
