// The brow cut: in the upper half of the face, ink blobs much wider than tall are brows (or
// the upper lids' lines); the part templates draw those, so the outline drawing drops them.

#include "engine_codes.h"
#include "generation/face_region.h"
#include "generation/region_list.h"

#include <algorithm>

namespace zel::engine {
namespace {

// A blob whose spread across exceeds this many times its spread down is flat.
constexpr double kFlatRatio = 1.8;
constexpr double kNoSpread = 0.000001;

} // namespace

int face_cuteyebrow(unsigned char** drawing, unsigned char** skin, int cols, int rows,
                    const FaceBox& box) {
    const int x0 = std::max(box.minx, 0);
    const int x1 = std::min(box.maxx, cols - 1);
    const int y0 = std::max(box.miny, 0);
    const int yc = std::min(box.centery, rows - 1);
    // Column variant: lines are columns, segments vertical runs of ink.
    RegionList list(cols);
    for (int x = x0; x <= x1; ++x) {
        // 0 above the face, 1 on its skin, 2 once white drawing was met below the skin's top:
        // only ink below that is taken, so hair and the head's outline never are.
        int state = 0;
        for (int y = y0; y <= yc;) {
            if (state == 2 && drawing[y][x] == 0) {
                int end = y;
                while (end + 1 <= yc && drawing[end + 1][x] == 0)
                    ++end;
                // A run reaching the middle of the face goes on below it: not a brow.
                if (end != box.centery && !list.add(x, y, end)) {
                    vyMessage("Segmentation list table overflows @ face_cuteyebrow().");
                    return kUpsideDown;
                }
                y = end + 1;
                continue;
            }
            if (state == 1 && drawing[y][x] == 1)
                state = 2;
            else if (state == 0 && skin[y][x] == 1)
                state = 1;
            ++y;
        }
    }
    list.merge();
    for (int r = 0; r < list.region_count(); ++r) {
        double sx = 0.0;
        double sy = 0.0;
        const double n = static_cast<double>(list.area(r));
        list.for_each_pixel(r, [&](int x, int y) {
            sx += x;
            sy += y;
        });
        const double mx = sx / n;
        const double my = sy / n;
        double sxx = 0.0;
        double syy = 0.0;
        list.for_each_pixel(r, [&](int x, int y) {
            sxx += (mx - x) * (mx - x);
            syy += (my - y) * (my - y);
        });
        if (syy < kNoSpread || sxx / syy > kFlatRatio)
            list.for_each_pixel(r, [&](int x, int y) { drawing[y][x] = 1; });
    }
    return kOk;
}

} // namespace zel::engine
