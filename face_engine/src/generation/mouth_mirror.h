#pragma once
// The two corners of one mouth look alike once one of them is mirrored: lips meeting in a
// point, the same skin beside them. A corner's template alone can score the jaw's edge beside
// a thin-lipped or shadowed mouth above the true corner, and such a spot does not mirror its
// partner. The brightness around each corner is compared, the right one mirrored, by Pearson
// correlation, which a shadow over half the face (a change of brightness and contrast) leaves
// unchanged.

#include "generation/landmark_pairs.h"
#include "zel/imaging.h"

namespace zel::engine {

// How much the neighbourhoods of the two mouth corners are compared: a square whose half side
// is this fraction of the corners' distance, so that it holds the lips' ends and the skin
// beside them whatever the size of the face.
inline constexpr double kMirrorReach = 0.2;

// How unlike the brightness (the hsv picture's third channel) around left is the mirrored
// brightness around right: (1 - correlation) / 2, from 0 for mirror images to 1 for opposites.
// Positions outside the picture are left out; 0.5, neither alike nor unlike, when the corners
// lie too close together to compare or either neighbourhood is flat.
double mirror_unlikeness(_pixel** hsv, int cols, int rows, const PointCandidate& left,
                         const PointCandidate& right);

} // namespace zel::engine
