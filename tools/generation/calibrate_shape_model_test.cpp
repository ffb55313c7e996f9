// The ways faces vary together, measured from portraits' reference points.

#include "calibrate_shape_model.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace zelgen {
namespace {

constexpr const char* kKeys[zel::engine::kShapePoints] = {"leye_in",  "reye_in", "leye_out",
                                                          "reye_out", "nose_c",  "nose_l",
                                                          "nose_r",   "mouth_l", "mouth_r"};
// A face in its own frame (eyes' middles one unit apart).
constexpr double kFace[zel::engine::kShapePoints][2] = {{-0.3, 0.0},  {0.3, 0.0},  {-0.7, 0.0},
                                                        {0.7, 0.0},   {0.0, 0.75}, {-0.25, 0.67},
                                                        {0.25, 0.67}, {-0.5, 1.0}, {0.5, 1.0}};
// How a head turns: the nose, then the mouth, across the face (a unit vector of the 18 values).
constexpr double kTurnX[zel::engine::kShapePoints] = {0, 0, 0, 0, 0.6, 0.5, 0.5, 0.25, 0.25};

// Portraits of faces turned by units of a spread of turn, with a little noise, each placed at
// its own size, angle and place in the picture.
std::vector<Sample> portraits(double turn, double noise) {
    std::mt19937 random(7);
    std::normal_distribution<double> normal(0.0, 1.0);
    double norm = 0;
    for (const double x : kTurnX)
        norm += x * x;
    std::vector<Sample> samples;
    for (int k = 0; k < 80; ++k) {
        Sample s;
        const double units = turn * normal(random);
        const double scale = 40 + k % 20, angle = 0.1 * normal(random);
        for (int i = 0; i < zel::engine::kShapePoints; ++i) {
            const double x =
                kFace[i][0] + units * kTurnX[i] / std::sqrt(norm) + noise * normal(random);
            const double y = kFace[i][1] + noise * normal(random);
            s.ref[kKeys[i]] = {100 + scale * (x * std::cos(angle) - y * std::sin(angle)),
                               80 + scale * (x * std::sin(angle) + y * std::cos(angle))};
        }
        samples.push_back(std::move(s));
    }
    return samples;
}

TEST(ShapeModes, TheTurnOfTheHeadsIsTheFirstModeAndTheNoiseIsWhatIsLeft) {
    ShapeModelSettings settings;
    settings.floor = 0.0;
    settings.modes = 2;
    std::vector<std::string> lines;
    const zel::engine::ShapeModel model =
        measure_shape_model(portraits(0.1, 0.005), settings, lines);
    ASSERT_EQ(model.modes.size(), 2U);
    // The first mode moves the points as the turn does (its sign made positive), as far as the
    // faces were turned; the aligning takes the turn's shift of the whole face and a little
    // turning of it into the placement.
    double shift = 0;
    for (const double x : kTurnX)
        shift += x / zel::engine::kShapePoints;
    double along = 0, norm = 0;
    for (int i = 0; i < zel::engine::kShapePoints; ++i) {
        along += model.modes[0].move[i].x * (kTurnX[i] - shift);
        norm += (kTurnX[i] - shift) * (kTurnX[i] - shift);
    }
    EXPECT_GT(along / std::sqrt(norm), 0.8);
    EXPECT_NEAR(model.modes[0].spread, 0.1, 0.04);
    // The second is noise, and what the two leave is a little of it.
    EXPECT_LT(model.modes[1].spread, 0.02);
    for (const auto& rest : model.rest) {
        EXPECT_LT(rest.x, 0.01);
        EXPECT_LT(rest.y, 0.01);
    }
    EXPECT_FALSE(lines.empty());
}

TEST(ShapeModes, NoneAreMeasuredWhenNoneAreAskedFor) {
    ShapeModelSettings settings;
    settings.modes = 0;
    std::vector<std::string> lines;
    const zel::engine::ShapeModel model =
        measure_shape_model(portraits(0.1, 0.005), settings, lines);
    EXPECT_TRUE(model.modes.empty());
    // The mean shape comes out as the faces', eyes' middles one unit apart.
    EXPECT_NEAR(model.mean[zel::engine::kShapePoints - 1].y, 1.0, 0.02);
}

} // namespace
} // namespace zelgen
