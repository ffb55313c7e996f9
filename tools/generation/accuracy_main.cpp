// generation_accuracy FOLDER REFERENCE [--sheet OUT.png] [--sex N]
//
// Plays the user of caricature generation for every photo the reference file lists: the photo
// shrunk to fit 720 x 960, the reference chin as the chin mark, the head top found above it,
// skin picked on the cheeks and background in the top corners. Runs GetCartoon and prints one
// line per photo: whether a face was generated (or why not), the error of each landmark the
// search found, as a fraction of the reference inter-ocular distance, the rows measured for the
// lids, brows and lips and the seven part codes. The last lines sum up:
//   overall: photos N generated M median E max F
//   lines: photos N eye_height_r R eye_height_median E lip_height_r R mouth_bottom_median E
//          brow_top_median E brows_upside_down K        (on one line)
//   codes: lips_thick A1 A2 A3 eye_shape B1 B2 B3
// See line_figures.h for what they measure.

#include "contact_sheet.h"
#include "line_figures.h"
#include "portraits.h"
#include "statistics.h"

#include "face_state.h"

#include <Magick++.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>
#include <vector>

namespace {

constexpr int kSheetPerRow = 3;
constexpr int kSheetCell = 140;

int usage() {
    std::fprintf(stderr,
                 "usage: generation_accuracy FOLDER REFERENCE [--sheet OUT.png] [--sex N]\n");
    return 2;
}

std::string one_line(std::string text) {
    std::replace(text.begin(), text.end(), '\n', ' ');
    while (!text.empty() && text.back() == ' ')
        text.pop_back();
    return text;
}

zelgen::SheetEntry sheet_entry(const zelgen::Photo& photo, const zelgen::Generation& made) {
    zelgen::SheetEntry e;
    e.cols = photo.cols();
    e.rows = photo.rows();
    for (int y = 0; y < e.rows; ++y)
        for (int x = 0; x < e.cols; ++x)
            e.photo.push_back(photo.at(x, y));
    e.drawing = made.drawing;
    e.caricature.assign(e.photo.size(), _pixel{255, 255, 255, 0});
    _pixel** clr = ppm_allocarray(e.cols, e.rows);
    int w = 0, h = 0;
    if (clr != nullptr && face_compose_clr(clr, &w, &h) == 1 && w == e.cols && h == e.rows) {
        for (int y = 0; y < e.rows; ++y)
            for (int x = 0; x < e.cols; ++x)
                e.caricature[static_cast<std::size_t>(y) * e.cols + x] = clr[e.rows - 1 - y][x];
    }
    ppm_freearray(clr, e.rows);
    return e;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3)
        return usage();
    const std::string folder = argv[1];
    const std::string referencePath = argv[2];
    std::string sheetPath;
    int sex = 1;
    for (int i = 3; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--sheet" && i + 1 < argc)
            sheetPath = argv[++i];
        else if (arg == "--sex" && i + 1 < argc)
            sex = std::atoi(argv[++i]);
        else
            return usage();
    }
    try {
        Magick::InitializeMagick(argv[0]);
        const auto references = zelgen::read_references(referencePath);
        std::vector<double> errors;
        std::vector<zelgen::SheetEntry> sheet;
        zelgen::LineFigures lines;
        int generated = 0;
        for (const zelgen::Reference& ref : references) {
            zelgen::Photo photo;
            if (!photo.load(folder + "/" + ref.file)) {
                std::printf("%s not generated: the photo cannot be read\n", ref.file.c_str());
                continue;
            }
            const zelgen::UserMarks marks = zelgen::play_user(photo, ref);
            const zelgen::Generation made = zelgen::generate(photo, marks, sex, ref.file);
            if (!made.made) {
                std::printf("%s not generated: %s\n", ref.file.c_str(),
                            made.message.empty() ? "GetCartoon failed"
                                                 : one_line(made.message).c_str());
                continue;
            }
            ++generated;
            const FaceLandmarks& lm = zel::engine::face_object().landmarks;
            const double iod = zelgen::inter_ocular(ref, photo.scale());
            std::string line = ref.file + " generated";
            double worst = 0.0;
            for (const zelgen::LandmarkKey& key : zelgen::landmark_keys()) {
                const zelgen::Point p = ref.point(key.key);
                const double e = std::hypot(key.get_x(lm) - p.x * photo.scale(),
                                            key.get_y(lm) - p.y * photo.scale()) /
                                 iod;
                errors.push_back(e);
                worst = std::max(worst, e);
                char item[64];
                std::snprintf(item, sizeof item, " %s %.3f", key.key, e);
                line += item;
            }
            char tail[32];
            std::snprintf(tail, sizeof tail, " worst %.3f", worst);
            const FaceMeasures& measures = zel::engine::face_object().measures;
            std::printf("%s%s %s\n", line.c_str(), tail, zelgen::photo_rows(lm, measures).c_str());
            zelgen::ReferencePoints points;
            for (const char* key : zelgen::line_reference_keys()) {
                const zelgen::Point p = ref.point(key);
                points[key] = {p.x * photo.scale(), p.y * photo.scale()};
            }
            lines.add(lm, measures, points, iod);
            if (!sheetPath.empty())
                sheet.push_back(sheet_entry(photo, made));
        }
        std::printf("overall: photos %zu generated %d median %.3f max %.3f\n", references.size(),
                    generated, zelgen::median(errors),
                    errors.empty() ? 0.0 : *std::max_element(errors.begin(), errors.end()));
        std::printf("%s\n%s\n", lines.lines().c_str(), lines.codes().c_str());
        if (!sheetPath.empty())
            zelgen::write_contact_sheet(sheetPath, sheet, kSheetPerRow, kSheetCell);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "generation_accuracy: %s\n", error.what());
        return 1;
    }
    return 0;
}
