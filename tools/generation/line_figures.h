#pragma once
// How well caricature generation measures the lids, brows and lips and how its part codes follow
// the face: the generated rows against the reference points, over many portraits. Shared by the
// accuracy tool (the face object after GetCartoon) and the calibration's check on held-out
// halves.

#include "portraits.h"

#include <zel/face_engine.h>

#include <map>
#include <string>
#include <vector>

namespace zelgen {

// The reference points a face's lines are measured against, in the working size.
using ReferencePoints = std::map<std::string, Point>;

// The reference keys LineFigures reads.
const std::vector<const char*>& line_reference_keys();

// The rows a generated face measured and its seven codes, as one text for a photo's line:
// "rows leye T B reye T B lbrow T B rbrow T B mouth T B codes brow_thick N ... lips_thick N".
std::string photo_rows(const FaceLandmarks& lm, const FaceMeasures& measures);

// Eye height is an eye's bottom row less its top row, both eyes pooled; lip height the mouth's
// bottom row less its top row; the references are leye_bot - leye_top (reye the same) and
// mouth_bot - mouth_top. r is Pearson's correlation of measured and reference heights over every
// face added; the medians are of absolute differences from the reference in eye distances: the
// eye heights, the mouth's bottom row against mouth_bot, each brow's top row against lbrow_mid or
// rbrow_mid (the brow's upper edge at its middle). A brow is upside down when its bottom row lies
// above its top row. The codes line gives, per code 1, 2, 3, the mean reference lip height in eye
// distances over the faces given that lips_thick code and the mean reference eye height over the
// eye's width (corner to corner) over the eyes of the faces given that eye_shape code.
class LineFigures {
public:
    // One generated face: its landmarks and codes, its reference points and the distance
    // between the reference eyes that errors are divided by.
    void add(const FaceLandmarks& lm, const FaceMeasures& measures, const ReferencePoints& ref,
             double iod);
    // Adds every face of other.
    void merge(const LineFigures& other);

    // "lines: photos N eye_height_r R eye_height_median E lip_height_r R mouth_bottom_median E
    // brow_top_median E brows_upside_down K"
    std::string lines() const;
    // "codes: lips_thick A1 A2 A3 eye_shape B1 B2 B3", '-' for a code no face got.
    std::string codes() const;

private:
    int photos_ = 0;
    // Measured and reference heights in pixels, as the rows give them: eyes pooled, then lips.
    std::vector<double> eyeMeasured_, eyeReference_, lipMeasured_, lipReference_;
    // Absolute errors, in eye distances.
    std::vector<double> eyeErrors_, mouthBottomErrors_, browTopErrors_;
    int upsideDown_ = 0;
    // Per code 1..3: reference lip heights of the faces given it, reference openness of their
    // eyes.
    std::vector<double> lipsByCode_[3], opennessByCode_[3];
};

} // namespace zelgen
