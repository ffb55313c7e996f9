#pragma once
// The skin beyond the corners of the eyes and the mouth. Beside the eyes, a frame's hinge or
// the edge of the face against the background is as dark and as sharp as an eye's corner, and
// on a turned head it lies where the far eye's corner is sought; below, the jaw's edge against
// the background looks like a mouth corner. The eyes' outer corners have the temples beyond
// them and the mouth corners the cheeks, so a candidate without skin beyond it is no corner.
// Measured on the calibration portraits (a strip reaching a fifth of the eyes' distance
// outwards): beyond every true outer eye corner at least a third of the strip is skin, beyond
// a hinge at the face's edge next to none; beyond a mouth corner of a turned head as little as
// a twenty-fifth, beyond the jaw's edge none at all.

#include "generation/landmark_pairs.h"

#include <zel/face_engine.h>

#include <vector>

namespace zel::engine {

// The least share of skin beyond an outer eye corner, and beyond a mouth corner.
inline constexpr double kLeastSkinBeyondEye = 0.2;
inline constexpr double kLeastSkinBeyondMouth = 0.02;

// The skin's hue (0..255 as the generation's HSV rows hold it, byte 0): the mean hue, taken
// around the circle, of the coloured pixels of a square at the middle of the box, which lies on
// the nose. NaN when that square holds no colour (a grey picture) or there is no picture.
double skin_hue(_pixel** hsv, int cols, int rows, const FaceBox& box);

// The share of pixels of skin's hue (and some colour) in the strip beyond (x, y): rows y - 1 to
// y + 1, columns near..far pixels outwards (step -1 to the left, +1 to the right); parts of the
// strip outside the picture count as no skin. 1 when skinHue is NaN or there is no picture
// (nothing to judge by).
double skin_beyond(_pixel** hsv, int cols, int rows, int x, int y, int step, int near, int far,
                   double skinHue);

// How far the face runs on beyond (x, y): the distance from near to the farthest column,
// near..far pixels outwards, where most of rows y - 1 to y + 1 are skin (0 when none is);
// far - near when skinHue is NaN or there is no picture.
int face_beyond(_pixel** hsv, int cols, int rows, int x, int y, int step, int near, int far,
                double skinHue);

// Outer eye corner candidates (step as for skin_beyond) with their scores lowered by how much
// shorter than a temple the face beyond them runs: a candidate at the face's edge or on the
// ear has little face beyond it, a true corner the temple. Soft, since the far eye of a turned
// head may lie near the face's edge.
std::vector<PointCandidate> outer_corners_weighed_by_face(const std::vector<PointCandidate>& list,
                                                          _pixel** hsv, int cols, int rows,
                                                          const FaceBox& box, int step,
                                                          double skinHue);

// The candidates of a corner on one side (step as for skin_beyond) with at least leastShare
// of skin beyond them, the strip's reach taken from the box width.
std::vector<PointCandidate> corners_with_skin_beyond(const std::vector<PointCandidate>& list,
                                                     _pixel** hsv, int cols, int rows,
                                                     const FaceBox& box, int step, double skinHue,
                                                     double leastShare);

} // namespace zel::engine
