#pragma once
// The calibration portraits as the landmark search sees them: the HSV picture of the run, the
// face box after segmentation and the box set-up (lowered as the search lowers it), and the
// reference points in the working size.

#include "portraits.h"

#include <zel/face_engine.h>

#include <map>
#include <string>
#include <vector>

namespace zelgen {

class Sample {
public:
    Sample() = default;
    Sample(Sample&&) = default;
    Sample& operator=(Sample&&) = default;
    // The row table points into the sample's own pixels.
    Sample(const Sample&) = delete;
    Sample& operator=(const Sample&) = delete;

    std::string file;
    int cols = 0;
    int rows = 0;
    FaceBox box;
    std::map<std::string, Point> ref; // scaled to the working size
    double iod = 0.0;

    // The HSV picture, row 0 at the top (byte 1 saturation, byte 2 luma).
    _pixel** hsv() { return rowTable_.data(); }
    unsigned char luma(int x, int y) const {
        return pixels_[static_cast<std::size_t>(y) * cols + x].b;
    }
    // Luma at a point between pixels (bilinear), the nearest edge pixel outside.
    double luma_at(double x, double y) const;
    void take(std::vector<_pixel> pixels);

private:
    std::vector<_pixel> pixels_;
    std::vector<_pixel*> rowTable_;
};

// Runs a colour portrait up to the landmark search as GetCartoon does (checks, segmentation,
// box set-up, the box top lowered). False with the reason when the run would stop before it.
bool prepare_sample(const std::string& folder, const Reference& ref, int sex, Sample& sample,
                    std::string& why);

// The landmark and feature-line stages on a sample with the tables in force, then the box
// fitted to the eyes as GetCartoon fits it before the part choice. False when a stage fails.
bool run_line_stages(Sample& sample, FaceBox& box, FaceLandmarks& landmarks);

// Every portrait of the reference file that reaches the landmark search; the others are
// reported on standard error.
std::vector<Sample> prepare_samples(const std::string& folder, const std::string& referencePath,
                                    int sex);

} // namespace zelgen
