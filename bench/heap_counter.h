// Counts the bytes the program holds on the heap, and the most it held,
// through the global allocation functions of this benchmark program.
#pragma once

#include <cstddef>

std::size_t HeapBytesInUse();
std::size_t HeapPeakBytes();
// Starts a new peak from what is in use now.
void ResetHeapPeak();
