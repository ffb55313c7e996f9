#include "generation_tables.h"

namespace vyrgen {
namespace {

// Sizes at the standard face (height 580): offsets are in its pixels.
constexpr std::int32_t kReference = 580;

// Brightness is compared with the template's centre: skin around a feature is brighter (positive
// weights), the eye, nostrils and the lip line are darker (negative weights).
std::vector<WeightedPoint> eye_inner_corner_left() {
    std::vector<WeightedPoint> p;
    // The eye opening runs to the left of the inner corner.
    for (int x : {-5, -9, -13, -17, -21, -25, -29})
        p.push_back({x, 0, x > -20 ? -2 : -1});
    for (int x : {-11, -19, -27}) {
        p.push_back({x, -3, -1});
        p.push_back({x, 3, -1});
    }
    // Skin towards the nose, under the eye and on the lid.
    for (int y : {-4, 0, 4})
        p.push_back({9, y, 1});
    p.push_back({15, 0, 2});
    for (int x : {-28, -20, -12, -4, 4})
        p.push_back({x, 12, 2});
    for (int x : {-24, -12})
        p.push_back({x, -13, 1});
    return p;
}

std::vector<WeightedPoint> eye_outer_corner_left() {
    std::vector<WeightedPoint> p;
    // The eye opening runs to the right of the outer corner.
    for (int x : {5, 9, 13, 17, 21, 25, 29})
        p.push_back({x, 0, x < 20 ? -2 : -1});
    for (int x : {11, 19, 27}) {
        p.push_back({x, -3, -1});
        p.push_back({x, 3, -1});
    }
    // Skin of the temple, under the eye and on the lid.
    for (int y : {-4, 0, 4})
        p.push_back({-9, y, 2});
    p.push_back({-15, 0, 1});
    for (int x : {-6, 4, 12, 20, 28})
        p.push_back({x, 12, 1});
    for (int x : {12, 24})
        p.push_back({x, -13, 1});
    return p;
}

std::vector<WeightedPoint> nose_centre() {
    std::vector<WeightedPoint> p;
    // Nostrils either side of the base, shade right under the tip.
    for (int s : {-1, 1}) {
        p.push_back({s * 13, -3, -2});
        p.push_back({s * 18, -2, -2});
        p.push_back({s * 15, 1, -1});
        // Cheeks beside the wings.
        p.push_back({s * 40, -8, 1});
        p.push_back({s * 40, 4, 1});
        // Upper lip.
        p.push_back({s * 10, 18, 1});
    }
    p.push_back({0, 3, -1});
    // Tip above.
    for (int y : {-8, -14, -20})
        p.push_back({0, y, 2});
    p.push_back({0, 18, 1});
    return p;
}

std::vector<WeightedPoint> nose_wing_left() {
    std::vector<WeightedPoint> p;
    // Nostril to the right of the wing's edge, the crease above it.
    for (int x : {5, 9, 13})
        p.push_back({x, 2, -2});
    p.push_back({2, -6, -1});
    p.push_back({3, -10, -1});
    // Cheek to the left, tip of the nose up to the right, lip below.
    for (int y : {-8, 0, 8})
        p.push_back({-12, y, 2});
    p.push_back({-20, 0, 1});
    p.push_back({14, -12, 1});
    p.push_back({20, -16, 1});
    p.push_back({6, 14, 1});
    return p;
}

std::vector<WeightedPoint> mouth_corner_left() {
    std::vector<WeightedPoint> p;
    // The lip line runs to the right of the corner.
    for (int x : {5, 10, 15, 20, 25, 30})
        p.push_back({x, 0, x <= 15 ? -2 : -1});
    // Lips and skin above and below the line, skin beyond the corner.
    for (int x : {8, 18, 28}) {
        p.push_back({x, -9, 1});
        p.push_back({x, 10, 1});
    }
    for (int y : {-5, 0, 5})
        p.push_back({-9, y, 2});
    return p;
}

std::vector<WeightedPoint> mirror(const std::vector<WeightedPoint>& left) {
    std::vector<WeightedPoint> right;
    for (const WeightedPoint& p : left)
        right.push_back({-p.x, p.y, p.weight});
    return right;
}

// A fuzzy set with its classes centred on a typical value: low below centre - spread, high
// above centre + spread, middle peaking at the centre. The outputs exaggerate a little, as a
// caricature does.
FuzzySet around(double centre, double spread, double exaggerate = 1.2) {
    const double lo = centre - spread;
    const double hi = centre + spread;
    return {{lo, centre, lo, centre, hi, centre, hi},
            {centre - exaggerate * spread, centre, centre + exaggerate * spread}};
}

} // namespace

std::array<std::int32_t, 6> standard_face_box() {
    // 420 x 580, the face box (cheek to cheek, top of the head to the chin) of a frontal
    // portrait that fills a 720 x 960 picture the usual way.
    return {359, 469, 150, 569, 180, 759};
}

std::vector<PointTemplate> point_templates(int /*set*/) {
    return {
        {"EYE_LEFT_IN", kReference, eye_inner_corner_left()},
        {"EYE_RIGHT_IN", kReference, mirror(eye_inner_corner_left())},
        {"EYE_LEFT_OUT", kReference, eye_outer_corner_left()},
        {"EYE_RIGHT_OUT", kReference, mirror(eye_outer_corner_left())},
        {"NOSE_CENTER", kReference, nose_centre()},
        {"NOSE_LEFT", kReference, nose_wing_left()},
        {"NOSE_RIGHT", kReference, mirror(nose_wing_left())},
        {"MOUTH_LEFT", kReference, mouth_corner_left()},
        {"MOUTH_RIGHT", kReference, mirror(mouth_corner_left())},
    };
}

std::array<double, 21> search_range(int set) {
    // Eye line about 48% down the face box, nose base 21% and mouth 31% of the height below it;
    // inner eye corners 12.5% of the width either side of the centre. A child's features sit
    // lower in the head.
    const double down = set == 3 ? 0.05 : 0.0;
    return {
        0.27,        0.47,        // r0, r1: left inner eye corner, columns from minx
        0.36 + down, 0.58 + down, // r2, r3: its rows from miny
        0.05,                     // r4: right inner corner rows around the left one's
        0.24,        0.08,        // r5, r6: outer corner columns, outwards from the inner one
        -0.05,       0.03,        // r7, r8: outer corner rows around the inner corner's
        0.40,        0.60,        // r9, r10: nose centre columns
        0.60 + down, 0.78 + down, // r11, r12: nose centre rows
        0.16,        0.04,        // r13, r14: nose wings, outwards from the centre
        -0.05,       0.03,        // r15, r16: nose wing rows around the centre's
        0.18,        0.40,        // r17, r18: left mouth corner columns
        0.72 + down, 0.90 + down, // r19, r20: mouth band rows
    };
}

std::array<double, 30> thickness_values(int /*set*/) {
    // Per boundary: default, then the limits (furthest from the centre first for the
    // boundaries above it, nearest first for those below), as fractions of the box height.
    const std::array<double, 3> brow_top{0.115, 0.17, 0.07};
    const std::array<double, 3> brow_bottom{0.075, 0.12, 0.04};
    const std::array<double, 3> eye_top{0.022, 0.045, 0.004};
    const std::array<double, 3> eye_bottom{0.016, 0.0, 0.04};
    const std::array<double, 3> mouth_top{0.025, 0.06, 0.0};
    const std::array<double, 3> mouth_bottom{0.03, 0.0, 0.07};
    std::array<double, 30> t{};
    const std::array<const std::array<double, 3>*, 10> groups{
        &brow_top,   &brow_bottom, &brow_top,   &brow_bottom, &eye_top,
        &eye_bottom, &eye_top,     &eye_bottom, &mouth_top,   &mouth_bottom};
    for (std::size_t g = 0; g < groups.size(); ++g) {
        for (std::size_t k = 0; k < 3; ++k)
            t[3 * g + k] = (*groups[g])[k];
    }
    return t;
}

std::array<FuzzySet, 12> fuzzy_sets(int set) {
    const bool child = set == 3;
    return {
        around(child ? 0.47 : 0.52, 0.05),     // 0 eye_height: eye line to chin / box height
        around(0.25, 0.03),                    // 1 eye_space: inner corners apart / box width
        around(0.40, 0.05),                    // 2 eye_nose: eye line to nose / eye line to chin
        around(0.18, 0.04),                    // 3 nose_mouth
        around(0.105, 0.03),                   // 4 eye_brow
        around(0.063, 0.02),                   // 5 brow_thick
        around(child ? 0.012 : 0.0097, 0.003), // 6 eye_size
        around(0.30, 0.06),                    // 7 eye_shape: height / width
        around(0.03, 0.08),                    // 8 eye_slant
        around(0.70, 0.10),                    // 9 nose_shape
        around(0.41, 0.04),                    // 10 mouth_size
        around(0.16, 0.04),                    // 11 lips_thick
    };
}

} // namespace vyrgen
