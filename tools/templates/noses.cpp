// Noses: seen from the front, axis at x = 0, base (the bottom of the nostrils) near y = 0.

#include "part_artwork.h"

namespace vyrgen {
namespace {

TemplateImage nose(const SetStyle& style, int shape) {
    const double a = style.nose_half_width[shape - 1];
    const double w = style.nose_stroke;
    Raster raster = part_raster();

    // Wing of the nostril on the picture's left: it comes down the side of the nose, rounds
    // outwards and turns back in under itself into the nostril.
    const Polyline wing = joined(bezier(Pt{-0.66 * a, -0.80 * a}, Pt{-1.10 * a, -0.62 * a},
                                        Pt{-1.12 * a, -0.02 * a}, Pt{-0.66 * a, -0.02 * a}),
                                 bezier(Pt{-0.66 * a, -0.02 * a}, Pt{-0.46 * a, -0.02 * a},
                                        Pt{-0.40 * a, -0.22 * a}, Pt{-0.50 * a, -0.30 * a}));
    raster.stroke(wing, w);
    raster.stroke(mirrored(wing), w);

    // The base under the tip, a shallow smile between the nostrils.
    raster.stroke(bezier(Pt{-0.36 * a, -0.12 * a}, Pt{-0.16 * a, 0.10 * a}, Pt{0.16 * a, 0.10 * a},
                         Pt{0.36 * a, -0.12 * a}),
                  w);

    if (style.nose_bridge) {
        // One side of the bridge, as a caricaturist's single line of shade.
        const double h = style.nose_height;
        raster.stroke(bezier(Pt{-0.30 * a, -h}, Pt{-0.30 * a - 2, -0.72 * h},
                             Pt{-0.52 * a - 3, -0.42 * h}, Pt{-0.64 * a, -0.98 * a}),
                      w * 0.85);
    }
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
