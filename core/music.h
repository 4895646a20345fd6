// Music tracks: the *.ogg files of the working directory, listed once; one picked at
// random, decoded whole and looped on a voice.  Only one track exists at a time.  In the
// ground (core/): the screens start and stop it, and so does the end of a bout.
#pragma once

struct SAMPLE;

// A list of file names as the library's file enumeration reports them.
struct FileList {
    int count;
    int attrib[500];
    char name[500][80];
};

extern FileList file_list;  // the music files
extern int countMusic;      // 1 once the music files have been listed
extern SAMPLE *sample;      // the decoded current track; null when no track is held
extern int voice;           // the voice that plays it; -1 when none
extern int musicLoaded;     // 1 from decoding a track until it is started or released
extern int music;           // 0 not playing, 1 playing, 2 stopped by the pause overlay

// Lists every "*.ogg" file of the working directory into file_list, read-only ones too.
// Directories, hidden files, files beyond the list's 500 entries and names too long for
// it are left out.
void listTracks();
// The listing again, as a later caller would make it: countMusic, which marks the
// start-up listing done, is left as it is.  Nothing in the game calls it.
void countingMusic();
// The enumeration's callback: adds one file to file_list.
void trackCount(const char *filename, int attrib, int param);
// Decodes a random listed file and puts it on a looping voice, not started.  A file
// that does not decode is dropped from the list and another is tried; with no
// (decodable) file no track is loaded.
void loadTrack();
void startTrack();
// Stops the voice where it is; a later start resumes from there.
void stopTrack();
// Releases the voice and the sample of the current track, if one is held.
void releaseTrack();
