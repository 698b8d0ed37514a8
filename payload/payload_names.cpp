#include "payload/payload_names.h"

#include <string.h>

#include "text/ansi_chars.h"

namespace {

void RemoveAt(char* text, size_t at, size_t count) {
  memmove(text + at, text + at + count, strlen(text + at + count) + 1);
}

// Upper-cases the character at c when it is a single-byte one; a double-byte character has
// no case, and its second byte must not be changed.
void UpperCaseAt(char* c) {
  if (!ansi::IsLeadByte(*c)) *c = ansi::ToUpper(*c);
}

}  // namespace

char* PayloadNameToFileName(char* name) {
  ansi::ToLowerInPlace(name);
  if (name[0] == '\0') return name;
  UpperCaseAt(name);
  // The length is measured on every step: the text shrinks as underscores and colons go.
  for (size_t i = 0; i + 1 < strlen(name);) {
    if (ansi::CharBytes(name + i) == 2) {
      // A double-byte character is passed over whole and, like any non-letter, capitalises
      // what follows it.
      i += 2;
      if (name[i] != '\0') UpperCaseAt(name + i);
      continue;
    }
    if (name[i] == '_' && name[i + 1] == '_') {
      // A double underscore joins two words and capitalises the second.
      RemoveAt(name, i, 2);
      if (name[i] == '\0') break;
      UpperCaseAt(name + i);
      if (ansi::CharBytes(name + i) == 2) continue;
    }
    if (name[i] == '_') name[i] = ' ';
    if (name[i] == ':') {
      // A colon after a digit absorbs the digit's capitalising effect: what moves into
      // its place keeps its case.
      RemoveAt(name, i, 1);
      i += ansi::CharBytes(name + i);
      continue;
    }
    // Neither ".8bf" nor an apostrophe capitalise what follows.
    if (!ansi::IsAlpha(name[i]) && name[i] != '\'' && name[i] != '.' && name[i] != '8') {
      UpperCaseAt(name + i + 1);
    }
    ++i;
  }
  return name;
}
