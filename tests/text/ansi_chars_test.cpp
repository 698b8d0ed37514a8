// The native build's code page tables must agree with the real Windows functions.
#include <windows.h>

#include <string.h>

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
    EXPECT_EQ(ansi::cp1252::IsLeadByte(c), ansi::IsLeadByte(c)) << std::hex << b;
    EXPECT_EQ(IsDBCSLeadByte(static_cast<BYTE>(b)) != FALSE, ansi::IsLeadByte(c)) << std::hex << b;
    char a[2] = {c, 0};
    char w[2] = {c, 0};
    char s[2] = {c, 0};
    ansi::cp1252::ToLowerInPlace(a);
    _strlwr(w);
    ansi::ToLowerInPlace(s);
    EXPECT_EQ(a[0], w[0]) << "_strlwr differs at 0x" << std::hex << b;
    EXPECT_EQ(s[0], w[0]) << "lower-casing differs from _strlwr at 0x" << std::hex << b;
  }
}

// Any prefix: what IsCharAlphaA and CharUpperA do on a 932 system is the wide function on
// the character as code page 932 decodes it.
TEST(AnsiChars, Cp932TablesAgreeWithTheCodePageOnEveryByte) {
  for (int b = 0; b < 256; ++b) {
    const char c = static_cast<char>(b);
    EXPECT_EQ(IsDBCSLeadByteEx(932, static_cast<BYTE>(b)) != FALSE, ansi::cp932::IsLeadByte(c))
        << "IsDBCSLeadByteEx differs at 0x" << std::hex << b;
    if (b == 0 || ansi::cp932::IsLeadByte(c)) continue;
    WCHAR wide[2] = {};
    ASSERT_EQ(1, MultiByteToWideChar(932, 0, &c, 1, wide, 2)) << std::hex << b;
    EXPECT_EQ(IsCharAlphaW(wide[0]) != FALSE, ansi::cp932::IsAlpha(c))
        << "IsCharAlphaW differs at 0x" << std::hex << b;
    CharUpperBuffW(wide, 1);
    char upper[4] = {};
    ASSERT_EQ(1, WideCharToMultiByte(932, 0, wide, 1, upper, sizeof upper, nullptr, nullptr));
    EXPECT_EQ(upper[0], ansi::cp932::ToUpper(c)) << "CharUpperW differs at 0x" << std::hex << b;
  }
}
