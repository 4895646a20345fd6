// Composes the game's music track and writes it as Ogg Vorbis with our own encoder.
//
// A 40-bar piece in A minor at 150 beats a minute (64 s): drums, a saw bass, a
// pulse lead with a stereo echo and a triangle arpeggio.  Everything is rendered
// into a circular buffer, so tails that run past the end wrap round to the start
// and the track loops without a seam.  Same output on every run: a fixed noise
// generator and a fixed seed for the stream's serial number.
//
// usage: genmusic <output.ogg>
#include <allegro.h>
#include <math.h>
#include <stdio.h>
#include <stdlib.h>
#include <vector>

#include "oggsmp/oggsmp.h"

namespace {

const int RATE = 44100;
const int BPM = 150;
const int STEP = RATE * 60 / BPM / 4;  // one sixteenth: 4410 frames
const int BAR = STEP * 16;
const int BARS = 40;
const int LENGTH = BAR * BARS;
const double PI = 3.14159265358979323846;

std::vector<float> left(LENGTH), right(LENGTH);

unsigned noiseState = 0x1234567u;
float noise() {
    noiseState = noiseState * 1664525u + 1013904223u;
    return (float)((noiseState >> 8) & 0xffff) / 32768.0f - 1.0f;
}

double midiHz(int note) { return 440.0 * pow(2.0, (note - 69) / 12.0); }

// Adds one value at frame `at` (wrapping round the loop), panned 0 left .. 1 right.
void mix(long at, float v, float pan) {
    long i = ((at % LENGTH) + LENGTH) % LENGTH;
    left[i] += v * (1.0f - pan);
    right[i] += v * pan;
}

void kick(long at) {
    double phase = 0;
    for (int i = 0; i < RATE * 35 / 100; i++) {
        double t = (double)i / RATE;
        phase += 2 * PI * (45 + 110 * exp(-t * 28)) / RATE;
        float v = (float)(sin(phase) * exp(-t * 7) + noise() * 0.25 * exp(-t * 400));
        mix(at + i, v * 0.9f, 0.5f);
    }
}

void snare(long at, float gain) {
    float prev = 0;
    for (int i = 0; i < RATE / 4; i++) {
        double t = (double)i / RATE;
        float n = noise(), hp = n - prev;  // brighter noise
        prev = n;
        float v = (float)(hp * 0.35 * exp(-t * 16) + sin(2 * PI * 185 * t) * 0.35 * exp(-t * 30));
        mix(at + i, v * gain, 0.45f);
    }
}

void hat(long at, bool open) {
    float prev = 0, prev2 = 0;
    int len = open ? RATE / 5 : RATE / 20;
    for (int i = 0; i < len; i++) {
        double t = (double)i / RATE;
        float n = noise(), hp = n - prev, hp2 = hp - prev2;
        prev = n;
        prev2 = hp;
        mix(at + i, (float)(hp2 * 0.045 * exp(-t * (open ? 14 : 70))), 0.65f);
    }
}

// Saw bass through a one-pole low-pass whose cutoff falls after the attack.
void bass(long at, int note, int frames) {
    double hz = midiHz(note), phase = 0, low = 0;
    for (int i = 0; i < frames + RATE / 100; i++) {
        double t = (double)i / RATE;
        phase += hz / RATE;
        phase -= floor(phase);
        double saw = 2 * phase - 1;
        double cutoff = 250 + 1400 * exp(-t * 18);
        low += (saw - low) * (1 - exp(-2 * PI * cutoff / RATE));
        double env = i < frames ? 1 : 1 - (double)(i - frames) / (RATE / 100);
        env *= i < 40 ? i / 40.0 : 1;
        mix(at + i, (float)(low * env * 0.33), 0.5f);
    }
}

// Pulse lead with vibrato; an echo three sixteenths later on each side in turn.
void lead(long at, int note, int frames, float gain) {
    double hz = midiHz(note), phase = 0;
    int release = RATE / 20;
    for (int i = 0; i < frames + release; i++) {
        double t = (double)i / RATE;
        double vib = t > 0.15 ? 1 + 0.006 * sin(2 * PI * 5.5 * t) : 1;
        phase += hz * vib / RATE;
        phase -= floor(phase);
        double v = (phase < 0.3 ? 1 : -1) * 0.6 + (2 * phase - 1) * 0.4;
        double env = i < frames ? 1 - 0.3 * (1 - exp(-t * 6)) : 0.7 * (1 - (double)(i - frames) / release);
        env *= i < 200 ? i / 200.0 : 1;
        float s = (float)(v * env * gain);
        mix(at + i, s, 0.5f);
        mix(at + i + 3 * STEP, s * 0.35f, 0.15f);
        mix(at + i + 6 * STEP, s * 0.18f, 0.85f);
    }
}

void arp(long at, int note, float pan) {
    double hz = midiHz(note), phase = 0;
    for (int i = 0; i < STEP; i++) {
        double t = (double)i / RATE;
        phase += hz / RATE;
        phase -= floor(phase);
        double tri = 4 * fabs(phase - 0.5) - 1;
        mix(at + i, (float)(tri * exp(-t * 14) * 0.09), pan);
    }
}

struct Chord { int root, tones[3]; };
const Chord Am = {45, {57, 60, 64}}, F = {41, {53, 57, 60}}, C = {48, {55, 60, 64}},
            G = {43, {55, 59, 62}}, Dm = {50, {57, 62, 65}}, E = {40, {56, 59, 64}};
const Chord progressionA[8] = {Am, F, C, G, Am, F, C, G};
const Chord progressionB[8] = {Dm, Am, E, Am, Dm, Am, E, Am};

// Eight eighth notes a bar: a MIDI note, REST, or HOLD (the previous note goes on).
const int REST = -1, HOLD = -2;
const int melodyA[8][8] = {
    {69, HOLD, 72, HOLD, 76, 74, 72, 69},      {72, HOLD, HOLD, 69, 65, HOLD, 69, 72},
    {67, HOLD, 72, HOLD, 76, HOLD, 79, 77},    {76, HOLD, 74, HOLD, 71, HOLD, 67, HOLD},
    {69, 72, 76, 81, HOLD, 79, 76, 72},        {77, HOLD, 76, HOLD, 72, HOLD, 69, HOLD},
    {72, 76, 79, HOLD, 84, HOLD, 79, 76},      {79, HOLD, HOLD, HOLD, 74, HOLD, 71, HOLD},
};
const int melodyB[8][8] = {
    {74, HOLD, 77, HOLD, 81, HOLD, 77, 74},    {76, HOLD, 72, HOLD, 69, HOLD, 72, 76},
    {80, HOLD, 76, HOLD, 71, HOLD, 68, 71},    {69, HOLD, HOLD, HOLD, REST, 76, 74, 72},
    {74, 77, 81, HOLD, 86, HOLD, 84, 81},      {84, HOLD, 81, HOLD, 76, HOLD, 72, HOLD},
    {80, HOLD, 83, HOLD, 88, HOLD, 86, 83},    {81, HOLD, HOLD, HOLD, HOLD, HOLD, REST, REST},
};

void playMelody(long barStart, const int notes[8], float gain, int transpose) {
    for (int e = 0; e < 8; e++) {
        if (notes[e] < 0)
            continue;
        int len = 1;
        while (e + len < 8 && notes[e + len] == HOLD)
            len++;
        lead(barStart + e * 2 * STEP, notes[e] + transpose, len * 2 * STEP - STEP / 4, gain);
    }
}

// Which parts play in each bar.
enum { INTRO, SECTION_A, SECTION_B, SECTION_A2, BREAKDOWN, FINALE };
int sectionOf(int bar) {
    if (bar < 4) return INTRO;
    if (bar < 12) return SECTION_A;
    if (bar < 20) return SECTION_B;
    if (bar < 28) return SECTION_A2;
    if (bar < 32) return BREAKDOWN;
    return FINALE;
}

void composeBar(int bar) {
    long at = (long)bar * BAR;
    int section = sectionOf(bar);
    static const int sectionStart[6] = {0, 4, 12, 20, 28, 32};
    int inSection = bar - sectionStart[section];
    const Chord &chord = section == SECTION_B ? progressionB[inSection]
                         : section == INTRO || section == BREAKDOWN ? progressionA[inSection % 4]
                                                                    : progressionA[inSection];
    // the last bar before each new section, and the last before the loop
    bool fill = bar == BARS - 1 || (section != BREAKDOWN && sectionOf(bar + 1) != section);

    // drums
    for (int s = 0; s < 16; s++) {
        long t = at + s * STEP;
        if (section != BREAKDOWN && (s == 0 || s == 6 || s == 8 || (s == 10 && bar % 2)))
            kick(t);
        if (section == BREAKDOWN && bar == 31 && s % 4 == 0)
            kick(t);
        if (section != INTRO && section != BREAKDOWN && (s == 4 || s == 12))
            snare(t, 1.0f);
        if (fill && s >= 8 && section != INTRO)
            snare(t, 0.25f + 0.05f * (s - 8));
        if (section == BREAKDOWN && bar == 31 && s % 2)
            snare(t, 0.2f + 0.04f * s);
        bool sixteenths = section == FINALE || section == SECTION_A2;
        if (section != BREAKDOWN && (s % 2 == 0 || sixteenths))
            hat(t, s == 14);
    }

    // bass: driving sixteenths with octave jumps; held roots in the breakdown
    if (section == BREAKDOWN) {
        bass(at, chord.root, BAR / 2 - STEP / 2);
        bass(at + BAR / 2, chord.root + (bar % 2 ? 7 : 12), BAR / 2 - STEP / 2);
    } else {
        static const int steps[10] = {0, 2, 3, 4, 6, 8, 10, 11, 12, 14};
        for (int k = 0; k < 10; k++) {
            int s = steps[k];
            int note = chord.root + (s == 3 || s == 11 ? 12 : 0) + (s == 14 && bar % 2 ? 7 : 0);
            bass(at + s * STEP, note, STEP * 3 / 4);
        }
    }

    // arpeggio over two octaves, alternating sides
    if (bar >= 2) {
        for (int s = 0; s < 16; s++) {
            int idx = s % 6;
            int note = chord.tones[idx % 3] + (idx >= 3 ? 12 : 0) + 12;
            arp(at + s * STEP, note, s % 2 ? 0.25f : 0.75f);
        }
    }

    // lead
    if (section == SECTION_A || section == FINALE)
        playMelody(at, melodyA[inSection], 0.16f, 0);
    if (section == SECTION_B)
        playMelody(at, melodyB[inSection], 0.16f, 0);
    if (section == SECTION_A2) {
        playMelody(at, melodyA[inSection], 0.12f, 12);
        playMelody(at, melodyA[inSection], 0.08f, -12);
    }
}

}  // namespace

int main(int argc, char **argv) {
    if (argc != 2) {
        fprintf(stderr, "usage: genmusic <output.ogg>\n");
        return 2;
    }
    if (install_allegro(SYSTEM_NONE, &errno, atexit) != 0) {
        fprintf(stderr, "genmusic: cannot start the game library\n");
        return 1;
    }
    srand(1977);  // the stream's serial number

    for (int bar = 0; bar < BARS; bar++)
        composeBar(bar);

    // no DC offset (the kicks lean positive), a soft limiter, then unsigned
    // 16-bit interleaved stereo
    double meanLeft = 0, meanRight = 0;
    for (int i = 0; i < LENGTH; i++) {
        meanLeft += left[i];
        meanRight += right[i];
    }
    meanLeft /= LENGTH;
    meanRight /= LENGTH;
    SAMPLE *s = create_sample(16, 1, RATE, LENGTH);
    if (!s) {
        fprintf(stderr, "genmusic: out of memory\n");
        return 1;
    }
    unsigned short *out = (unsigned short *)s->data;
    for (int i = 0; i < LENGTH; i++) {
        out[2 * i] = (unsigned short)(32768 + lrintf(tanhf((left[i] - (float)meanLeft) * 1.3f) * 32000));
        out[2 * i + 1] = (unsigned short)(32768 + lrintf(tanhf((right[i] - (float)meanRight) * 1.3f) * 32000));
    }
    char title[] = "TITLE=Arena Overdrive";
    char artist[] = "ARTIST=gor";
    char *comments[] = {title, artist};
    int ok = oggsmp_save_ogg_param(argv[1], s, 0.4f, 2, comments);
    destroy_sample(s);
    if (!ok) {
        fprintf(stderr, "genmusic: cannot write %s\n", argv[1]);
        remove(argv[1]);
        return 1;
    }
    return 0;
}
