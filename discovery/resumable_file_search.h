#pragma once

#include <stddef.h>
#include <stdint.h>

// One search at a time for the settings files of an editor, delivered one per call.
//
// Delivers the next file below startFolder (moved up levelsUp folders first) whose name
// begins with prefix and ends with suffix (both lower case), as a full path in out (cap
// characters). Folders are entered depth-first in listing order, at most 9 levels deep;
// folders whose names begin with "." are passed over, as are links and junctions to folders
// (reparse points), folders that cannot be listed
// and files whose path would not fit. The caller sets *restart to 1 for the first call of a
// new search; the search clears it. Returns true when out holds a file; false when there are
// no more, out is then empty and every listing of the search is closed.
bool ResumableFileSearch(const char* startFolder, const char* prefix, const char* suffix, char* out,
                         size_t cap, int32_t* restart, int32_t levelsUp);

// Closes the listings of a search that is left before it reports no more.
void EndFileSearch();
