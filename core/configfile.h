// The game's configuration files (settings, the unlock store, a team's statistics): read
// whole into the library's current configuration, saved whole or not at all.
//
// The library would rewrite a file in place, emptying it first: a kill or a full disk in
// the middle left the player's settings empty, and it also wrote a changed file on its own
// when another was selected or at exit. So the library only ever holds the text in memory,
// and a save writes a new file beside the old one and renames it over.
#pragma once

// Reads file `name` (none, or one that cannot be read, is an empty configuration) and
// makes it the library's current configuration; changes stay in memory until saved.
// A configuration in memory has no file name, and the library, installed again while it is
// current, reloads the current file by its name and crashes: the library is started only
// while it is not running (shell/startup's startLibrary).
void selectConfigFile(const char *name);
// Writes the current configuration to `name` as the library would ("[section]" and
// "key = value" lines; comment lines of a file edited by hand are not kept): the whole
// text into "<name>.tmp" in the same folder, synced, then renamed over the old file with
// the old file's permissions (through a symbolic link, over the file it names). A file
// that exists but may not be written is left alone. On any failure the old file stays as
// it was, nothing is left behind, and the terminal is told "gor: cannot save <name>:
// <reason>", once for as long as the same failure repeats.
void saveConfigFile(const char *name);
