// Placement of one template: forward mapping at scale 1.0 and below, backward above, mirroring
// about the anchor, clipping at the target's edges.

#include "test_templates.h"
#include "truncate.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace zel::engine::testing {
namespace {

struct Drawing {
    Drawing(int c, int r) : cols(c), rows(r), bits(pbm_allocarray(c, r)) {
        bw_array_fill(bits, cols, rows, 1);
    }
    ~Drawing() { pbm_freearray(bits, rows); }
    Drawing(const Drawing&) = delete;
    Drawing& operator=(const Drawing&) = delete;

    int place(const char* name, int lx, int ly, double scale, int mirror, int erase = 0) {
        PartLocation loc;
        if (read_part_location(1, name, &loc) != kOk) {
            return kMissing;
        }
        return part_place_template(bits, cols, rows, 1, name, lx, ly, loc, scale, mirror, erase);
    }
    int ink() const {
        int n = 0;
        for (int r = 0; r < rows; ++r) {
            for (int c = 0; c < cols; ++c) {
                n += bits[r][c] == 0 ? 1 : 0;
            }
        }
        return n;
    }
    std::vector<std::string> art() const { return as_art(bits, cols, rows); }

    int cols;
    int rows;
    unsigned char** bits;
};

std::vector<std::string> solid(int cols, int rows) {
    return std::vector<std::string>(static_cast<size_t>(rows), std::string(cols, '#'));
}

class PlacementTest : public ::testing::Test {
protected:
    void SetUp() override {
        templates.add(1, "ELL", {"#..", "###"}, 1, 1);
        templates.add(1, "SOLID", solid(30, 30), 0, 0);
        templates.add(1, "ARROW", {"#....", "##...", "#####"}, 4, 2);
    }
    FakeTemplates templates;
};

TEST_F(PlacementTest, ScaleOneMovesEveryInkPixelByTheAnchorOffset) {
    Drawing d(8, 6);
    ASSERT_EQ(d.place("ELL", 5, 4, 1.0, 0), kOk);
    const std::vector<std::string> expected = {"........", "........", "........",
                                               "....#...", "....###.", "........"};
    EXPECT_EQ(d.art(), expected);
    EXPECT_EQ(templates.open_without_close(), 0);
}

TEST_F(PlacementTest, ScaleOneLandsColumnMinusOneOnColumnZero) {
    // Offsets -2, -1 and 0 from column 0: truncation toward zero puts -1 on column 0 and
    // clips -2.
    templates.add(1, "BAR", {"###"}, 2, 0);
    Drawing d(4, 2);
    ASSERT_EQ(d.place("BAR", 0, 0, 1.0, 0), kOk);
    const std::vector<std::string> expected = {"#...", "...."};
    EXPECT_EQ(d.art(), expected);
}

TEST_F(PlacementTest, MirrorAtScaleOneIsTheMirrorImageAboutTheAnchorColumn) {
    Drawing plain(20, 6);
    Drawing mirrored(20, 6);
    ASSERT_EQ(plain.place("ARROW", 10, 3, 1.0, 0), kOk);
    ASSERT_EQ(mirrored.place("ARROW", 10, 3, 1.0, 1), kOk);
    EXPECT_EQ(plain.ink(), 8);
    for (int r = 0; r < 6; ++r) {
        for (int c = 1; c < 20; ++c) {
            EXPECT_EQ(plain.bits[r][c], mirrored.bits[r][20 - c]) << r << "," << c;
        }
    }
    EXPECT_EQ(mirrored.bits[3][10], 0); // the anchor pixel stays where it was
}

TEST_F(PlacementTest, EnlargementMapsBackwardsWithoutGaps) {
    // Forward mapping of 30 pixels over 31.5 columns would leave a gap; backward fills the box.
    Drawing d(50, 50);
    ASSERT_EQ(d.place("SOLID", 5, 5, 1.05, 0), kOk);
    EXPECT_EQ(d.ink(), 31 * 31);
    for (int r = 5; r <= 35; ++r) {
        for (int c = 5; c <= 35; ++c) {
            ASSERT_EQ(d.bits[r][c], 0) << r << "," << c;
        }
    }
}

TEST_F(PlacementTest, MirroredEnlargementLiesLeftOfTheAnchor) {
    Drawing d(50, 50);
    ASSERT_EQ(d.place("SOLID", 40, 5, 1.05, 1), kOk);
    EXPECT_EQ(d.ink(), 31 * 31);
    for (int r = 5; r <= 35; ++r) {
        EXPECT_EQ(d.bits[r][40], 0);
        EXPECT_EQ(d.bits[r][10], 0);
        EXPECT_EQ(d.bits[r][9], 1);
        EXPECT_EQ(d.bits[r][41], 1);
    }
}

TEST_F(PlacementTest, PartsReachingPastTheEdgesAreClippedNotWrapped) {
    for (double scale : {1.0, 1.05, 0.95}) {
        for (int mirror : {0, 1}) {
            Drawing d(20, 20);
            ASSERT_EQ(d.place("SOLID", mirror ? 5 : 12, 12, scale, mirror), kOk);
            // Nothing reappears on the opposite edges.
            for (int i = 0; i < 20; ++i) {
                EXPECT_EQ(d.bits[0][i], 1) << scale << " " << mirror;
                EXPECT_EQ(d.bits[i][mirror ? 19 : 0], 1) << scale << " " << mirror;
            }
            EXPECT_EQ(d.bits[19][mirror ? 0 : 19], 0);
        }
    }
    // Far outside, and with positions whose products leave the int range: nothing painted.
    Drawing d(20, 20);
    EXPECT_EQ(d.place("SOLID", -1000, 2000000000, 1.05, 0), kOk);
    EXPECT_EQ(d.place("SOLID", 2000000000, -5, 0.5, 1), kOk);
    EXPECT_EQ(d.ink(), 0);
}

TEST_F(PlacementTest, LocationWordsAtTheEndsOfTheIntRangeNeitherOverflowNorPaint) {
    templates.add(1, "WILD", {"#"}, 0, 0);
    templates.relocate(1, "WILD",
                       PartLocation{INT_MIN, INT_MIN, INT_MIN, INT_MAX, INT_MIN, INT_MAX});
    Drawing d(20, 20);
    for (double scale : {1.0, 1.05}) {
        for (int mirror : {0, 1}) {
            EXPECT_EQ(d.place("WILD", 10, 10, scale, mirror), kOk);
        }
    }
    EXPECT_EQ(d.ink(), 0);
}

// Extents at the ends of the int range around an ordinary anchor only say "everything": an
// enlargement then paints what it paints with the template's own extents, and no more than
// the two rows and columns beyond them that the backward mapping rounds onto the template's
// edge.
// Differences of such words taken in int arithmetic would wrap around and paint nothing.
TEST_F(PlacementTest, ExtentsAtTheEndsOfTheIntRangePaintTheTemplate) {
    templates.add(1, "WIDE", {"#....", "##...", "#####"}, 4, 2);
    templates.relocate(1, "WIDE", PartLocation{4, 2, INT_MIN, INT_MAX, INT_MIN, INT_MAX});
    for (int mirror : {0, 1}) {
        Drawing own(20, 12);
        Drawing wide(20, 12);
        ASSERT_EQ(own.place("ARROW", 10, 6, 1.6, mirror), kOk);
        ASSERT_EQ(wide.place("WIDE", 10, 6, 1.6, mirror), kOk);
        ASSERT_GT(own.ink(), 8);
        int top = 12, bottom = -1, left = 20, right = -1;
        for (int r = 0; r < 12; ++r) {
            for (int c = 0; c < 20; ++c) {
                if (own.bits[r][c] == 0) {
                    EXPECT_EQ(wide.bits[r][c], 0) << r << ", " << c << " mirror " << mirror;
                    top = std::min(top, r);
                    bottom = std::max(bottom, r);
                    left = std::min(left, c);
                    right = std::max(right, c);
                }
            }
        }
        for (int r = 0; r < 12; ++r) {
            for (int c = 0; c < 20; ++c) {
                if (wide.bits[r][c] == 0) {
                    EXPECT_TRUE(r >= top - 2 && r <= bottom + 2 && c >= left - 2 && c <= right + 2)
                        << r << ", " << c << " mirror " << mirror;
                }
            }
        }
    }
}

// Far positions are held at the ends of the int range, never converted with undefined
// results (x86 turns every such conversion into INT_MIN, a far-away position to the left or top
// whichever side it was on).
TEST(TruncToInt, TruncatesTowardZeroAndHoldsFarValuesAtTheRangeEnds) {
    EXPECT_EQ(trunc_to_int(2.9), 2);
    EXPECT_EQ(trunc_to_int(-2.9), -2);
    EXPECT_EQ(trunc_to_int(2147483647.0), INT_MAX);
    EXPECT_EQ(trunc_to_int(1e300), INT_MAX);
    EXPECT_EQ(trunc_to_int(-1e300), INT_MIN);
    EXPECT_EQ(trunc_to_int(std::nan("")), INT_MIN);
}

TEST_F(PlacementTest, EraseModePaintsWhiteAndMissingBitmapPaintsNothing) {
    Drawing d(8, 6);
    bw_array_fill(d.bits, 8, 6, 0);
    ASSERT_EQ(d.place("ELL", 5, 4, 1.0, 0, 1), kOk);
    EXPECT_EQ(d.ink(), 8 * 6 - 4);

    templates.add_location_only(1, "NOBITMAP", PartLocation{0, 0, 0, 3, 0, 3});
    Drawing e(8, 6);
    EXPECT_EQ(e.place("NOBITMAP", 2, 2, 1.0, 0), kNoMemory);
    EXPECT_EQ(e.place("ABSENT", 2, 2, 1.0, 0), kMissing);
    EXPECT_EQ(e.ink(), 0);
}

} // namespace
} // namespace zel::engine::testing
