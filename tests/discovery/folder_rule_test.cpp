#include "discovery/folder_rule.h"

#include <gtest/gtest.h>

#include "discovery/candidate_folder_list.h"
#include "text/text_buffer.h"

namespace {

using P = FolderTextProblem;

bool IsCharAlphaLike(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

bool EveryFolderExists(const char*) { return true; }

// One rule for both: discovery lists a drive folder exactly when Install accepts its text, and
// lists it as the folder Install then writes into.
TEST(FolderTextRule, DiscoveryListsWhatInstallAcceptsAsTheSameFolder) {
  struct Case {
    const char* text;
    P problem;
    const char* folder;  // the folder the system uses, when usable
  } cases[] = {
      {"C:\\Program Files\\Adobe\\Plug-Ins\\", P::kNone, "C:\\Program Files\\Adobe\\Plug-Ins\\"},
      {"D:\\Filters\\", P::kNone, "D:\\Filters\\"},
      {"C:\\Plug-Ins\\V1.2\\..X\\.Hidden\\", P::kNone, "C:\\Plug-Ins\\V1.2\\..X\\.Hidden\\"},
      {"\\\\server\\share\\Plug-Ins\\", P::kNone, "\\\\server\\share\\Plug-Ins\\"},
      // What the system reads as the plain folder, both take as that folder.
      {"C:/Host/Plug-Ins/", P::kNone, "C:\\Host\\Plug-Ins\\"},
      {"C:\\Host\\.\\Plug-Ins\\.\\", P::kNone, "C:\\Host\\Plug-Ins\\"},
      {"C:\\Host/./Plug-Ins/", P::kNone, "C:\\Host\\Plug-Ins\\"},
      {"C:\\Host\\..\\Windows\\System32\\", P::kDotStep, nullptr},
      {"C:\\Host\\Plug-Ins\\..", P::kDotStep, nullptr},
      {"C:\\Host\\...\\", P::kDotStep, nullptr},
      {"C:\\Host/../", P::kDotStep, nullptr},
      {"..\\Plug-Ins\\", P::kDotStep, nullptr},
      {"\\\\.\\C:\\Plug-Ins\\", P::kDevicePrefix, nullptr},
      {"\\\\?\\C:\\Plug-Ins\\", P::kDevicePrefix, nullptr},
      {"\\??\\C:\\Plug-Ins\\", P::kDevicePrefix, nullptr},
      {"//./C:/Plug-Ins/", P::kDevicePrefix, nullptr},
      {"\\\\.\\PhysicalDrive0", P::kDevicePrefix, nullptr},
      {"C:\\Plug-Ins\\Quorvin:hidden\\", P::kStreamColon, nullptr},
      {"C:\\Plug-Ins:$DATA\\", P::kStreamColon, nullptr},
      {"C::\\Plug-Ins\\", P::kStreamColon, nullptr},
      {"\\\\server\\share:x\\", P::kStreamColon, nullptr},
      {"1:\\Plug-Ins\\", P::kStreamColon, nullptr},  // no drive letter: its colon is a stream's
  };
  for (const Case& c : cases) {
    char install[kPathChars];
    CopyText(install, sizeof install, c.text);
    NormaliseFolderText(install);
    EXPECT_EQ(c.problem, CheckFolderText(install)) << c.text;
    if (c.folder != nullptr) {
      EXPECT_STREQ(c.folder, install) << c.text;
    }
    if (!IsCharAlphaLike(c.text[0]) || c.text[1] != ':') continue;  // discovery lists drive paths
    ResetCandidateFolderList();
    char found[kPathChars];
    CopyText(found, sizeof found, c.text);
    AddCandidateFolder(found, EveryFolderExists);
    EXPECT_STREQ(c.folder != nullptr ? c.folder : "", CandidateFolderList[0].path) << c.text;
  }
}

}  // namespace
