#include "shell/datacheck.h"

#include <allegro.h>
#include <stdio.h>
#include <sys/stat.h>

namespace {

// The library's LZSS: a 4096-byte window whose write position starts 18 bytes (the longest
// copy) before its end, with the bytes before that position zero.
const int RING_SIZE = 4096;
const int MATCH_MAX = 18;
// Data files inside data files; the library has no limit, its loader recurses.
const int NESTING_MAX = 8;
// The whole-file layer, then two for each chunk open at once (its bound and its unpacking).
const int LAYER_MAX = 1 + 2 * (NESTING_MAX + 2);
const long long UNBOUNDED = 1LL << 62;

struct Unpacker {
    unsigned char ring[RING_SIZE];
    int pos;            // where the next byte out goes
    int flags, flagBits;
    int copyFrom, copyLeft;
    int written;        // bytes out so far, counted up to MATCH_MAX
};

// One level of reading: the whole file after its magic, or an object's chunk. It gives at
// most `left` more bytes, taken from the level below (the file itself under level 0) as
// they are or unpacked.
struct Layer {
    long long left;
    bool packed;
    Unpacker unpack;
};

struct Walk {
    FILE *file;                  // the source: a file, or `mem`
    const unsigned char *mem;
    long long size, pos;
    Layer layers[LAYER_MAX];
    int top;
    const char *damage;
};

int fail(Walk *w, const char *why)
{
    if (!w->damage)
        w->damage = why;
    return EOF;
}

int sourceByte(Walk *w)
{
    if (w->pos >= w->size)
        return EOF;
    int c = w->file ? getc(w->file) : w->mem[w->pos];
    if (c != EOF)
        w->pos++;
    return c;
}

bool sourceSkip(Walk *w, long long n)
{
    if (n > w->size - w->pos)
        return false;
    w->pos += n;
    return !w->file || fseeko(w->file, w->pos, SEEK_SET) == 0;
}

int layerByte(Walk *w, int d);

int byteBelow(Walk *w, int d)
{
    return d == 0 ? sourceByte(w) : layerByte(w, d - 1);
}

void keepUnpacked(Unpacker *u, int c)
{
    u->ring[u->pos] = (unsigned char)c;
    u->pos = (u->pos + 1) & (RING_SIZE - 1);
    if (u->written < MATCH_MAX)
        u->written++;
}

// One byte out of the packed level d: flag bytes say, token by token, whether a literal
// byte or a copy of 3 to 18 bytes from the window follows.
int unpackByte(Walk *w, int d)
{
    Unpacker *u = &w->layers[d].unpack;
    if (u->copyLeft == 0) {
        if (u->flagBits == 0) {
            int f = byteBelow(w, d);
            if (f == EOF)
                return EOF;
            u->flags = f;
            u->flagBits = 8;
        }
        int literal = u->flags & 1;
        u->flags >>= 1;
        u->flagBits--;
        if (literal) {
            int c = byteBelow(w, d);
            if (c != EOF)
                keepUnpacked(u, c);
            return c;
        }
        int lo = byteBelow(w, d);
        int hi = byteBelow(w, d);
        if (lo == EOF || hi == EOF)
            return EOF;
        u->copyFrom = lo | ((hi & 0xF0) << 4);
        u->copyLeft = (hi & 0x0F) + 3;
    }
    // The window's last 18 bytes hold nothing defined until the first bytes out fill them.
    if (u->copyFrom >= RING_SIZE - MATCH_MAX + u->written)
        return fail(w, "a packed copy reads the window before it is filled");
    int c = u->ring[u->copyFrom];
    u->copyFrom = (u->copyFrom + 1) & (RING_SIZE - 1);
    u->copyLeft--;
    keepUnpacked(u, c);
    return c;
}

int layerByte(Walk *w, int d)
{
    Layer *l = &w->layers[d];
    if (l->left <= 0)
        return EOF;
    int c = l->packed ? unpackByte(w, d) : byteBelow(w, d);
    if (c != EOF)
        l->left--;
    return c;
}

bool layerSkip(Walk *w, int d, long long n)
{
    Layer *l = &w->layers[d];
    if (n > l->left)
        return false;
    if (l->packed) {
        for (long long i = 0; i < n; i++)
            if (layerByte(w, d) == EOF)
                return false;
        return true;
    }
    if (!(d == 0 ? sourceSkip(w, n) : layerSkip(w, d - 1, n)))
        return false;
    l->left -= n;
    return true;
}

bool pushLayer(Walk *w, long long left, bool packed)
{
    if (w->top + 1 >= LAYER_MAX)
        return false;
    Layer *l = &w->layers[++w->top];
    l->left = left;
    l->packed = packed;
    if (packed) {
        Unpacker *u = &l->unpack;
        for (int i = 0; i < RING_SIZE; i++)
            u->ring[i] = 0;
        u->pos = RING_SIZE - MATCH_MAX;
        u->flags = u->flagBits = u->copyFrom = u->copyLeft = u->written = 0;
    }
    return true;
}

// Big-endian, as the library's pack_mgetw and pack_mgetl read them; -1 past the end.
long long readBig(Walk *w, int bytes)
{
    long long v = 0;
    for (int i = 0; i < bytes; i++) {
        int c = layerByte(w, w->top);
        if (c == EOF) {
            fail(w, "the file ends inside an object");
            return -1;
        }
        v = v << 8 | c;
    }
    return v;
}

// A 32-bit field the loader takes as a signed count or size.
long long readSize(Walk *w)
{
    long long v = readBig(w, 4);
    return v >= 0x80000000LL ? v - 0x100000000LL : v;
}

bool isTypeId(long long id)
{
    for (int i = 0; i < 4; i++) {
        int c = (int)(id >> (8 * i)) & 0xFF;
        if (c < 0x20 || c > 0x7E)
            return false;
    }
    return true;
}

long long left(Walk *w)
{
    return w->layers[w->top].left;
}

void walkObjects(Walk *w, int nesting);

// The first bytes of an object's body that the library's loader turns into a size to
// allocate and read: each must fit in the chunk.
void walkBody(Walk *w, long long type, int nesting)
{
    switch (type) {
    case DAT_BITMAP: {
        long long bits = readBig(w, 2), width = readBig(w, 2), height = readBig(w, 2);
        int bytes = bits == 8 ? 1 : bits == 15 || bits == 16 ? 2 : bits == 24 ? 3
                  : bits == 32 ? 4 : 0;
        if (w->damage)
            return;
        if (bytes == 0)
            fail(w, "a picture of a colour depth the game never uses");
        else if (width < 1 || height < 1)
            fail(w, "a picture with no pixels");
        else if (width * height * bytes > left(w))
            fail(w, "a picture larger than its chunk");
        return;
    }
    case DAT_SAMPLE: {
        long long bits = readBig(w, 2);
        readBig(w, 2);   // the frequency: any value plays
        long long frames = readSize(w);
        int channels = 1;
        if (bits >= 0x8000) {
            bits = 0x10000 - bits;   // stereo
            channels = 2;
        }
        if (w->damage)
            return;
        if (bits != 8 && bits != 16)
            fail(w, "a sample of no known width");
        else if (frames < 0 || frames * channels * (bits / 8) > left(w))
            fail(w, "a sample longer than its chunk");
        return;
    }
    case DAT_FILE:
        if (nesting >= NESTING_MAX)
            fail(w, "data files nested too deep");
        else
            walkObjects(w, nesting + 1);
        return;
    case DAT_FONT: case DAT_MIDI: case DAT_PATCH: case DAT_FLI: case DAT_RLE_SPRITE:
    case DAT_C_SPRITE: case DAT_XC_SPRITE: case DAT_PALETTE:
        // The library's own readers of these trust their contents; the game has none.
        fail(w, "an object of a kind the game's data never holds");
        return;
    default:
        return;   // read whole as plain bytes
    }
}

// A count, then each object: its properties, its type, its chunk's two sizes, its body.
// A negative unpacked size marks a packed chunk: that many bytes come out of at most the
// packed size's bytes of the level below.
void walkObjects(Walk *w, int nesting)
{
    long long count = readSize(w);
    if (count < 0)
        fail(w, "a negative object count");
    for (long long i = 0; i < count && !w->damage; i++) {
        long long type = readBig(w, 4);
        while (type == DAT_PROPERTY && !w->damage) {
            readBig(w, 4);
            long long size = readSize(w);
            if (size < 0 || !layerSkip(w, w->top, size))
                fail(w, "a property runs past the end of its object list");
            type = readBig(w, 4);
        }
        long long packedSize = readSize(w), size = readSize(w);
        if (w->damage)
            return;
        if (!isTypeId(type))
            fail(w, "an object type that is no four-letter id");
        else if (packedSize < 0 || (size >= 0 && size != packedSize))
            fail(w, "an object whose chunk sizes disagree");
        else if (size == -0x80000000LL)
            fail(w, "a packed object of impossible size");
        if (w->damage)
            return;
        int base = w->top;
        bool opened = pushLayer(w, packedSize, false) && (size >= 0 || pushLayer(w, -size, true));
        if (!opened) {
            fail(w, "data files nested too deep");
            return;
        }
        walkBody(w, type, nesting);
        // The loader reads every byte the chunk says it holds before the next object, and
        // a packed chunk's bytes unpack to exactly its size.
        if (!w->damage && !layerSkip(w, w->top, left(w)))
            fail(w, "an object runs past the end of the file");
        if (!w->damage && w->top > base + 1 && w->layers[base + 1].left != 0)
            fail(w, "a packed object holds more than it unpacks to");
        w->top = base;
    }
}

const char *walk(Walk *w)
{
    w->top = -1;
    w->damage = NULL;
    long long magic = 0;
    for (int i = 0; i < 4; i++) {
        int c = sourceByte(w);
        if (c == EOF)
            return "too short for a data file";
        magic = magic << 8 | c;
    }
    if (magic != F_PACK_MAGIC && magic != F_NOPACK_MAGIC)
        return "not a data file of the library's format";
    pushLayer(w, UNBOUNDED, magic == F_PACK_MAGIC);
    if (readBig(w, 4) != DAT_MAGIC)
        return w->damage ? w->damage : "not a data file of the library's format";
    walkObjects(w, 0);
    return w->damage;
}

}  // namespace

const char *findDataBytesDamage(const unsigned char *bytes, size_t size)
{
    static Walk w;
    w.file = NULL;
    w.mem = bytes;
    w.size = (long long)size;
    w.pos = 0;
    return walk(&w);
}

const char *findDataFileDamage(const char *path)
{
    static Walk w;
    FILE *f = fopen(path, "rb");
    struct stat st;
    if (!f)
        return "cannot be opened";
    if (fstat(fileno(f), &st) != 0 || !S_ISREG(st.st_mode)) {
        fclose(f);
        return "is not a plain file";
    }
    w.file = f;
    w.mem = NULL;
    w.size = st.st_size;
    w.pos = 0;
    const char *damage = walk(&w);
    fclose(f);
    return damage;
}
