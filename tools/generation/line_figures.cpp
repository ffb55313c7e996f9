#include "line_figures.h"

#include "statistics.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numeric>

namespace zelgen {
namespace {

// Pearson's correlation; 0 when either side does not vary.
double correlation(const std::vector<double>& a, const std::vector<double>& b) {
    const std::size_t n = std::min(a.size(), b.size());
    if (n < 2)
        return 0.0;
    const double ma = std::accumulate(a.begin(), a.begin() + n, 0.0) / n;
    const double mb = std::accumulate(b.begin(), b.begin() + n, 0.0) / n;
    double sab = 0, saa = 0, sbb = 0;
    for (std::size_t i = 0; i < n; ++i) {
        sab += (a[i] - ma) * (b[i] - mb);
        saa += (a[i] - ma) * (a[i] - ma);
        sbb += (b[i] - mb) * (b[i] - mb);
    }
    return saa > 0 && sbb > 0 ? sab / std::sqrt(saa * sbb) : 0.0;
}

std::string mean_or_dash(const std::vector<double>& v) {
    if (v.empty())
        return "-";
    char text[32];
    std::snprintf(text, sizeof text, "%.3f", std::accumulate(v.begin(), v.end(), 0.0) / v.size());
    return text;
}

void add_to_code(std::vector<double> (&byCode)[3], int code, double value) {
    if (code >= 1 && code <= 3)
        byCode[code - 1].push_back(value);
}

} // namespace

const std::vector<const char*>& line_reference_keys() {
    static const std::vector<const char*> keys = {
        "leye_out", "leye_in",  "reye_in",   "reye_out",  "leye_top",  "leye_bot",
        "reye_top", "reye_bot", "mouth_top", "mouth_bot", "lbrow_mid", "rbrow_mid"};
    return keys;
}

std::string photo_rows(const FaceLandmarks& lm, const FaceMeasures& m) {
    char text[320];
    std::snprintf(text, sizeof text,
                  "rows leye %d %d reye %d %d lbrow %d %d rbrow %d %d mouth %d %d codes "
                  "brow_thick %d eye_size %d eye_shape %d eye_slant %d nose_shape %d mouth_size "
                  "%d lips_thick %d",
                  lm.eyes[0].top_y, lm.eyes[0].bottom_y, lm.eyes[1].top_y, lm.eyes[1].bottom_y,
                  lm.brows[0].top_y, lm.brows[0].bottom_y, lm.brows[1].top_y, lm.brows[1].bottom_y,
                  lm.mouth.top_y, lm.mouth.bottom_y, m.brow_thick, m.eye_size, m.eye_shape,
                  m.eye_slant, m.nose_shape, m.mouth_size, m.lips_thick);
    return text;
}

void LineFigures::add(const FaceLandmarks& lm, const FaceMeasures& m, const ReferencePoints& ref,
                      double iod) {
    ++photos_;
    struct EyeKeys {
        const char *in, *out, *top, *bottom, *brow;
    };
    const EyeKeys keys[2] = {{"leye_in", "leye_out", "leye_top", "leye_bot", "lbrow_mid"},
                             {"reye_in", "reye_out", "reye_top", "reye_bot", "rbrow_mid"}};
    for (int side = 0; side < 2; ++side) {
        const EyeKeys& k = keys[side];
        const FaceLandmarks::Eye& eye = lm.eyes[side];
        const FaceLandmarks::Brow& brow = lm.brows[side];
        const double measured = eye.bottom_y - eye.top_y;
        const double reference = ref.at(k.bottom).y - ref.at(k.top).y;
        eyeMeasured_.push_back(measured);
        eyeReference_.push_back(reference);
        eyeErrors_.push_back(std::abs(measured - reference) / iod);
        browTopErrors_.push_back(std::abs(brow.top_y - ref.at(k.brow).y) / iod);
        if (brow.bottom_y < brow.top_y)
            ++upsideDown_;
        const Point in = ref.at(k.in), out = ref.at(k.out);
        const double width = std::hypot(in.x - out.x, in.y - out.y);
        if (width > 0)
            add_to_code(opennessByCode_, m.eye_shape,
                        (ref.at(k.bottom).y - ref.at(k.top).y) / width);
    }
    const double lipReference = ref.at("mouth_bot").y - ref.at("mouth_top").y;
    lipMeasured_.push_back(lm.mouth.bottom_y - lm.mouth.top_y);
    lipReference_.push_back(lipReference);
    mouthBottomErrors_.push_back(std::abs(lm.mouth.bottom_y - ref.at("mouth_bot").y) / iod);
    add_to_code(lipsByCode_, m.lips_thick, lipReference / iod);
}

void LineFigures::merge(const LineFigures& o) {
    auto append = [](std::vector<double>& to, const std::vector<double>& from) {
        to.insert(to.end(), from.begin(), from.end());
    };
    photos_ += o.photos_;
    append(eyeMeasured_, o.eyeMeasured_);
    append(eyeReference_, o.eyeReference_);
    append(lipMeasured_, o.lipMeasured_);
    append(lipReference_, o.lipReference_);
    append(eyeErrors_, o.eyeErrors_);
    append(mouthBottomErrors_, o.mouthBottomErrors_);
    append(browTopErrors_, o.browTopErrors_);
    upsideDown_ += o.upsideDown_;
    for (int k = 0; k < 3; ++k) {
        append(lipsByCode_[k], o.lipsByCode_[k]);
        append(opennessByCode_[k], o.opennessByCode_[k]);
    }
}

std::string LineFigures::lines() const {
    char text[320];
    std::snprintf(text, sizeof text,
                  "lines: photos %d eye_height_r %.2f eye_height_median %.3f lip_height_r %.2f "
                  "mouth_bottom_median %.3f brow_top_median %.3f brows_upside_down %d",
                  photos_, correlation(eyeMeasured_, eyeReference_), median(eyeErrors_),
                  correlation(lipMeasured_, lipReference_), median(mouthBottomErrors_),
                  median(browTopErrors_), upsideDown_);
    return text;
}

std::string LineFigures::codes() const {
    std::string text = "codes: lips_thick";
    for (const auto& v : lipsByCode_)
        text.append(" ").append(mean_or_dash(v));
    text.append(" eye_shape");
    for (const auto& v : opennessByCode_)
        text.append(" ").append(mean_or_dash(v));
    return text;
}

} // namespace zelgen
