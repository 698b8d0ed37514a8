#include "discovery/key_stack.h"

#include <gtest/gtest.h>

#include <string>

#include "text/text_buffer.h"

TEST(KeyStack, PopReturnsToTheParentAndItsSubkeyIndex) {
  KeyStack stack;
  EXPECT_EQ(-1, stack.top);
  char path[kPathChars] = "software\\adobe";
  int32_t cursor = 3;
  ASSERT_TRUE(stack.push(path, sizeof path, "photoshop", &cursor));
  EXPECT_STREQ("software\\adobe\\photoshop", path);
  EXPECT_EQ(0, cursor);
  cursor = 5;
  ASSERT_TRUE(stack.push(path, sizeof path, "7.0", &cursor));
  EXPECT_STREQ("software\\adobe\\photoshop\\7.0", path);
  EXPECT_EQ(1, stack.top);

  const struct {
    int32_t index;
    const char* path;
  } pops[] = {
      {5, "software\\adobe\\photoshop"},
      {3, "software\\adobe"},
      {-1, "software\\adobe"},
      {-1, "software\\adobe"},
  };
  for (const auto& p : pops) {
    EXPECT_EQ(p.index, stack.pop(path));
    EXPECT_STREQ(p.path, path);
  }
  EXPECT_EQ(-1, stack.top);
}

TEST(KeyStack, HoldsNineteenLevels) {
  KeyStack stack;
  char path[kPathChars] = "k";
  int32_t cursor = 0;
  for (int level = 1; level <= KeyStack::kLevels; ++level) {
    cursor = level * 10;
    ASSERT_TRUE(stack.push(path, sizeof path, "s", &cursor)) << level;
  }
  EXPECT_EQ(18, stack.top);
  const std::string deepest = path;
  cursor = 7;
  EXPECT_FALSE(stack.push(path, sizeof path, "s", &cursor));
  EXPECT_EQ(deepest, path);
  EXPECT_EQ(7, cursor);
  EXPECT_EQ(18, stack.top);
  for (int level = KeyStack::kLevels; level >= 1; --level) EXPECT_EQ(level * 10, stack.pop(path));
  EXPECT_STREQ("k", path);
}

TEST(KeyStack, RefusesAPathThatWouldNotFit) {
  const struct {
    size_t pathChars;
    size_t nameChars;
    bool fits;
  } cases[] = {
      {300, 98, true},  // 300 + 1 + 98 = 399 characters and the zero
      {300, 99, false},
      {kPathChars - 1, 1, false},
      {1, 255, true},
  };
  for (const auto& c : cases) {
    KeyStack stack;
    char path[kPathChars];
    CopyText(path, sizeof path, std::string(c.pathChars, 'p').c_str());
    const std::string name(c.nameChars, 'n');
    int32_t cursor = 4;
    EXPECT_EQ(c.fits, stack.push(path, sizeof path, name.c_str(), &cursor)) << c.pathChars;
    if (c.fits) {
      EXPECT_EQ(std::string(c.pathChars, 'p') + "\\" + name, path);
      EXPECT_EQ(4, stack.pop(path));
    } else {
      EXPECT_EQ(std::string(c.pathChars, 'p'), path);
      EXPECT_EQ(4, cursor);
      EXPECT_EQ(-1, stack.top);
    }
  }
}
