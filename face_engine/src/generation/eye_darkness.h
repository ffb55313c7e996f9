#pragma once
// Where an eye is darkest between its two corners. The iris and pupil lie about the middle of
// an eye whatever its size, so a pair of corners that holds the dark of the eye near its outer
// end has taken a look-alike for a corner (the lashes inside the true outer corner, a shadow
// outside the true inner one).

#include "generation/landmark_pairs.h"

#include <zel/face_engine.h>

namespace zel::engine {

// The darkest place of the band along the line from inner to outer (brightness, byte 2 of
// the HSV rows, averaged across a band a quarter of the corners' distance wide), as a share
// of the way from inner (0) to outer (1), looked for between kDarkSearchFrom and
// 1 - kDarkSearchFrom. NaN when the corners lie under four pixels apart or there is no picture.
double darkest_share(_pixel** hsv, int cols, int rows, const PointCandidate& inner,
                     const PointCandidate& outer);

inline constexpr double kDarkSearchFrom = 0.1;

// What an eye whose dark lies near its outer end costs its pair of corners, against their
// correlation scores: nothing as far out as the calibration portraits show, then rising with
// the distance beyond. 0 when darkest_share has no answer.
double dark_off_middle_cost(_pixel** hsv, int cols, int rows, const PointCandidate& inner,
                            const PointCandidate& outer);

} // namespace zel::engine
