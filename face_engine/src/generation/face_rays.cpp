// The ray rules of the line drawing. Rays run from the face box centre to every pixel of the
// picture's border, so together they look outwards in every direction: along a ray the face
// outline is the last ink before the background.

#include "engine_codes.h"
#include "generation/face_region.h"
#include "generation/scoped_rows.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace zel::engine {
namespace {

struct Point {
    int x;
    int y;
};

// One ray towards a border target. Each step moves x when the ray is not too steep, then y
// when it is not too flat, so the ray follows the line to the target in 8-connected steps.
struct Ray {
    int x;
    int y;
    int tx;
    int ty;

    bool at_target() const { return x == tx && y == ty; }
    void step() {
        if (std::abs(ty - y) < 2 * std::abs(tx - x))
            x += tx > x ? 1 : -1;
        if (std::abs(tx - x) < 2 * std::abs(ty - y))
            y += ty > y ? 1 : -1;
    }
};

// Rays stay off the picture's outermost rows and columns.
bool inside(int x, int y, int cols, int rows) {
    return x >= 1 && x <= cols - 2 && y >= 1 && y <= rows - 2;
}

// The border targets in their order: the top row from the right, the left column downwards,
// the bottom row from the left, the right column upwards.
template <typename F> void for_each_target(int cols, int rows, F&& f) {
    for (int x = cols - 1; x >= 0; --x)
        f(x, 0);
    for (int y = 1; y <= rows - 1; ++y)
        f(0, y);
    for (int x = 1; x <= cols - 1; ++x)
        f(x, rows - 1);
    for (int y = rows - 2; y >= 0; --y)
        f(cols - 1, y);
}

// Sets the 3 x 3 block around p (clipped to the picture) to value.
void mark_block(unsigned char** image, int cols, int rows, Point p, unsigned char value) {
    for (int y = std::max(p.y - 1, 0); y <= std::min(p.y + 1, rows - 1); ++y)
        for (int x = std::max(p.x - 1, 0); x <= std::min(p.x + 1, cols - 1); ++x)
            image[y][x] = value;
}

// A run with more off-skin pixels than this is a real line crossing the face border; a
// shorter one is a shadow on the skin.
constexpr int kMaxShadowOffSkin = 3;
// Rows below the chin a ray may look for the face, and for ink below the face.
constexpr int kRaySearchBelowChin = 15;
constexpr int kRayCloseBelowChin = 3;

} // namespace

void face_ray_erase_marks(unsigned char** drawing, unsigned char** skin, int cols, int rows, int x,
                          int y, int tx, int ty, unsigned char** erase, unsigned char** dots) {
    Ray ray{x, y, tx, ty};
    std::vector<Point> run;
    while (inside(ray.x, ray.y, cols, rows)) {
        if (drawing[ray.y][ray.x] != 0) {
            if (ray.at_target())
                return;
            ray.step();
            continue;
        }
        run.clear();
        int offSkin = 0;
        while (inside(ray.x, ray.y, cols, rows) && drawing[ray.y][ray.x] == 0) {
            run.push_back({ray.x, ray.y});
            offSkin += skin[ray.y][ray.x] == 0 ? 1 : 0;
            if (ray.at_target())
                break;
            ray.step();
        }
        if (offSkin > kMaxShadowOffSkin) {
            for (const Point& p : run)
                if (skin[p.y][p.x] == 1)
                    erase[p.y][p.x] = 1;
        } else {
            for (const Point& p : run)
                erase[p.y][p.x] = 1;
            mark_block(dots, cols, rows, run.back(), 1);
        }
        if (ray.at_target())
            return;
    }
}

int face_rays_erase(unsigned char** drawing, unsigned char** skin, int cols, int rows,
                    const FaceBox& box) {
    Mask erase = make_mask(cols, rows);
    Mask dots = make_mask(cols, rows);
    if (!erase || !dots)
        return kNoMemory;
    for (int y = 0; y < rows; ++y) {
        std::fill(erase.get()[y], erase.get()[y] + cols, 0);
        std::fill(dots.get()[y], dots.get()[y] + cols, 0);
    }
    for_each_target(cols, rows, [&](int tx, int ty) {
        face_ray_erase_marks(drawing, skin, cols, rows, box.centerx, box.centery, tx, ty,
                             erase.get(), dots.get());
    });
    for (int y = 0; y < rows; ++y) {
        for (int x = 0; x < cols; ++x) {
            const bool e = erase.get()[y][x] != 0;
            const bool d = dots.get()[y][x] != 0;
            if (e && !d)
                drawing[y][x] = 1;
            else if (d && !e)
                drawing[y][x] = 0;
        }
    }
    return kOk;
}

void face_rays_close(unsigned char** drawing, unsigned char** skin, unsigned char** background,
                     unsigned char** face, int cols, int rows, const FaceBox& box) {
    bool haveSkin = false;
    Point lastSkin{0, 0};
    for_each_target(cols, rows, [&](int tx, int ty) {
        Ray ray{box.centerx, box.centery, tx, ty};
        bool haveFace = false;
        Point lastFace{0, 0};
        while (inside(ray.x, ray.y, cols, rows) && ray.y < box.maxy + kRaySearchBelowChin) {
            if (background[ray.y][ray.x] == 1)
                break;
            if (face[ray.y][ray.x] == 1) {
                haveFace = true;
                lastFace = {ray.x, ray.y};
            }
            if (skin[ray.y][ray.x] == 1) {
                haveSkin = true;
                lastSkin = {ray.x, ray.y};
            }
            if (ray.at_target())
                break;
            ray.step();
        }
        if (!haveFace)
            return;
        // Is there a line between the face and the background along this ray?
        Ray outward{lastFace.x, lastFace.y, tx, ty};
        bool lined = false;
        while (inside(outward.x, outward.y, cols, rows) &&
               outward.y < box.maxy + kRayCloseBelowChin) {
            if (background[outward.y][outward.x] == 1)
                break;
            if (drawing[outward.y][outward.x] == 0) {
                lined = true;
                break;
            }
            if (outward.at_target())
                break;
            outward.step();
        }
        if (!lined && haveSkin && lastSkin.y < box.maxy)
            mark_block(drawing, cols, rows, lastSkin, 0);
    });
}

} // namespace zel::engine
