// The landmark search's debugging dump. Nothing in the system calls it.

#include "generation/landmark_search.h"

#include "engine_codes.h"

#include <cstdio>

namespace zel::engine {

int landmark_dump(const char* file, const FaceLandmarks& landmarks) {
    if (file == nullptr)
        return kRefused;
    std::FILE* out = std::fopen(file, "w");
    if (out == nullptr)
        return kRefused;
    const char* const sides[2] = {"left_eye", "right_eye"};
    for (int side = 0; side < 2; ++side) {
        const FaceLandmarks::Eye& eye = landmarks.eyes[side];
        std::fprintf(out, "%s in_x:%d\n", sides[side], eye.in_x);
        std::fprintf(out, "%s in_y:%d\n", sides[side], eye.in_y);
        std::fprintf(out, "%s out_x:%d\n", sides[side], eye.out_x);
        std::fprintf(out, "%s out_y:%d\n", sides[side], eye.out_y);
    }
    const FaceLandmarks::Nose& nose = landmarks.nose;
    std::fprintf(out, "nose center_x:%d\n", nose.center_x);
    std::fprintf(out, "nose center_y:%d\n", nose.center_y);
    std::fprintf(out, "nose l_x:%d\n", nose.l_x);
    std::fprintf(out, "nose l_y:%d\n", nose.l_y);
    std::fprintf(out, "nose r_x:%d\n", nose.r_x);
    std::fprintf(out, "nose r_y:%d\n", nose.r_y);
    const FaceLandmarks::Mouth& mouth = landmarks.mouth;
    std::fprintf(out, "mouth l_x:%d\n", mouth.l_x);
    std::fprintf(out, "mouth l_y:%d\n", mouth.l_y);
    std::fprintf(out, "mouth r_x:%d\n", mouth.r_x);
    std::fprintf(out, "mouth r_y:%d\n", mouth.r_y);
    std::fclose(out);
    return kOk;
}

} // namespace zel::engine
