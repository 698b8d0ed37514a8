#pragma once

// Whether the folder could be made the process's current directory: it exists, is a folder
// and may be passed through. The current directory itself is never changed, so no probed or
// chosen folder is held open (it can be renamed, and its drive ejected, while the window is
// open) and the search's thread does not move the folder that the window's thread works in.
// On failure GetLastError tells why the folder could not be entered.
bool CanEnterFolder(const char* folder);
