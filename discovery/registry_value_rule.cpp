#include "discovery/registry_value_rule.h"

#include <string.h>

#include "discovery/path_rules.h"
#include "text/ansi_chars.h"
#include "text/text_buffer.h"

bool AcceptRegistryValue(char* keyPath, char* name, char* data, const RegistryValueFilter& filter) {
  if (data[0] == '\0') return false;
  StripLeadingNonLetters(data);
  if (data[0] == '\0' || data[1] != ':') return false;
  ansi::ToLowerInPlace(keyPath);
  if (ansi::FindText(keyPath, filter.keyPath) == nullptr) return false;
  if (ansi::FindText(keyPath, "plug") != nullptr) return true;
  ansi::ToLowerInPlace(name);
  if (ansi::FindText(name, "plug") != nullptr || ansi::FindText(name, "directory1") != nullptr ||
      ansi::FindText(name, "directory2") != nullptr ||
      ansi::FindText(name, "directory3") != nullptr) {
    return true;
  }
  if (filter.valueName == nullptr || ansi::FindText(name, filter.valueName) == nullptr)
    return false;
  // The tail names a folder below the one recorded, so a folder it cannot be joined to is
  // not the one meant.
  return filter.tail == nullptr || AppendText(data, kPathChars, filter.tail);
}
