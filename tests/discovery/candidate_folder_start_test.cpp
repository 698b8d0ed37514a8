// The candidate list as the process starts, before anything has added to it or reset it. A
// program of its own, so that no other test has touched the list first.
#include <gtest/gtest.h>

#include "discovery/candidate_folder_list.h"

TEST(CandidateFolderStart, EveryEntryIsFreeWithTheSubfolderFlagSet) {
  for (const CandidateFolder& entry : CandidateFolderList) {
    EXPECT_STREQ("", entry.path);
    EXPECT_EQ(1, entry.appendSubfolder);
  }
}
