// generation_calibrate FOLDER REFERENCE OUT [--check [--split K]] [--shape ...] [--fine ...]
//                      [--margin ...] [--model ...] [--modes K]
//
// Measures the tables of caricature generation on the portraits of FOLDER with the reference
// landmarks of REFERENCE (the calibration portraits only: never the portraits the generation is
// checked on) and writes them to OUT in the form vyr_templates reads
// (data/templates/generation-tables.txt), with what was measured as comment lines:
// - the search ranges: windows that hold the reference points of all but the outermost
//   portraits, with a margin;
// - the nine point templates: the brightness around each point, taught to score the point
//   above every other position of its window (the nose's on the portrait turned upright by
//   its eye line);
// - the mean shape of the nine points and how far faces stray from it, with the misfit limit
//   and weight the search holds its points to (--model), and the ways faces vary together
//   with how far they stray from the shape bent along them (--modes);
// - the thickness values: where lids, lips and brows lie around the eye and mouth lines found;
// - the line rules: how far lids and brows lie from the brightness edges the strips find, and
//   each lip edge's profile with where a mouth of its width has it;
// - the fuzzy sets: the twelve measures of the faces as the generation finds them, in thirds.
// With --check the generation is first tried with tables measured on one half of the portraits
// on the other half, both ways round: the landmark errors, lines and codes to expect on
// portraits not seen. The portraits are dealt to the halves in turn, one at a time, or K at a
// time with --split K: a choice measured on one split alone is soon fitted to that split, and
// other splits show what it is worth on portraits nobody calibrated on.

#include "calibrate_fuzzy.h"
#include "calibrate_landmarks.h"
#include "calibrate_lines.h"
#include "calibrate_shape.h"
#include "calibrate_shape_model.h"
#include "sample_lines.h"
#include "tables_in_use.h"

#include <Magick++.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace {

// The margins of the thickness limits and the caricature's exaggeration of the proportions.
constexpr double kThicknessOutside = 0.02;
constexpr double kThicknessMargin = 0.01;
constexpr double kExaggeration = 1.2;

int usage() {
    std::fprintf(stderr,
                 "usage: generation_calibrate FOLDER REFERENCE OUT [--check [--split K]] "
                 "[--shape HALFWIDTH HALFHEIGHT STEP POINTS ROUNDS] [--fine HALF STEP] "
                 "[--margin OUTSIDE SHARE MINIMUM] [--model LIMIT WEIGHT FLOOR] [--modes K]\n");
    return 2;
}

// The mean face shape and its spreads into the tables.
void add_shape_model(const std::vector<zelgen::Sample>& samples,
                     const zelgen::ShapeModelSettings& settings, vyrgen::GenerationTables& tables,
                     std::vector<std::string>& lines) {
    const zel::engine::ShapeModel model = zelgen::measure_shape_model(samples, settings, lines);
    std::array<double, 21> mean{}, spread{};
    zel::engine::shape_model_to_ranges(model, mean.data(), spread.data());
    tables.modelMean = mean;
    tables.modelSpread = spread;
    tables.modelRest.reset();
    tables.modelModes.clear();
    if (model.modes.empty())
        return;
    std::array<double, 21> values{};
    zel::engine::shape_rest_to_range(model.rest, values.data());
    tables.modelRest = values;
    for (const zel::engine::ShapeMode& mode : model.modes) {
        zel::engine::shape_mode_to_range(mode, values.data());
        tables.modelModes.push_back(values);
    }
}

using Note = std::function<void(const std::string&)>;

std::vector<std::string> per_point(const std::vector<std::vector<double>>& errors);

// Every table from the samples; what was measured goes to note.
vyrgen::GenerationTables calibrate_tables(std::vector<zelgen::Sample>& samples,
                                          const zelgen::LandmarkSettings& settings,
                                          const zelgen::ShapeModelSettings& modelSettings,
                                          const Note& note) {
    vyrgen::GenerationTables tables;
    zelgen::calibrate_landmarks(samples, settings, tables);
    {
        std::vector<std::string> lines;
        tables.shape = zelgen::measure_face_shape(samples, zelgen::ShapeMargin{}, lines);
        for (const std::string& line : lines)
            note("face shape, " + line);
    }
    {
        std::vector<std::string> lines;
        add_shape_model(samples, modelSettings, tables, lines);
        for (const std::string& line : lines)
            note("mean face shape, " + line);
    }
    zelgen::round_as_stored(tables);
    const auto own = zelgen::landmark_errors(samples, tables);
    note("landmarks on the portraits measured: " + zelgen::error_summary(own));
    for (const std::string& line : per_point(own))
        note(line);
    note(zelgen::mouth_rows_report(samples, tables));

    std::vector<std::string> lines;
    const zelgen::LineTables found =
        zelgen::measure_lines(samples, tables, kThicknessOutside, kThicknessMargin, lines);
    tables.thickness = found.thickness;
    tables.lineRules = zel::engine::line_rules_values(found.rules);
    tables.upperLip = zel::engine::lip_rule_values(found.rules.upperLip);
    tables.lowerLip = zel::engine::lip_rule_values(found.rules.lowerLip);
    zelgen::round_as_stored(tables);
    for (const std::string& line : lines)
        note(line);

    const auto measures = zelgen::measure_faces(samples, tables);
    tables.fuzzy = zelgen::measure_fuzzy_sets(measures, kExaggeration);
    zelgen::round_as_stored(tables);
    note("fuzzy sets from the measures of " + std::to_string(measures.size()) + " faces");
    return tables;
}

// Tables from one half, landmark errors, lines and codes on the other, both ways round; the
// portraits are dealt to the halves run portraits at a time.
std::vector<std::string> check(std::vector<zelgen::Sample>& samples,
                               const zelgen::LandmarkSettings& settings,
                               const zelgen::ShapeModelSettings& modelSettings, std::size_t run) {
    std::vector<zelgen::Sample> halves[2];
    const std::size_t count = samples.size();
    const auto half = [run](std::size_t i) { return (i / run) % 2; };
    for (std::size_t i = 0; i < count; ++i)
        halves[half(i)].push_back(std::move(samples[i]));
    std::vector<std::vector<double>> errors;
    std::vector<std::string> beyond;
    zelgen::LineFigures lines;
    for (int fold = 0; fold < 2; ++fold) {
        const vyrgen::GenerationTables tables =
            calibrate_tables(halves[fold], settings, modelSettings, [](const std::string&) {});
        auto e = zelgen::landmark_errors(halves[1 - fold], tables);
        for (std::size_t k = 0; k < e.size(); ++k)
            for (std::size_t p = 0; p < e[k].size(); ++p)
                if (e[k][p] > 0.2)
                    beyond.push_back("  beyond 0.2: " + halves[1 - fold][k].file + " " +
                                     zelgen::landmark_keys()[p].key + " " +
                                     std::to_string(e[k][p]).substr(0, 5));
        errors.insert(errors.end(), e.begin(), e.end());
        lines.merge(zelgen::sample_line_figures(halves[1 - fold], tables));
    }
    samples.clear();
    std::size_t taken[2] = {0, 0};
    for (std::size_t i = 0; i < count; ++i)
        samples.push_back(std::move(halves[half(i)][taken[half(i)]++]));
    const std::string dealt =
        run == 1 ? "" : " (dealt to the halves " + std::to_string(run) + " at a time)";
    std::vector<std::string> out{"landmarks with tables from the other half of the portraits" +
                                 dealt + ": " + zelgen::error_summary(errors)};
    out.insert(out.end(), beyond.begin(), beyond.end());
    out.push_back("with tables from the other half, " + lines.lines());
    out.push_back("with tables from the other half, " + lines.codes());
    return out;
}

std::vector<std::string> per_point(const std::vector<std::vector<double>>& errors) {
    std::vector<std::string> lines;
    for (std::size_t k = 0; k < zelgen::landmark_keys().size(); ++k) {
        std::vector<std::vector<double>> one;
        for (const auto& e : errors)
            if (!e.empty())
                one.push_back({e[k]});
        lines.push_back(std::string("  ") + zelgen::landmark_keys()[k].key + ": " +
                        zelgen::error_summary(one));
    }
    return lines;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 4)
        return usage();
    zelgen::LandmarkSettings settings;
    zelgen::ShapeModelSettings modelSettings;
    bool checking = false;
    std::size_t run = 1;
    for (int i = 4; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--check") {
            checking = true;
        } else if (arg == "--split" && i + 1 < argc && std::atoi(argv[i + 1]) > 0) {
            run = static_cast<std::size_t>(std::atoi(argv[++i]));
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
        } else if (arg == "--modes" && i + 1 < argc) {
            modelSettings.modes = std::atoi(argv[++i]);
        } else if (arg == "--model" && i + 3 < argc) {
            modelSettings.misfitLimit = std::atof(argv[++i]);
            modelSettings.misfitWeight = std::atof(argv[++i]);
            modelSettings.floor = std::atof(argv[++i]);
        } else {
            return usage();
        }
    }
    // Progress lines go out as they are written.
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    try {
        Magick::InitializeMagick(argv[0]);
        std::vector<std::string> notes;
        auto note = [&](const std::string& line) {
            std::printf("%s\n", line.c_str());
            notes.push_back(line);
        };
        auto samples = zelgen::prepare_samples(argv[1], argv[2], 1);
        const std::filesystem::path reference(argv[2]);
        note("measured by generation_calibrate on the " + std::to_string(samples.size()) +
             " portraits of " +
             (reference.parent_path().filename() / reference.filename()).string() +
             " that reach the landmark search");
        if (checking)
            for (const std::string& line : check(samples, settings, modelSettings, run))
                note(line);
        const vyrgen::GenerationTables tables =
            calibrate_tables(samples, settings, modelSettings, note);
        const zelgen::LineFigures lines = zelgen::sample_line_figures(samples, tables);
        note("on the portraits measured, " + lines.lines());
        note("on the portraits measured, " + lines.codes());

        vyrgen::write_generation_tables(argv[3], tables, notes);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "generation_calibrate: %s\n", error.what());
        return 1;
    }
    return 0;
}
