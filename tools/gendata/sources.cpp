// Reads the generator's text sources: named colours, the texts shown in pictures, the label
// font and the sound recipes. All are plain line formats with '#' comments.
#include "tools/gendata/gen.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <sstream>

struct ColourRGB { int r, g, b; };
static std::map<std::string, ColourRGB> colours;
static std::map<std::string, std::string> texts;
static std::vector<SoundRecipe> recipes;
static std::map<char, LabelGlyph> labelFont;

static bool readLines(const std::string &path, std::vector<std::string> &lines)
{
    FILE *f = fopen(path.c_str(), "r");
    if (!f) {
        fprintf(stderr, "gendata: cannot read %s\n", path.c_str());
        return false;
    }
    char buf[1024];
    while (fgets(buf, sizeof buf, f)) {
        std::string s(buf);
        while (!s.empty() && (s.back() == '\n' || s.back() == '\r'))
            s.pop_back();
        lines.push_back(s);
    }
    fclose(f);
    return true;
}

static bool blankOrComment(const std::string &s)
{
    size_t p = s.find_first_not_of(" \t");
    return p == std::string::npos || s[p] == '#';
}

static bool parseError(const std::string &file, size_t line, const char *why)
{
    fprintf(stderr, "gendata: %s:%zu: %s\n", file.c_str(), line + 1, why);
    return false;
}

// Calls parse(line, index) for every line that is neither blank nor a comment; stops at the
// first false.
template <typename Parse> static bool eachLine(const std::string &path, Parse parse)
{
    std::vector<std::string> lines;
    if (!readLines(path, lines))
        return false;
    for (size_t i = 0; i < lines.size(); i++)
        if (!blankOrComment(lines[i]) && !parse(lines[i], i))
            return false;
    return true;
}

static bool loadColours(const std::string &path)
{
    return eachLine(path, [&](const std::string &line, size_t i) {
        std::istringstream in(line);
        std::string name;
        ColourRGB c;
        if (!(in >> name >> c.r >> c.g >> c.b) || c.r < 0 || c.r > 255 || c.g < 0 || c.g > 255 ||
            c.b < 0 || c.b > 255)
            return parseError(path, i, "expected: name red green blue (0..255)");
        colours[name] = c;
        return true;
    });
}

static bool loadTexts(const std::string &path)
{
    return eachLine(path, [&](const std::string &line, size_t i) {
        size_t eq = line.find('=');
        if (eq == std::string::npos)
            return parseError(path, i, "expected: key = text");
        std::string key = line.substr(0, eq), value = line.substr(eq + 1);
        key.erase(key.find_last_not_of(" \t") + 1);
        key.erase(0, key.find_first_not_of(" \t"));
        value.erase(0, value.find_first_not_of(" \t"));
        texts[key] = value;
        return true;
    });
}

// "C4", "F#5", "Bb3" -> MIDI note number; "r" -> -1 (rest).
static bool parseNote(const std::string &s, int *note)
{
    if (s == "r") {
        *note = -1;
        return true;
    }
    static const int base[7] = {9, 11, 0, 2, 4, 5, 7}; // A B C D E F G
    if (s.empty() || s[0] < 'A' || s[0] > 'G')
        return false;
    int n = base[s[0] - 'A'];
    size_t p = 1;
    if (p < s.size() && s[p] == '#') { n++; p++; }
    else if (p < s.size() && s[p] == 'b') { n--; p++; }
    if (p >= s.size() || s[p] < '0' || s[p] > '8')
        return false;
    *note = n + 12 * (s[p] - '0' + 1);
    return p + 1 == s.size();
}

static bool loadSounds(const std::string &path)
{
    return eachLine(path, [&](const std::string &line, size_t i) {
        std::istringstream in(line);
        std::string word;
        in >> word;
        if (word == "sound" || word == "melody") {
            SoundRecipe r;
            r.tempo = 120;
            if (!(in >> r.name >> r.rate))
                return parseError(path, i, "expected: sound|melody NAME RATE [TEMPO]");
            if (word == "melody" && (!(in >> r.tempo) || r.tempo <= 0))
                return parseError(path, i, "a melody needs a tempo above 0");
            if (r.rate < 8000 || r.rate > 48000)
                return parseError(path, i, "rate must be 8000..48000");
            recipes.push_back(r);
        } else if (recipes.empty()) {
            return parseError(path, i, "layer before any sound");
        } else if (word == "voice") {
            SoundVoice v;
            if (!(in >> v.wave >> v.vol))
                return parseError(path, i, "expected: voice WAVE VOLUME");
            recipes.back().voices.push_back(v);
        } else if (word == "notes") {
            if (recipes.back().voices.empty())
                return parseError(path, i, "notes before any voice");
            SoundVoice &v = recipes.back().voices.back();
            std::string tok;
            while (in >> tok) {
                size_t slash = tok.find('/');
                int note;
                if (slash == std::string::npos || !parseNote(tok.substr(0, slash), &note))
                    return parseError(path, i, "expected notes like C4/1 or r/0.5");
                float beats = (float)atof(tok.c_str() + slash + 1);
                if (beats <= 0)
                    return parseError(path, i, "a note lasts more than 0 beats");
                v.notes.push_back(note);
                v.beats.push_back(beats);
            }
        } else {
            SoundLayer l;
            l.wave = word;
            if (!(in >> l.f0 >> l.f1 >> l.start >> l.dur >> l.vol >> l.attack >> l.decay))
                return parseError(path, i, "expected: WAVE f0 f1 start dur vol attack decay");
            if (l.f0 <= 0 || l.f1 <= 0 || l.start < 0 || l.dur <= 0 || l.dur > 30 || l.attack < 0)
                return parseError(path, i, "frequencies and duration must be above 0");
            if (l.wave != "sine" && l.wave != "square" && l.wave != "saw" && l.wave != "tri" &&
                l.wave != "noise")
                return parseError(path, i, "unknown wave");
            recipes.back().layers.push_back(l);
        }
        return true;
    });
}

static bool loadFont(const std::string &path)
{
    LabelGlyph *open = nullptr;
    size_t openedAt = 0;
    bool ok = eachLine(path, [&](const std::string &line, size_t i) {
        if (line.rfind("glyph ", 0) == 0) {
            if (open && open->rows.size() != LABEL_FONT_ROWS)
                return parseError(path, openedAt, "a glyph has 7 rows");
            std::string name = line.substr(6);
            if (name != "space" && name.size() != 1)
                return parseError(path, i, "expected: glyph C (one character, or space)");
            char c = name == "space" ? ' ' : name[0];
            if (labelFont.count(c))
                return parseError(path, i, "this glyph is already drawn");
            open = &labelFont[c];
            openedAt = i;
            return true;
        }
        if (!open)
            return parseError(path, i, "a row before any glyph");
        if (line.find_first_not_of("X.") != std::string::npos)
            return parseError(path, i, "a row holds only 'X' and '.'");
        if (open->rows.size() == LABEL_FONT_ROWS)
            return parseError(path, i, "a glyph has 7 rows");
        if (!open->rows.empty() && line.size() != open->rows[0].size())
            return parseError(path, i, "every row of a glyph is as wide as the first");
        open->rows.push_back(line);
        return true;
    });
    if (ok && open && open->rows.size() != LABEL_FONT_ROWS)
        return parseError(path, openedAt, "a glyph has 7 rows");
    return ok;
}

bool loadSources(const char *dataDir)
{
    std::string dir = std::string(dataDir) + "/gendata/";
    return loadColours(dir + "colours.txt") && loadTexts(dir + "texts.txt") &&
           loadFont(dir + "font.txt") && loadSounds(dir + "sounds.txt");
}

const LabelGlyph *labelGlyph(char c)
{
    auto it = labelFont.find(c);
    return it == labelFont.end() ? nullptr : &it->second;
}

static void colRGB(const char *name, int *r, int *g, int *b)
{
    auto it = colours.find(name);
    if (it == colours.end()) {
        fprintf(stderr, "gendata: colour '%s' is not in colours.txt\n", name);
        exit(1);
    }
    *r = it->second.r;
    *g = it->second.g;
    *b = it->second.b;
}

int col(const char *name)
{
    int r, g, b;
    colRGB(name, &r, &g, &b);
    return makecol16(r, g, b);
}

const char *text(const char *key)
{
    auto it = texts.find(key);
    if (it == texts.end()) {
        fprintf(stderr, "gendata: text '%s' is not in texts.txt\n", key);
        exit(1);
    }
    return it->second.c_str();
}

std::vector<std::string> splitList(const char *s)
{
    std::vector<std::string> out;
    std::string cur;
    for (const char *p = s;; p++) {
        if (*p == '|' || *p == 0) {
            out.push_back(cur);
            cur.clear();
            if (!*p)
                break;
        } else {
            cur += *p;
        }
    }
    return out;
}

std::vector<std::string> textList(const char *key, size_t minParts, size_t maxParts)
{
    std::vector<std::string> parts = splitList(text(key));
    if (parts.size() < minParts || parts.size() > maxParts) {
        fprintf(stderr, "gendata: text '%s' has %zu parts, wants %zu to %zu\n", key, parts.size(),
                minParts, maxParts);
        exit(1);
    }
    return parts;
}

const SoundRecipe *soundRecipe(const char *name)
{
    for (const SoundRecipe &r : recipes)
        if (r.name == name)
            return &r;
    fprintf(stderr, "gendata: sound '%s' is not in sounds.txt\n", name);
    exit(1);
}
