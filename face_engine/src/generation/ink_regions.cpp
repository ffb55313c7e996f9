// The region rules of the line drawing: stray ink away from the face goes, specks go, white
// pockets outside the face are inked. Whitening one ink region never changes what another one
// sees, since two ink regions never touch: each rule may act on a region as soon as it is
// judged.

#include "engine_codes.h"
#include "generation/cartoon.h"
#include "generation/face_region.h"
#include "generation/region_list.h"

namespace zel::engine {
namespace {

constexpr unsigned char kInk = 0;
constexpr unsigned char kWhite = 1;

// The four neighbours: up, down, left, right.
constexpr int kDx[4] = {0, 0, -1, 1};
constexpr int kDy[4] = {-1, 1, 0, 0};
// How far past a white neighbour the face may lie for the ink to count as its border.
constexpr int kFaceReach = 5;

void paint(const RegionList& list, int r, unsigned char** image, unsigned char value) {
    list.for_each_pixel(r, [&](int y, int x) { image[y][x] = value; });
}

} // namespace

int face_keep_ink_regions(unsigned char** drawing, unsigned char** face, int cols, int rows) {
    RegionList list(rows);
    if (!list.add_rows(drawing, cols, rows, kInk)) {
        vyMessage("Segmentation list table overflows @ face_keep_ink_regions().");
        return kUpsideDown;
    }
    list.merge();
    int largest = -1;
    long largestArea = 0;
    for (int r = 0; r < list.region_count(); ++r) {
        const long area = list.area(r);
        if (largest < 0 || area > largestArea) {
            largest = r;
            largestArea = area;
        }
    }
    for (int r = 0; r < list.region_count(); ++r) {
        if (r == largest)
            continue;
        // A kept region borders white outside the face (a) and white next to the face (b).
        long outside = 0;
        long nearFace = 0;
        list.for_each_pixel(r, [&](int y, int x) {
            for (int d = 0; d < 4; ++d) {
                const int nx = x + kDx[d];
                const int ny = y + kDy[d];
                if (nx < 0 || nx >= cols || ny < 0 || ny >= rows || drawing[ny][nx] != kWhite)
                    continue;
                if (face[ny][nx] == 0)
                    ++outside;
                for (int k = 0; k < kFaceReach; ++k) {
                    const int fx = nx + k * kDx[d];
                    const int fy = ny + k * kDy[d];
                    if (fx < 0 || fx >= cols || fy < 0 || fy >= rows)
                        break;
                    if (face[fy][fx] == 1) {
                        ++nearFace;
                        break;
                    }
                }
            }
        });
        if (outside == 0 || nearFace == 0)
            paint(list, r, drawing, kWhite);
    }
    return kOk;
}

int face_drop_small_ink(unsigned char** drawing, unsigned char** face, int cols, int rows,
                        int value, int minArea) {
    const unsigned char ink = static_cast<unsigned char>(value);
    const unsigned char white = ink != 0 ? 0 : 1;
    RegionList list(rows);
    if (!list.add_rows(drawing, cols, rows, ink)) {
        vyMessage("Segmentation list table overflows @ face_drop_small_ink().");
        return kUpsideDown;
    }
    list.merge();
    for (int r = 0; r < list.region_count(); ++r) {
        long contacts = 0;
        list.for_each_pixel(r, [&](int y, int x) {
            for (int d = 0; d < 4; ++d) {
                const int nx = x + kDx[d];
                const int ny = y + kDy[d];
                if (nx >= 0 && nx < cols && ny >= 0 && ny < rows && drawing[ny][nx] == white &&
                    face[ny][nx] == 0)
                    ++contacts;
            }
        });
        if (contacts == 0 || list.area(r) < minArea)
            paint(list, r, drawing, white);
    }
    return kOk;
}

int face_fill_enclosed(unsigned char** drawing, unsigned char** face, int cols, int rows) {
    RegionList list(rows);
    if (!list.add_rows(drawing, cols, rows, kWhite)) {
        vyMessage("Segmentation list table overflows @ face_fill_enclosed().");
        return kUpsideDown;
    }
    list.merge();
    for (int r = 0; r < list.region_count(); ++r) {
        bool open = false;
        for (const std::int32_t* s = list.region_begin(r); s != list.region_end(r) && !open; ++s) {
            const RegionList::Segment& seg = list.segment(*s);
            open = seg.line == 0 || seg.line == rows - 1 || seg.first == 0 || seg.last == cols - 1;
        }
        if (open)
            continue;
        bool touchesFace = false;
        list.for_each_pixel(r, [&](int y, int x) { touchesFace = touchesFace || face[y][x] == 1; });
        if (!touchesFace)
            paint(list, r, drawing, kInk);
    }
    return kOk;
}

} // namespace zel::engine
