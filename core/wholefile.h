// Files read whole and replaced whole or not at all, wherever the player keeps them: the
// ground the configuration files (core/configfile) stand on. Knows nothing of their text.
#pragma once

#include <stddef.h>

// Why a file was not saved when it is neither missing nor a plain file nor a folder (a
// device, a pipe, a socket): no errno value says so.
const int SAVE_NOT_PLAIN_FILE = -1;

// File `name` (a symbolic link followed) into a new buffer of malloc's, *text and *size; a
// file that is missing, cannot be read or is not a plain file (a folder, a device, a pipe:
// never opened, so a pipe is never waited on) reads as none, NULL and 0.
void readWholeFile(const char *name, char **text, size_t *size);

// Replaces file `name` with the `size` bytes of `text`: 0, or why not (an errno value, or
// SAVE_NOT_PLAIN_FILE); the file is then as it was.
//
// A chain of symbolic links is followed to the name it ends at, which is made if it does
// not exist yet; the links stay. Only a plain file, or a name not made yet, is replaced: a
// folder, a device or a pipe is never written, renamed over or removed, and a plain file
// that may not be written stays as it is.
//
// The bytes go into a file of the save's own in the same folder, synced, then renamed over
// the old file. Where the file system has unnamed files the save's file has no name until it
// is whole, so a save cut off leaves nothing behind; elsewhere it is named
// "<file>.<pid>-<n>.tmp" from the start (the file's name shortened as needed for the folder
// to take the whole), and a save that fails removes it. Two copies of the game saving at once
// never touch each other's file: the last rename wins, and its file is whole.
//
// The new file takes the old one's permission bits (where the file system cannot set a mode,
// as FAT through FUSE, whose fchmod answers ENOSYS or EOPNOTSUPP, or refuses the mode the new
// file has already, it goes on without them) and its owner and group where the system allows
// (or the group alone), so a file two players share stays theirs. Past a limit on file size
// the save fails with EFBIG ("File too large") where SIGXFSZ is ignored, as saveConfigFile
// has it while it saves; otherwise the signal ends the program.
//
// What a save cannot prevent: killed in the moment between naming its file and the rename
// (or, without unnamed files, at any time before the rename), it leaves one such
// "<file>.<pid>-<n>.tmp". Each successful save removes the files of that name beside it that
// are more than an hour old: younger ones may be another copy's save in progress. (A name
// too long to take the tail whole is shortened, so two files whose names begin alike for as
// long share the names of their leftovers.) Every other file in the folder stays,
// "<file>.tmp" among them.
int replaceWholeFile(const char *name, const char *text, size_t size);

// The words for a reason replaceWholeFile gave.
const char *saveFailureText(int reason);
