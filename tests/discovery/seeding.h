#pragma once

// What the Windows tests create in the test prefix, and remove again: folders, files and
// registry values. The seeding calls report failure, so that a test that could not set up
// its machine fails instead of passing on an empty one.
#include <windows.h>

#include <string>
#include <vector>

bool MakeFolders(const std::string& path);
// Deletes the folder with everything below it; a missing folder is fine.
void RemoveTree(const std::string& path);
bool WriteBytes(const std::string& path, const std::string& bytes);

// Stores the bytes as given: a text value gets its terminating zero only if bytes has one.
bool SetRegistryBytes(HKEY root, const std::string& key, const std::string& name,
                      const std::string& bytes, DWORD type);
// A REG_SZ value with its terminating zero; "" names the key's default value.
bool SetRegistryText(HKEY root, const std::string& key, const std::string& name,
                     const std::string& text);
// A ProgID's open command under HKEY_CLASSES_ROOT.
bool SetOpenCommand(const std::string& progId, const std::string& command);
void DeleteRegistryTree(HKEY root, const std::string& key);
// The registry view the seeding calls write (KEY_WOW64_32KEY unless set otherwise).
void SetSeedRegistryView(REGSAM view);

// Leaves any folder the existence test entered, so that the test's folders can go.
void LeaveTestFolders();

// The listed folders in order, each followed by " +" when the dialog appends the maker's
// sub-folder.
std::vector<std::string> ListedFolders();
