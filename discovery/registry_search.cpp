#include "discovery/registry_search.h"

#include <windows.h>

#include "discovery/existing_folder.h"
#include "discovery/key_stack.h"
#include "discovery/registry_read.h"
#include "discovery/registry_value_rule.h"
#include "text/text_buffer.h"

namespace {

struct SearchPass {
  HKEY root;
  const char* prefix;
};

// The longest key path, terminating zero included, that Wine opens: a subkey whose path
// would be longer is passed over rather than entered and then not read.
constexpr size_t kOpenableKeyPathChars = 256;

const SearchPass kPasses[] = {
    {HKEY_CURRENT_USER, ""},
    {HKEY_LOCAL_MACHINE, ""},
    {HKEY_USERS, ".default\\"},
};

void WalkTree(HKEY root, char* keyPath, KeyStack& stack, const RegistryValueFilter& filter) {
  char name[kPathChars];
  char data[kPathChars];
  char subkey[kPathChars];
  int32_t cursor = 0;
  for (;;) {
    for (;;) {
      const LONG read = NextRegistryValue(root, keyPath, name, sizeof name, data, sizeof data);
      if (read == ERROR_MORE_DATA) continue;
      if (read != ERROR_SUCCESS) break;
      if (AcceptRegistryValue(keyPath, name, data, filter)) AddCandidateFolder(data);
    }
    for (;;) {
      const LONG read =
          RegistrySubkeyAt(root, keyPath, subkey, sizeof subkey, static_cast<DWORD>(cursor));
      // A subkey that is too deep, or whose name or path is too long, is passed over. Any
      // other failure, a key that cannot be opened among them, ends the subkey phase.
      if (read == ERROR_MORE_DATA) {
        ++cursor;
        continue;
      }
      if (read == ERROR_SUCCESS) {
        if (stack.push(keyPath, kOpenableKeyPathChars, subkey, &cursor)) break;
        ++cursor;
        continue;
      }
      const int32_t resume = stack.pop(keyPath);
      if (resume < 0) return;
      cursor = resume + 1;
    }
  }
}

}  // namespace

void RegistryTreeSearch(const char* firstWord, const char* secondWord, const char* keyPathFilter,
                        const char* valueNameFilter, const char* tail) {
  const RegistryValueFilter filter = {keyPathFilter, valueNameFilter, tail};
  KeyStack stack;
  for (const SearchPass& pass : kPasses) {
    char keyPath[kPathChars];
    if (!CopyText(keyPath, sizeof keyPath, pass.prefix) ||
        !AppendText(keyPath, sizeof keyPath, firstWord) ||
        !AppendText(keyPath, sizeof keyPath, "\\") ||
        !AppendText(keyPath, sizeof keyPath, secondWord)) {
      continue;
    }
    WalkTree(pass.root, keyPath, stack, filter);
  }
}
