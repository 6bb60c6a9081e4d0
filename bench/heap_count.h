// Counts the bytes the process holds from the heap, to tell the peak that
// one operation reaches.
#pragma once
#include <cstddef>

// Starts a count from the heap as it is now.
void StartHeapCount();
// The most the heap has held above that start since, in bytes.
std::size_t PeakHeapGrowth();
