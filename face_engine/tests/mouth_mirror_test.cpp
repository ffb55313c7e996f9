// Mouth corners judged by their likeness to their partner mirrored: the true corner of a
// mouth mirrors the other corner, a spot on the jaw's edge beside it does not, and a shadow
// over half the face does not change the judgement.

#include "generation/mouth_mirror.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

namespace zel::engine {
namespace {

// An hsv picture of skin brightness with whatever is drawn into its luma byte.
class Picture {
public:
    Picture(int cols, int rows, unsigned char skin)
        : cols_(cols), rows_(rows), pixels_(static_cast<std::size_t>(cols) * rows) {
        for (_pixel& p : pixels_)
            p = {0, 60, skin, 0};
        for (int y = 0; y < rows; ++y)
            table_.push_back(pixels_.data() + static_cast<std::size_t>(y) * cols);
    }
    int cols() const { return cols_; }
    int rows() const { return rows_; }
    _pixel** hsv() { return table_.data(); }
    void set(int x, int y, unsigned char luma) {
        if (x >= 0 && x < cols_ && y >= 0 && y < rows_)
            table_[y][x].b = luma;
    }
    unsigned char get(int x, int y) const { return table_[y][x].b; }

private:
    int cols_;
    int rows_;
    std::vector<_pixel> pixels_;
    std::vector<_pixel*> table_;
};

// Lips from (x0, y) to (x1, y), thickest in the middle and closing to a point at each corner,
// with a dark line where they meet; a jaw whose edge runs down column jawX to the left of it.
Picture mouth_and_jaw(int x0, int x1, int y, int jawX) {
    Picture p(100, 60, 180);
    for (int x = x0; x <= x1; ++x) {
        const double along = static_cast<double>(x - x0) / (x1 - x0);
        const int half = static_cast<int>(std::lround(6.0 * std::sin(along * std::numbers::pi)));
        for (int dy = -half; dy <= half; ++dy)
            p.set(x, y + dy, 120);
        p.set(x, y, 50);
    }
    for (int yy = 0; yy < p.rows(); ++yy)
        for (int x = 0; x < jawX; ++x)
            p.set(x, yy, 90);
    return p;
}

TEST(MouthMirror, TrueCornerMirrorsItsPartnerAndTheJawsEdgeDoesNot) {
    Picture p = mouth_and_jaw(30, 70, 30, 20);
    const PointCandidate left{30, 30, 0.0}, right{70, 30, 0.0}, jaw{20, 34, 0.0};
    const double corner = mirror_unlikeness(p.hsv(), p.cols(), p.rows(), left, right);
    const double edge = mirror_unlikeness(p.hsv(), p.cols(), p.rows(), jaw, right);
    EXPECT_LT(corner, 0.02);
    EXPECT_GT(edge, corner + 0.2);

    // A shadow over the right half changes brightness and contrast there, not the likeness.
    for (int y = 0; y < p.rows(); ++y)
        for (int x = 50; x < p.cols(); ++x)
            p.set(x, y, static_cast<unsigned char>(p.get(x, y) / 2 + 10));
    EXPECT_NEAR(mirror_unlikeness(p.hsv(), p.cols(), p.rows(), left, right), corner, 0.02);
    EXPECT_GT(mirror_unlikeness(p.hsv(), p.cols(), p.rows(), jaw, right), corner + 0.2);
}

TEST(MouthMirror, NeitherAlikeNorUnlikeWhenNothingCanBeCompared) {
    Picture flat(40, 20, 150);
    const PointCandidate left{10, 10, 0.0}, right{30, 10, 0.0};
    EXPECT_EQ(mirror_unlikeness(flat.hsv(), flat.cols(), flat.rows(), left, right), 0.5);
    EXPECT_EQ(mirror_unlikeness(nullptr, 40, 20, left, right), 0.5);
    Picture p = mouth_and_jaw(30, 70, 30, 20);
    // Corners nearly on top of each other are no mouth.
    EXPECT_EQ(mirror_unlikeness(p.hsv(), p.cols(), p.rows(), {50, 30, 0.0}, {52, 30, 0.0}), 0.5);
    // A corner at the picture's edge is judged on what lies inside it.
    const double atEdge =
        mirror_unlikeness(p.hsv(), p.cols(), p.rows(), {0, 30, 0.0}, {99, 59, 0.0});
    EXPECT_GE(atEdge, 0.0);
    EXPECT_LE(atEdge, 1.0);
}

} // namespace
} // namespace zel::engine
