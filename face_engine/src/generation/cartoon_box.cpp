// The face box adjustments GetCartoon makes between the stages, and the copy of the placed
// points into the landmarks.

#include "generation/cartoon.h"

#include <algorithm>
#include <cmath>
#include <iterator>

namespace zel::engine {
namespace {

// The box rules apply to the three template sets that have face proportions of their own.
bool has_box_rules(int sex) {
    return sex == 1 || sex == 2 || sex == 3;
}

// Box sides as box_set_side numbers them.
constexpr int kSideMinX = 0;
constexpr int kSideMaxX = 1;
constexpr int kSideMinY = 2;
constexpr int kSideMaxY = 3;

// The rules are single-precision constants; their exact float values decide the truncations.
constexpr float kMaxHeightPerWidth = 1.8f;
constexpr float kEyeShareMan = 0.45f;
constexpr float kEyeShareOther = 0.42f;

// Shares of the head's height from head top to chin, measured on the calibration portraits'
// segmented boxes. Fewer than 3 in 100 boxes are narrower than kMinWidthPerHead, among them
// the faces split at glasses or a shadow and those half lit beyond the skin colour's range.
// The boxes' median width is 0.59 of the head; as the fallback, 0.55 placed the landmarks as
// well as 0.50 and better than 0.60. The chin's column marks the middle of the eyes far more
// closely than the box centre does (standard deviation 0.09 against 0.15 of the eyes' span):
// a box whose centre is more than kMaxCentreOffPerHead off it has mostly lost a shadowed side
// of the face, taken in a skin-coloured backdrop or an ear of a turned head. Of 0.03, 0.06,
// 0.09 and 0.12, 0.09 placed the landmarks best.
constexpr double kMinWidthPerHead = 0.42;
constexpr double kWidthPerHead = 0.55;
constexpr double kMaxCentreOffPerHead = 0.09;

// The box's centre column as the later stages take it: halfway between its sides.
double centre_x(const FaceBox& box) {
    return (box.minx + box.maxx) / 2.0;
}

} // namespace

void cartoon_set_landmarks(int sex, vyPointTag chin, vyPointTag headTop,
                           const vyPointSetTag& points, FaceBox& box, int cols) {
    box.box_set_side(kSideMaxY, chin.y);
    cartoon_box_fit_head(chin, headTop, cols, box);
    if (points.point[0].used != 0)
        box.box_set_side(kSideMinX, points.point[0].x);
    if (points.point[1].used != 0)
        box.box_set_side(kSideMaxX, points.point[1].x);
    cartoon_limit_box_ratio(sex, box);
}

int cartoon_box_fit_head(vyPointTag chin, vyPointTag headTop, int cols, FaceBox& box) {
    const int head = chin.y - headTop.y;
    if (head <= 0 || cols <= 0)
        return 0;
    int width = box.maxx - box.minx + 1;
    const bool narrow = width < kMinWidthPerHead * head;
    const bool offCentre = std::abs(centre_x(box) - chin.x) > kMaxCentreOffPerHead * head;
    if (!narrow && !offCentre)
        return 0;
    if (narrow)
        width = static_cast<int>(kWidthPerHead * head);
    width = std::clamp(width, 1, cols);
    const int minx = std::clamp(chin.x - width / 2, 0, cols - width);
    box.box_set_side(kSideMinX, minx);
    box.box_set_side(kSideMaxX, minx + width - 1);
    return 1;
}

int cartoon_limit_box_ratio(int sex, FaceBox& box) {
    // A box without width is refused after the set-up; it has no ratio to limit.
    if (!has_box_rules(sex) || box.width <= 0)
        return 0;
    const double limit = static_cast<double>(kMaxHeightPerWidth);
    if (static_cast<double>(box.height) / box.width <= limit)
        return 0;
    box.height = static_cast<int>(box.width * limit);
    box.box_set_side(kSideMinY, box.maxy - box.height + 1);
    return 1;
}

void cartoon_store_landmarks(const vyPointSetTag& points, FaceLandmarks& lm) {
    // Destination of each point 2..16, in the order of the point set.
    std::int32_t* const targets[][2] = {
        {&lm.eyes[0].out_x, &lm.eyes[0].out_y}, {&lm.eyes[0].in_x, &lm.eyes[0].in_y},
        {&lm.eyes[0].top_x, &lm.eyes[0].top_y}, {&lm.eyes[0].bottom_x, &lm.eyes[0].bottom_y},
        {&lm.eyes[1].in_x, &lm.eyes[1].in_y},   {&lm.eyes[1].out_x, &lm.eyes[1].out_y},
        {&lm.eyes[1].top_x, &lm.eyes[1].top_y}, {&lm.eyes[1].bottom_x, &lm.eyes[1].bottom_y},
        {&lm.mouth.l_x, &lm.mouth.l_y},         {&lm.mouth.r_x, &lm.mouth.r_y},
        {&lm.mouth.top_x, &lm.mouth.top_y},     {&lm.mouth.bottom_x, &lm.mouth.bottom_y},
        {&lm.nose.l_x, &lm.nose.l_y},           {&lm.nose.center_x, &lm.nose.center_y},
        {&lm.nose.r_x, &lm.nose.r_y},
    };
    static_assert(std::size(targets) == kCartoonPoints - 2);
    for (int i = 2; i < kCartoonPoints; ++i) {
        const vyPointTag& p = points.point[i];
        if (p.used == 0)
            continue;
        *targets[i - 2][0] = p.x;
        *targets[i - 2][1] = p.y;
    }
}

int cartoon_fit_parts(int sex, FaceBox& box, const FaceLandmarks& lm) {
    if (!has_box_rules(sex))
        return 0;
    const float k = sex == 1 ? kEyeShareMan : kEyeShareOther;
    const int sum = lm.eyes[0].in_y + lm.eyes[0].out_y + lm.eyes[1].in_y + lm.eyes[1].out_y;
    const float eyeLine = static_cast<float>(sum) / 4.0f;
    const float belowEyes = static_cast<float>(box.maxy) - eyeLine + 1.0f;
    // An eye line at or below the chin would turn the box upside down.
    if (belowEyes <= 0.0f || box.height <= 0)
        return 0;
    if (belowEyes / static_cast<float>(box.height) >= k)
        return 0;
    box.height = static_cast<int>(belowEyes / k);
    box.box_set_side(kSideMinY, box.maxy - box.height + 1);
    return 1;
}

bool cartoon_box_usable(const FaceBox& box, int cols, int rows) {
    return box.minx >= 0 && box.maxx <= cols - 1 && box.miny >= 0 && box.maxy <= rows - 1 &&
           box.maxx - box.minx + 1 >= kMinFaceBoxSide && box.maxy - box.miny + 1 >= kMinFaceBoxSide;
}

} // namespace zel::engine
