#pragma once

// What the files on disk say about the editor that loads plug-ins from a folder: whether it is
// built for a 64-bit processor (x64 or ARM64), where these 32-bit x86 filters never load.
enum class EditorEvidence {
  kNone,              // x86, or nothing known: install as always
  kSixtyFourProgram,  // the program the folder was found through is 64-bit
  kSixtyFourModules,  // the folder holds plug-in modules, and all of them are 64-bit
};

// program: the file the folder was found through (empty when none); pluginFolder: the folder
// the editor loads plug-ins from, ending with a backslash. The program's header decides when
// it is x86 or 64-bit; else the first few dozen .8bf files directly in the folder do.
EditorEvidence SixtyFourBitEvidence(const char* program, const char* pluginFolder);
