#include "shell/music.h"

#include <stddef.h>

// Stand-in until the music tracks land: no track is ever loaded.
FileList file_list;
int countMusic = 0;
SAMPLE *sample = NULL;
int voice = -1;
int musicLoaded = 0;
int music = 0;

void listTracks() { file_list.count = 0; }
void loadTrack() {}
void startTrack() {}
void stopTrack() {}
void releaseTrack() {}
