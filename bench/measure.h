// The heap allocations of the process, counted by the malloc hook in tick.cpp while
// `countingAllocations` is set (not under AddressSanitizer, which must see them itself).
#pragma once

extern bool countingAllocations;
extern long allocationCount;
