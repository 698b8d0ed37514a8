#include "discovery/search_stop.h"

namespace {

// Written by the window's thread, read by the search's: one word, read and written whole.
int stopRequested = 0;

}  // namespace

void RequestSearchStop() { __atomic_store_n(&stopRequested, 1, __ATOMIC_RELEASE); }

void ClearSearchStop() { __atomic_store_n(&stopRequested, 0, __ATOMIC_RELEASE); }

bool SearchStopRequested() { return __atomic_load_n(&stopRequested, __ATOMIC_ACQUIRE) != 0; }
