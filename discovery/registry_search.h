#pragma once

// Walks the registry subtree firstWord\secondWord under HKEY_CURRENT_USER, then
// HKEY_LOCAL_MACHINE, then HKEY_USERS\.default, depth-first, and adds the folder of every
// REG_SZ value that looks like a plug-in folder: a drive path under a key path that contains
// keyPathFilter ("" for any), whose key path or value name speaks of "plug" (or
// "directory1" to "directory3"), or whose name contains valueNameFilter (tail, when given,
// is then appended to the folder). Keys more than 19 levels below the start key, keys whose
// path would be longer than 255 characters (more than Wine opens), and values and keys whose
// names or texts are too long to read are passed over; the walk goes on with their siblings.
void RegistryTreeSearch(const char* firstWord, const char* secondWord, const char* keyPathFilter,
                        const char* valueNameFilter = nullptr, const char* tail = nullptr);
