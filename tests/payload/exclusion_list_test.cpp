#include "payload/exclusion_list.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/payload/payload_catalogue.h"

namespace {

std::vector<std::string> ExcludedBy(const std::vector<const char*>& keys) {
  ClearExclusionList();
  for (const char* key : keys) AddExclusion(key);
  std::vector<std::string> excluded;
  for (const CatalogueEntry& entry : kCatalogue) {
    if (IsExcluded(entry.fileName)) excluded.push_back(entry.fileName);
  }
  return excluded;
}

TEST(ExclusionList, EachFilterKeyExcludesExactlyItsFiles) {
  struct Case {
    const char* key;
    std::vector<std::string> files;
  } cases[] = {
      {"Nimba", {"NimbaWendaro.8bf"}},
      {"Fulgo", {"WendaroFulgoDemo.8bf"}},
      {"Vilo3", {"Vilo3d.8bf"}},
      {"Vilo2000", {"Vilo2000deformations.reg", "Vilo2000demo.8bf", "Vilo2000patterns.reg"}},
      {"QuorvinTessmark", {"QuorvinTessmark.8bf"}},
      {"QuorvinKV",
       {"QuorvinKVdemo.8bf", "QuorvinKVpresets Misc.reg", "QuorvinKVpresets Surreal.reg"}},
      {"Tiravent", {"TiraventBellcove.8bf"}},
      {"Morvellane3", {"Morvellane3d.8bf"}},
      {"Zentrove", {"ZentroveDemo.8bf"}},
      // Case-sensitive, and on the mapped name only.
      {"nimba", {}},
      {"NIMBA__WENDARO", {}},
  };
  for (const Case& c : cases) EXPECT_EQ(c.files, ExcludedBy({c.key})) << c.key;
}

TEST(ExclusionList, NoteAndPageAreAlwaysWritten) {
  std::vector<const char*> all = {"Nimba",    "Fulgo",           "Vilo3",
                                  "Vilo2000", "QuorvinTessmark", "QuorvinKV",
                                  "Tiravent", "Morvellane3",     "Zentrove"};
  std::vector<std::string> excluded = ExcludedBy(all);
  EXPECT_EQ(13u, excluded.size());
  EXPECT_FALSE(IsExcluded("Additional Ppresets.txt"));
  EXPECT_FALSE(IsExcluded("QuillanePlugins.htm"));
  EXPECT_TRUE(ExcludedBy({}).empty());
}

TEST(ExclusionList, KeepsTwentyKeysAndStartsAfreshWhenCleared) {
  ClearExclusionList();
  for (int i = 10; i < 35; ++i) AddExclusion(("key" + std::to_string(i)).c_str());
  EXPECT_STREQ("key29", ExclusionList[19].text);
  EXPECT_FALSE(IsExcluded("key30.8bf"));
  EXPECT_TRUE(IsExcluded("key17.8bf"));

  // A second attempt after a failed one is not cut short by the first one's keys.
  ClearExclusionList();
  AddExclusion("Nimba");
  EXPECT_STREQ("Nimba", ExclusionList[0].text);
  EXPECT_STREQ("", ExclusionList[1].text);
  for (const ExclusionEntry& entry : ExclusionList) EXPECT_EQ(1, entry.flag);
}

TEST(ExclusionList, KeyTooLongForAnEntryIsDroppedNotCut) {
  ClearExclusionList();
  std::string longKey(kPathChars, 'V');
  AddExclusion(longKey.c_str());
  EXPECT_STREQ("", ExclusionList[0].text);
  AddExclusion("Vilo3");
  EXPECT_STREQ("Vilo3", ExclusionList[0].text);
}

}  // namespace
