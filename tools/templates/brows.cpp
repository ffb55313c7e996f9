// Brows: the brow on the picture's left, inner end at the origin (x = 0), outer tip to the left.
// Every brow of a set has one length and the same blunt inner end and small round tip, so all
// share one box width whatever their thickness or expression.

#include "part_artwork.h"

#include <cmath>

namespace vyrgen {
namespace {

struct BrowShape {
    double length;
    double thick;
    // Spine from the inner end (0, 0) to the outer tip; control points as fractions of length.
    Pt c1, c2, tip;
};

double thickness_at(const BrowShape& b, double t) {
    // Full from the inner end to past the middle, then tapering to the tip.
    const double swell = 0.88 + 0.12 * std::sin(std::min(t / 0.45, 1.0) * M_PI / 2);
    const double taper = t < 0.45 ? 1.0 : 1.0 - 0.82 * std::pow((t - 0.45) / 0.55, 1.3);
    return b.thick * swell * taper;
}

TemplateImage brow(const std::string& name, const BrowShape& b) {
    const double L = b.length;
    const Pt p0{0, 0};
    const Pt p1 = L * b.c1;
    const Pt p2 = L * b.c2;
    const Pt p3 = L * b.tip;
    // The spine is the brow's lower edge near the inner end, so the anchor (the inner end of the
    // bottom edge) stays put when the thickness changes; the brow grows upwards.
    const int n = 160;
    Polyline upper, lower;
    for (int i = 0; i <= n; ++i) {
        const double t = static_cast<double>(i) / n;
        const Pt s = bezier_point(p0, p1, p2, p3, t);
        const double th = thickness_at(b, t);
        lower.push_back(s + Pt{0, -0.15 * th});
        upper.push_back(s + Pt{0, -1.0 * th});
    }
    Raster raster = part_raster();
    raster.fill(joined(upper, reversed(lower)));
    // A steady line through the middle of the tapering half keeps the thin tail in one piece and
    // ends it in the same small round tip whatever the thickness.
    Polyline middle;
    for (int i = n / 3; i <= n; ++i)
        middle.push_back(lerp(upper[i], lower[i], 0.5));
    // On a pixel row the round tip reaches exactly one column past the length.
    middle.back().y = std::round(middle.back().y);
    raster.stroke(middle, 2.2);
    return finish_template(name, std::move(raster), Anchor::InnerBottom);
}

BrowShape neutral_shape(const SetStyle& style, double thick) {
    const double a = style.brow_arch;
    const double k = style.brow_peak;
    return {style.brow_length, thick, Pt{-k * 0.55, -a * 1.25}, Pt{-k * 1.25, -a * 1.30},
            Pt{-1.0, style.brow_tail}};
}

} // namespace

std::vector<TemplateImage> brow_templates(const SetStyle& style) {
    std::vector<TemplateImage> brows;
    for (int thick = 1; thick <= 3; ++thick)
        brows.push_back(brow("BROW" + std::to_string(thick),
                             neutral_shape(style, style.brow_thick[thick - 1])));

    const double mid = style.brow_thick[1];
    // Happy: lifted, round arch.
    BrowShape happy = neutral_shape(style, mid);
    happy.c1 = Pt{-0.25, -0.34 - style.brow_arch};
    happy.c2 = Pt{-0.75, -0.36 - style.brow_arch};
    happy.tip = Pt{-1.0, 0.02};
    brows.push_back(brow("BROW_HPY", happy));
    // Sad: the inner end pushed up, the brow falling away to a low outer tip.
    BrowShape sad = neutral_shape(style, mid);
    sad.c1 = Pt{-0.22, -0.14};
    sad.c2 = Pt{-0.55, 0.02};
    sad.tip = Pt{-1.0, 0.30};
    brows.push_back(brow("BROW_SAD", sad));
    // Angry: heavy, low at the inner end, rising straight to a high outer tip.
    BrowShape angry = neutral_shape(style, style.brow_thick[1] * 0.5 + style.brow_thick[2] * 0.5);
    angry.c1 = Pt{-0.30, -0.10};
    angry.c2 = Pt{-0.68, -0.26};
    angry.tip = Pt{-1.0, -0.36};
    brows.push_back(brow("BROW_ANGRY", angry));
    return brows;
}

} // namespace vyrgen
