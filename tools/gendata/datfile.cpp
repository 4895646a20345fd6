// Writes the library's uncompressed data-file format directly with the packfile writers:
// header integers big-endian, 16-bit pixels as 5:6:5 little-endian words, 16-bit sample
// words unsigned little-endian. load_datafile reads the result back as written.
#include "tools/gendata/gen.h"

#include <cstdio>

static void writeProperty(PACKFILE *f, int id, const std::string &value)
{
    pack_mputl(DAT_ID('p', 'r', 'o', 'p'), f);
    pack_mputl(id, f);
    pack_mputl((long)value.size(), f);
    pack_fwrite(value.data(), (long)value.size(), f);
}

static void writeBitmap(PACKFILE *f, BITMAP *b)
{
    long size = 6 + (long)b->w * b->h * 2;
    pack_mputl(DAT_ID('B', 'M', 'P', ' '), f);
    pack_mputl(size, f);
    pack_mputl(size, f);
    pack_mputw(16, f);
    pack_mputw(b->w, f);
    pack_mputw(b->h, f);
    for (int y = 0; y < b->h; y++) {
        for (int x = 0; x < b->w; x++) {
            int c = getpixel(b, x, y);
            int word = ((getr16(c) >> 3) << 11) | ((getg16(c) >> 2) << 5) | (getb16(c) >> 3);
            pack_iputw(word, f);
        }
    }
}

static void writeSample(PACKFILE *f, SAMPLE *s)
{
    int bytes = s->bits == 16 ? 2 : 1;
    long size = 8 + (long)s->len * bytes;
    pack_mputl(DAT_ID('S', 'A', 'M', 'P'), f);
    pack_mputl(size, f);
    pack_mputl(size, f);
    pack_mputw(s->bits, f);
    pack_mputw(s->freq, f);
    pack_mputl((long)s->len, f);
    if (bytes == 2) {
        const unsigned short *d = (const unsigned short *)s->data;
        for (unsigned long i = 0; i < s->len; i++)
            pack_iputw(d[i], f);
    } else {
        pack_fwrite(s->data, (long)s->len, f);
    }
}

bool writeDatafile(const char *path, const std::vector<DatObject> &objs)
{
    PACKFILE *f = pack_fopen(path, F_WRITE_NOPACK);
    if (!f) {
        fprintf(stderr, "gendata: cannot write %s\n", path);
        return false;
    }
    pack_mputl(DAT_MAGIC, f);
    pack_mputl((long)objs.size(), f);
    for (const DatObject &o : objs) {
        writeProperty(f, DAT_ID('N', 'A', 'M', 'E'), o.name);
        if (o.bmp)
            writeBitmap(f, o.bmp);
        else
            writeSample(f, o.smp);
    }
    bool ok = !pack_ferror(f);
    if (pack_fclose(f) != 0)
        ok = false;
    if (!ok)
        fprintf(stderr, "gendata: error while writing %s\n", path);
    return ok;
}
