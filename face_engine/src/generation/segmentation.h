#pragma once
// Skin and background segmentation: the picked colours widened into HSV ranges, the masks of
// the photograph classified coarse to fine, their cleaning, and the region tools that keep the
// face. Images are top-down (row index = y); masks hold 1 for pixels of the colour class.

#include <zel/face_engine.h>

namespace zel::engine {

// A colour class in HSV: hue, saturation and luma bounds, inclusive. A hue range whose min is
// not below its max wraps past 0 (passes h >= hue_min or h <= hue_max).
struct HsvRange {
    int hue_min = 0;
    int hue_max = 0;
    int sat_min = 0;
    int sat_max = 0;
    int val_min = 0;
    int val_max = 0;

    bool contains(int h, int s, int v) const {
        const bool hue =
            hue_min < hue_max ? hue_min <= h && h <= hue_max : h >= hue_min || h <= hue_max;
        return hue && sat_min <= s && s <= sat_max && val_min <= v && v <= val_max;
    }
};

// The rows around the chin in which a dark line must cross the face (y min .. y max).
struct JawBand {
    int y_min = 0;
    int y_max = 0;
};

// Skin range around the skin colour, background range around the background colour, both
// wrapped and clamped into 0..255; the jaw band around the chin's row.
void hsv_pair_clamped(_pixel skin, _pixel background, const vyPointTag& chin, HsvRange& skinRange,
                      HsvRange& backRange, JawBand& jaw);

// The whole stage: masks of background and skin, the face box from the skin region that
// reaches the chin, the face region and its line drawing, the box top from the background.
// 0; -1 when no skin region reaches the chin; -2 out of memory; -13 a region list overflowed
// or the face region holds no skin (each with a message).
int face_segment(FaceBox& box, _pixel** photo, _pixel** hsv, unsigned char** drawing, int cols,
                 int rows, const HsvRange& backRange, const HsvRange& skinRange,
                 const JawBand& jaw);

// A new sample of (cols / b) x (rows / b) pixels: each the mean of the pixels of its b x b block
// that share the block's most frequent colour (16 levels per channel; the larger code on ties).
// Null when memory runs out or the sample would be empty.
_pixel** block_mode_sample(_pixel** photo, int cols, int rows, int* sampleCols, int* sampleRows,
                           int b);

// The mask of range over the photograph, classified coarse to fine (the 16-sample, then the
// 4-sample and the photograph only where the coarser class changes), opened, and reduced to
// one region of 1 with its holes filled. With a box the kept region must reach the chin and
// sets the box (*boxSet tells whether it did). 0, -2, -13.
int mask_from_ranges(_pixel** hsv, int cols, int rows, _pixel** hsv4, int cols4, int rows4,
                     _pixel** hsv16, int cols16, int rows16, const HsvRange& range,
                     unsigned char** mask, FaceBox* box, bool* boxSet);

// Classifies each pixel against range where the parent (a sample four times coarser) lies on
// a class border, else copies the parent's class. Without parent every pixel is classified.
void mask_classify(_pixel** hsv, int cols, int rows, int parentCols, int parentRows,
                   unsigned char** parentEdges, unsigned char** out, unsigned char** parent,
                   const HsvRange& range);

// 1 where any of the eight neighbours inside the image differs from the pixel, else 0.
void mask_edges(unsigned char** mask, unsigned char** edges, int cols, int rows);

// Opening of the pixels of value t (taken as 1 when non-zero) with a 3 x 3 square, inside the
// window x0..x1, y0..y1 (neighbourhoods clipped to it). 0, or -2 out of memory.
int mask_open(unsigned char** mask, int cols, int rows, int x0, int x1, int y0, int y1, int t);

// Keeps one region of the pixels of value t and sets every other pixel of that value to the
// other value. Without a box the largest region stays; with one, the largest region that
// crosses the chin's column between the head top and the chin, which also sets the box (and
// *boxSet, when given, tells whether it was set). A mask without such pixels is left as it is.
// 0, or -13 after the overflow message.
int face_seg(unsigned char** mask, int cols, int rows, FaceBox* box, int t, bool* boxSet = nullptr);

// The box top becomes the first row where more than 0.4 of the box width is not background.
void face_box_top(unsigned char** background, int cols, int rows, FaceBox& box);

// What the segmentation ran with, as the debug writer takes it.
struct SegmentParams {
    _pixel skin{};
    _pixel background{};
    int chin_x = 0;
    int chin_y = 0;
    int spare[2] = {};
    HsvRange back;
    HsvRange skinRange;
    JawBand jaw;
};
// Writes params to the text file "<name>.parm". 0, or -11 when it cannot be written (or the
// name is null or too long).
int segment_params_dump(const char* name, SegmentParams params);

} // namespace zel::engine
