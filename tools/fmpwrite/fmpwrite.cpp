#include "tools/fmpwrite/fmpwrite.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {

int bytesPerPixel(int depth) { return (depth + 1) / 8; }

long pictureBytes(const FmpMap &m) {
  return (long)m.blockWidth * m.blockHeight * bytesPerPixel(m.depth);
}

// Collects one chunk body; multi-byte map fields follow the map's byte order.
struct Body {
  const FmpMap &m;
  std::vector<unsigned char> bytes;
  bool ok = true;

  explicit Body(const FmpMap &map) : m(map) {}
  void u8(long v) {
    if (v < -128 || v > 255) ok = false;
    bytes.push_back((unsigned char)v);
  }
  void u16(long v) {
    if (v < -32768 || v > 65535) ok = false;
    unsigned x = (unsigned)v & 0xFFFF;
    if (m.lsb) { bytes.push_back(x & 255); bytes.push_back(x >> 8); }
    else { bytes.push_back(x >> 8); bytes.push_back(x & 255); }
  }
  void u32(long long v) {
    unsigned long x = (unsigned long)v & 0xFFFFFFFFul;
    for (int i = 0; i < 4; i++) {
      int shift = m.lsb ? 8 * i : 24 - 8 * i;
      bytes.push_back((x >> shift) & 255);
    }
  }
};

bool omitted(const FmpMap &m, const char *id) {
  return std::find(m.omitChunks.begin(), m.omitChunks.end(), id) != m.omitChunks.end();
}

void putChunk(std::vector<unsigned char> &out, const FmpMap &m, const std::string &id,
              const std::vector<unsigned char> &body) {
  if (omitted(m, id.c_str())) return;
  for (int i = 0; i < 4; i++) out.push_back(i < (int)id.size() ? id[i] : ' ');
  size_t at = out.size();
  out.resize(at + 4);
  fmpPutBE32(out, (long)at, body.size());
  out.insert(out.end(), body.begin(), body.end());
}

Body headerChunk(const FmpMap &m, int numGraphics) {
  Body b(m);
  b.u8(m.versionMajor);
  b.u8(m.versionMinor);
  b.u8(m.lsb ? 1 : 0);
  b.u8(m.mapType);
  b.u16(m.width);
  b.u16(m.height);
  b.u32(0);
  b.u16(m.blockWidth);
  b.u16(m.blockHeight);
  b.u16(m.depth);
  b.u16(m.blockStrSize);
  b.u16((long)m.blocks.size());
  b.u16(numGraphics);
  b.u32(0);
  b.u16(m.gapX ? m.gapX : m.blockWidth);
  b.u16(m.gapY ? m.gapY : m.blockHeight);
  b.u16(m.staggerX);
  b.u16(m.staggerY);
  b.u16(m.clickMask);
  b.bytes.resize(m.headerBytes, 0);
  return b;
}

Body blockChunk(const FmpMap &m) {
  Body b(m);
  long gfxScale = m.mapType == 0 ? pictureBytes(m) : 1;
  for (const FmpBlock &blk : m.blocks) {
    size_t start = b.bytes.size();
    for (int g : {blk.bg, blk.fg, blk.fg2, blk.fg3}) b.u32((long long)g * gfxScale);
    b.u32(blk.user1);
    b.u32(blk.user2);
    b.u16(blk.user3);
    b.u16(blk.user4);
    b.u8(blk.user5);
    b.u8(blk.user6);
    b.u8(blk.user7);
    b.u8(blk.flags);
    b.bytes.resize(start + std::max(m.blockStrSize, 32), 0);
  }
  return b;
}

// The frame sequence (every animation's frames one after another), then the records, the
// end marker first; the last record is the one cell -1 names.
Body animChunk(const FmpMap &m) {
  Body b(m);
  long frames = 0;
  for (const FmpAnim &a : m.anims) frames += (long)a.frames.size();
  long total = frames * 4 + ((long)m.anims.size() + 1) * 16;
  for (const FmpAnim &a : m.anims)
    for (int f : a.frames) b.u32((long long)f * (m.mapType == 0 ? m.blockStrSize : 1));
  // Type 0 keeps positions as byte offsets back from the end of the chunk.
  auto position = [&](long p) { return m.mapType == 0 ? 4 * p - total : p; };
  b.u8(255); b.u8(0); b.u8(0); b.u8(0);
  b.u32(0); b.u32(0); b.u32(0);
  long start = 0;
  for (const FmpAnim &a : m.anims) {
    long end = start + (long)a.frames.size();
    b.u8(a.type);
    b.u8(a.delay);
    b.u8(a.delay);
    b.u8(0);
    b.u32(position(start));
    b.u32(position(start));
    b.u32(position(end));
    start = end;
  }
  return b;
}

int cellValue(const FmpMap &m, short c) {
  if (m.mapType != 0) return c;
  return c < 0 ? c * 16 : c * m.blockStrSize;
}

// Type 2: runs of one value, else literal stretches. Type 3: copies of earlier cells (the
// best match within two rows back), else literals. Tokens never cross a row.
void runLayer(const FmpMap &m, const std::vector<short> &cells, Body &b) {
  for (int row = 0; row < m.height; row++) {
    long rowStart = (long)row * m.width;
    std::vector<short> literals;
    auto flush = [&]() {
      if (literals.empty()) return;
      b.u16((long)literals.size());
      for (short v : literals) b.u16(v);
      literals.clear();
    };
    int i = 0;
    while (i < m.width) {
      long pos = rowStart + i;
      int left = m.width - i;
      int bestLen = 0, bestBack = 0;
      if (m.mapType == 2) {
        while (bestLen < left && cells[pos + bestLen] == cells[pos]) bestLen++;
      } else {
        long maxBack = std::min<long>(pos, 2L * m.width);
        for (long back = 1; back <= maxBack; back++) {
          int len = 0;
          while (len < left && cells[pos + len] == cells[pos - back + len]) len++;
          if (len > bestLen) { bestLen = len; bestBack = (int)back; }
        }
      }
      if (bestLen >= 3) {
        flush();
        b.u16(-bestLen);
        b.u16(m.mapType == 2 ? cells[pos] : -bestBack);
        i += bestLen;
      } else {
        literals.push_back(cells[pos]);
        i++;
      }
    }
    flush();
  }
}

Body layerChunk(const FmpMap &m, const std::vector<short> &cells) {
  Body b(m);
  if (m.mapType <= 1)
    for (short c : cells) b.u16(cellValue(m, c));
  else
    runLayer(m, cells, b);
  return b;
}

}  // namespace

int fmpAddGraphics(FmpMap &m, int count) {
  long each = pictureBytes(m);
  int first = each > 0 ? (int)(m.graphics.size() / each) : 0;
  m.graphics.resize(m.graphics.size() + (size_t)count * each, 0);
  return first;
}

void fmpSetPixel(FmpMap &m, int graphic, int x, int y, int r, int g, int b) {
  if (x < 0 || y < 0 || x >= m.blockWidth || y >= m.blockHeight || graphic < 0) return;
  int bpp = bytesPerPixel(m.depth);
  size_t at = (size_t)graphic * pictureBytes(m) + ((size_t)y * m.blockWidth + x) * bpp;
  if (at + bpp > m.graphics.size()) return;
  unsigned char *p = &m.graphics[at];
  unsigned v;
  switch (m.depth) {
    case 8: p[0] = (unsigned char)r; break;
    case 15:
      v = (r >> 3) << 10 | (g >> 3) << 5 | b >> 3;
      p[0] = v >> 8; p[1] = v & 255;
      break;
    case 16:
      v = (r >> 3) << 11 | (g >> 2) << 5 | b >> 3;
      p[0] = v >> 8; p[1] = v & 255;
      break;
    case 24: p[0] = r; p[1] = g; p[2] = b; break;
    default: p[0] = 0; p[1] = r; p[2] = g; p[3] = b; break;
  }
}

int fmpAnimCell(const FmpMap &m, int k) { return -(int)(m.anims.size() - k); }

bool fmpWriteMemory(const FmpMap &m, std::vector<unsigned char> &out) {
  long each = pictureBytes(m);
  if (each <= 0 || m.graphics.size() % each) return false;
  int numGraphics = (int)(m.graphics.size() / each);
  long cells = (long)m.width * m.height;
  for (const auto &layer : m.layers)
    if (!layer.empty() && (long)layer.size() != cells) return false;

  out.assign({'F', 'O', 'R', 'M', 0, 0, 0, 0, 'F', 'M', 'A', 'P'});
  bool ok = true;
  auto add = [&](const char *id, const Body &b) {
    ok = ok && b.ok;
    putChunk(out, m, id, b.bytes);
  };
  add("MPHD", headerChunk(m, numGraphics));
  for (const FmpChunk &c : m.extraChunks) putChunk(out, m, c.id, c.body);
  if (!m.cmap.empty()) putChunk(out, m, "CMAP", m.cmap);
  if (!m.novc.empty()) {
    std::vector<unsigned char> text(m.novc.begin(), m.novc.end());
    text.push_back(0);
    putChunk(out, m, "NOVC", text);
  }
  add("BKDT", blockChunk(m));
  if (!m.anims.empty()) add("ANDT", animChunk(m));
  if (!m.graphics8.empty()) putChunk(out, m, "AGFX", m.graphics8);
  putChunk(out, m, "BGFX", m.graphics);
  for (size_t n = 0; n < m.layers.size() && n < 8; n++) {
    if (m.layers[n].empty()) continue;
    std::string id = n == 0 ? "BODY" : "LYR" + std::to_string(n);
    add(id.c_str(), layerChunk(m, m.layers[n]));
  }
  fmpPutBE32(out, 4, out.size() - 8);
  return ok;
}

bool fmpWriteFile(const FmpMap &m, const char *path) {
  std::vector<unsigned char> bytes;
  if (!fmpWriteMemory(m, bytes)) return false;
  FILE *f = std::fopen(path, "wb");
  if (!f) return false;
  bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  return std::fclose(f) == 0 && ok;
}

long fmpFindChunk(const std::vector<unsigned char> &file, const char *id) {
  size_t at = 12;
  while (at + 8 <= file.size()) {
    if (!std::memcmp(&file[at], id, 4)) return (long)at;
    unsigned long n = (unsigned long)file[at + 4] << 24 | file[at + 5] << 16 | file[at + 6] << 8 |
                      file[at + 7];
    at += 8 + n;
  }
  return -1;
}

void fmpPutBE32(std::vector<unsigned char> &file, long offset, unsigned long value) {
  if (offset < 0 || (size_t)offset + 4 > file.size()) return;
  for (int i = 0; i < 4; i++) file[offset + i] = (value >> (24 - 8 * i)) & 255;
}
