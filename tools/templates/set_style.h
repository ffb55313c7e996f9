#pragma once
// What makes one template set look like itself: sizes at the standard face, line weights and
// the small touches (lashes, arches, fuller lips) that tell a man's, a woman's and a child's
// parts apart. Every length is in pixels of a face drawn 1:1 (the "STD_FACE" box).

#include <array>

namespace vyrgen {

struct SetStyle {
    int set = 0;
    const char* title = "";

    // Eyes, indexed by code - 1.
    std::array<double, 3> eye_width{}; // corner to corner, by size
    std::array<double, 3> eye_open{};  // opening height / width, by shape
    std::array<double, 3> eye_slant{}; // outer corner rise / width, by slant
    double iris = 0;                   // iris radius / eye width
    double lid_stroke = 0;             // upper lid
    double lower_stroke = 0;           // lower lid
    bool lashes = false;
    bool crease = false;

    // Brows: one length for all; thickness by code.
    double brow_length = 0;
    std::array<double, 3> brow_thick{};
    double brow_arch = 0; // rise of the arch / length
    double brow_peak = 0; // where the arch peaks, from the inner end (0..1)
    double brow_tail = 0; // how far the outer end drops below the inner end / length

    // Nose, by shape code: half the width across the wings.
    std::array<double, 3> nose_half_width{};
    double nose_height = 0; // from the base to the top of the bridge line
    double nose_stroke = 0;
    bool nose_bridge = true; // the whole bridge line; else only the tip shows

    // Mouth: width by size code, lip heights (upper, lower) / width by thickness code.
    std::array<double, 3> mouth_width{};
    std::array<double, 3> upper_lip{};
    std::array<double, 3> lower_lip{};
    double lip_line_stroke = 0;
    double lip_stroke = 0;
    bool full_lips = false; // outline both lips at every thickness

    double stroke = 0; // general line weight
};

const SetStyle& style_for_set(int set);
// The sets of the library, in order.
inline constexpr std::array<int, 4> kSets{1, 2, 3, 6};
// The set whose drawings include the glasses.
inline constexpr int kGlassesSet = 6;

} // namespace vyrgen
