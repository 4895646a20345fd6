// Music tracks: the *.ogg files of the working directory, one decoded whole and looped.
#pragma once

struct SAMPLE;

struct FileList {
    int count;
    int attrib[500];
    char name[500][80];
};

extern FileList file_list;
extern int countMusic;     // 1 once the music files have been listed
extern SAMPLE *sample;     // the decoded current track
extern int voice;          // the voice that plays it
extern int musicLoaded;    // 1 from decoding a track until it is started or released
extern int music;          // 0 not playing, 1 playing, 2 stopped by the pause overlay

// Lists every "*.ogg" file of the working directory into file_list.
void listTracks();
void loadTrack();
void startTrack();
void stopTrack();
// Releases the voice and the sample of the current track, if one is held.
void releaseTrack();
