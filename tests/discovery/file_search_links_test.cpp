// The settings-file search in a program folder whose tree holds links to folders (host
// symbolic links, which Wine reports as reparse points): a link back to a parent would walk
// the same tree again, a link elsewhere a whole foreign tree. Only the real folders count.
#include <windows.h>

#include <stdlib.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "discovery/resumable_file_search.h"
#include "text/text_buffer.h"

TEST(FileSearchLinks, LinkedFoldersAreNotEntered) {
  const char* tree = getenv("QUILLANE_LINK_TREE");
  ASSERT_NE(nullptr, tree) << "the link tree was not built";
  // The host path, as Wine's Z: drive shows it.
  std::string start = std::string("Z:") + tree + "\\app";
  std::replace(start.begin(), start.end(), '/', '\\');
  ASSERT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA((start + "\\sub\\loop").c_str()));

  std::vector<std::string> found;
  char out[kPathChars];
  int32_t restart = 1;
  while (found.size() < 100 &&
         ResumableFileSearch(start.c_str(), "photos", ".ini", out, sizeof out, &restart, 0)) {
    found.push_back(out);
  }
  std::sort(found.begin(), found.end());
  const std::vector<std::string> expected = {start + "\\photoshop.ini",
                                             start + "\\sub\\photos2.ini"};
  EXPECT_EQ(expected, found);
}
