#include "core/music.h"

#include <allegro.h>
#include <stdlib.h>
#include <string.h>

#include "core/world.h"
#include "oggsmp/oggsmp.h"

FileList file_list;
int countMusic = 0;
SAMPLE *sample = NULL;
int voice = -1;
int musicLoaded = 0;
int music = 0;

void trackCount(const char *filename, int attrib, int) {
    // a shortened name would open another file, or none
    if (file_list.count >= 500 || strlen(filename) >= sizeof file_list.name[0])
        return;
    file_list.attrib[file_list.count] = attrib;
    strcpy(file_list.name[file_list.count], filename);
    file_list.count++;
}

void listTracks() {
    file_list.count = 0;
    file_list.name[0][0] = 0;
    // Plain files, hidden ones left out. The library marks a file that the player may read
    // but not write (an install owned by another user) read-only: it plays all the same.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    for_each_file("*.ogg", FA_ARCH | FA_RDONLY, trackCount, 0);
#pragma GCC diagnostic pop
}

void countingMusic() { listTracks(); }

static void dropTrack(int index) {
    file_list.count--;
    for (int i = index; i < file_list.count; i++) {
        file_list.attrib[i] = file_list.attrib[i + 1];
        memcpy(file_list.name[i], file_list.name[i + 1], sizeof file_list.name[i]);
    }
}

void loadTrack() {
    releaseTrack();  // never leak a held track
    int tried = 0;
    while (file_list.count > 0 && !sample) {
        int index = rand() % file_list.count;
        sample = oggsmp_load_ogg(file_list.name[index]);
        if (!sample)
            dropTrack(index);
        tried = 1;
    }
    if (!tried)
        return;  // nothing to load: leave the tick counter alone
    speed_counter = 0;  // the decoding time is not caught up
    if (!sample)
        return;
    voice = allocate_voice(sample);
    if (voice >= 0)
        voice_set_playmode(voice, PLAYMODE_LOOP);
    musicLoaded = 1;
}

void startTrack() {
    if (music == 1)
        return;
    if (voice >= 0)
        voice_start(voice);
    musicLoaded = 0;
    speed_counter = 0;
}

void stopTrack() {
    if (voice >= 0)
        voice_stop(voice);
}

void releaseTrack() {
    if (voice >= 0) {
        release_voice(voice);
        deallocate_voice(voice);
    }
    voice = -1;
    if (sample)
        destroy_sample(sample);
    sample = NULL;
}
