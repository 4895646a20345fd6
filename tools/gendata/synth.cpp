// Sound synthesis from the recipes of sounds.txt: layers of swept oscillators and pitched
// noise with attack/decay envelopes, and melodies of note voices. Output is 16-bit mono.
#include "tools/gendata/gen.h"

#include <cmath>
#include <vector>

namespace {

const double TAU = 6.283185307179586;

struct Noise {
    unsigned state = 22222;
    float held = 0, target = 0;
    double phase = 0;
    float next()
    {
        state = state * 1664525u + 1013904223u;
        return ((state >> 9) & 0xFFFF) / 32768.0f - 1.0f;
    }
};

float wave(const std::string &w, double phase, Noise &n, double dphase)
{
    double p = phase - std::floor(phase);
    if (w == "sine")
        return (float)std::sin(p * TAU);
    if (w == "square")
        return p < 0.5 ? 0.8f : -0.8f;
    if (w == "saw")
        return (float)(2 * p - 1);
    if (w == "tri")
        return (float)(p < 0.5 ? 4 * p - 1 : 3 - 4 * p);
    // noise: a new random level f times a second, glided to, so the sweep frequency sets
    // how bright or dull it sounds (a low f rumbles instead of buzzing)
    n.phase += dphase;
    if (n.phase >= 1) {
        n.phase -= std::floor(n.phase);
        n.held = n.target;
        n.target = n.next();
    }
    return n.held + (n.target - n.held) * (float)n.phase;
}

// Adds one layer: attack rises linearly, then exponential decay (decay = 1/s rate), with a
// short fade at the end so nothing clicks.
void addLayer(std::vector<float> &mix, int rate, const SoundLayer &l, unsigned seed)
{
    Noise n;
    n.state += seed * 7919u;
    double phase = 0;
    int start = (int)(l.start * rate), len = (int)(l.dur * rate);
    for (int i = 0; i < len && start + i < (int)mix.size(); i++) {
        double t = (double)i / rate;
        double f = l.f0 + (l.f1 - l.f0) * (t / l.dur);
        double dphase = f / rate;
        float v = wave(l.wave, phase, n, dphase);
        phase += dphase;
        double env = l.attack > 0 && t < l.attack ? t / l.attack : 1.0;
        env *= std::exp(-l.decay * (t > l.attack ? t - l.attack : 0));
        double tail = (l.dur - t) * 200;
        if (tail < 1)
            env *= tail;
        mix[start + i] += (float)(v * env * l.vol);
    }
}

double noteHz(int midi)
{
    return 440.0 * std::pow(2.0, (midi - 69) / 12.0);
}

} // namespace

SAMPLE *makeSample(const char *recipeName)
{
    const SoundRecipe *r = soundRecipe(recipeName);
    float seconds = 0;
    for (const SoundLayer &l : r->layers)
        if (l.start + l.dur > seconds)
            seconds = l.start + l.dur;
    float beat = 60.0f / r->tempo;
    for (const SoundVoice &v : r->voices) {
        float total = 0;
        for (float b : v.beats)
            total += b * beat;
        if (total + 0.3f > seconds)
            seconds = total + 0.3f;
    }
    std::vector<float> mix((size_t)(seconds * r->rate) + 1, 0.0f);
    unsigned seed = 1;
    for (const SoundLayer &l : r->layers)
        addLayer(mix, r->rate, l, seed++);
    for (const SoundVoice &v : r->voices) {
        float t = 0;
        for (size_t i = 0; i < v.notes.size(); i++) {
            float len = v.beats[i] * beat;
            if (v.notes[i] >= 0) {
                SoundLayer l;
                l.wave = v.wave;
                l.f0 = l.f1 = (float)noteHz(v.notes[i]);
                l.start = t;
                l.dur = len * 0.95f;
                l.vol = v.vol;
                l.attack = 0.005f;
                l.decay = 2.5f;
                addLayer(mix, r->rate, l, seed++);
            }
            t += len;
        }
    }
    float peak = 0;
    for (float s : mix)
        peak = std::fabs(s) > peak ? std::fabs(s) : peak;
    float gain = peak > 0.95f ? 0.95f / peak : 1.0f;
    SAMPLE *s = create_sample(16, 0, r->rate, (int)mix.size());
    unsigned short *d = (unsigned short *)s->data;
    for (size_t i = 0; i < mix.size(); i++)
        d[i] = (unsigned short)(0x8000 + (int)std::lround(mix[i] * gain * 32767));
    return s;
}
