#include "payload/exclusion_list.h"

#include <string.h>

ExclusionEntry ExclusionList[kExclusionCount] = {};

namespace {

// The list is ready before the program's entry runs.
[[maybe_unused]] const bool kListReady = (ClearExclusionList(), true);

}  // namespace

void ClearExclusionList() {
  for (ExclusionEntry& entry : ExclusionList) {
    entry.text[0] = '\0';
    entry.flag = 1;
  }
}

void AddExclusion(const char* key) {
  for (ExclusionEntry& entry : ExclusionList) {
    if (entry.text[0] != '\0') continue;
    // A cut key would exclude files it was never meant to: drop it whole.
    if (!CopyText(entry.text, sizeof entry.text, key)) entry.text[0] = '\0';
    return;
  }
}

bool IsExcluded(const char* fileName) {
  for (const ExclusionEntry& entry : ExclusionList) {
    if (entry.text[0] == '\0') break;
    if (strstr(fileName, entry.text) != nullptr) return true;
  }
  return false;
}
