#pragma once

// What the installer does first, before any window or DLL beyond its imports: it is started
// with administrator rights from folders that other programs can write to.

// How far the DLL search could be narrowed.
enum class DllSearch {
  kSystemFolderOnly,      // late loads look in the system folder only
  kWithoutCurrentFolder,  // older systems: at least the current folder is no longer searched
  kUnchanged,
};

// Late DLL loads search only the system folder; where the system lacks that call (Windows 7
// without its update), the current folder is at least taken out of the search.
DllSearch RestrictDllSearch();

// No "No disk" or "cannot open file" box from the system while folders are probed on empty
// card readers or disconnected drives: the probe just fails.
void SilenceCriticalErrorBoxes();

// Both of the above, in the order the entry needs them.
void HardenProcess();
