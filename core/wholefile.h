// Files read whole, and saved whole or not at all wherever the player keeps them and however
// they are shared (but for a save in place that fails part-way: below). The ground the
// configuration files (core/configfile) stand on; knows nothing of their text.
#pragma once

#include <stddef.h>

// Why a file was not saved when it is neither missing nor a plain file nor a folder (a
// device, a pipe, a socket): no errno value says so.
const int SAVE_NOT_PLAIN_FILE = -1;

// File `name` (a symbolic link followed) into a new buffer of malloc's, *text and *size: 0,
// where it was read whole or is not there (NULL and 0), or why it could not be read, and
// NULL and 0: an errno value (EISDIR for a folder, EFBIG past what the library takes), or
// SAVE_NOT_PLAIN_FILE (a device or a pipe, never opened, so a pipe is never waited on).
// Another program's lease on the file (a file server's) is not waited out: the open is
// tried again for a small part of a second, and then the read fails, EWOULDBLOCK.
int readWholeFile(const char *name, char **text, size_t *size);

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
// - In place, where a new file cannot stand for the old one: another player's file (the
//   save's file cannot be given its owner and group), an attribute the player may not set (a
//   security label), attributes the player may not read, or a second name (a hard link). Once
//   the save's file is whole and its name synced, the file the name stands for then is
//   written over, cut to the new length and synced, and the save's file is removed. Another
//   copy writing in place at once waits its turn (a few seconds at most: then it goes on). A
//   longer text's bytes past the old end are written first, taking the room it needs: where
//   there is none, or anything fails before an old byte is written, those bytes are cut off
//   again and the file is as it was (where that cut fails too, they stay, and so does the
//   whole new text beside it). Past that, a failure (an I/O error, a copy-on-write file
//   system full after all, a failed sync), like a kill at any moment, leaves the file as the
//   writes left it: part old and part new, or the new text whole where only the sync failed
//   (as far as the disk took it), never with a byte neither text has at its place; and the
//   whole new text stays beside it in its "<file>.<pid>-<n>.tmp". The same running copy of the game removes that one at a
//   later save of the file, once that save is whole itself or leaves a newer one, so each
//   file keeps at most one of them from it; one left by a copy that has ended since is a
//   leftover (below).
// A save that fails otherwise leaves the file as it was and removes its own file. Past a
// limit on file size it fails with EFBIG ("File too large") where SIGXFSZ is ignored, as
// saveConfigFile has it while it saves; otherwise the signal ends the program.
//
// Another program's lease on the file is never waited out. The old file is not opened to
// read its attributes, so a lease does not change the route; where writing in place meets
// one, the open is tried again for a small part of a second, and the save then fails,
// EWOULDBLOCK, with the file as it was.
//
// The attributes kept are those the player can list: the system hides "trusted.*" from a
// player who is not root, so a replaced file loses them; nor are a file's flags (chattr)
// kept.
//
// Leftovers: a save killed while it has a named file of its own (on either route) leaves one
// "<file>.<pid>-<n>.tmp", and so does a failed save in place of a copy that has ended since.
// Each successful save removes the files of that name beside it that are more than an hour
// old: younger ones may be another copy's save in progress. (A name too long to take the tail
// whole is shortened, so two files whose names begin alike for as long share the names of
// their leftovers.) Every other file in the folder stays, "<file>.tmp" among them.
int replaceWholeFile(const char *name, const char *text, size_t size);

// The words for a reason replaceWholeFile gave.
const char *saveFailureText(int reason);
