#pragma once
// Fuzzy part choice, the last analysis stage of caricature generation: twelve shape measures of
// the face, each passed through a fuzzy set of three classes (low, middle, high) of the template
// set, give five proportions and seven part codes; the face object takes the generation's
// records and the face builder draws the chosen parts into the drawing.
//
// A measure whose divisor is 0 or that is not a finite number takes the middle class, and a
// value that no class holds takes the nearest class, so that every proportion handed to the
// builder is one of the sets' own values or between them.

#include "generation/stages.h"

#include <zel/face_engine.h>

#include <array>
#include <cstdint>

namespace zel::engine {

// One fuzzy set as the template library hands it out: 144 bytes, of which the class bounds
// p0..p6 and the three output values are read.
struct FuzzySet {
    unsigned char head[56];
    double p[7]; // p0 start of middle, p1 start of high, p2 end of full low, p3 peak of middle,
                 // p4 start of full high, p5 end of low, p6 end of middle
    unsigned char reserved[8];
    double v_low;
    double v_mid;
    double v_high;
};
static_assert(sizeof(FuzzySet) == 144, "a fuzzy set record is 144 bytes");

inline constexpr int kFuzzySets = 12;

struct Memberships {
    double low = 0.0;
    double mid = 0.0;
    double high = 0.0;
};

// Memberships of x in the three classes of set.
Memberships fuzzy_memberships(const FuzzySet& set, double x);
// The defuzzified value: the class values weighted by the memberships.
double fuzzy_value(FuzzySet set, double x);
// 1.0, 2.0 or 3.0: the class of greatest membership, ties to the lower class.
double fuzzy_class(FuzzySet set, double x);

// Reads the twelve fuzzy sets of the template set. 0, or -21.
int res_read_fuzzy(int set, FuzzySet sets[kFuzzySets]);

// The twelve measures of a face, in the order of the fuzzy sets (the eye line's height above the
// chin, the eyes' spacing, eye to nose, nose to mouth, eye to brow, brow thickness, eye size,
// eye shape, eye slant, nose shape, mouth size, lip thickness). A quotient whose divisor is 0
// is not finite.
std::array<double, kFuzzySets>
shape_measure_inputs(const FaceBox& box, const FaceLandmarks::Eye& left,
                     const FaceLandmarks::Eye& right, const FaceLandmarks::Nose& nose,
                     const FaceLandmarks::Mouth& mouth, const FaceLandmarks::Brow& leftBrow,
                     const FaceLandmarks::Brow& rightBrow);

// The twelve measures of the face into measures: five proportions as values, seven codes as
// classes. Always 0.
int shape_measures_compute(const FuzzySet sets[kFuzzySets], const FaceBox& box,
                           const FaceLandmarks::Eye& left, const FaceLandmarks::Eye& right,
                           const FaceLandmarks::Nose& nose, const FaceLandmarks::Mouth& mouth,
                           const FaceLandmarks::Brow& leftBrow,
                           const FaceLandmarks::Brow& rightBrow, FaceMeasures& measures);

// The stage itself (part_choose) is declared with the other stages: it reads the fuzzy sets
// (-21 when they are not readable, the face object then unchanged), computes the measures,
// stores set, size, measures, box, landmarks and drawing in the face object and draws the
// chosen parts into the drawing (the drawing copy's or the face builder's code on failure).

} // namespace zel::engine
