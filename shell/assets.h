// The data file's entries and the pictures cut out of its sprite sheets.
#pragma once

struct DATAFILE;

// Fixed entry numbers of gor.dat (stand-in: only those start-up needs so far).
enum DataEntry {
    DAT_POINTER = 103,
    DAT_COUNT = 167
};

// NULL when every entry the game reads is present and of its kind, else a message
// naming the first entry that is not.
const char *findDataFileFault(DATAFILE *d);
void load_files();
void setupGraphics();
