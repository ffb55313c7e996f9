// The face region step: the drawing threshold found at the jaw, the line drawing, the face
// mask and box, and the clean-up rules in their order.

#include "generation/face_region.h"
#include "engine_codes.h"
#include "generation/cartoon.h"

#include <algorithm>
#include <vector>

namespace zel::engine {
namespace {

// Luma sits in byte 2 of the HSV rows.
inline int luma(const _pixel& p) {
    return p.b;
}

// Share of all non-background pixels darker than the first level tried, and share of the skin
// pixels below the last.
constexpr double kDarkShare = 0.25;
constexpr double kSkinShare = 0.35;
// The coarse step of the threshold search.
constexpr int kThresholdStep = 5;
// Ink regions smaller than this are specks.
constexpr int kMinInkArea = 200;
// Rows below the chin that may keep ink (the jaw's shadow line); below them nothing stays.
constexpr int kRowsBelowChin = 15;

} // namespace

int face_jaw_path(_pixel** hsv, int cols, int rows, unsigned char** background,
                  unsigned char** skin, const JawBand& jaw, const FaceBox& box, int t) {
    const int y0 = std::max({jaw.y_min, box.miny, 0});
    const int y1 = std::min({jaw.y_max, box.maxy, rows - 1});
    const int x0 = std::max(box.minx, 0);
    const int x1 = std::min(box.maxx, cols - 1);
    if (y0 > y1 || x0 > x1)
        return 0;
    // Cells of the previous and the present column: 0 passable and reached, 1 blocked.
    std::vector<unsigned char> prev(static_cast<std::size_t>(y1 - y0 + 1));
    std::vector<unsigned char> cur(prev.size());
    for (int x = x0; x <= x1; ++x) {
        for (int y = y0; y <= y1; ++y) {
            const bool bright = background[y][x] != 1 && skin[y][x] != 0 && luma(hsv[y][x]) > t;
            cur[y - y0] = bright ? 1 : 0;
        }
        if (x > x0) {
            bool anyReached = false;
            const int n = static_cast<int>(cur.size());
            for (int i = 0; i < n;) {
                if (cur[i] != 0) {
                    ++i;
                    continue;
                }
                int j = i;
                bool reached = false;
                while (j < n && cur[j] == 0) {
                    reached = reached || prev[j] == 0;
                    ++j;
                }
                if (reached)
                    anyReached = true;
                else
                    std::fill(cur.begin() + i, cur.begin() + j, 1);
                i = j;
            }
            if (!anyReached)
                return 0;
        }
        std::swap(prev, cur);
    }
    return 1;
}

int face_threshold(_pixel** hsv, int cols, int rows, unsigned char** background,
                   unsigned char** skin, const JawBand& jaw, const FaceBox& box, int* threshold) {
    long all[256] = {};
    long skinCount[256] = {};
    long n = 0;
    long k = 0;
    for (int y = 0; y < rows; ++y) {
        for (int x = 0; x < cols; ++x) {
            if (background[y][x] != 0)
                continue;
            const int v = luma(hsv[y][x]);
            ++all[v];
            ++n;
            if (skin[y][x] == 1) {
                ++skinCount[v];
                ++k;
            }
        }
    }
    // Every skin pixel took the background's colour class (the background colour was picked
    // on the face, or the skin colour beside it): nothing tells the face from its backdrop.
    if (n == 0 || k == 0) {
        vyMessage("No skin apart from the background has been found on the face.\n"
                  "Please make sure that the background color was picked beside the head and "
                  "the skin color on the face.\n");
        return kUpsideDown;
    }

    int lo = 0;
    int hi = -1;
    long a = 0;
    long s = 0;
    for (int v = 0; v < 256; ++v) {
        a += all[v];
        s += skinCount[v];
        if (kDarkShare * n > a)
            lo = v;
        if (kSkinShare * k <= s)
            break;
        hi = v;
    }

    int t = lo;
    if (hi >= lo) {
        bool found = false;
        for (int level = lo; level <= hi; level += kThresholdStep) {
            t = level;
            if (face_jaw_path(hsv, cols, rows, background, skin, jaw, box, level) == 1) {
                found = true;
                break;
            }
        }
        if (found && t != lo) {
            while (t > 0 && face_jaw_path(hsv, cols, rows, background, skin, jaw, box, t - 1) == 1)
                --t;
        }
    }
    *threshold = t;
    return kOk;
}

void face_fill_columns(unsigned char** face, int cols, int rows, const FaceBox& box) {
    const int x0 = std::max(box.minx, 0);
    const int x1 = std::min(box.maxx, cols - 1);
    const int y0 = std::max(box.miny, 0);
    const int y1 = std::min(box.maxy, rows - 1);
    for (int x = x0; x <= x1; ++x) {
        int first = -1;
        int last = -1;
        for (int y = y0; y <= y1; ++y) {
            if (face[y][x] == 1) {
                if (first < 0)
                    first = y;
                last = y;
            }
        }
        for (int y = first + 1; first >= 0 && y < last; ++y)
            face[y][x] = 1;
    }
}

int face_region(_pixel** hsv, int cols, int rows, unsigned char** background, unsigned char** skin,
                unsigned char** drawing, unsigned char** face, const JawBand& jaw, FaceBox& box) {
    int t = 0;
    if (const int r = face_threshold(hsv, cols, rows, background, skin, jaw, box, &t); r != kOk)
        return r;

    for (int y = 0; y < rows; ++y) {
        for (int x = 0; x < cols; ++x) {
            const bool ink = background[y][x] == 0 && luma(hsv[y][x]) <= t;
            drawing[y][x] = ink ? 0 : 1;
            face[y][x] = background[y][x] == 0 && skin[y][x] == 1 && !ink ? 1 : 0;
        }
    }
    if (const int r = face_seg(face, cols, rows, &box, 1); r != kOk)
        return r;
    if (const int r = face_seg(face, cols, rows, nullptr, 0); r != kOk)
        return r;

    box.maxy = generation_state().face_bottom_y;
    box.height = box.maxy - box.miny + 1;
    box.centery = (box.maxy + box.miny) / 2;

    face_fill_columns(face, cols, rows, box);
    if (const int r = face_keep_ink_regions(drawing, face, cols, rows); r != kOk)
        return r;
    if (const int r = face_rays_erase(drawing, skin, cols, rows, box); r != kOk)
        return r;
    if (const int r = face_drop_small_ink(drawing, face, cols, rows, 0, kMinInkArea); r != kOk)
        return r;
    if (const int r = face_cuteyebrow(drawing, skin, cols, rows, box); r != kOk)
        return r;
    face_rays_close(drawing, skin, background, face, cols, rows, box);
    if (const int r = face_fill_enclosed(drawing, face, cols, rows); r != kOk)
        return r;
    face_trim_sides(face, cols, rows, box);

    for (int y = std::max(box.maxy + kRowsBelowChin, 0); y < rows; ++y)
        std::fill(drawing[y], drawing[y] + cols, 1);
    return kOk;
}

} // namespace zel::engine
