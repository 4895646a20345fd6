// The game's configuration files (settings, the unlock store, a team's statistics): read
// whole into the library's current configuration, saved whole or not at all (but where a
// file must be written in place and that fails part-way: core/wholefile).
//
// The library would rewrite a file in place, emptying it first: a kill or a full disk in
// the middle left the player's settings empty, and it also wrote a changed file on its own
// when another was selected or at exit. So the library only ever holds the text in memory,
// and a save writes a new file beside the old one and renames it over (or, where a new file
// cannot stand for the old one, copies it over the old file in place).
#pragma once

// Reads file `name` (none, or one that cannot be read or is no plain file, is an empty
// configuration; see core/wholefile) and makes it the library's current configuration;
// changes stay in memory until saved. Returns 0 where the file was read whole or is not
// there, or why it could not be read (as core/wholefile's readWholeFile). A UTF-8 byte-order
// mark at its start is read past. A key set goes into its own section, where it is read back
// at once, whatever blank lines the file has or lacks.
// A configuration in memory has no file name, and the library, installed again while it is
// current, reloads the current file by its name and crashes: the library is started only
// while it is not running (shell/startup's startLibrary).
int selectConfigFile(const char *name);
// Writes the current configuration to `name`.
//
// The text is the file selected last as it was read (saved under another name, the
// configuration is written as a new file would be), its byte-order mark kept, line by line:
// comment lines ('#' or ';'), blank lines and "[section]" lines stay as they stand, and each
// "key = value" line gets the key's current value. Keys the file had no line for go at the
// end of their section's first group of lines (where the library adds them, but never past
// the next section's line), sections it had none of at its end. A new file is written as the
// library would write it.
//
// The file keeps its owner, its ACL and every name it has, wherever the player keeps it
// (core/wholefile's replaceWholeFile says how). On a failure the terminal is told "gor:
// cannot save <name>: <reason>", once for as long as the same failure repeats; past a limit
// on file size too, where the game would otherwise be ended by a signal. The file then stays
// as it was, but where it is written in place (a file with a second name, or another
// player's) and that fails part-way (an I/O error, a copy-on-write file system full after
// all, a failed sync): then it can be part old and part new, or the new text whole, never
// with a byte neither text has there, and the whole new text stays beside it
// (replaceWholeFile says when).
//
// A file that is there is written over only after its text was read whole: where the last
// read of `name` before the save failed, the save fails for that reason and the file stays
// byte for byte. Where `unread` gives why the values being saved could not be read from it
// at start (0: they were), the terminal is told "gor: <name> is not saved over: it could not
// be read at start (<reason>)" instead, and the file stays byte for byte too. A file no
// longer there is made.
void saveConfigFile(const char *name, int unread = 0);
