// Eyes: the eye on the picture's left, inner corner at the origin, outer corner to the left.

#include "part_artwork.h"

#include <string>

namespace vyrgen {
namespace {

struct EyeShape {
    double width;
    double open;  // opening height in pixels
    double slant; // rise of the outer corner in pixels
};

// Upper and lower lid, both from the outer corner to the inner corner.
struct Lids {
    Polyline upper;
    Polyline lower;
};

Lids lids_for(const EyeShape& e) {
    const Pt outer{-e.width, -e.slant};
    const Pt inner{0, 0};
    auto at = [&](double t, double dy) { return lerp(outer, inner, t) + Pt{0, dy}; };
    // The upper lid peaks a little towards the inner side, the lower lid dips towards the outer
    // side, as an eye's opening does.
    Lids lids;
    lids.upper = bezier(outer, at(0.18, -0.86 * e.open), at(0.66, -0.92 * e.open), inner);
    lids.lower = bezier(outer, at(0.34, 0.50 * e.open), at(0.80, 0.42 * e.open), inner);
    return lids;
}

Polyline opening_outline(const Lids& lids) {
    return joined(lids.upper, reversed(lids.lower));
}

void draw_iris(Raster& eye, const Lids& lids, const EyeShape& e, double radius) {
    Raster clip = part_raster();
    clip.fill(opening_outline(lids));
    Raster iris = part_raster();
    const Pt centre =
        lerp(point_at(lids.upper, 0.5), point_at(lids.lower, 0.5), 0.42) + Pt{0.04 * e.width, 0};
    iris.fill_disc(centre, radius);
    // The highlight keeps the eye alive; on the inner-upper side so both eyes catch one light
    // once the right eye is mirrored.
    iris.erase_disc(centre + Pt{0.38 * radius, -0.38 * radius}, 0.30 * radius);
    eye.merge_clipped(iris, clip);
}

void draw_lashes(Raster& eye, const Lids& lids, const EyeShape& e) {
    // Short flicks on the outer half of the upper lid, leaning outwards.
    const double lengths[] = {0.20, 0.17, 0.14};
    const double where[] = {0.04, 0.15, 0.27};
    for (int i = 0; i < 3; ++i) {
        const Pt base = point_at(lids.upper, where[i]);
        const Pt tangent = tangent_at(lids.upper, where[i]);
        const Pt normal{tangent.y, -tangent.x};
        const double len = lengths[i] * e.width;
        const Pt tip = base + len * normal + Pt{-0.55 * len, 0.15 * len};
        eye.stroke(bezier(base, base + 0.6 * len * normal, tip), 2.2);
    }
}

TemplateImage eye(const SetStyle& style, int size, int shape, int slant) {
    const double width = style.eye_width[size - 1];
    const EyeShape e{width, style.eye_open[shape - 1] * width, style.eye_slant[slant - 1] * width};
    const Lids lids = lids_for(e);

    Raster raster = part_raster();
    draw_iris(raster, lids, e, style.iris * width);
    raster.stroke(lids.upper, style.lid_stroke);
    raster.stroke(sub_polyline(lids.lower, 0.06, 1.0), style.lower_stroke);
    if (style.crease) {
        // The lid fold above the eye, shorter than the lid so it reads as a fold, not a frame.
        Polyline crease;
        for (const Pt p : sub_polyline(lids.upper, 0.22, 0.78))
            crease.push_back(p + Pt{0, -0.30 * e.open - 4});
        raster.stroke(crease, 1.8);
    }
    if (style.lashes)
        draw_lashes(raster, lids, e);

    const std::string name =
        "EYE" + std::to_string(size) + std::to_string(shape) + std::to_string(slant);
    return finish_template(name, std::move(raster), Anchor::InnerCorner);
}

} // namespace

Raster part_raster() {
    return Raster(400, 300, 200, 150);
}

std::vector<TemplateImage> eye_templates(const SetStyle& style) {
    std::vector<TemplateImage> eyes;
    for (int size = 1; size <= 3; ++size) {
        for (int shape = 1; shape <= 3; ++shape) {
            for (int slant = 1; slant <= 3; ++slant)
                eyes.push_back(eye(style, size, shape, slant));
        }
    }
    return eyes;
}

} // namespace vyrgen
