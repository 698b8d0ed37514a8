#include "text/text_buffer.h"

#include <gtest/gtest.h>

#include <string>

TEST(TextBuffer, CopyFitsOrCutsAndAlwaysTerminates) {
  struct Case {
    size_t cap;
    const char* src;
    bool fits;
    const char* held;
  } cases[] = {
      {8, "plug", true, "plug"}, {5, "plug", true, "plug"}, {4, "plug", false, "plu"},
      {1, "plug", false, ""},    {1, "", true, ""},
  };
  for (const Case& c : cases) {
    char buf[16];
    memset(buf, 'x', sizeof buf);
    EXPECT_EQ(c.fits, CopyText(buf, c.cap, c.src)) << c.src << " into " << c.cap;
    EXPECT_STREQ(c.held, buf);
  }
  char none[1] = {'x'};
  EXPECT_FALSE(CopyText(none, 0, "a"));
  EXPECT_EQ('x', none[0]);
}

TEST(TextBuffer, AppendRefusesWhatWouldNotFit) {
  char buf[8] = "C:\\a";
  EXPECT_TRUE(AppendText(buf, sizeof buf, "\\b"));
  EXPECT_STREQ("C:\\a\\b", buf);
  EXPECT_TRUE(AppendText(buf, sizeof buf, "c"));  // exactly 7 characters and the zero
  EXPECT_FALSE(AppendText(buf, sizeof buf, "d"));
  EXPECT_STREQ("C:\\a\\bc", buf);
}

TEST(TextBuffer, BoundedLengthStopsAtCapacity) {
  const char unterminated[4] = {'a', 'b', 'c', 'd'};
  EXPECT_EQ(4u, BoundedLength(unterminated, 4));
  EXPECT_EQ(2u, BoundedLength("ab", 10));
}
