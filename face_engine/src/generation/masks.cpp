// The colour-class masks: coarse-to-fine classification against an HSV range, the class
// borders that decide where the finer scale looks again, and the opening that removes specks
// and hairlines from a mask.

#include "engine_codes.h"
#include "generation/scoped_rows.h"
#include "generation/segmentation.h"

#include <algorithm>

namespace zel::engine {
namespace {

// Each sample is four times coarser than the next finer one.
constexpr int kScaleStep = 4;

unsigned char classify(const _pixel& hsv, const HsvRange& range) {
    return range.contains(hsv.r, hsv.g, hsv.b) ? 1 : 0;
}

// dst = a where some pixel of the 3 x 3 neighbourhood in src (clipped to the window) equals a,
// else the other value. Done as a pass along the rows into line, then one down the columns.
void spread(unsigned char** src, unsigned char** line, unsigned char** dst, int x0, int x1, int y0,
            int y1, unsigned char a) {
    const unsigned char other = a != 0 ? 0 : 1;
    for (int y = y0; y <= y1; ++y) {
        const unsigned char* s = src[y];
        unsigned char* h = line[y];
        for (int x = x0; x <= x1; ++x) {
            const bool hit = s[x] == a || (x > x0 && s[x - 1] == a) || (x < x1 && s[x + 1] == a);
            h[x] = hit ? 1 : 0;
        }
    }
    for (int y = y0; y <= y1; ++y) {
        const unsigned char* up = line[std::max(y - 1, y0)];
        const unsigned char* mid = line[y];
        const unsigned char* down = line[std::min(y + 1, y1)];
        unsigned char* d = dst[y];
        for (int x = x0; x <= x1; ++x)
            d[x] = (up[x] | mid[x] | down[x]) != 0 ? a : other;
    }
}

} // namespace

void mask_classify(_pixel** hsv, int cols, int rows, int parentCols, int parentRows,
                   unsigned char** parentEdges, unsigned char** out, unsigned char** parent,
                   const HsvRange& range) {
    for (int y = 0; y < rows; ++y) {
        const int py = y / kScaleStep;
        for (int x = 0; x < cols; ++x) {
            const int px = x / kScaleStep;
            if (parentEdges == nullptr ||
                (px < parentCols && py < parentRows && parentEdges[py][px] == 1)) {
                out[y][x] = classify(hsv[y][x], range);
            } else {
                out[y][x] = parent[std::min(py, parentRows - 1)][std::min(px, parentCols - 1)];
            }
        }
    }
}

void mask_edges(unsigned char** mask, unsigned char** edges, int cols, int rows) {
    for (int y = 0; y < rows; ++y) {
        for (int x = 0; x < cols; ++x) {
            const unsigned char v = mask[y][x];
            unsigned char edge = 0;
            for (int ny = std::max(y - 1, 0); ny <= std::min(y + 1, rows - 1) && !edge; ++ny)
                for (int nx = std::max(x - 1, 0); nx <= std::min(x + 1, cols - 1); ++nx)
                    if (mask[ny][nx] != v) {
                        edge = 1;
                        break;
                    }
            edges[y][x] = edge;
        }
    }
}

int mask_open(unsigned char** mask, int cols, int rows, int x0, int x1, int y0, int y1, int t) {
    x0 = std::max(x0, 0);
    y0 = std::max(y0, 0);
    x1 = std::min(x1, cols - 1);
    y1 = std::min(y1, rows - 1);
    if (x0 > x1 || y0 > y1)
        return kOk;
    Mask line = make_mask(cols, rows);
    Mask work = make_mask(cols, rows);
    if (!line || !work)
        return kNoMemory;
    const unsigned char value = t != 0 ? 1 : 0;
    const unsigned char other = value != 0 ? 0 : 1;
    // Erosion of the t-valued pixels (any other-valued neighbour wins), then dilation.
    spread(mask, line.get(), work.get(), x0, x1, y0, y1, other);
    spread(work.get(), line.get(), mask, x0, x1, y0, y1, value);
    return kOk;
}

int mask_from_ranges(_pixel** hsv, int cols, int rows, _pixel** hsv4, int cols4, int rows4,
                     _pixel** hsv16, int cols16, int rows16, const HsvRange& range,
                     unsigned char** mask, FaceBox* box, bool* boxSet) {
    {
        Mask m4 = make_mask(cols4, rows4);
        Mask e4 = make_mask(cols4, rows4);
        Mask m16 = make_mask(cols16, rows16);
        Mask e16 = make_mask(cols16, rows16);
        if (!m4 || !e4 || !m16 || !e16)
            return kNoMemory;
        mask_classify(hsv16, cols16, rows16, 0, 0, nullptr, m16.get(), nullptr, range);
        mask_edges(m16.get(), e16.get(), cols16, rows16);
        mask_classify(hsv4, cols4, rows4, cols16, rows16, e16.get(), m4.get(), m16.get(), range);
        mask_edges(m4.get(), e4.get(), cols4, rows4);
        mask_classify(hsv, cols, rows, cols4, rows4, e4.get(), mask, m4.get(), range);
    }
    if (const int r = mask_open(mask, cols, rows, 0, cols - 1, 0, rows - 1, 0); r != kOk)
        return r;
    if (const int r = mask_open(mask, cols, rows, 0, cols - 1, 0, rows - 1, 1); r != kOk)
        return r;
    if (const int r = face_seg(mask, cols, rows, box, 1, boxSet); r != kOk)
        return r;
    return face_seg(mask, cols, rows, nullptr, 0);
}

} // namespace zel::engine
