#pragma once

// Whether the folder can be made the process's current directory. The previous current
// directory is kept either way (the system folder where it cannot be restored), so no probed
// or chosen folder stays held open: it can be renamed, and its drive ejected, while the window
// is open. On failure GetLastError tells why the folder could not be entered.
bool CanEnterFolder(const char* folder);
