// Placement of one part template on a bilevel drawing or on the colour canvas.

#include "render/placement.h"

#include "engine_codes.h"

#include <cstring>

namespace zel::engine {

int part_place_template(unsigned char** drawing, int cols, int rows, int set, const char* name,
                        int lx, int ly, const PartLocation& loc, double scale, int mirror,
                        int erase) {
    if (drawing == nullptr) {
        return kFail;
    }
    const TemplateBitmap bitmap(set, name);
    if (!bitmap) {
        return kNoMemory;
    }
    const unsigned char value = erase != 0 ? 1 : 0;
    place_template_pixels(bitmap.view(), loc, lx, ly, scale, mirror != 0, cols, rows,
                          [&](int X, int Y) { drawing[Y][X] = value; });
    return kOk;
}

int part_render(const _zel_object& part, _pixel** canvas, int cols, int rows, int mirror) {
    if (canvas == nullptr) {
        return kFail;
    }
    // A record that came from a caller may lack the terminating NUL.
    char name[sizeof part.name];
    std::memcpy(name, part.name, sizeof part.name);
    name[sizeof part.name - 1] = '\0';
    PartLocation loc;
    if (read_part_location(part.Gender, name, &loc) != kOk) {
        return kMissing;
    }
    const TemplateBitmap bitmap(part.Gender, name);
    if (!bitmap) {
        return kNoMemory;
    }
    const _pixel paint{part.color.r, part.color.g, part.color.b, 0};
    place_template_pixels(bitmap.view(), loc, part.lx, part.ly, part.Scale, mirror != 0, cols, rows,
                          [&](int X, int Y) { canvas[Y][X] = paint; });
    return kOk;
}

} // namespace zel::engine
