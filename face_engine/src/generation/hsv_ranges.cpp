// The colour classes of the segmentation: the picked colours widened into HSV ranges, and the
// debug writer of what a run segmented with.

#include "engine_codes.h"
#include "generation/segmentation.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

namespace zel::engine {
namespace {

// Half widths of the ranges: skin varies more in saturation and luma than a plain backdrop,
// the backdrop more in hue (it is often near grey, where hue is unsteady).
constexpr int kSkinHue = 15;
constexpr int kSkinSat = 70;
constexpr int kSkinVal = 70;
constexpr int kBackHue = 25;
constexpr int kBackSat = 40;
constexpr int kBackVal = 40;

// Rows of the jaw band above and below the chin.
constexpr int kJawAbove = 25;
constexpr int kJawBelow = 5;

// Hue wraps by 255 (not 256): the hue scale maps 360 degrees onto 0..255 inclusive.
int wrap_hue(int h) {
    if (h < 0)
        return h + 255;
    if (h > 255)
        return h - 255;
    return h;
}

HsvRange range_around(_pixel colour, int dh, int ds, int dv) {
    int h = 0, s = 0, v = 0;
    pixel2hsv(colour, h, s, v);
    HsvRange range;
    range.hue_max = wrap_hue(h + dh);
    range.sat_max = std::clamp(s + ds, 0, 255);
    range.val_max = std::clamp(v + dv, 0, 255);
    range.hue_min = wrap_hue(h - dh);
    range.sat_min = std::clamp(s - ds, 0, 255);
    range.val_min = std::clamp(v - dv, 0, 255);
    return range;
}

// Longest name the debug writer accepts, so that the file name stays a bounded path.
constexpr std::size_t kMaxDumpName = 4000;

} // namespace

void hsv_pair_clamped(_pixel skin, _pixel background, const vyPointTag& chin, HsvRange& skinRange,
                      HsvRange& backRange, JawBand& jaw) {
    skinRange = range_around(skin, kSkinHue, kSkinSat, kSkinVal);
    backRange = range_around(background, kBackHue, kBackSat, kBackVal);
    jaw.y_min = chin.y - kJawAbove;
    jaw.y_max = chin.y + kJawBelow;
}

int segment_params_dump(const char* name, SegmentParams params) {
    if (name == nullptr || std::strlen(name) > kMaxDumpName)
        return kRefused;
    const std::string path = std::string(name) + ".parm";
    std::FILE* file = std::fopen(path.c_str(), "w");
    if (file == nullptr)
        return kRefused;
    const HsvRange* ranges[] = {&params.back, &params.skinRange};
    const char* labels[] = {"back", "skin"};
    for (int i = 0; i < 2; ++i) {
        const HsvRange& r = *ranges[i];
        std::fprintf(file, "%s h_min:  %d\n", labels[i], r.hue_min);
        std::fprintf(file, "%s h_max:  %d\n", labels[i], r.hue_max);
        std::fprintf(file, "%s s_min:  %d\n", labels[i], r.sat_min);
        std::fprintf(file, "%s s_max:  %d\n", labels[i], r.sat_max);
        std::fprintf(file, "%s v_min:  %d\n", labels[i], r.val_min);
        std::fprintf(file, "%s v_max:  %d\n", labels[i], r.val_max);
    }
    std::fprintf(file, "jaw  y_min:  %d\n", params.jaw.y_min);
    std::fprintf(file, "jaw  y_max:  %d\n\n", params.jaw.y_max);
    std::fprintf(file, "back r/g/b:  %4d %4d %4d\n", params.background.r, params.background.g,
                 params.background.b);
    std::fprintf(file, "skin r/g/b:  %4d %4d %4d\n", params.skin.r, params.skin.g, params.skin.b);
    std::fprintf(file, "chin   x/y:  %4d %4d\n", params.chin_x, params.chin_y);
    const bool written = std::fclose(file) == 0;
    return written ? kOk : kRefused;
}

} // namespace zel::engine
