#pragma once

// The one discovery run: every probe for the known image editors, in the fixed order that
// becomes the order of the folder drop-down, the hosts of today last. Fills the
// CandidateFolderList, which must be empty.
void HostProbeSequence();
