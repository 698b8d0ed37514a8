#pragma once

// The one discovery run: every probe for the known image editors, in the fixed order that
// becomes the order of the folder drop-down. Fills the CandidateFolderList, which must be
// empty.
void HostProbeSequence();
