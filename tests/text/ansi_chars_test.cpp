// The native build's code page tables must agree with the real Windows functions.
#include <windows.h>

#include <gtest/gtest.h>

#include "text/ansi_chars.h"

TEST(AnsiChars, Cp1252TablesAgreeWithWindowsOnEveryByte) {
  ASSERT_EQ(GetACP(), 1252u) << "the test prefix must use the Windows-1252 code page";
  for (int b = 0; b < 256; ++b) {
    const char c = static_cast<char>(b);
    EXPECT_EQ(ansi::cp1252::IsAlpha(c), ansi::IsAlpha(c))
        << "IsCharAlphaA differs at 0x" << std::hex << b;
    EXPECT_EQ(ansi::cp1252::ToUpper(c), ansi::ToUpper(c))
        << "CharUpperA differs at 0x" << std::hex << b;
    char a[2] = {c, 0};
    char w[2] = {c, 0};
    ansi::cp1252::ToLowerInPlace(a);
    ansi::ToLowerInPlace(w);
    EXPECT_EQ(a[0], w[0]) << "_strlwr differs at 0x" << std::hex << b;
  }
}
