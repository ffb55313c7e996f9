// Keeping one region of a mask, and the top of the face box from the background mask.

#include "engine_codes.h"
#include "generation/cartoon.h"
#include "generation/region_list.h"
#include "generation/segmentation.h"

#include <algorithm>

namespace zel::engine {

int face_seg(unsigned char** mask, int cols, int rows, FaceBox* box, int t, bool* boxSet) {
    if (boxSet != nullptr)
        *boxSet = false;
    const unsigned char value = static_cast<unsigned char>(t);
    RegionList list(rows);
    if (!list.add_rows(mask, cols, rows, value)) {
        vyMessage("Segmentation list table overflows @ face_seg().");
        return kUpsideDown;
    }
    list.merge();
    if (list.region_count() == 0)
        return kOk;

    const GenerationState& state = generation_state();
    int best = -1;
    long bestArea = 0;
    for (int r = 0; r < list.region_count(); ++r) {
        bool qualifies = box == nullptr;
        for (const std::int32_t* s = list.region_begin(r); s != list.region_end(r) && !qualifies;
             ++s) {
            const RegionList::Segment& seg = list.segment(*s);
            qualifies = seg.first <= state.chin_x && state.chin_x <= seg.last &&
                        state.head_top_y <= seg.line && seg.line <= state.chin_y;
        }
        if (!qualifies)
            continue;
        const long area = list.area(r);
        if (best < 0 || area > bestArea) {
            best = r;
            bestArea = area;
        }
    }
    // Without a qualifying region the one holding the first segment stays, and no box is set.
    const int kept = best >= 0 ? best : 0;
    const unsigned char other = value != 0 ? 0 : 1;
    for (int r = 0; r < list.region_count(); ++r) {
        if (r != kept)
            list.for_each_pixel(r, [&](int y, int x) { mask[y][x] = other; });
    }

    if (box != nullptr && best >= 0 && bestArea > 0) {
        int minx = cols, maxx = -1, miny = rows, maxy = -1;
        for (const std::int32_t* s = list.region_begin(best); s != list.region_end(best); ++s) {
            const RegionList::Segment& seg = list.segment(*s);
            minx = std::min(minx, seg.first);
            maxx = std::max(maxx, seg.last);
            miny = std::min(miny, seg.line);
            maxy = std::max(maxy, seg.line);
        }
        box->minx = minx;
        box->maxx = maxx;
        box->miny = miny;
        box->maxy = maxy;
        box->centerx = static_cast<int>((minx + maxx) / 2.0);
        box->centery = static_cast<int>((miny + maxy) / 2.0);
        box->width = maxx - minx + 1;
        box->height = maxy - miny + 1;
        if (boxSet != nullptr)
            *boxSet = true;
    }
    return kOk;
}

void face_box_top(unsigned char** background, int cols, int rows, FaceBox& box) {
    const int x0 = std::max(box.minx, 0);
    const int x1 = std::min(box.maxx, cols - 1);
    for (int y = 0; y < rows; ++y) {
        int count = 0;
        for (int x = x0; x <= x1; ++x)
            count += background[y][x] == 0 ? 1 : 0;
        if (count > 0.4 * box.width) {
            box.miny = y;
            box.centery = (box.miny + box.maxy) / 2;
            box.height = box.maxy - box.miny + 1;
            return;
        }
    }
}

} // namespace zel::engine
