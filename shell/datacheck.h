// A bounded walk over a data file of the library's format before the library's own loader
// sees it. That loader trusts every count and size in the file: a truncated or damaged
// file makes it allocate or read out of bounds and crash. The walk reads the same structure
// (packfile magic, packed or not; the object list; properties; chunk sizes, packed chunks;
// the headers of pictures and samples) and checks that everything the loader would read is
// there, without allocating and without trusting a size before it has been checked.
#pragma once

#include <stddef.h>

// What is wrong with the data file at `path` (it cannot be opened, or the first damage
// found), or NULL when the library's loader can read it whole.
const char *findDataFileDamage(const char *path);
// The same for a data file held in memory.
const char *findDataBytesDamage(const unsigned char *bytes, size_t size);
