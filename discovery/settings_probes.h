#pragma once

#include <windows.h>

#include <stddef.h>
#include <stdint.h>

// The probes that read an editor's own settings files. Every folder they find goes to
// AddCandidateFolder.

// The program folder named by the default value of root\keyPath\subPath (an open command or
// an application path), with its trailing backslash. Returns true when out (cap characters)
// holds it; false when there is none, out then empty. When program is given (a kPathChars
// buffer), it receives the program file that the value names, or an empty text.
bool FindAppFolder(HKEY root, const char* keyPath, const char* subPath, char* out, size_t cap,
                   char* program = nullptr);

// Searches the program folder of the ProgID's open command (moved up levelsUp folders) for
// text preference files named prefix...suffix and adds the first drive path written after
// "=" or "(" on a line that contains keyWord.
void PreferenceFileProbe(const char* progId, const char* prefix, const char* suffix,
                         const char* keyWord, int32_t levelsUp);

// Adds every drive path written after "=" or "(" on the lines of fileName in the Windows
// folder that contain keyWord.
void WindowsIniProbe(const char* fileName, const char* keyWord);

// Adds the folder of the first folder record of a binary settings file, found through the
// editor's program file (empty when not known).
void BinarySettingsProbe(const char* path, const char* program = "");
