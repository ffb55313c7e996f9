#pragma once
// Face region and line drawing: the luma threshold at which a dark line crosses the jaw, the
// drawing of every dark non-background pixel, the face mask and its box, and the clean-up
// rules that leave the outline of the face. Images are top-down; the drawing holds 1 white,
// 0 ink; masks hold 1 for their class.

#include "generation/segmentation.h"

namespace zel::engine {

// The whole step, in order. 0; -2 out of memory; -13 a region list overflowed, or the picture
// outside the background holds no pixel or no skin (with a message).
int face_region(_pixel** hsv, int cols, int rows, unsigned char** background, unsigned char** skin,
                unsigned char** drawing, unsigned char** face, const JawBand& jaw, FaceBox& box);

// The luma threshold of the drawing: the lowest level, tried every fifth level from the dark
// quarter of the picture up to where the skin begins and then refined downwards, at which a
// dark path crosses the jaw band. -13 when there is no pixel or no skin to measure, after a
// message saying so.
int face_threshold(_pixel** hsv, int cols, int rows, unsigned char** background,
                   unsigned char** skin, const JawBand& jaw, const FaceBox& box, int* threshold);

// 1 when the pixels of the jaw band that are not bright skin (luma > t) connect the box's
// first column to its last, else 0.
int face_jaw_path(_pixel** hsv, int cols, int rows, unsigned char** background,
                  unsigned char** skin, const JawBand& jaw, const FaceBox& box, int t);

// Keeps the largest ink region and those that touch both the face and the outside. 0, or -13
// when the region list overflows (with a message), as the other region lists report it.
int face_keep_ink_regions(unsigned char** drawing, unsigned char** face, int cols, int rows);
// Closes the face mask down each column of the box between its first and last face pixel.
void face_fill_columns(unsigned char** face, int cols, int rows, const FaceBox& box);
// Along rays from the box centre, erases ink runs that lie on skin (shadows inside the face),
// keeping a dot at the outer end of short ones. 0, or -2 out of memory.
int face_rays_erase(unsigned char** drawing, unsigned char** skin, int cols, int rows,
                    const FaceBox& box);
// One ray of face_rays_erase, from (x, y) towards the border target (tx, ty): marks in erase
// the pixels of each ink run it crosses (only those on skin when more than three are off
// skin), and in dots the 3 x 3 block at the outer end of each short run.
void face_ray_erase_marks(unsigned char** drawing, unsigned char** skin, int cols, int rows, int x,
                          int y, int tx, int ty, unsigned char** erase, unsigned char** dots);
// Whitens ink regions of fewer than minArea pixels and those without contact to white outside
// the face. 0, or -13 when the region list overflows (with a message).
int face_drop_small_ink(unsigned char** drawing, unsigned char** face, int cols, int rows,
                        int value, int minArea);
// Whitens flat ink blobs (brows) in the upper half of the face. 0, or -13 after a message.
int face_cuteyebrow(unsigned char** drawing, unsigned char** skin, int cols, int rows,
                    const FaceBox& box);
// Along rays from the box centre, puts a dot on the face outline where no ink separates the
// face from the background.
void face_rays_close(unsigned char** drawing, unsigned char** skin, unsigned char** background,
                     unsigned char** face, int cols, int rows, const FaceBox& box);
// Inks white areas that touch neither the picture's border nor the face. 0, or -13 on overflow
// (with a message).
int face_fill_enclosed(unsigned char** drawing, unsigned char** face, int cols, int rows);
// Moves the box sides in to a notch in the top outline of the face mask near them.
void face_trim_sides(unsigned char** face, int cols, int rows, FaceBox& box);

} // namespace zel::engine
