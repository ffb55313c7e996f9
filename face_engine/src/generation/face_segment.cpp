// The segmentation stage: block samples, the background and skin masks, the face region with
// its line drawing, and the box top. Every mask and sample is released on every way out.

#include "engine_codes.h"
#include "generation/face_region.h"
#include "generation/scoped_rows.h"
#include "generation/segmentation.h"
#include "generation/stages.h"

namespace zel::engine {
namespace {

// A block sample of the photograph turned into hue, saturation and luma.
struct HsvSample {
    PixelRows rows;
    int cols = 0;
    int rowCount = 0;
};

bool make_hsv_sample(_pixel** photo, int cols, int rows, int block, HsvSample& out) {
    _pixel** rgb = block_mode_sample(photo, cols, rows, &out.cols, &out.rowCount, block);
    if (rgb == nullptr)
        return false;
    PixelRows owned(rgb, PixelRowsFree{out.rowCount});
    out.rows = make_pixel_rows(out.cols, out.rowCount);
    if (!out.rows)
        return false;
    face_rgb2hvs(owned.get(), out.cols, out.rowCount, out.rows.get());
    return true;
}

} // namespace

int face_segment(FaceBox& box, _pixel** photo, _pixel** hsv, unsigned char** drawing, int cols,
                 int rows, const HsvRange& backRange, const HsvRange& skinRange,
                 const JawBand& jaw) {
    HsvSample s4;
    HsvSample s16;
    if (!make_hsv_sample(photo, cols, rows, 4, s4) || !make_hsv_sample(photo, cols, rows, 16, s16))
        return kNoMemory;

    Mask background = make_mask(cols, rows);
    if (!background)
        return kNoMemory;
    // A region list's overflow stays one (its message shown), not a want of memory.
    if (const int r =
            mask_from_ranges(hsv, cols, rows, s4.rows.get(), s4.cols, s4.rowCount, s16.rows.get(),
                             s16.cols, s16.rowCount, backRange, background.get(), nullptr, nullptr);
        r != kOk)
        return r;

    Mask skin = make_mask(cols, rows);
    if (!skin)
        return kNoMemory;
    bool boxSet = false;
    if (const int r =
            mask_from_ranges(hsv, cols, rows, s4.rows.get(), s4.cols, s4.rowCount, s16.rows.get(),
                             s16.cols, s16.rowCount, skinRange, skin.get(), &box, &boxSet);
        r != kOk)
        return r;
    s4.rows.reset();
    s16.rows.reset();
    // Without a skin region at the chin there is no face to outline: every later step would
    // work on a box that was never set.
    if (!boxSet)
        return kFail;

    {
        Mask face = make_mask(cols, rows);
        if (!face)
            return kNoMemory;
        if (const int r = face_region(hsv, cols, rows, background.get(), skin.get(), drawing,
                                      face.get(), jaw, box);
            r != kOk)
            return r;
    }
    skin.reset();
    face_box_top(background.get(), cols, rows, box);
    return kOk;
}

int segmentation_stage(CartoonWork& work, _pixel skin, _pixel background, const vyPointTag& chin) {
    HsvRange skinRange;
    HsvRange backRange;
    JawBand jaw;
    hsv_pair_clamped(skin, background, chin, skinRange, backRange, jaw);
    return face_segment(work.box, work.photo.pixels, work.hsv.pixels, work.drawing.pixels,
                        work.photo.cols, work.photo.rows, backRange, skinRange, jaw);
}

} // namespace zel::engine
