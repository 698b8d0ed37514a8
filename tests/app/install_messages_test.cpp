#include "app/install_messages.h"

#include <gtest/gtest.h>

namespace {

TEST(InstallMessages, FolderProblemNamesTheFolderAndTheReason) {
  std::string text = FolderProblemText("C:\\Plug-Ins\\Quillane\\", "Access is denied.\r\n");
  EXPECT_NE(std::string::npos, text.find("C:\\Plug-Ins\\Quillane\\"));
  EXPECT_NE(std::string::npos, text.find("can be neither opened nor created: Access is denied."));
  EXPECT_EQ(std::string::npos, text.find('\r'));
}

TEST(InstallMessages, FilesProblemListsEveryFileWithItsReason) {
  std::string text = FilesProblemText(
      "D:\\Filters\\", {{"ZentroveDemo.8bf", "The process cannot access the file.\r\n"},
                        {"Vilo3d.8bf", ""},
                        {"", "The specified resource type cannot be found in the image file."}});
  EXPECT_NE(std::string::npos, text.find("D:\\Filters\\"));
  EXPECT_NE(std::string::npos,
            text.find("ZentroveDemo.8bf: The process cannot access the file.\n"));
  EXPECT_NE(std::string::npos, text.find("Vilo3d.8bf: unknown error.\n"));
  EXPECT_NE(std::string::npos, text.find("(the installer's own files): The specified resource"));
}

TEST(InstallMessages, TrimReasonDropsTheSystemsLineEnd) {
  struct Case {
    const char* in;
    const char* out;
  } cases[] = {{"Access is denied.\r\n", "Access is denied"},
               {"  \r\n", "unknown error"},
               {"", "unknown error"},
               {"Disk full", "Disk full"}};
  for (const Case& c : cases) EXPECT_EQ(c.out, TrimReason(c.in)) << c.in;
}

}  // namespace
