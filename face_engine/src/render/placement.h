#pragma once
// The placement rule shared by every target: a template bitmap (0 = ink) is placed with its
// anchor at lx, ly, scaled by s and mirrored about the anchor's column when asked, and clipped
// at the target's edges. Enlargements map backwards from the target so that they have no holes;
// scale 1.0 and below maps each ink pixel forwards. Positions are truncated toward zero.

#include "render/render.h"
#include "truncate.h"

#include <algorithm>

namespace zel::engine {

// A template bitmap as the template library hands it out: rows of cols bytes, row 0 the top.
struct TemplateView {
    unsigned char* const* rows = nullptr;
    int cols = 0;
    int rowCount = 0;
};

// Calls paint(X, Y) for every target pixel of a cols x rows target that the template's ink
// covers.
template <class Paint>
void place_template_pixels(const TemplateView& t, const PartLocation& loc, int lx, int ly, double s,
                           bool mirror, int cols, int rows, Paint&& paint) {
    if (t.rows == nullptr || cols <= 0 || rows <= 0) {
        return;
    }
    // All arithmetic in double: no sum of template words or positions can overflow.
    const double x = lx;
    const double y = ly;
    const double ax = loc.ax;
    const double ay = loc.ay;
    if (s > 1.0) {
        const int y0 = std::max(0, trunc_to_int(y + (loc.r0 - ay) * s));
        const int y1 = std::min(rows - 1, trunc_to_int(y + (loc.r1 - ay) * s + 0.5));
        int x0 = 0;
        int x1 = 0;
        if (!mirror) {
            x0 = std::max(0, trunc_to_int(x + (loc.c0 - ax) * s));
            x1 = std::min(cols - 1, trunc_to_int(x + (loc.c1 - ax) * s + 0.5));
        } else {
            x1 = std::min(cols - 1, trunc_to_int(x - (loc.c0 - ax) * s + 0.5));
            x0 = std::max(0, trunc_to_int(x - (loc.c1 - ax) * s));
        }
        for (int Y = y0; Y <= y1; ++Y) {
            const int v = trunc_to_int((Y - y) / s + ay + 0.5);
            if (v < 0 || v >= t.rowCount) {
                continue;
            }
            const unsigned char* templateRow = t.rows[v];
            for (int X = x0; X <= x1; ++X) {
                const int u = mirror ? trunc_to_int((x - X) / s + ax + 0.5)
                                     : trunc_to_int((X - x) / s + ax + 0.5);
                if (u >= 0 && u < t.cols && templateRow[u] == 0) {
                    paint(X, Y);
                }
            }
        }
        return;
    }
    for (int v = 0; v < t.rowCount; ++v) {
        const int Y = trunc_to_int((v - ay) * s + y + 0.5);
        if (Y < 0 || Y >= rows) {
            continue;
        }
        const unsigned char* templateRow = t.rows[v];
        for (int u = 0; u < t.cols; ++u) {
            if (templateRow[u] != 0) {
                continue;
            }
            const int X = mirror ? trunc_to_int((ax - u) * s + x + 0.5)
                                 : trunc_to_int((u - ax) * s + x + 0.5);
            if (X >= 0 && X < cols) {
                paint(X, Y);
            }
        }
    }
}

// A template bitmap opened from the template library for the life of one placement.
class TemplateBitmap {
public:
    TemplateBitmap(int set, const char* name);
    ~TemplateBitmap();
    TemplateBitmap(const TemplateBitmap&) = delete;
    TemplateBitmap& operator=(const TemplateBitmap&) = delete;

    explicit operator bool() const { return view_.rows != nullptr; }
    const TemplateView& view() const { return view_; }

private:
    unsigned char** rows_ = nullptr;
    TemplateView view_;
};

} // namespace zel::engine
