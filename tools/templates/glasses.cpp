// Glasses at half the face scale (the face engine places them at twice the face scale): bridge
// centre at x = 0 on the eye line y = 0, lenses centred a little above it over the eyes.

#include "part_artwork.h"

#include <cmath>

namespace vyrgen {
namespace {

constexpr double kLensCentre = 44; // from the bridge centre to a lens centre
constexpr double kLensRise = -2.5; // lens centre above the eye line
constexpr double kStroke = 2.2;

// Superellipse |x/a|^n + |y/b|^n = 1; a larger n gives squarer corners. `flat_top` straightens
// the upper half a little, as most frames are.
Polyline lens(Pt c, double a, double b, double n, double flat_top) {
    Polyline outline;
    const int steps = 240;
    for (int i = 0; i <= steps; ++i) {
        const double t = 2 * M_PI * i / steps;
        const double ct = std::cos(t);
        const double st = std::sin(t);
        const double x = a * std::copysign(std::pow(std::abs(ct), 2 / n), ct);
        double y = b * std::copysign(std::pow(std::abs(st), 2 / n), st);
        if (y < 0)
            y *= 1 - flat_top * (1 - std::abs(ct));
        outline.push_back(c + Pt{x, y});
    }
    return outline;
}

TemplateImage glasses(const std::string& name, double a, double b, double n, double flat_top) {
    Raster raster = part_raster();
    const Pt left{-kLensCentre, kLensRise};
    const Polyline l = lens(left, a, b, n, flat_top);
    raster.stroke(l, kStroke);
    raster.stroke(mirrored(l), kStroke);
    // Bridge: a low arch between the inner edges of the lenses.
    const double inner = kLensCentre - a;
    raster.stroke(
        bezier(Pt{-inner - 1, kLensRise - 0.35 * b}, Pt{-inner * 0.4, kLensRise - 0.62 * b},
               Pt{inner * 0.4, kLensRise - 0.62 * b}, Pt{inner + 1, kLensRise - 0.35 * b}),
        kStroke);
    // Stubs of the temples leaving the outer top corners.
    const double outer = kLensCentre + a;
    const Polyline temple{Pt{-outer + 0.5, kLensRise - 0.45 * b},
                          Pt{-outer - 7, kLensRise - 0.62 * b}};
    raster.stroke(temple, kStroke);
    raster.stroke(mirrored(temple), kStroke);
    return finish_template(name, std::move(raster), Anchor::Origin);
}

} // namespace

std::vector<TemplateImage> glasses_templates() {
    return {glasses("GLASSES_STD", 24, 17, 3.2, 0.25), glasses("GLASSES_RND", 19.5, 19.5, 2.0, 0.0),
            glasses("GLASSES_REC", 24, 14.5, 7.0, 0.0)};
}

} // namespace vyrgen
