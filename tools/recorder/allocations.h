// Heap allocations of the whole process: how many are live now, and how many were made
// while counting was on. Every malloc, calloc and realloc passes through here (under
// AddressSanitizer through its allocation hooks instead), and so does every `new`.
#pragma once

// Starts counting allocations from zero.
void startCountingAllocations();
// Stops counting and returns how many allocations were made since the start.
long stopCountingAllocations();
// Allocations made and not yet freed, since the program started.
long liveAllocations();
