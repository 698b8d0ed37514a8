#pragma once

// Asked of the folder search when the window that waits for it goes: every walk (registry
// keys, folder listings, settings-file lines) ends at its next item instead of running on
// while the program shuts down around it.
void RequestSearchStop();
// A new search starts unasked.
void ClearSearchStop();
bool SearchStopRequested();
