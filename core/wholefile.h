// Files read whole and saved whole or not at all, wherever the player keeps them and
// however they are shared: the ground the configuration files (core/configfile) stand on.
// Knows nothing of their text.
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
// SAVE_NOT_PLAIN_FILE).
//
// A chain of symbolic links is followed to the name it ends at, which is made if it does
// not exist yet; the links stay. Only a plain file, or a name not made yet, is replaced: a
// folder, a device or a pipe is never written, renamed over or removed, and a plain file
// that may not be written stays as it is.
//
// A save never changes who owns the file, who may read or write it, or how many names it has.
// The bytes first go into a file of the save's own in the same folder, synced. Where the file
// system has unnamed files it has no name until it is whole (a save cut off before then
// leaves nothing behind); elsewhere it is named "<file>.<pid>-<n>.tmp" from the start (the
// file's name shortened as needed for the folder to take the whole). It takes the old file's
// owner and group, every extended attribute of the old file (its ACL among them) and no
// other, and its permission bits (where the file system cannot set a mode, as FAT through
// FUSE, whose fchmod answers ENOSYS or EOPNOTSUPP, or refuses the mode the new file has
// already, it goes on without them). Then one of two routes:
// - Replaced: the save's file is renamed over the old one. The file is whole, old or new,
//   whenever the save is cut off. Two copies of the game saving at once never touch each
//   other's file: the last rename wins, and its file is whole.
// - In place, where the save's file cannot be given the old one's owner and group (a
//   player saving another's shared file) or one of its attributes (or the old file may not be
//   read for them), or where the old file has a second name: once the save's file is whole
//   and its name synced, the file the name stands for then is written over from its start,
//   cut to the new length and synced, and the save's file is removed. Room for a longer text
//   is taken first, so a full disk fails the save with the file as it was. Another copy
//   writing in place at once waits its turn (a few seconds at most: then it goes on).
//   Killed while it writes, or failing then (an I/O error, or a copy-on-write file system
//   full after all), the save can leave the file part old and part new, with the whole new
//   text beside it in its "<file>.<pid>-<n>.tmp".
// A save that fails otherwise leaves the file as it was and removes its own file. Past a
// limit on file size it fails with EFBIG ("File too large") where SIGXFSZ is ignored, as
// saveConfigFile has it while it saves; otherwise the signal ends the program.
//
// Leftovers: a save killed while it has a named file of its own (on either route) leaves one
// "<file>.<pid>-<n>.tmp". Each successful save removes the files of that name beside it that
// are more than an hour old: younger ones may be another copy's save in progress. (A name
// too long to take the tail whole is shortened, so two files whose names begin alike for as
// long share the names of their leftovers.) Every other file in the folder stays,
// "<file>.tmp" among them.
int replaceWholeFile(const char *name, const char *text, size_t size);

// The words for a reason replaceWholeFile gave.
const char *saveFailureText(int reason);
