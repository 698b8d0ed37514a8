#pragma once

#include <stddef.h>

// What the files on disk say about the editor that loads plug-ins from a folder: whether it is
// built for a 64-bit processor (x64 or ARM64), where these 32-bit x86 filters never load.
enum class EditorEvidence {
  kNone,              // x86, or nothing known: install as always
  kSixtyFourProgram,  // the editor's program is 64-bit
  kSixtyFourModules,  // the folder holds plug-in modules, and all of them are 64-bit
};

// program: the file the folder was found through (empty when none); pluginFolder: the folder
// the editor loads plug-ins from, ending with a backslash. In order, the first that says
// anything decides: the program's header; the .8bf files directly in the folder and one level
// of sub-folders down (an editor of today keeps its own modules there); the programs (*.exe)
// of the nearest folder above, at most two levels up, that holds any (where an editor of today
// keeps its program). At least one 64-bit file and no x86 one is 64-bit evidence; at most a
// few dozen files are read in all. On kSixtyFourProgram, shown (cap characters) holds the
// 64-bit program to name; else it is empty.
EditorEvidence SixtyFourBitEvidence(const char* program, const char* pluginFolder, char* shown,
                                    size_t cap);
