#include "app/install_texts.h"

#include <gtest/gtest.h>

#include <string.h>

#include <string>
#include <vector>

#include "app/dialog_texts.h"
#include "app/filter_catalogue.h"
#include "discovery/folder_rule.h"

namespace {

using P = FolderTextProblem;

std::string FolderText(const char* folder, const char* reason) {
  char text[kMessageChars];
  EXPECT_TRUE(FolderProblemText(text, sizeof text, folder, reason));
  return text;
}

TEST(InstallTexts, FolderProblemNamesTheFolderAndTheReason) {
  std::string text = FolderText("C:\\Plug-Ins\\Quillane\\", "Access is denied.\r\n");
  EXPECT_EQ(
      "The folder\n\nC:\\Plug-Ins\\Quillane\\\n\ncan be neither opened nor created: Access is "
      "denied.\n\nPlease choose another folder.",
      text);
}

TEST(InstallTexts, FilesProblemListsEveryFileWithItsReason) {
  const FileProblem files[] = {
      {"ZentroveDemo.8bf", "The process cannot access the file.\r\n"},
      {"Vilo3d.8bf", ""},
      {"", "The specified resource type cannot be found in the image file."}};
  char text[kMessageChars];
  ASSERT_TRUE(FilesProblemText(text, sizeof text, "D:\\Filters\\", files, 3));
  EXPECT_EQ(std::string("These files could not be written to the folder\n\nD:\\Filters\\\n\n"
                        "ZentroveDemo.8bf: The process cannot access the file.\n"
                        "Vilo3d.8bf: unknown error.\n"
                        "(the installer's own files): The specified resource type cannot be "
                        "found in the image file.\n"
                        "\nAny older copy of these files was left as it was. Close the programs "
                        "that may use them, or choose another folder, and press Install again."),
            text);
}

TEST(InstallTexts, TrimReasonDropsTheSystemsLineEnd) {
  struct Case {
    const char* in;
    const char* out;
  } cases[] = {{"Access is denied.\r\n", "Access is denied"},
               {"  \r\n", "unknown error"},
               {"", "unknown error"},
               {"Disk full", "Disk full"}};
  for (const Case& c : cases) {
    char out[64];
    EXPECT_TRUE(TrimReason(out, sizeof out, c.in)) << c.in;
    EXPECT_STREQ(c.out, out) << c.in;
  }
}

// A text too long for its buffer is cut, terminated and reported, never overrun.
TEST(InstallTexts, TooSmallBufferIsCutAndReported) {
  for (size_t cap : {1u, 5u, 12u, 40u, 90u}) {
    std::string buffer(cap + 8, '#');
    EXPECT_FALSE(FolderProblemText(&buffer[0], cap, "C:\\Long folder\\", "Access is denied."));
    EXPECT_EQ(cap - 1, std::string(buffer.c_str()).size()) << cap;
    EXPECT_EQ(std::string(8, '#'), buffer.substr(cap)) << cap;
    const FileProblem file = {"Vilo3d.8bf", "Disk full."};
    EXPECT_FALSE(FilesProblemText(&buffer[0], cap, "C:\\", &file, 1));
    EXPECT_EQ(cap - 1, std::string(buffer.c_str()).size()) << cap;
  }
}

// The folder picker's text in UTF-16 is the ANSI one character for character, cut alike.
TEST(InstallTexts, WideFolderTextIsTheNarrowOneWidened) {
  for (size_t cap : {1u, 13u, 30u, 52u, 120u}) {
    char narrow[120];
    wchar_t wide[120];
    const bool narrowFits = ChooseAnotherFolderText(narrow, cap, "D:\\Filters\\", "cannot be used",
                                                    "Access is denied.\r\n");
    const bool wideFits = ChooseAnotherFolderText(wide, cap, L"D:\\Filters\\", "cannot be used",
                                                  L"Access is denied.\r\n");
    EXPECT_EQ(cap == 120u, wideFits) << cap;
    EXPECT_EQ(narrowFits, wideFits) << cap;
    EXPECT_EQ(std::wstring(narrow, narrow + strlen(narrow)), std::wstring(wide)) << cap;
  }
}

// A byte above 0x7F is a lead byte in some double-byte code page, where the text would end
// in half a character: the installer's own texts are plain ASCII. Only the user's folders
// and the system's reasons, both in the system's own code page, may hold other bytes.
TEST(InstallTexts, EveryTextOfTheInstallerIsAscii) {
  std::vector<const char*> texts = {kCaption,      kSearchingStatus, kInstallWaitingStatus,
                                    kBrowseEntry,  kBrowseTitle,     kMakerSubfolder,
                                    kHomePageHost, kHomePage,        kHomePageStatus,
                                    kFolderPrompt};
  for (const FilterBox& box : kFilterBoxes) texts.insert(texts.end(), {box.label, box.statusText});
  for (const TextLine& line : kCompletionLines) texts.push_back(line.text);
  static char messages[3][kMessageChars];
  const FileProblem file = {"", ""};
  FolderProblemText(messages[0], kMessageChars, "C:\\", "");
  FilesProblemText(messages[1], kMessageChars, "C:\\", &file, 1);
  RefusedFolderText(messages[2], kMessageChars, "C:\\", FolderTextProblem::kNone);
  texts.insert(texts.end(), {messages[0], messages[1], messages[2]});
  for (FolderTextProblem p : {FolderTextProblem::kDevicePrefix, FolderTextProblem::kDotStep,
                              FolderTextProblem::kStreamColon}) {
    texts.push_back(FolderTextProblemReason(p));
  }
  for (const char* text : texts) {
    for (const char* c = text; *c != '\0'; ++c) {
      EXPECT_LT(static_cast<unsigned char>(*c), 0x80u) << text;
    }
  }
}

TEST(InstallTexts, RefusedMessageNamesTheFolderAndTheReasonOrReportsItDidNotFit) {
  char text[512];
  ASSERT_TRUE(RefusedFolderText(text, sizeof text, "C:\\A:b\\", P::kStreamColon));
  const std::string shown = text;
  EXPECT_NE(std::string::npos, shown.find("\n\nC:\\A:b\\\n\n")) << shown;
  EXPECT_NE(std::string::npos, shown.find(FolderTextProblemReason(P::kStreamColon))) << shown;
  for (P p : {P::kDevicePrefix, P::kDotStep, P::kStreamColon}) {
    for (P q : {P::kDevicePrefix, P::kDotStep, P::kStreamColon}) {
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
