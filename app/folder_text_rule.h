#pragma once

#include <stddef.h>

#include "discovery/folder_text.h"

// What the user is told when the chosen folder text is one Install does not write into.

// One line that says why, for the message that names the folder.
const char* FolderTextProblemReason(FolderTextProblem problem);

// "The folder\n\n<folder>\n\ncannot be used: <reason>.\n\n..." in dst (capacity cap). Returns
// false when it does not fit; dst then holds as much as fitted.
bool RefusedFolderText(char* dst, size_t cap, const char* folder, FolderTextProblem problem);
