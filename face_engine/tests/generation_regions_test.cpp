// The region list and the region tools built on it: regions as a flood fill finds them, in the
// order of their first segment, the fixed table limit, and which region face_seg keeps.

#include "generation/cartoon.h"
#include "generation/region_list.h"
#include "generation/segmentation.h"
#include "generation_support.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace zel::engine {
namespace {

using testing::filled_mask;
using testing::mask_art;
using testing::mask_from_art;
using testing::MessageLog;

// 4-connected labels of the pixels of value v by flood fill, -1 elsewhere.
std::vector<int> flood_labels(unsigned char** m, int cols, int rows, unsigned char v) {
    std::vector<int> label(static_cast<std::size_t>(cols) * rows, -1);
    int next = 0;
    std::vector<int> stack;
    for (int start = 0; start < cols * rows; ++start) {
        if (label[start] >= 0 || m[start / cols][start % cols] != v)
            continue;
        label[start] = next;
        stack.push_back(start);
        while (!stack.empty()) {
            const int i = stack.back();
            stack.pop_back();
            const int x = i % cols;
            const int y = i / cols;
            const int nx[4] = {x - 1, x + 1, x, x};
            const int ny[4] = {y, y, y - 1, y + 1};
            for (int k = 0; k < 4; ++k) {
                if (nx[k] < 0 || nx[k] >= cols || ny[k] < 0 || ny[k] >= rows)
                    continue;
                const int j = ny[k] * cols + nx[k];
                if (label[j] < 0 && m[ny[k]][nx[k]] == v) {
                    label[j] = next;
                    stack.push_back(j);
                }
            }
        }
        ++next;
    }
    return label;
}

TEST(RegionList, RegionsAreTheConnectedAreasInOrderOfTheirFirstSegment) {
    std::mt19937 random(15);
    for (const double density : {0.3, 0.5, 0.62, 0.8}) {
        const int cols = 97;
        const int rows = 71;
        auto m = filled_mask(cols, rows, 0);
        std::bernoulli_distribution ink(density);
        for (int y = 0; y < rows; ++y)
            for (int x = 0; x < cols; ++x)
                m->bits[y][x] = ink(random) ? 1 : 0;
        RegionList list(rows);
        ASSERT_TRUE(list.add_rows(m->bits, cols, rows, 1));
        list.merge();
        const std::vector<int> flood = flood_labels(m->bits, cols, rows, 1);

        // Every pixel of a segment carries the flood label of the segment's first pixel, and
        // two segments share a region exactly when they share a flood label.
        std::vector<int> regionOfFlood(cols * rows, -1);
        long pixels = 0;
        int lastNewRegion = -1;
        for (int s = 0; s < list.segment_count(); ++s) {
            const RegionList::Segment& seg = list.segment(s);
            const int f = flood[seg.line * cols + seg.first];
            for (int x = seg.first; x <= seg.last; ++x)
                ASSERT_EQ(flood[seg.line * cols + x], f);
            pixels += seg.last - seg.first + 1;
            const int r = list.region_of(s);
            if (regionOfFlood[f] < 0) {
                regionOfFlood[f] = r;
                // A region first met at segment s is the next region in order.
                EXPECT_EQ(r, lastNewRegion + 1);
                lastNewRegion = r;
            }
            EXPECT_EQ(regionOfFlood[f], r);
        }
        EXPECT_EQ(list.region_count(), lastNewRegion + 1);
        long areas = 0;
        for (int r = 0; r < list.region_count(); ++r)
            areas += list.area(r);
        EXPECT_EQ(areas, pixels);
    }
}

TEST(RegionList, DiagonalNeighboursAreSeparateRegions) {
    const auto m = mask_from_art({
        "#.#",
        ".#.",
        "#.#",
    });
    RegionList list(m->rows);
    ASSERT_TRUE(list.add_rows(m->bits, m->cols, m->rows, 1));
    list.merge();
    EXPECT_EQ(list.region_count(), 5);
}

TEST(RegionList, TableHoldsSixtyFiveThousandFiveHundredThirtyFourSegments) {
    // 360 runs in each row of 720 alternating pixels.
    auto m = filled_mask(720, 183, 0);
    for (int y = 0; y < m->rows; ++y)
        for (int x = 0; x < m->cols; x += 2)
            m->bits[y][x] = 1;
    RegionList full(m->rows);
    EXPECT_TRUE(full.add_rows(m->bits, m->cols, 182, 1)); // 65520 segments
    for (int x = 0; x < 28; x += 2)
        EXPECT_TRUE(full.add(182, x, x));
    EXPECT_EQ(full.segment_count(), 65534);
    EXPECT_FALSE(full.add(182, 28, 28));
    EXPECT_EQ(full.segment_count(), 65534);

    RegionList overflow(m->rows);
    EXPECT_FALSE(overflow.add_rows(m->bits, m->cols, m->rows, 1));
}

class FaceSeg : public ::testing::Test {
protected:
    // Chin at column x, row chinY; head top at row topY.
    static void mark(int x, int chinY, int topY) {
        ASSERT_EQ(cartoon_check_head({x, chinY, 1, 0}, {x, topY, 1, 0}, 720, 960), 0);
    }
};

TEST_F(FaceSeg, WithoutBoxTheLargestRegionStaysAndHolesAreFilled) {
    auto m = mask_from_art({
        "##....###",
        "##...####",
        "......#.#",
        "#.....###",
    });
    ASSERT_EQ(face_seg(m->bits, m->cols, m->rows, nullptr, 1), 0);
    EXPECT_EQ(mask_art(*m), (std::vector<std::string>{
                                "......###",
                                ".....####",
                                "......#.#",
                                "......###",
                            }));
    ASSERT_EQ(face_seg(m->bits, m->cols, m->rows, nullptr, 0), 0);
    EXPECT_EQ(m->bits[2][7], 1);

    // Equal areas: the region met first in scan order stays.
    auto tie = mask_from_art({
        "...##",
        "##...",
    });
    ASSERT_EQ(face_seg(tie->bits, tie->cols, tie->rows, nullptr, 1), 0);
    EXPECT_EQ(mask_art(*tie), (std::vector<std::string>{"...##", "....."}));
}

TEST_F(FaceSeg, WithBoxTheRegionCrossingTheChinColumnStaysAndSetsTheBox) {
    mark(4, 5, 0);
    // Two equal regions cross column 4 between rows 0 and 5; the larger one on the left does
    // not.
    auto m = mask_from_art({
        "#...###....",
        "##..#......",
        "###........",
        "###.###....",
        "###...#....",
        "###........",
    });
    FaceBox box;
    bool set = false;
    ASSERT_EQ(face_seg(m->bits, m->cols, m->rows, &box, 1, &set), 0);
    EXPECT_TRUE(set);
    EXPECT_EQ(mask_art(*m), (std::vector<std::string>{
                                "....###....",
                                "....#......",
                                "...........",
                                "...........",
                                "...........",
                                "...........",
                            }));
    EXPECT_EQ(box.minx, 4);
    EXPECT_EQ(box.maxx, 6);
    EXPECT_EQ(box.miny, 0);
    EXPECT_EQ(box.maxy, 1);
    EXPECT_EQ(box.centerx, 5);
    EXPECT_EQ(box.centery, 0);
    EXPECT_EQ(box.width, 3);
    EXPECT_EQ(box.height, 2);
}

TEST_F(FaceSeg, NoRegionAtTheChinKeepsTheFirstAndLeavesTheBox) {
    mark(9, 3, 0);
    auto m = mask_from_art({
        "...##.....",
        "#.........",
        "###.......",
        "###.......",
    });
    FaceBox box;
    box.box_set_side(1, 77);
    bool set = true;
    ASSERT_EQ(face_seg(m->bits, m->cols, m->rows, &box, 1, &set), 0);
    EXPECT_FALSE(set);
    EXPECT_EQ(box.maxx, 77);
    EXPECT_EQ(box.minx, 0);
    EXPECT_EQ(mask_art(*m), (std::vector<std::string>{
                                "...##.....",
                                "..........",
                                "..........",
                                "..........",
                            }));
    // A region below the chin's row does not count either.
    mark(1, 1, 0);
    auto low = mask_from_art({"....", "....", ".#.."});
    ASSERT_EQ(face_seg(low->bits, low->cols, low->rows, &box, 1, &set), 0);
    EXPECT_FALSE(set);
}

TEST_F(FaceSeg, EmptyMaskStaysAndOverflowIsReported) {
    auto empty = filled_mask(5, 5, 0);
    ASSERT_EQ(face_seg(empty->bits, 5, 5, nullptr, 1), 0);
    EXPECT_EQ(mask_art(*empty), (std::vector<std::string>(5, ".....")));

    MessageLog log;
    auto stripes = filled_mask(720, 200, 0);
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 720; x += 2)
            stripes->bits[y][x] = 1;
    EXPECT_EQ(face_seg(stripes->bits, 720, 200, nullptr, 1), -13);
    EXPECT_EQ(log.last(), "Segmentation list table overflows @ face_seg().");
}

TEST(FaceBoxTop, FirstRowWithMoreThanFourTenthsOfTheBoxOffTheBackground) {
    auto back = mask_from_art({
        "##########",
        "######..##", // 2 of 6 columns in the box: not enough
        "####....##", // 4 of 6 (0.4 x 6 = 2.4)
        "##########",
    });
    FaceBox box;
    box.box_set_side(0, 2);
    box.box_set_side(1, 7);
    box.box_set_side(2, 3);
    box.box_set_side(3, 9);
    face_box_top(back->bits, back->cols, back->rows, box);
    EXPECT_EQ(box.miny, 2);
    EXPECT_EQ(box.centery, 5);
    EXPECT_EQ(box.height, 8);

    auto all = filled_mask(10, 4, 1);
    FaceBox kept = box;
    face_box_top(all->bits, all->cols, all->rows, kept);
    EXPECT_EQ(kept.miny, 2);
    EXPECT_EQ(kept.height, 8);
}

} // namespace
} // namespace zel::engine
