// generation_calibrate FOLDER REFERENCE OUT [--check]
//
// Measures the tables of caricature generation on the portraits of FOLDER with the reference
// landmarks of REFERENCE (calibrate on the calibration portraits only) and writes them to OUT in
// the form vyr_templates reads (data/templates/generation-tables.txt). With --check it first
// reports how well tables measured on one half of the portraits find the landmarks of the
// other half.

#include "calibrate_landmarks.h"

#include <Magick++.h>

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>

namespace {

int usage() {
    std::fprintf(stderr, "usage: generation_calibrate FOLDER REFERENCE OUT [--check] "
                         "[--shape HALFWIDTH HALFHEIGHT STEP POINTS ROUNDS] [--margin OUTSIDE SHARE MINIMUM]\n");
    return 2;
}

// Tables from one half, errors on the other, both ways round.
void check(std::vector<zelgen::Sample>& samples, const zelgen::LandmarkSettings& settings) {
    std::vector<zelgen::Sample> halves[2];
    for (std::size_t i = 0; i < samples.size(); ++i)
        halves[i % 2].push_back(std::move(samples[i]));
    std::vector<std::vector<double>> errors;
    for (int fold = 0; fold < 2; ++fold) {
        vyrgen::GenerationTables tables;
        zelgen::calibrate_landmarks(halves[fold], settings, tables);
        auto e = zelgen::landmark_errors(halves[1 - fold], tables);
        std::printf("tables of half %d on half %d: %s\n", fold + 1, 2 - fold,
                    zelgen::error_summary(e).c_str());
        errors.insert(errors.end(), e.begin(), e.end());
    }
    std::printf("portraits not used for the tables: %s\n", zelgen::error_summary(errors).c_str());
    samples.clear();
    for (std::size_t i = 0; i < halves[0].size() + halves[1].size(); ++i)
        samples.push_back(std::move(halves[i % 2][i / 2]));
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 4)
        return usage();
    zelgen::LandmarkSettings settings;
    bool checking = false;
    for (int i = 4; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--check") {
            checking = true;
        } else if (arg == "--shape" && i + 5 < argc) {
            settings.shape.halfWidth = std::atoi(argv[++i]);
            settings.shape.halfHeight = std::atoi(argv[++i]);
            settings.shape.step = std::atoi(argv[++i]);
            settings.shape.maxPoints = std::atoi(argv[++i]);
            settings.shape.rounds = std::atoi(argv[++i]);
        } else if (arg == "--fine" && i + 2 < argc) {
            settings.shape.fineHalf = std::atoi(argv[++i]);
            settings.shape.fineStep = std::atoi(argv[++i]);
        } else if (arg == "--margin" && i + 3 < argc) {
            settings.margin.outside = std::atof(argv[++i]);
            settings.margin.share = std::atof(argv[++i]);
            settings.margin.minimum = std::atof(argv[++i]);
        } else {
            return usage();
        }
    }
    // Progress lines go out as they are written.
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    try {
        Magick::InitializeMagick(argv[0]);
        auto samples = zelgen::prepare_samples(argv[1], argv[2], 1);
        std::printf("portraits that reach the landmark search: %zu\n", samples.size());
        if (checking)
            check(samples, settings);
        vyrgen::GenerationTables tables;
        zelgen::calibrate_landmarks(samples, settings, tables);
        for (const auto& t : tables.points)
            std::printf("template %s points %zu\n", t.name.c_str(), t.points.size());
        const auto own = zelgen::landmark_errors(samples, tables);
        std::printf("tables on their own portraits: %s\n", zelgen::error_summary(own).c_str());
        std::printf("%s\n", zelgen::mouth_rows_report(samples, tables).c_str());
        std::printf("ranges:");
        for (double r : tables.range)
            std::printf(" %.3f", r);
        std::printf("\n");
        for (std::size_t k = 0; k < zelgen::landmark_keys().size(); ++k) {
            std::vector<std::vector<double>> one;
            for (const auto& e : own)
                if (!e.empty())
                    one.push_back({e[k]});
            std::printf("%-9s %s\n", zelgen::landmark_keys()[k].key, zelgen::error_summary(one).c_str());
        }
        (void)argv[3];
    } catch (const std::exception& error) {
        std::fprintf(stderr, "generation_calibrate: %s\n", error.what());
        return 1;
    }
    return 0;
}
