// Run in a prefix whose locale is Japanese.
#include <windows.h>

#include <string.h>

#include <gtest/gtest.h>

#include "text/ansi_chars.h"

// A Japanese prefix: the operations the product uses are the 932 tables, and characters are
// stepped as CharNextA steps them.
TEST(AnsiChars, Cp932TablesAgreeWithAJapaneseSystemOnEveryByte) {
  ASSERT_EQ(GetACP(), 932u) << "the prefix must use the Japanese code page 932";
  for (int b = 1; b < 256; ++b) {
    const char c = static_cast<char>(b);
    EXPECT_EQ(ansi::cp932::IsLeadByte(c), ansi::IsLeadByte(c)) << std::hex << b;
    EXPECT_EQ(IsDBCSLeadByte(static_cast<BYTE>(b)) != FALSE, ansi::IsLeadByte(c)) << std::hex << b;
    EXPECT_EQ(ansi::cp932::IsAlpha(c), ansi::IsAlpha(c)) << std::hex << b;
    if (!ansi::IsLeadByte(c)) {
      EXPECT_EQ(ansi::cp932::IsAlpha(c), IsCharAlphaA(c) != FALSE) << std::hex << b;
      EXPECT_EQ(ansi::cp932::ToUpper(c), ansi::ToUpper(c)) << std::hex << b;
    }
    for (const char second : {'\\', 'A', '\0'}) {
      char text[4] = {c, second, 'x', 0};
      EXPECT_EQ(CharNextA(text) - text, static_cast<ptrdiff_t>(ansi::CharBytes(text)))
          << std::hex << b << " " << second;
      char a[4], w[4];
      memcpy(a, text, sizeof text);
      memcpy(w, text, sizeof text);
      ansi::cp932::ToLowerInPlace(a);
      ansi::ToLowerInPlace(w);
      EXPECT_EQ(0, memcmp(a, w, sizeof a)) << std::hex << b;
    }
  }
}
