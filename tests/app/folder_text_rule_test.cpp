#include "app/folder_text_rule.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using P = FolderTextProblem;

TEST(FolderTextRule, RefusesTextsThatWouldWriteElsewhere) {
  struct Case {
    const char* text;
    P problem;
  } cases[] = {
      {"C:\\Program Files\\Adobe\\Plug-Ins\\Quillane\\", P::kNone},
      {"D:\\Filters", P::kNone},
      {"C:\\Plug-Ins\\v1.2\\..x\\.hidden\\", P::kNone},  // dots inside a name are a name
      {"\\\\server\\share\\Plug-Ins\\", P::kNone},
      {"C:\\Host\\..\\Windows\\System32\\", P::kDotStep},
      {"C:\\Host\\Plug-Ins\\..", P::kDotStep},
      {"C:\\Host\\.\\Plug-Ins\\", P::kDotStep},
      {"C:\\Host\\...\\", P::kDotStep},
      {"..\\Plug-Ins\\", P::kDotStep},
      {"C:/Host/Plug-Ins/", P::kForwardSlash},
      {"C:\\Host/..\\", P::kForwardSlash},
      {"\\\\.\\C:\\Plug-Ins\\", P::kDevicePrefix},
      {"\\\\?\\C:\\Plug-Ins\\", P::kDevicePrefix},
      {"\\??\\C:\\Plug-Ins\\", P::kDevicePrefix},
      {"\\\\.\\PhysicalDrive0", P::kDevicePrefix},
      {"C:\\Plug-Ins\\Quillane:hidden\\", P::kStreamColon},
      {"C:\\Plug-Ins:$DATA", P::kStreamColon},
      {"C::\\Plug-Ins\\", P::kStreamColon},
      {"\\\\server\\share:x\\", P::kStreamColon},
      {"1:\\Plug-Ins\\", P::kStreamColon},  // no drive letter, so its colon is a stream's
  };
  for (const Case& c : cases) EXPECT_EQ(c.problem, CheckFolderText(c.text)) << c.text;
}

TEST(FolderTextRule, MessageNamesTheFolderAndTheReasonOrReportsItDidNotFit) {
  char text[512];
  ASSERT_TRUE(RefusedFolderText(text, sizeof text, "C:\\A:b\\", P::kStreamColon));
  const std::string shown = text;
  EXPECT_NE(std::string::npos, shown.find("\n\nC:\\A:b\\\n\n")) << shown;
  EXPECT_NE(std::string::npos, shown.find(FolderTextProblemReason(P::kStreamColon))) << shown;
  for (P p : {P::kDevicePrefix, P::kForwardSlash, P::kDotStep, P::kStreamColon}) {
    for (P q : {P::kDevicePrefix, P::kForwardSlash, P::kDotStep, P::kStreamColon}) {
      if (p != q) {
        EXPECT_STRNE(FolderTextProblemReason(p), FolderTextProblemReason(q));
      }
    }
  }
  char small[20];
  EXPECT_FALSE(RefusedFolderText(small, sizeof small, "C:\\A:b\\", P::kStreamColon));
  EXPECT_EQ(sizeof small - 1, std::string(small).size());
}

}  // namespace
