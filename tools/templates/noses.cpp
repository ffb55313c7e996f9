// Noses: seen from the front, axis at x = 0, base (the bottom of the nostrils) near y = 0.

#include "part_artwork.h"

namespace vyrgen {
namespace {

// Wing of the nostril on the picture's left, from its top: it comes down the side of the nose,
// rounds outwards and turns back in under itself into the nostril.
Polyline wing(double a, Pt top) {
    return joined(
        bezier(top, Pt{-0.96 * a, -0.66 * a}, Pt{-1.14 * a, -0.04 * a}, Pt{-0.66 * a, -0.02 * a}),
        bezier(Pt{-0.66 * a, -0.02 * a}, Pt{-0.46 * a, -0.02 * a}, Pt{-0.40 * a, -0.22 * a},
               Pt{-0.50 * a, -0.30 * a}));
}

TemplateImage nose(const SetStyle& style, int shape) {
    const double a = style.nose_half_width[shape - 1];
    const double w = style.nose_stroke;
    const double h = style.nose_height;
    Raster raster = part_raster();

    const Pt wing_top{-0.60 * a, -0.90 * a};
    const Polyline left_wing = wing(a, wing_top);
    raster.stroke(mirrored(left_wing), w);

    // The base under the tip, a shallow smile between the nostrils.
    raster.stroke(bezier(Pt{-0.36 * a, -0.12 * a}, Pt{-0.16 * a, 0.10 * a}, Pt{0.16 * a, 0.10 * a},
                         Pt{0.36 * a, -0.12 * a}),
                  w);

    // The shaded side: one line from between the brows down the bridge, swelling out over the
    // tip and running on into the wing, as a caricaturist draws it. A child's short nose shows
    // only its tip.
    const Polyline bridge = bezier(Pt{-0.18 * a, -h}, Pt{-0.22 * a - 1, -0.62 * h},
                                   Pt{-0.46 * a, -0.90 * a - 0.22 * h}, wing_top);
    const double shade_from = style.nose_bridge ? 0.0 : 0.8;
    raster.stroke(joined(sub_polyline(bridge, shade_from, 1.0), left_wing), w);
    // The lit side shows only where the tip rounds into the other wing: a short, lighter line on
    // a long nose, the shaded side's mirror image on a child's.
    const double lit_from = style.nose_bridge ? 0.74 : shade_from;
    const double lit_width = style.nose_bridge ? 0.8 * w : w;
    raster.stroke(sub_polyline(mirrored(bridge), lit_from, 1.0), lit_width);
    return finish_template("NOSE" + std::to_string(shape), std::move(raster),
                           Anchor::OriginBaseRow);
}

} // namespace

std::vector<TemplateImage> nose_templates(const SetStyle& style) {
    std::vector<TemplateImage> noses;
    for (int shape = 1; shape <= 3; ++shape)
        noses.push_back(nose(style, shape));
    return noses;
}

} // namespace vyrgen
