// The face box, landmark and measures records.

#include <zel/face_engine.h>

#include "engine_codes.h"

namespace {

// Centre of a side pair: the sum halved in floating point, truncated toward zero.
std::int32_t centre_of(std::int32_t a, std::int32_t b) {
    return static_cast<std::int32_t>((static_cast<double>(a) + static_cast<double>(b)) / 2.0);
}

// Inclusive extent max - min + 1, unchecked as the box keeps it; taken in 64 bits so that
// sides far apart wrap around instead of overflowing.
std::int32_t extent_of(std::int32_t min, std::int32_t max) {
    return static_cast<std::int32_t>(std::int64_t{max} - min + 1);
}

} // namespace

const char* const FaceBox::kLabels[8] = {"minx",    "maxx",    "miny",  "maxy",
                                         "centerx", "centery", "width", "height"};

void FaceBox::box_record_init() {
    *this = FaceBox{};
}

void FaceBox::box_set_side(int side, int value) {
    switch (side) {
    case 0:
        minx = value;
        break;
    case 1:
        maxx = value;
        break;
    case 2:
        miny = value;
        break;
    default:
        maxy = value;
        break;
    }
    if (side == 0 || side == 1) {
        centerx = centre_of(minx, maxx);
        width = extent_of(minx, maxx);
    } else {
        centery = centre_of(miny, maxy);
        height = extent_of(miny, maxy);
    }
}

int FaceBox::box_record_copy(const FaceBox* source) {
    if (source == nullptr) {
        return zel::engine::kMissing;
    }
    *this = *source;
    return zel::engine::kOk;
}

const char* const FaceLandmarks::kEyeLabels[8] = {"in_x",  "in_y",  "out_x",    "out_y",
                                                  "top_x", "top_y", "bottom_x", "bottom_y"};
const char* const FaceLandmarks::kBrowLabels[4] = {"top_x", "top_y", "bottom_x", "bottom_y"};
const char* const FaceLandmarks::kMouthLabels[8] = {"l_x",   "l_y",   "r_x",      "r_y",
                                                    "top_x", "top_y", "bottom_x", "bottom_y"};
const char* const FaceLandmarks::kNoseLabels[6] = {"center_x", "center_y", "l_x",
                                                   "l_y",      "r_x",      "r_y"};

void FaceLandmarks::face_landmarks_init() {
    *this = FaceLandmarks{};
}

int FaceLandmarks::face_landmarks_copy(const FaceLandmarks* source) {
    if (source == nullptr) {
        return zel::engine::kMissing;
    }
    // The colours travel only through the face file; a copy leaves them as they are.
    for (int side = 0; side < 2; ++side) {
        eyes[side] = source->eyes[side];
        brows[side] = source->brows[side];
    }
    nose = source->nose;
    mouth = source->mouth;
    return zel::engine::kOk;
}

void FaceLandmarks::set_eye_point(int code, int side, int x, int y) {
    Eye& eye = eyes[side == 0 ? 0 : 1];
    // The inner corner is the one towards the nose: the higher code on the left eye, the lower
    // on the right.
    const int innerCode = side == 0 ? 1 : 0;
    const int outerCode = side == 0 ? 0 : 1;
    if (code == innerCode) {
        eye.in_x = x;
        eye.in_y = y;
    } else if (code == outerCode) {
        eye.out_x = x;
        eye.out_y = y;
    } else if (code == 3) {
        eye.top_x = x;
        eye.top_y = y;
    } else if (code == 4) {
        eye.bottom_x = x;
        eye.bottom_y = y;
    }
}

void FaceLandmarks::set_nose_point(int code, int x, int y) {
    switch (code) {
    case 0:
        nose.l_x = x;
        nose.l_y = y;
        break;
    case 1:
        nose.r_x = x;
        nose.r_y = y;
        break;
    case 2:
        nose.center_x = x;
        nose.center_y = y;
        break;
    default:
        break;
    }
}

void FaceLandmarks::set_mouth_point(int code, int x, int y) {
    switch (code) {
    case 0:
        mouth.l_x = x;
        mouth.l_y = y;
        break;
    case 1:
        mouth.r_x = x;
        mouth.r_y = y;
        break;
    case 3:
        mouth.top_x = x;
        mouth.top_y = y;
        break;
    case 4:
        mouth.bottom_x = x;
        mouth.bottom_y = y;
        break;
    default:
        break;
    }
}

void FaceLandmarks::set_brow_point(int code, int side, int x, int y) {
    Brow& brow = brows[side == 0 ? 0 : 1];
    if (code == 3) {
        brow.top_x = x;
        brow.top_y = y;
    } else if (code == 4) {
        brow.bottom_x = x;
        brow.bottom_y = y;
    }
}

namespace {

void take_rgb(_pixel& stored, _pixel colour) {
    stored.r = colour.r;
    stored.g = colour.g;
    stored.b = colour.b;
}

} // namespace

void FaceLandmarks::set_brow_color(_pixel colour) {
    take_rgb(brow_color, colour);
}
void FaceLandmarks::set_eye_color(_pixel colour) {
    take_rgb(eye_color, colour);
}
void FaceLandmarks::set_nose_color(_pixel colour) {
    take_rgb(nose_color, colour);
}
void FaceLandmarks::set_mouth_color(_pixel colour) {
    take_rgb(mouth_color, colour);
}
void FaceLandmarks::set_bkgnd_color(_pixel colour) {
    take_rgb(bkgnd_color, colour);
}
void FaceLandmarks::set_edge_color(_pixel colour) {
    take_rgb(edge_color, colour);
}
void FaceLandmarks::set_face_color(_pixel colour) {
    take_rgb(face_color, colour);
}

void FaceMeasures::measures_record_init() {
    *this = FaceMeasures{};
}

int FaceMeasures::measures_record_copy(const FaceMeasures* source) {
    if (source == nullptr) {
        return zel::engine::kMissing;
    }
    *this = *source;
    return zel::engine::kOk;
}
