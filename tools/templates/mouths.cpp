// Mouths: the centre of the line between the lips at the origin.

#include "part_artwork.h"

namespace vyrgen {
namespace {

// Left half of a lip curve from the corner (x = -w/2) to the middle; the right half is its
// mirror image.
Polyline symmetric(const Polyline& left_half) {
    return joined(left_half, reversed(mirrored(left_half)));
}

Polyline lip_line(double w, double corner_drop) {
    return symmetric(bezier(Pt{-w / 2, corner_drop}, Pt{-0.30 * w, 0.25 * corner_drop - 0.01 * w},
                            Pt{-0.12 * w, -0.012 * w}, Pt{0, 0}));
}

Polyline upper_lip(double w, double u) {
    // Corners, the two peaks of the bow, and the dip in the middle.
    return symmetric(joined(bezier(Pt{-0.47 * w, -0.04 * u}, Pt{-0.34 * w, -0.45 * u},
                                   Pt{-0.20 * w, -1.0 * u}, Pt{-0.10 * w, -1.0 * u}),
                            bezier(Pt{-0.10 * w, -1.0 * u}, Pt{-0.05 * w, -1.0 * u},
                                   Pt{-0.02 * w, -0.74 * u}, Pt{0, -0.72 * u})));
}

Polyline lower_lip(double w, double l, double reach) {
    const double x = reach * w / 2;
    const double depth = l * (0.55 + 0.45 * reach);
    return symmetric(bezier(Pt{-x, 0.30 * depth}, Pt{-0.70 * x, 0.95 * depth}, Pt{-0.30 * x, depth},
                            Pt{0, depth}));
}

TemplateImage mouth(const SetStyle& style, int size, int lips) {
    const double w = style.mouth_width[size - 1];
    const double u = style.upper_lip[lips - 1] * w;
    const double l = style.lower_lip[lips - 1] * w;
    Raster raster = part_raster();
    raster.stroke(lip_line(w, 0.03 * w), style.lip_line_stroke);
    if (style.full_lips || lips == 3) {
        raster.stroke(upper_lip(w, u), style.lip_stroke);
        raster.stroke(lower_lip(w, l, 0.86), style.lip_stroke);
    } else {
        // Thin and middle lips: only the shadow under the lower lip, longer for fuller lips.
        raster.stroke(lower_lip(w, l, lips == 1 ? 0.34 : 0.52), style.lip_stroke);
    }
    return finish_template("MOUTH" + std::to_string(size) + std::to_string(lips), std::move(raster),
                           Anchor::Origin);
}

TemplateImage happy(const SetStyle& style) {
    const double w = style.mouth_width[1] * 1.08;
    Raster raster = part_raster();
    // An open smile: the upper edge barely curved, the lower one a deep round curve, the teeth
    // line just below the upper edge, and a dimple at each corner.
    const Polyline top = symmetric(
        bezier(Pt{-w / 2, -0.12 * w}, Pt{-0.34 * w, -0.02 * w}, Pt{-0.16 * w, 0.0}, Pt{0, 0}));
    const Polyline bottom = symmetric(bezier(Pt{-w / 2, -0.12 * w}, Pt{-0.40 * w, 0.26 * w},
                                             Pt{-0.18 * w, 0.34 * w}, Pt{0, 0.34 * w}));
    raster.stroke(top, style.lip_line_stroke);
    raster.stroke(bottom, style.lip_line_stroke);
    Raster clip = part_raster();
    clip.fill(joined(top, reversed(bottom)));
    Raster teeth = part_raster();
    teeth.stroke(symmetric(bezier(Pt{-0.46 * w, -0.06 * w}, Pt{-0.34 * w, 0.07 * w},
                                  Pt{-0.16 * w, 0.10 * w}, Pt{0, 0.10 * w})),
                 style.lip_stroke);
    raster.merge_clipped(teeth, clip);
    const Polyline dimple =
        bezier(Pt{-w / 2 - 0.05 * w, -0.17 * w}, Pt{-w / 2 - 0.02 * w, -0.10 * w},
               Pt{-w / 2 - 0.01 * w, -0.07 * w});
    raster.stroke(dimple, style.lip_stroke);
    raster.stroke(mirrored(dimple), style.lip_stroke);
    return finish_template("MOUTH_HPY", std::move(raster), Anchor::Origin);
}

TemplateImage sad(const SetStyle& style) {
    const double w = style.mouth_width[1] * 0.92;
    Raster raster = part_raster();
    // Corners pulled down well below the middle, a small pouting lower lip.
    raster.stroke(symmetric(bezier(Pt{-w / 2, 0.20 * w}, Pt{-0.34 * w, 0.02 * w},
                                   Pt{-0.16 * w, 0.0}, Pt{0, 0})),
                  style.lip_line_stroke);
    raster.stroke(symmetric(bezier(Pt{-0.20 * w, 0.16 * w}, Pt{-0.12 * w, 0.22 * w},
                                   Pt{-0.05 * w, 0.23 * w}, Pt{0, 0.23 * w})),
                  style.lip_stroke);
    return finish_template("MOUTH_SAD", std::move(raster), Anchor::Origin);
}

TemplateImage angry(const SetStyle& style) {
    const double w = style.mouth_width[1] * 0.96;
    const double h = 0.13 * w;
    Raster raster = part_raster();
    // Gritted teeth: a flat open mouth with its corners pulled down, the bite line through the
    // middle and the teeth across it.
    const Polyline top =
        symmetric(bezier(Pt{-w / 2, 0.06 * w}, Pt{-0.40 * w, -h}, Pt{-0.18 * w, -h}, Pt{0, -h}));
    const Polyline bottom = symmetric(
        bezier(Pt{-w / 2, 0.06 * w}, Pt{-0.40 * w, h + 0.04 * w}, Pt{-0.18 * w, h}, Pt{0, h}));
    raster.stroke(top, style.lip_line_stroke);
    raster.stroke(bottom, style.lip_line_stroke);
    Raster clip = part_raster();
    clip.fill(joined(top, reversed(bottom)));
    Raster teeth = part_raster();
    teeth.stroke(
        symmetric(bezier(Pt{-w / 2, 0.06 * w}, Pt{-0.36 * w, 0.0}, Pt{-0.18 * w, 0.0}, Pt{0, 0})),
        style.lip_stroke);
    for (double x : {-0.33, -0.20, -0.07, 0.07, 0.20, 0.33})
        teeth.stroke({Pt{x * w, -h - 2}, Pt{x * w, h + 2}}, style.lip_stroke * 0.85);
    raster.merge_clipped(teeth, clip);
    return finish_template("MOUTH_ANGRY", std::move(raster), Anchor::Origin);
}

} // namespace

std::vector<TemplateImage> mouth_templates(const SetStyle& style) {
    std::vector<TemplateImage> mouths;
    for (int size = 1; size <= 3; ++size) {
        for (int lips = 1; lips <= 3; ++lips)
            mouths.push_back(mouth(style, size, lips));
    }
    mouths.push_back(happy(style));
    mouths.push_back(sad(style));
    mouths.push_back(angry(style));
    return mouths;
}

} // namespace vyrgen
