// The nine landmarks held to the mean face shape: the robust placement of the shape on the
// points found, and the re-choice of a point that breaks it.

#include "generation/face_shape_model.h"

#include "generation/landmark_search.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace zel::engine {
namespace {

// A face frame shape like the portraits': inner and outer eye corners, nose, mouth corners.
ShapeModel model() {
    ShapeModel m;
    m.mean = {{{-0.3, 0.0},
               {0.3, 0.0},
               {-0.7, 0.0},
               {0.7, 0.0},
               {0.0, 0.75},
               {-0.25, 0.67},
               {0.25, 0.67},
               {-0.5, 1.0},
               {0.5, 1.0}}};
    m.spread.fill({0.04, 0.04});
    m.misfitLimit = 3.0;
    m.misfitWeight = 0.03;
    return m;
}

// The model placed with eyes 60 pixels apart, turned by 0.2 radians, the eyes' middle at
// (120, 90), every point scoring 0.8.
constexpr double kScale = 60.0;
constexpr double kTurn = 0.2;
std::array<PointCandidate, kShapePoints> placed(const ShapeModel& m) {
    const ShapePlacement p{kScale * std::cos(kTurn), kScale * std::sin(kTurn), 120.0, 90.0};
    std::array<PointCandidate, kShapePoints> points;
    for (int i = 0; i < kShapePoints; ++i) {
        double x = 0, y = 0;
        p.place(m.mean[i], x, y);
        points[i] = {static_cast<int>(std::lround(x)), static_cast<int>(std::lround(y)), 0.8};
    }
    return points;
}

ShapeCandidateSource none(int& calls) {
    return [&calls](int, double, double, double) {
        ++calls;
        return std::vector<PointCandidate>{};
    };
}

TEST(FaceShapeFit, RecoversTheFacesPlacementPastTwoLookAlikes) {
    const ShapeModel m = model();
    auto points = placed(m);
    ShapeFit fit = fit_face_shape(m, points);
    ASSERT_TRUE(fit.valid);
    EXPECT_NEAR(fit.placement.scale(), kScale, 0.5);
    EXPECT_NEAR(std::atan2(fit.placement.b, fit.placement.a), kTurn, 0.01);
    for (const double misfit : fit.misfit)
        EXPECT_LT(misfit, 0.5); // whole pixels only

    // A mouth corner on the jaw and an outer eye corner on the hair pull a least-squares fit
    // off; the fit from the agreeing points keeps the others in place and points at the two.
    points[kMouthLeft].x -= 25;
    points[kEyeRightOut].y -= 20;
    fit = fit_face_shape(m, points);
    ASSERT_TRUE(fit.valid);
    EXPECT_NEAR(fit.placement.scale(), kScale, 1.0);
    EXPECT_NEAR(fit.placement.stretch, 1.0, 0.03);
    for (int i = 0; i < kShapePoints; ++i) {
        if (i == kMouthLeft || i == kEyeRightOut)
            EXPECT_GT(fit.misfit[i], 2 * m.misfitLimit) << i;
        else
            EXPECT_LT(fit.misfit[i], 1.0) << i;
    }
}

TEST(FaceShapeFit, AShortFaceIsFittedWholeAndOnlyItsWrongPointStandsOut) {
    const ShapeModel m = model();
    // A face 15% shorter than the mean against its eyes' distance.
    constexpr double kShort = 0.85;
    const ShapePlacement shortFace{kScale * std::cos(kTurn), kScale * std::sin(kTurn), 120.0, 90.0,
                                   kShort};
    std::array<PointCandidate, kShapePoints> truth;
    for (int i = 0; i < kShapePoints; ++i) {
        double x = 0, y = 0;
        shortFace.place(m.mean[i], x, y);
        truth[i] = {static_cast<int>(std::lround(x)), static_cast<int>(std::lround(y)), 0.8};
        // Placing and unplacing are each other's inverse, stretch and all.
        const ShapeOffset back = shortFace.unplace(x, y);
        EXPECT_NEAR(back.x, m.mean[i].x, 1e-9);
        EXPECT_NEAR(back.y, m.mean[i].y, 1e-9);
    }
    ShapeFit fit = fit_face_shape(m, truth);
    ASSERT_TRUE(fit.valid);
    EXPECT_NEAR(fit.placement.stretch, kShort, 0.03);
    EXPECT_NEAR(fit.placement.scale(), kScale, 1.0);
    for (const double misfit : fit.misfit)
        EXPECT_LT(misfit, 1.0);

    // A mouth corner on the jaw: the mouth corner alone is asked for again, not the eyes of a
    // face too short for a shape that cannot stretch.
    auto points = truth;
    points[kMouthLeft].x -= 12;
    std::vector<int> asked;
    const ShapeCandidateSource source = [&](int point, double, double, double) {
        asked.push_back(point);
        return std::vector<PointCandidate>{truth[point]};
    };
    EXPECT_EQ(mend_face_shape(m, points, source), 1);
    EXPECT_EQ(asked, std::vector<int>{kMouthLeft});
    for (int i = 0; i < kShapePoints; ++i) {
        EXPECT_EQ(points[i].x, truth[i].x) << i;
        EXPECT_EQ(points[i].y, truth[i].y) << i;
    }
}

TEST(FaceShapeMend, ALookAlikeThatOutscoresTheTruePointButBreaksTheShapeIsReplaced) {
    const ShapeModel m = model();
    const auto truth = placed(m);
    auto points = truth;
    // The nose wing matched a shadow beside it better than the wing itself.
    points[kNoseLeft] = {truth[kNoseLeft].x - 14, truth[kNoseLeft].y + 9, 0.9};
    int calls = 0;
    double askedX = 0, askedY = 0, askedRadius = 0;
    const ShapeCandidateSource source = [&](int point, double x, double y, double radius) {
        ++calls;
        EXPECT_EQ(point, kNoseLeft);
        askedX = x;
        askedY = y;
        askedRadius = radius;
        // The shadow again, the true wing a little lower scoring, and a far better-scoring
        // look-alike at the other side of the face.
        return std::vector<PointCandidate>{points[kNoseLeft],
                                           {truth[kNoseLeft].x + 1, truth[kNoseLeft].y, 0.75},
                                           {truth[kNoseRight].x, truth[kNoseRight].y, 0.99}};
    };
    EXPECT_EQ(mend_face_shape(m, points, source), 1);
    EXPECT_EQ(calls, 1);
    // Asked near where the shape puts the wing, as far as the misfit limit reaches.
    EXPECT_NEAR(askedX, truth[kNoseLeft].x, 1.5);
    EXPECT_NEAR(askedY, truth[kNoseLeft].y, 1.5);
    EXPECT_NEAR(askedRadius, m.misfitLimit * 0.04 * kScale, 1.0);
    EXPECT_EQ(points[kNoseLeft].x, truth[kNoseLeft].x + 1);
    EXPECT_EQ(points[kNoseLeft].y, truth[kNoseLeft].y);
    for (int i = 0; i < kShapePoints; ++i) {
        if (i != kNoseLeft) {
            EXPECT_EQ(points[i].x, truth[i].x) << i;
        }
    }
}

TEST(FaceShapeMend, AnEyeMovedWholeAcrossTheFaceKeepsItsCornersButNotWhenTheyPartOrRise) {
    const ShapeModel m = model();
    const auto truth = placed(m);
    // Moves a point along the face's own axes (across, down) by pixels.
    auto moved = [](PointCandidate p, double across, double down) {
        p.x += static_cast<int>(std::lround(across * std::cos(kTurn) - down * std::sin(kTurn)));
        p.y += static_cast<int>(std::lround(across * std::sin(kTurn) + down * std::cos(kTurn)));
        return p;
    };
    // Five spreads each, well past the limit of three.
    constexpr double kShift = 12.0;
    struct Case {
        const char* what;
        double inAcross, inDown, outAcross, outDown;
        bool asked;
    };
    const Case cases[] = {
        {"the far eye of a turned head, nearer the middle", kShift, 0, kShift, 0, false},
        {"the same eye further out", -kShift, 0, -kShift, 0, false},
        {"corners pulled apart onto look-alikes", kShift, 0, -kShift, 0, true},
        {"both corners on the brow above", 0, -kShift, 0, -kShift, true},
    };
    for (const Case& c : cases) {
        auto points = truth;
        points[kEyeLeftIn] = moved(truth[kEyeLeftIn], c.inAcross, c.inDown);
        points[kEyeLeftOut] = moved(truth[kEyeLeftOut], c.outAcross, c.outDown);
        const auto found = points;
        std::vector<int> asked;
        const ShapeCandidateSource source = [&](int point, double, double, double) {
            asked.push_back(point);
            return std::vector<PointCandidate>{truth[point]};
        };
        mend_face_shape(m, points, source);
        if (c.asked) {
            EXPECT_EQ(asked, (std::vector<int>{kEyeLeftIn, kEyeLeftOut})) << c.what;
            EXPECT_EQ(points[kEyeLeftOut].x, truth[kEyeLeftOut].x) << c.what;
        } else {
            EXPECT_TRUE(asked.empty()) << c.what;
            for (int i = 0; i < kShapePoints; ++i)
                EXPECT_EQ(points[i].x, found[i].x) << c.what << " " << i;
        }
    }
}

TEST(FaceShapeMend, AFaceWithinItsSpreadsOrWithNothingBetterIsLeftAlone) {
    const ShapeModel m = model();
    auto points = placed(m);
    // Every point a spread or so off the mean: an ordinary face.
    for (int i = 0; i < kShapePoints; ++i) {
        points[i].x += (i % 3) - 1;
        points[i].y += ((i / 3) % 3) - 1;
    }
    const auto before = points;
    int calls = 0;
    EXPECT_EQ(mend_face_shape(m, points, none(calls)), 0);
    EXPECT_EQ(calls, 0);
    for (int i = 0; i < kShapePoints; ++i)
        EXPECT_EQ(points[i].y, before[i].y);
    // A point that breaks the shape but has no candidate keeps its place.
    points[kMouthRight].y += 30;
    const auto broken = points;
    EXPECT_EQ(mend_face_shape(m, points, none(calls)), 0);
    EXPECT_EQ(calls, 1);
    for (int i = 0; i < kShapePoints; ++i) {
        EXPECT_EQ(points[i].x, broken[i].x);
        EXPECT_EQ(points[i].y, broken[i].y);
    }
    // One that scores far worse than the point does not win for fitting the shape alone.
    const ShapeCandidateSource poor = [&](int, double x, double y, double) {
        return std::vector<PointCandidate>{
            {static_cast<int>(std::lround(x)), static_cast<int>(std::lround(y)), 0.1}};
    };
    EXPECT_EQ(mend_face_shape(m, points, poor), 0);
    EXPECT_EQ(points[kMouthRight].y, broken[kMouthRight].y);
}

TEST(FaceShapeMend, AFitThatNeedsTheMostStretchAFaceMayHaveMovesNothing) {
    const ShapeModel m = model();
    // Points shorter than any face against their eyes' distance (eyes found too far apart,
    // as on a turned head), with one mouth corner well off its place too.
    const ShapePlacement squashed{kScale * std::cos(kTurn), kScale * std::sin(kTurn), 120.0, 90.0,
                                  0.6};
    std::array<PointCandidate, kShapePoints> points;
    for (int i = 0; i < kShapePoints; ++i) {
        double x = 0, y = 0;
        squashed.place(m.mean[i], x, y);
        points[i] = {static_cast<int>(std::lround(x)), static_cast<int>(std::lround(y)), 0.8};
    }
    points[kMouthRight].x += 20;
    const ShapeFit fit = fit_face_shape(m, points);
    ASSERT_TRUE(fit.valid);
    ASSERT_NEAR(fit.placement.stretch, 0.8, 1e-6);
    ASSERT_GT(fit.misfit[kMouthRight], m.misfitLimit);
    // Such a placement is not trusted to say which point is wrong: none is asked for again.
    const auto before = points;
    int calls = 0;
    EXPECT_EQ(mend_face_shape(m, points, none(calls)), 0);
    EXPECT_EQ(calls, 0);
    for (int i = 0; i < kShapePoints; ++i) {
        EXPECT_EQ(points[i].x, before[i].x) << i;
        EXPECT_EQ(points[i].y, before[i].y) << i;
    }
}

TEST(FaceShapeMend, DegenerateInputNeitherCrashesNorMovesPointsToNaN) {
    int calls = 0;
    // Every point on one pixel: no placement.
    std::array<PointCandidate, kShapePoints> same;
    same.fill({50, 50, 0.5});
    EXPECT_FALSE(fit_face_shape(model(), same).valid);
    EXPECT_EQ(mend_face_shape(model(), same, none(calls)), 0);
    EXPECT_EQ(same[0].x, 50);

    // A model read from tables that hold no numbers, or no limit, is not used.
    auto points = placed(model());
    points[kMouthLeft].x -= 25;
    ShapeModel broken = model();
    broken.mean[3].x = std::numeric_limits<double>::quiet_NaN();
    EXPECT_FALSE(fit_face_shape(broken, points).valid);
    broken = model();
    broken.misfitLimit = 0;
    EXPECT_EQ(mend_face_shape(broken, points, none(calls)), 0);
    EXPECT_EQ(calls, 0);

    // A zero spread is held at a floor; a point that did not score is beaten by any candidate
    // that did, and a NaN-scored candidate never wins.
    ShapeModel tight = model();
    tight.spread[kMouthLeft] = {0.0, 0.0};
    const auto truth = placed(tight);
    points[kMouthLeft].score = std::numeric_limits<double>::quiet_NaN();
    const ShapeCandidateSource source = [&](int, double, double, double) {
        return std::vector<PointCandidate>{{truth[kMouthLeft].x + 3, truth[kMouthLeft].y,
                                            std::numeric_limits<double>::quiet_NaN()},
                                           {truth[kMouthLeft].x, truth[kMouthLeft].y, 0.2}};
    };
    EXPECT_EQ(mend_face_shape(tight, points, source), 1);
    EXPECT_EQ(points[kMouthLeft].x, truth[kMouthLeft].x);
    for (const PointCandidate& p : points) {
        EXPECT_GE(p.x, 0);
        EXPECT_GE(p.y, 0);
    }
}

// The model with one way faces vary together: a turned head, its nose and mouth moved across
// the face against the eyes (the nose, nearer the camera, the more), its far half narrower.
ShapeModel turning_model() {
    ShapeModel m = model();
    ShapeMode turn;
    turn.move = {{{0.0, 0.0},
                  {-0.1, 0.0},
                  {0.0, 0.0},
                  {-0.2, 0.0},
                  {0.6, 0.0},
                  {0.55, 0.0},
                  {0.55, 0.0},
                  {0.3, 0.0},
                  {0.2, 0.0}}};
    turn.spread = 0.15;
    m.modes = {turn};
    m.rest.fill({0.03, 0.03});
    return m;
}

// The model's points placed as placed() does, bent by units of its first mode.
std::array<PointCandidate, kShapePoints> placed_bent(const ShapeModel& m, double units) {
    const ShapePlacement p{kScale * std::cos(kTurn), kScale * std::sin(kTurn), 120.0, 90.0};
    std::array<PointCandidate, kShapePoints> points;
    for (int i = 0; i < kShapePoints; ++i) {
        const ShapeOffset o{m.mean[i].x + units * m.modes[0].move[i].x,
                            m.mean[i].y + units * m.modes[0].move[i].y};
        double x = 0, y = 0;
        p.place(o, x, y);
        points[i] = {static_cast<int>(std::lround(x)), static_cast<int>(std::lround(y)), 0.8};
    }
    return points;
}

TEST(FaceShapeModes, ATurnedHeadFitsTheBentShapeAndOnlyItsLookAlikeIsChosenAgain) {
    const ShapeModel turning = turning_model();
    ShapeModel still = turning;
    still.modes.clear();
    // Turned by two of the mode's spreads: the nose lies 0.18 of the eyes' distance aside.
    const auto truth = placed_bent(turning, 0.3);
    // The mean shape alone takes the turned nose for misplaced; the bent shape does not.
    const ShapeFit stiff = fit_face_shape(still, truth);
    ASSERT_TRUE(stiff.valid);
    EXPECT_GT(stiff.misfit[kNoseCentre], still.misfitLimit);
    const ShapeFit bent = fit_face_shape(turning, truth);
    ASSERT_TRUE(bent.valid);
    for (int i = 0; i < kShapePoints; ++i)
        EXPECT_LT(bent.misfit[i], 1.0) << i;
    int calls = 0;
    auto points = truth;
    EXPECT_EQ(mend_face_shape(turning, points, none(calls)), 0);
    EXPECT_EQ(calls, 0);

    // A nose wing on a look-alike (a nostril's shadow below it) is asked for where the turned
    // face has it, and the wing there is taken; the turned nose centre stays where it is.
    points[kNoseRight].y += 8;
    double askedX = 0, askedY = 0, askedRadius = 0;
    const ShapeCandidateSource source = [&](int point, double x, double y, double radius) {
        EXPECT_EQ(point, kNoseRight);
        askedX = x;
        askedY = y;
        askedRadius = radius;
        return std::vector<PointCandidate>{truth[point]};
    };
    EXPECT_EQ(mend_face_shape(turning, points, source), 1);
    // Asked near the turned place, which the search reaches.
    EXPECT_LT(std::hypot(askedX - truth[kNoseRight].x, askedY - truth[kNoseRight].y),
              askedRadius / 2);
    for (int i = 0; i < kShapePoints; ++i) {
        EXPECT_EQ(points[i].x, truth[i].x) << i;
        EXPECT_EQ(points[i].y, truth[i].y) << i;
    }
}

TEST(FaceShapeModes, APointIsJudgedByTheShapeBentToTheOthersNotToItself) {
    // The nose centre alone moved aside as a turn would move it: the other points say the
    // head is not turned, so it stands out, however well a bending would explain it alone.
    const ShapeModel turning = turning_model();
    auto points = placed(turning);
    points[kNoseCentre].x += 11;
    const ShapeFit fit = fit_face_shape(turning, points);
    ASSERT_TRUE(fit.valid);
    EXPECT_GT(fit.misfit[kNoseCentre], turning.misfitLimit);
    for (int i = 0; i < kShapePoints; ++i) {
        if (i != kNoseCentre) {
            EXPECT_LT(fit.misfit[i], turning.misfitLimit) << i;
        }
    }
    // How far the search reaches for it: its spread about the bent shape and the bending's
    // uncertainty, never less than the rest spread alone.
    EXPECT_GE(fit.reach(kNoseCentre), 0.03 * kScale - 1e-9);
    EXPECT_LT(fit.reach(kNoseCentre), 0.06 * kScale);
}

TEST(FaceShapeModes, RangesHoldTheModesAndBrokenModesAreNotUsed) {
    const ShapeModel turning = turning_model();
    double range[21];
    shape_mode_to_range(turning.modes[0], range);
    const ShapeMode back = shape_mode_from_range(range);
    EXPECT_EQ(back.spread, turning.modes[0].spread);
    for (int i = 0; i < kShapePoints; ++i) {
        EXPECT_EQ(back.move[i].x, turning.modes[0].move[i].x);
        EXPECT_EQ(back.move[i].y, turning.modes[0].move[i].y);
    }
    shape_rest_to_range(turning.rest, range);
    EXPECT_EQ(shape_rest_from_range(range)[kMouthLeft].y, turning.rest[kMouthLeft].y);
    EXPECT_EQ(shape_mode_range(0), "SHAPE_MODE1");
    EXPECT_EQ(shape_mode_range(3), "SHAPE_MODE4");

    const auto points = placed(turning);
    ShapeModel broken = turning;
    broken.modes[0].spread = 0.0;
    EXPECT_FALSE(fit_face_shape(broken, points).valid);
    broken = turning;
    broken.modes[0].move[kNoseLeft].y = std::numeric_limits<double>::infinity();
    EXPECT_FALSE(fit_face_shape(broken, points).valid);
    broken = turning;
    broken.modes.assign(kShapeModes + 1, turning.modes[0]);
    EXPECT_FALSE(fit_face_shape(broken, points).valid);
}

} // namespace
} // namespace zel::engine
