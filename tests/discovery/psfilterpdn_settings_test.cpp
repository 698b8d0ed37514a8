// PSFilterPdn.xml as its two writers leave it, and as a hostile file may hold it.
#include "discovery/psfilterpdn_settings.h"

#include <gtest/gtest.h>

#include "tests/discovery/host_settings_test_support.h"

namespace {

using host_settings_test::Folders;
using V = std::vector<std::string>;

const char kHead[] =
    "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n"
    "<PSFilterPdnSettings xmlns:i=\"http://www.w3.org/2001/XMLSchema-instance\" "
    "xmlns=\"http://schemas.datacontract.org/2004/07/PSFilterPdn\">";
const char kDirs[] =
    "<SearchDirectories "
    "xmlns:d2p1=\"http://schemas.microsoft.com/2003/10/Serialization/Arrays\">";

std::string Today(const std::string& folders, const std::string& flag) {
  return std::string(kHead) + kDirs + folders + "</SearchDirectories>" + flag +
         "</PSFilterPdnSettings>";
}

std::string Folder(const std::string& text) { return "<d2p1:string>" + text + "</d2p1:string>"; }

TEST(PsFilterPdnSettingsTest, ReadsBothFormatsAndPassesOverWhatCannotBeAFolder) {
  const std::string longest(kPathChars, 'x');
  const struct {
    const char* what;
    std::string file;
    V expected;
  } cases[] = {
      {"today's file, flag true",
       Today(Folder("C:\\Filters") + Folder("D:\\More Filters"),
             "<SearchSubdirectories>true</SearchSubdirectories>"),
       {"C:\\Filters", "D:\\More Filters"}},
      {"the flag false applies to every folder, also when it comes first",
       std::string(kHead) + "<SearchSubdirectories>false</SearchSubdirectories>" + kDirs +
           Folder("C:\\A") + "</SearchDirectories></PSFilterPdnSettings>",
       {"C:\\A -"}},
      {"no flag: sub-folders are searched", Today(Folder("C:\\A"), ""), {"C:\\A"}},
      {"byte-order mark, other prefixes, entities and references",
       "\xEF\xBB\xBF" +
           Today("<a:string>C:\\R&amp;D &lt;1&gt; &quot;x&quot; &apos;y&apos;</a:string>"
                 "<string>C:\\Caf&#233;\\&#x263A;</string>"
                 "<q:string>C:\\Caf\xC3\xA9</q:string>",
                 "<SearchSubdirectories> True </SearchSubdirectories>"),
       {"C:\\R&D <1> \"x\" 'y'", "C:\\Caf\xC3\xA9\\\xE2\x98\xBA", "C:\\Caf\xC3\xA9"}},
      {"a character beyond the first plane",
       Today(Folder("C:\\&#x1F600;"), ""),
       {"C:\\\xF0\x9F\x98\x80"}},
      {"comments, a CDATA section, an empty folder, a quoted \">\" in an attribute",
       Today("<!-- C:\\Comment --><d2p1:string a=\"x>y\"><![CDATA[C:\\A&B]]></d2p1:string>"
             "<d2p1:string/><d2p1:string></d2p1:string>",
             ""),
       {"C:\\A&B"}},
      {"bad references, bad UTF-8, controls and markup spoil only their own folder",
       Today(Folder("C:\\&nbsp;") + Folder("C:\\&#0;") + Folder("C:\\&#xD800;") +
                 Folder("C:\\&#1114112;") + Folder("C:\\&#;") + Folder("C:\\&amp") +
                 Folder("C:\\\xC3") + Folder("C:\\\xC0\xAF") + Folder("C:\\\xED\xA0\x80") +
                 Folder("C:\\a\tb") + Folder("C:\\<b>x</b>") + Folder("C:\\Good"),
             ""),
       {"C:\\Good"}},
      {"a folder text of a path buffer's length is passed over, one shorter is kept",
       Today(Folder(longest) + Folder(longest.substr(1)), ""),
       {longest.substr(1)}},
      {"the older file: commas separate folders; a piece that is not rooted continues one",
       "<settings><searchDirs>C:\\A,D:\\B, C,D,\\\\server\\share,,e:/x</searchDirs>"
       "<searchSubDirs>False</searchSubDirs></settings>",
       {"C:\\A -", "D:\\B, C,D -", "\\\\server\\share -", "e:/x -"}},
      {"the older file: a spoiled piece spoils the folder it continues",
       "<settings><searchDirs>C:\\A,&bad;,C:\\B,x&#1;</searchDirs></settings>",
       {}},
      {"the older file: a stray \"&\" spoils its piece, and the comma after it still ends it",
       "<settings><searchDirs>C:\\A&,D:\\B;</searchDirs></settings>",
       {"D:\\B;"}},
      {"another root is not this host's file",
       "<Settings><SearchDirectories><string>C:\\A</string></SearchDirectories></Settings>",
       {}},
      {"elements only count at their place", Today("", "<string>C:\\Stray</string>"), {}},
      {"a file cut short keeps the folders before the cut",
       Today(Folder("C:\\A") + Folder("C:\\B"), "").substr(0, sizeof kHead + sizeof kDirs + 40),
       {"C:\\A"}},
      {"a mismatched end tag ends the reading",
       std::string(kHead) + kDirs + Folder("C:\\A") + "</Other>" + Folder("C:\\B"),
       {"C:\\A"}},
      {"nesting deeper than the file's ends the reading",
       std::string(kHead) +
           [] {
             std::string deep;
             for (int i = 0; i < 20; ++i) deep += "<x>";
             return deep;
           }() +
           kDirs + Folder("C:\\A"),
       {}},
      {"not XML at all", "C:\\Filters\r\nD:\\More", {}},
      {"UTF-16 is not read", std::string("\xFF\xFE<\0P\0", 6), {}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.expected, Folders(ReadPsFilterPdnSettings, c.file)) << c.what;
  }
}

}  // namespace
