#include "face_preview.h"

#include "generation_tables.h"
#include "raster.h"

#include <cmath>
#include <stdexcept>

namespace vyrgen {
namespace {

constexpr int kCols = 720;
constexpr int kRows = 960;

const TemplateImage& find(const std::vector<TemplateImage>& parts, const std::string& name) {
    for (const TemplateImage& part : parts) {
        if (part.name == name)
            return part;
    }
    throw std::runtime_error("preview needs " + name);
}

int trunc(double v) {
    return static_cast<int>(v);
}

// The renderer's placement: forward mapping up to scale 1, backward mapping above it.
void place(std::vector<unsigned char>& canvas, const TemplateImage& t, int lx, int ly, double s,
           bool mirror) {
    const int ax = t.loc[0], ay = t.loc[1];
    auto paint = [&](int x, int y) {
        if (x >= 0 && y >= 0 && x < kCols && y < kRows)
            canvas[static_cast<std::size_t>(y) * kCols + x] = 1;
    };
    if (s <= 1.0) {
        for (int v = 0; v < t.rows; ++v) {
            for (int u = 0; u < t.cols; ++u) {
                if (!t.at(u, v))
                    continue;
                const int x =
                    mirror ? trunc((ax - u) * s + lx + 0.5) : trunc((u - ax) * s + lx + 0.5);
                paint(x, trunc((v - ay) * s + ly + 0.5));
            }
        }
        return;
    }
    const int y0 = std::max(0, trunc(ly + (t.loc[4] - ay) * s));
    const int y1 = std::min(kRows - 1, trunc(ly + (t.loc[5] - ay) * s + 0.5));
    int x0 = 0, x1 = 0;
    if (mirror) {
        x0 = std::max(0, trunc(lx - (t.loc[3] - ax) * s));
        x1 = std::min(kCols - 1, trunc(lx - (t.loc[2] - ax) * s + 0.5));
    } else {
        x0 = std::max(0, trunc(lx + (t.loc[2] - ax) * s));
        x1 = std::min(kCols - 1, trunc(lx + (t.loc[3] - ax) * s + 0.5));
    }
    for (int y = y0; y <= y1; ++y) {
        for (int x = x0; x <= x1; ++x) {
            const int u = mirror ? trunc((lx - x) / s + ax + 0.5) : trunc((x - lx) / s + ax + 0.5);
            const int v = trunc((y - ly) / s + ay + 0.5);
            if (u >= 0 && v >= 0 && u < t.cols && v < t.rows && t.at(u, v))
                paint(x, y);
        }
    }
}

void draw_outline(std::vector<unsigned char>& canvas, const std::array<std::int32_t, 6>& box) {
    Raster r(kCols, kRows, 0, 0);
    const double cx = (box[2] + box[3]) / 2.0;
    const double w = box[3] - box[2];
    const double top = box[4] + 0.08 * (box[5] - box[4]);
    const double bottom = box[5];
    // An egg: wide at the temples, narrowing to the chin.
    const double my = top + 0.42 * (bottom - top);
    Polyline outline = joined(bezier(Pt{cx, top}, Pt{cx - 0.50 * w, top},
                                     Pt{cx - 0.50 * w, my - 0.05 * w}, Pt{cx - 0.47 * w, my}),
                              bezier(Pt{cx - 0.47 * w, my}, Pt{cx - 0.44 * w, bottom - 0.18 * w},
                                     Pt{cx - 0.20 * w, bottom}, Pt{cx, bottom}));
    Polyline right;
    for (const Pt p : reversed(outline))
        right.push_back({2 * cx - p.x, p.y});
    r.stroke(joined(outline, right), 3.0);
    for (int y = 0; y < kRows; ++y)
        for (int x = 0; x < kCols; ++x)
            if (r.ink(x, y))
                canvas[static_cast<std::size_t>(y) * kCols + x] = 1;
}

} // namespace

std::vector<unsigned char> compose_face(int set, const std::vector<TemplateImage>& parts,
                                        const std::vector<TemplateImage>& glasses,
                                        const PreviewFace& face, int& cols, int& rows) {
    std::vector<unsigned char> canvas(static_cast<std::size_t>(kCols) * kRows, 0);
    const auto box = standard_face_box();
    draw_outline(canvas, box);
    const int width = box[3] - box[2] + 1;
    const int height = box[5] - box[4] + 1;
    const int centerx = (box[2] + box[3]) / 2;
    const int maxy = box[5];
    const double s = 1.0; // the box is the standard box

    // The set's typical proportions: the middle class of its fuzzy sets, in the builder's order.
    const auto fuzzy = fuzzy_sets(set);
    auto typical = [&](int k) { return fuzzy[k].value[1]; };
    const int E = trunc(height * typical(0));
    const int B = trunc(E * typical(4));
    const int N = trunc(E * typical(2));
    const int M = trunc(E * typical(3));
    const int S = trunc(width * typical(1));

    const TemplateImage& eye = find(parts, face.eye);
    const int c1 = eye.loc[3], ax = eye.loc[0], ay = eye.loc[1], r0 = eye.loc[4];
    const int left_lx = trunc(centerx - (S / 2 + (c1 - ax) * s));
    const int right_lx = trunc(centerx + (S / 2 + (c1 - ax) * s));
    const int eye_ly = maxy - E;
    place(canvas, eye, left_lx, eye_ly, s, false);
    place(canvas, eye, right_lx, eye_ly, s, true);
    const int We = trunc((eye.loc[3] - eye.loc[2] + 1) * s);
    const int Te = trunc(eye_ly - (ay - r0) * s);

    const TemplateImage& brow = find(parts, face.brow);
    const double bs = We * 1.2 / (brow.loc[3] - brow.loc[2] + 1);
    const int Yb = Te - B;
    const int bl = trunc(centerx - ((brow.loc[3] - brow.loc[0]) * bs + S / 2));
    const int br = trunc(centerx + ((brow.loc[3] - brow.loc[0]) * bs + S / 2));
    const int bly = trunc(Yb - (brow.loc[5] - brow.loc[1]) * bs);
    place(canvas, brow, bl, bly, bs, false);
    place(canvas, brow, br, bly, bs, true);

    const TemplateImage& nose = find(parts, face.nose);
    place(canvas, nose, centerx, trunc(maxy - (E - N) - (nose.loc[5] - nose.loc[1]) * s), s, false);
    const TemplateImage& mouth = find(parts, face.mouth);
    place(canvas, mouth, centerx, maxy - (E - N - M), s, false);

    if (!face.glasses.empty())
        place(canvas, find(glasses, face.glasses), (left_lx + right_lx) / 2, eye_ly, 2 * s, false);
    cols = kCols;
    rows = kRows;
    return canvas;
}

} // namespace vyrgen
