// What the benchmarks share: the heap allocations of the process, counted by the malloc
// hook in tick.cpp while `countingAllocations` is set (not under AddressSanitizer, which
// must see them itself), and the ratio of two kinds of step timed turn about.
#pragma once

extern bool countingAllocations;
extern long allocationCount;

// Median time of `a` over median time of `b`, over `rounds` runs of each taken in turn, so
// both see the same machine and the same caches.
double medianRatio(void (*a)(), void (*b)(), int rounds);
