#include "payload/payload_names.h"

#include <gtest/gtest.h>

#include <string.h>

#include <random>
#include <string>
#include <vector>

#include "tests/payload/payload_catalogue.h"

namespace {

// Maps in a buffer of exactly the name's size, so a read or write past the text shows up
// under the sanitizers.
std::string Map(const char* name) {
  std::vector<char> buf(name, name + strlen(name) + 1);
  return PayloadNameToFileName(buf.data());
}

TEST(PayloadNames, EveryCatalogueNameMapsToItsFileName) {
  for (const CatalogueEntry& entry : kCatalogue) {
    EXPECT_EQ(entry.fileName, Map(entry.resourceName)) << entry.resourceName;
  }
}

TEST(PayloadNames, CornerCasesOfTheRule) {
  struct Case {
    const char* name;
    const char* file;
  } cases[] = {
      {"", ""},
      {"a", "A"},
      {"X", "X"},
      {"AB___CD.8BF", "Ab Cd.8bf"},       // three underscores: a blank, then a capital
      {"O'NEIL_S.8BF", "O'neil S.8bf"},   // a letter after an apostrophe stays small
      {"FILTER1:B.8BF", "Filter1b.8bf"},  // a colon after a digit vanishes with its effect
      {"FILTER1B.8BF", "Filter1B.8bf"},   // without the colon the digit capitalises
      {"AB:CD", "Abcd"},
      {"3D", "3D"},
      {"AB__", "Ab"},  // a double underscore at the very end
      {"AB_", "Ab_"},  // the last character is never examined itself
      {"A__B__C", "ABC"},
      {"X-RAY.8BF", "X-Ray.8bf"},
  };
  for (const Case& c : cases) EXPECT_EQ(c.file, Map(c.name)) << c.name;
}

// Resource names are ours, but the rule must hold for any text: it only ever shrinks it.
TEST(PayloadNames, AnyTextOnlyShrinks) {
  static const char kAlphabet[] = "A_:.8'3 z\xe9\xff-";
  std::mt19937 random(20261208);
  std::uniform_int_distribution<size_t> length(0, 40), pick(0, sizeof kAlphabet - 2);
  for (int round = 0; round < 5000; ++round) {
    std::string name(length(random), ' ');
    for (char& c : name) c = kAlphabet[pick(random)];
    EXPECT_LE(Map(name.c_str()).size(), name.size()) << name;
  }
}

}  // namespace
