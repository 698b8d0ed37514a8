#pragma once

#include <stddef.h>

#include "discovery/folder_rule.h"

// The texts the installer shows when something could not be done. Each names what failed
// and the system's reason. They are built into the caller's buffer, bounded by its capacity.

// Room for a folder, up to every payload file with its reason, and the advice around them.
constexpr size_t kMessageChars = 16384;

struct FileProblem {
  const char* fileName;  // empty for a failure that belongs to no one file
  const char* reason;    // the system's text, as FormatMessageA gives it
};

// "The folder\n\n<folder>\n\n<problem>: <reason>.\n\nPlease choose another folder." in out, the
// reason trimmed as TrimReason trims it. problem is one of the installer's own texts, plain
// ASCII. Returns false when the text did not fit; out then holds as much of it as fits.
bool ChooseAnotherFolderText(char* out, size_t cap, const char* folder, const char* problem,
                             const char* reason);
// The same in UTF-16, for a folder whose name the ANSI code page may not spell.
bool ChooseAnotherFolderText(wchar_t* out, size_t cap, const wchar_t* folder, const char* problem,
                             const wchar_t* reason);

// For a folder text that the folder rule refuses: "The folder\n\n<folder>\n\ncannot be used:
// <reason>.\n\n...". Returns false when it does not fit; out then holds as much as fitted.
bool RefusedFolderText(char* out, size_t cap, const char* folder, FolderTextProblem problem);

// For a folder that can be neither entered nor created. Returns false when the text did not
// fit; out then holds as much of it as fits.
bool FolderProblemText(char* out, size_t cap, const char* folder, const char* reason);

// For files that could not be written; every file is listed. Returns false when the text did
// not fit; out then holds as much of it as fits.
bool FilesProblemText(char* out, size_t cap, const char* folder, const FileProblem* files,
                      size_t count);

// The question before writing into a folder whose editor is built for a 64-bit processor,
// where these 32-bit filters cannot load. program: the 64-bit program of the folder's editor
// (the one it was found through, or one beside it); empty when the plug-ins already in pluginFolder
// (the folder itself or the one it is in) said so instead. Returns false when the text did not fit.
bool SixtyFourBitFolderQuestion(char* out, size_t cap, const char* folder, const char* program,
                                const char* pluginFolder);

// The reason text without the line break and full stop that the system's message texts end
// with, or "unknown error" when nothing is left. Returns false when it did not fit.
bool TrimReason(char* out, size_t cap, const char* reason);
