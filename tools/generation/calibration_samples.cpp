#include "calibration_samples.h"

#include "engine_codes.h"
#include "face_state.h"
#include "generation/cartoon.h"
#include "generation/stages.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace zelgen {
namespace {

std::string collected;

void collect(const char*, const char* text, zel::MessageIcon) {
    collected += text != nullptr ? text : "";
}

// The reference keys the calibration reads.
const char* const kKeys[] = {"leye_out",  "leye_in",  "reye_in",   "reye_out", "leye_top",
                             "leye_bot",  "reye_top", "reye_bot",  "nose_c",   "nose_tip",
                             "nose_l",    "nose_r",   "mouth_l",   "mouth_r",  "mouth_top",
                             "mouth_bot", "chin",     "lbrow_mid", "rbrow_mid"};

// GetCartoon's steps up to the landmark search, in its order.
bool run_to_search(const Photo& photo, const UserMarks& marks, int sex, const std::string& name,
                   Sample& sample) {
    using namespace zel::engine;
    std::string file = name;
    if (cartoon_check_input(file.c_str(), photo.bottom_up(), photo.cols(), photo.rows(), nullptr,
                            marks.skin) != kOk)
        return false;
    if (cartoon_check_head(marks.chin, marks.headTop, photo.cols(), photo.rows()) != kOk)
        return false;
    CartoonWork work;
    if (cartoon_work_setup(work, photo.bottom_up(), photo.cols(), photo.rows()) != kOk)
        return false;
    work.box.box_record_init();
    generation_state().face_bottom_y = marks.chin.y;
    if (segmentation_stage(work, marks.skin, marks.background, marks.chin) != kOk ||
        !cartoon_box_usable(work.box, photo.cols(), photo.rows()))
        return false;
    const vyPointSetTag none{};
    cartoon_set_landmarks(sex, marks.chin, marks.headTop, none, work.box, photo.cols());
    if (!cartoon_box_usable(work.box, photo.cols(), photo.rows()))
        return false;
    face_box_lower_top(work.box);
    sample.box = work.box;
    std::vector<_pixel> pixels;
    pixels.reserve(static_cast<std::size_t>(photo.cols()) * photo.rows());
    for (int y = 0; y < photo.rows(); ++y)
        pixels.insert(pixels.end(), work.hsv.pixels[y], work.hsv.pixels[y] + photo.cols());
    sample.take(std::move(pixels));
    return true;
}

} // namespace

double Sample::luma_at(double x, double y) const {
    x = std::clamp(x, 0.0, cols - 1.0);
    y = std::clamp(y, 0.0, rows - 1.0);
    const int x0 = std::min(static_cast<int>(x), cols - 2);
    const int y0 = std::min(static_cast<int>(y), rows - 2);
    const double fx = x - x0;
    const double fy = y - y0;
    return (1 - fx) * (1 - fy) * luma(x0, y0) + fx * (1 - fy) * luma(x0 + 1, y0) +
           (1 - fx) * fy * luma(x0, y0 + 1) + fx * fy * luma(x0 + 1, y0 + 1);
}

void Sample::take(std::vector<_pixel> pixels) {
    pixels_ = std::move(pixels);
    rowTable_.clear();
    if (pixels_.empty())
        return;
    for (int y = 0; y < rows; ++y)
        rowTable_.push_back(pixels_.data() + static_cast<std::size_t>(y) * cols);
}

bool prepare_sample(const std::string& folder, const Reference& ref, int sex, Sample& sample,
                    std::string& why) {
    Photo photo;
    if (!photo.load(folder + "/" + ref.file)) {
        why = "the photo cannot be read";
        return false;
    }
    sample.file = ref.file;
    sample.cols = photo.cols();
    sample.rows = photo.rows();
    for (const char* key : kKeys) {
        if (!ref.has_point(key)) {
            why = std::string("no reference point ") + key;
            return false;
        }
        const Point p = ref.point(key);
        sample.ref[key] = {p.x * photo.scale(), p.y * photo.scale()};
    }
    sample.iod = inter_ocular(ref, photo.scale());
    const UserMarks marks = play_user(photo, ref);
    collected.clear();
    const zel::MessageHandler previous = zel::set_message_handler(&collect);
    const bool ready = run_to_search(photo, marks, sex, ref.file, sample);
    zel::set_message_handler(previous);
    if (!ready)
        why = collected.empty() ? "segmentation found no face" : collected;
    std::replace(why.begin(), why.end(), '\n', ' ');
    return ready;
}

bool run_line_stages(Sample& s, FaceBox& box, FaceLandmarks& lm) {
    using namespace zel::engine;
    constexpr int kSex = 1;
    box = s.box;
    lm.face_landmarks_init();
    if (landmark_search(kSex, box, s.hsv(), s.cols, s.rows, lm) != kOk ||
        feature_line_search(kSex, s.hsv(), s.cols, s.rows, box, lm) != kOk)
        return false;
    cartoon_fit_parts(kSex, box, lm);
    return true;
}

std::vector<Sample> prepare_samples(const std::string& folder, const std::string& referencePath,
                                    int sex) {
    std::vector<Sample> samples;
    for (const Reference& ref : read_references(referencePath)) {
        Sample sample;
        std::string why;
        if (prepare_sample(folder, ref, sex, sample, why))
            samples.push_back(std::move(sample));
        else
            std::fprintf(stderr, "%s left out: %s\n", ref.file.c_str(), why.c_str());
    }
    return samples;
}

} // namespace zelgen
