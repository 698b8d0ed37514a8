#include "discovery/registry_search.h"

#include <windows.h>

#include "discovery/existing_folder.h"
#include "discovery/key_stack.h"
#include "discovery/registry_read.h"
#include "discovery/registry_value_rule.h"
#include "discovery/search_stop.h"
#include "platform/scoped_win32.h"
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

// The walk holds one open key per level, the start key at level 0: each key is opened once,
// not again for every value and subkey it holds. A key that cannot be opened has no values
// and no subkeys, as when every read of it failed to open it.
class OpenKeyLevels {
 public:
  HKEY at(int32_t level) const { return keys_[level].get(); }
  void open(int32_t level, HKEY parent, const char* path) {
    close(level);
    OpenDiscoveryKey(parent, path, keys_[level].out());
  }
  void close(int32_t level) { keys_[level].reset(); }

 private:
  ScopedRegistryKey keys_[KeyStack::kLevels + 1];
};

void WalkTree(HKEY root, char* keyPath, KeyStack& stack, const RegistryValueFilter& filter) {
  char name[kPathChars];
  char data[kPathChars];
  char subkey[kPathChars];
  OpenKeyLevels keys;
  int32_t level = 0;
  keys.open(level, root, keyPath);
  int32_t cursor = 0;
  for (;;) {
    if (SearchStopRequested()) return;
    HKEY key = keys.at(level);
    for (DWORD index = 0; key != nullptr; ++index) {
      if (SearchStopRequested()) return;
      const LONG read = RegistryValueAt(key, index, name, sizeof name, data, sizeof data);
      if (read == ERROR_MORE_DATA) continue;
      if (read != ERROR_SUCCESS) break;
      if (AcceptRegistryValue(keyPath, name, data, filter)) AddCandidateFolder(data);
    }
    for (;;) {
      const LONG read =
          key == nullptr ? ERROR_INVALID_HANDLE
                         : RegistrySubkeyOf(key, subkey, sizeof subkey, static_cast<DWORD>(cursor));
      // A subkey that is too deep, or whose name or path is too long, is passed over. Any
      // other failure, a key that cannot be opened among them, ends the subkey phase.
      if (read == ERROR_MORE_DATA) {
        ++cursor;
        continue;
      }
      if (SearchStopRequested()) return;
      if (read == ERROR_SUCCESS) {
        if (stack.push(keyPath, kOpenableKeyPathChars, subkey, &cursor)) {
          keys.open(++level, key, subkey);
          break;
        }
        ++cursor;
        continue;
      }
      keys.close(level);
      const int32_t resume = stack.pop(keyPath);
      if (resume < 0) return;
      key = keys.at(--level);
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
