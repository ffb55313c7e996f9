// Part choice: the shape measures of the face, their fuzzy classes, and the hand-over of the
// generation's records to the face object and the face builder.

#include "generation/part_choice.h"

#include "engine_codes.h"
#include "face_state.h"

namespace zel::engine {
namespace {

enum Measure : int {
    kEyeHeight = 0,
    kEyeSpace,
    kEyeNose,
    kNoseMouth,
    kEyeBrow,
    kBrowThick,
    kEyeSize,
    kEyeShape,
    kEyeSlant,
    kNoseShape,
    kMouthSize,
    kLipsThick,
};

double mid_row(const FaceLandmarks::Eye& eye) {
    return (static_cast<double>(eye.bottom_y) + eye.top_y) / 2.0;
}

// Fuzzy sets turn a measure whose divisor is 0 (a quotient that is not finite) into the
// middle class.
int code(const FuzzySet& set, double x) {
    return static_cast<int>(fuzzy_class(set, x));
}

} // namespace

std::array<double, kFuzzySets>
shape_measure_inputs(const FaceBox& box, const FaceLandmarks::Eye& L, const FaceLandmarks::Eye& R,
                     const FaceLandmarks::Nose& N, const FaceLandmarks::Mouth& M,
                     const FaceLandmarks::Brow& LB, const FaceLandmarks::Brow& RB) {
    const double maxy = box.maxy;
    const double W = box.width;
    const double H = box.height;
    const double D = ((maxy - mid_row(R)) + (maxy - mid_row(L))) / 2.0;
    const double Ne = ((N.center_y - mid_row(R)) + (N.center_y - mid_row(L))) / 2.0;
    const double Ew =
        ((static_cast<double>(L.in_x) - L.out_x) + (static_cast<double>(R.out_x) - R.in_x)) / 2.0;
    const double Eh = ((static_cast<double>(L.bottom_y) - L.top_y) +
                       (static_cast<double>(R.bottom_y) - R.top_y)) /
                      2.0;
    const double outerRise = ((maxy - L.out_y) + (maxy - R.out_y)) / 2.0;
    const double innerRise = ((maxy - L.in_y) + (maxy - R.in_y)) / 2.0;
    std::array<double, kFuzzySets> x{};
    x[kEyeHeight] = D / H;
    x[kEyeSpace] = (static_cast<double>(R.in_x) - L.in_x) / W;
    x[kEyeNose] = Ne / D;
    x[kNoseMouth] =
        ((static_cast<double>(M.l_y) - N.center_y) + (static_cast<double>(M.r_y) - N.center_y)) /
        2.0 / D;
    x[kEyeBrow] = ((static_cast<double>(L.top_y) - LB.bottom_y) +
                   (static_cast<double>(R.top_y) - RB.bottom_y)) /
                  2.0 / D;
    x[kBrowThick] = ((static_cast<double>(LB.bottom_y) - LB.top_y) +
                     (static_cast<double>(RB.bottom_y) - RB.top_y)) /
                    2.0 / D;
    x[kEyeSize] = (Ew * Eh) / (W * D);
    x[kEyeShape] = Eh / Ew;
    x[kEyeSlant] = (outerRise - innerRise) / Ew;
    x[kNoseShape] = (static_cast<double>(N.r_x) - N.l_x) / Ne;
    x[kMouthSize] = (static_cast<double>(M.r_x) - M.l_x) / W;
    x[kLipsThick] = (static_cast<double>(M.bottom_y) - M.top_y) / D;
    return x;
}

int shape_measures_compute(const FuzzySet sets[kFuzzySets], const FaceBox& box,
                           const FaceLandmarks::Eye& L, const FaceLandmarks::Eye& R,
                           const FaceLandmarks::Nose& N, const FaceLandmarks::Mouth& M,
                           const FaceLandmarks::Brow& LB, const FaceLandmarks::Brow& RB,
                           FaceMeasures& out) {
    const auto x = shape_measure_inputs(box, L, R, N, M, LB, RB);
    out.eye_height = fuzzy_value(sets[kEyeHeight], x[kEyeHeight]);
    out.eye_space = fuzzy_value(sets[kEyeSpace], x[kEyeSpace]);
    out.eye_nose = fuzzy_value(sets[kEyeNose], x[kEyeNose]);
    out.nose_mouth = fuzzy_value(sets[kNoseMouth], x[kNoseMouth]);
    out.eye_brow = fuzzy_value(sets[kEyeBrow], x[kEyeBrow]);
    out.brow_thick = code(sets[kBrowThick], x[kBrowThick]);
    out.eye_size = code(sets[kEyeSize], x[kEyeSize]);
    out.eye_shape = code(sets[kEyeShape], x[kEyeShape]);
    out.eye_slant = code(sets[kEyeSlant], x[kEyeSlant]);
    out.nose_shape = code(sets[kNoseShape], x[kNoseShape]);
    out.mouth_size = code(sets[kMouthSize], x[kMouthSize]);
    out.lips_thick = code(sets[kLipsThick], x[kLipsThick]);
    return kOk;
}

int part_choose(FaceObject& object, unsigned char** drawing, int cols, int rows, const FaceBox& box,
                const FaceLandmarks& landmarks, int set) {
    FuzzySet sets[kFuzzySets];
    if (const int result = res_read_fuzzy(set, sets); result != kOk)
        return result;
    FaceMeasures measures;
    measures.measures_record_init();
    shape_measures_compute(sets, box, landmarks.eyes[0], landmarks.eyes[1], landmarks.nose,
                           landmarks.mouth, landmarks.brows[0], landmarks.brows[1], measures);
    object.face_set_image(set, cols, rows);
    object.face_set_measures(&measures);
    object.face_set_outline(&box);
    object.face_set_landmarks(&landmarks);
    if (const int result = object.face_set_bwimage(drawing); result != kOk)
        return result;
    return face_build_from_parts(drawing, cols, rows, set, &box, &measures, 0);
}

} // namespace zel::engine
