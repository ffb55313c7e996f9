// Checks the bundled template library as a whole: every name the face engine forms reads back in
// every set it belongs to, and the drawings keep the conventions the renderer and the builder
// rely on.

#include "vyresrc/vyresrc.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <set>
#include <string>
#include <vector>

namespace {

constexpr std::array<int, 4> kSets{1, 2, 3, 6};

struct Drawing {
    int cols = 0;
    int rows = 0;
    std::vector<unsigned char> pixels; // 0 = ink
    std::array<std::int32_t, 6> loc{};

    bool ink(int c, int r) const { return pixels[static_cast<std::size_t>(r) * cols + c] == 0; }
    int width() const { return loc[3] - loc[2] + 1; }
    int height() const { return loc[5] - loc[4] + 1; }
    int ink_count() const { return static_cast<int>(std::count(pixels.begin(), pixels.end(), 0)); }
    // Mean row of the ink in one column.
    double mean_row(int c) const {
        double sum = 0;
        int n = 0;
        for (int r = 0; r < rows; ++r)
            if (ink(c, r))
                sum += r, ++n;
        return n ? sum / n : -1;
    }
};

Drawing open(int set, const std::string& name) {
    Drawing d;
    if (ReadLocResource(set, name.c_str(), d.loc.data()) == 0) {
        ADD_FAILURE() << "no location record for " << name << " in set " << set;
        return d;
    }
    unsigned char** bitmap = OpenBWresource(set, name.c_str(), &d.cols, &d.rows);
    if (!bitmap) {
        ADD_FAILURE() << "no drawing for " << name << " in set " << set;
        return d;
    }
    for (int r = 0; r < d.rows; ++r)
        d.pixels.insert(d.pixels.end(), bitmap[r], bitmap[r] + d.cols);
    CloseBWresource(bitmap, d.rows);
    return d;
}

std::vector<std::string> eye_names() {
    std::vector<std::string> names;
    for (int a = 1; a <= 3; ++a)
        for (int b = 1; b <= 3; ++b)
            for (int c = 1; c <= 3; ++c)
                names.push_back("EYE" + std::to_string(a) + std::to_string(b) + std::to_string(c));
    return names;
}
std::vector<std::string> brow_names() {
    return {"BROW1", "BROW2", "BROW3", "BROW_HPY", "BROW_SAD", "BROW_ANGRY"};
}
std::vector<std::string> mouth_names() {
    std::vector<std::string> names;
    for (int a = 1; a <= 3; ++a)
        for (int b = 1; b <= 3; ++b)
            names.push_back("MOUTH" + std::to_string(a) + std::to_string(b));
    for (const char* n : {"MOUTH_HPY", "MOUTH_SAD", "MOUTH_ANGRY"})
        names.push_back(n);
    return names;
}
std::vector<std::string> nose_names() {
    return {"NOSE1", "NOSE2", "NOSE3"};
}
std::vector<std::string> glasses_names() {
    return {"GLASSES_STD", "GLASSES_RND", "GLASSES_REC"};
}

std::vector<std::string> drawing_names(int set) {
    std::vector<std::string> all;
    for (auto&& group : {eye_names(), brow_names(), nose_names(), mouth_names()})
        all.insert(all.end(), group.begin(), group.end());
    if (set == 6) {
        const auto glasses = glasses_names();
        all.insert(all.end(), glasses.begin(), glasses.end());
    }
    return all;
}

// Sizes of the 8-connected ink regions.
std::vector<int> region_sizes(const Drawing& d) {
    std::vector<int> label(d.pixels.size(), 0), sizes, stack;
    for (int start = 0; start < static_cast<int>(d.pixels.size()); ++start) {
        if (d.pixels[start] != 0 || label[start])
            continue;
        label[start] = 1;
        stack.assign(1, start);
        int size = 0;
        while (!stack.empty()) {
            const int at = stack.back();
            stack.pop_back();
            ++size;
            for (int dr = -1; dr <= 1; ++dr)
                for (int dc = -1; dc <= 1; ++dc) {
                    const int c = at % d.cols + dc, r = at / d.cols + dr;
                    if (c < 0 || r < 0 || c >= d.cols || r >= d.rows)
                        continue;
                    const int i = r * d.cols + c;
                    if (d.pixels[i] == 0 && !label[i])
                        label[i] = 1, stack.push_back(i);
                }
        }
        sizes.push_back(size);
    }
    return sizes;
}

class EverySet : public ::testing::TestWithParam<int> {};

TEST_P(EverySet, DrawingsAreTightCleanAndTopRowFirst) {
    const int set = GetParam();
    for (const std::string& name : drawing_names(set)) {
        SCOPED_TRACE(name);
        const Drawing d = open(set, name);
        ASSERT_FALSE(d.pixels.empty());
        // The box is the whole drawing and ink touches each of its four sides.
        EXPECT_EQ(d.loc[2], 0);
        EXPECT_EQ(d.loc[3], d.cols - 1);
        EXPECT_EQ(d.loc[4], 0);
        EXPECT_EQ(d.loc[5], d.rows - 1);
        bool top = false, bottom = false, left = false, right = false;
        for (int c = 0; c < d.cols; ++c)
            top |= d.ink(c, 0), bottom |= d.ink(c, d.rows - 1);
        for (int r = 0; r < d.rows; ++r)
            left |= d.ink(0, r), right |= d.ink(d.cols - 1, r);
        EXPECT_TRUE(top && bottom && left && right);
        // Only 0 and 1; no specks.
        EXPECT_TRUE(std::all_of(d.pixels.begin(), d.pixels.end(), [](auto v) { return v <= 1; }));
        const auto sizes = region_sizes(d);
        EXPECT_GE(*std::min_element(sizes.begin(), sizes.end()), 6);
        // No part template is bigger than a part of a face can be.
        EXPECT_LT(d.cols, 260);
        EXPECT_LT(d.rows, 200);
    }
}

TEST_P(EverySet, AnchorsFollowOneConventionPerPart) {
    const int set = GetParam();
    for (const std::string& name : eye_names()) {
        SCOPED_TRACE(name);
        const Drawing d = open(set, name);
        // Inner corner: last column, where the lids meet.
        EXPECT_EQ(d.loc[0], d.loc[3]);
        EXPECT_TRUE(d.ink(d.loc[0], d.loc[1]));
    }
    std::set<int> brow_widths;
    for (const std::string& name : brow_names()) {
        SCOPED_TRACE(name);
        const Drawing d = open(set, name);
        // Inner end of the bottom edge.
        EXPECT_EQ(d.loc[0], d.loc[3]);
        EXPECT_TRUE(d.ink(d.loc[0], d.loc[1]));
        for (int r = d.loc[1] + 1; r < d.rows; ++r)
            EXPECT_FALSE(d.ink(d.loc[0], r));
        brow_widths.insert(d.width());
    }
    EXPECT_EQ(brow_widths.size(), 1u) << "all brows of a set share one box width";
    for (const std::string& name : nose_names()) {
        SCOPED_TRACE(name);
        const Drawing d = open(set, name);
        // Axis at the base: the base is the last row, the axis halfway across the wings.
        EXPECT_EQ(d.loc[1], d.loc[5]);
        EXPECT_NEAR(d.loc[0], (d.cols - 1) / 2.0, d.cols * 0.1);
    }
    for (const std::string& name : mouth_names()) {
        SCOPED_TRACE(name);
        const Drawing d = open(set, name);
        // Centre of the lip line: on the axis, on ink.
        EXPECT_EQ(d.loc[0], (d.cols - 1) / 2);
        EXPECT_TRUE(d.ink(d.loc[0], d.loc[1]));
    }
}

TEST_P(EverySet, CodesAreVisibleInTheDrawings) {
    const int set = GetParam();
    auto eye = [&](int a, int b, int c) {
        return open(set, "EYE" + std::to_string(a) + std::to_string(b) + std::to_string(c));
    };
    for (int shape = 1; shape <= 3; ++shape) {
        EXPECT_LT(eye(1, shape, 2).width(), eye(2, shape, 2).width());
        EXPECT_LT(eye(2, shape, 2).width(), eye(3, shape, 2).width());
    }
    // Shape: narrow to round, measured where the lids are furthest apart.
    for (int size = 1; size <= 3; ++size) {
        auto opening = [&](int shape) {
            const Drawing d = eye(size, shape, 2);
            return static_cast<double>(d.height()) / d.width();
        };
        EXPECT_LT(opening(1), opening(2));
        EXPECT_LT(opening(2), opening(3));
    }
    // Slant: the outer corner (first column) climbs against the inner corner.
    for (int size = 1; size <= 3; ++size) {
        auto rise = [&](int slant) {
            const Drawing d = eye(size, 2, slant);
            int outer = 0;
            while (d.mean_row(outer) < 0)
                ++outer;
            return d.loc[1] - d.mean_row(outer);
        };
        EXPECT_LT(rise(1), 0);
        EXPECT_LT(rise(1), rise(2));
        EXPECT_LT(rise(2), rise(3));
        EXPECT_GT(rise(3), 0);
    }
    EXPECT_LT(open(set, "BROW1").ink_count(), open(set, "BROW2").ink_count());
    EXPECT_LT(open(set, "BROW2").ink_count(), open(set, "BROW3").ink_count());
    EXPECT_LT(open(set, "NOSE1").width(), open(set, "NOSE2").width());
    EXPECT_LT(open(set, "NOSE2").width(), open(set, "NOSE3").width());
    for (int lips = 1; lips <= 3; ++lips) {
        const auto l = std::to_string(lips);
        EXPECT_LT(open(set, "MOUTH1" + l).width(), open(set, "MOUTH2" + l).width());
        EXPECT_LT(open(set, "MOUTH2" + l).width(), open(set, "MOUTH3" + l).width());
    }
    for (int size = 1; size <= 3; ++size) {
        const auto s = std::to_string(size);
        EXPECT_LT(open(set, "MOUTH" + s + "1").height(), open(set, "MOUTH" + s + "2").height());
        EXPECT_LT(open(set, "MOUTH" + s + "2").height(), open(set, "MOUTH" + s + "3").height());
    }
}

TEST_P(EverySet, ExpressionsPointTheRightWay) {
    const int set = GetParam();
    // Brows: angry rises from a low inner end, sad falls from a high inner end.
    auto tilt = [&](const std::string& name) {
        const Drawing d = open(set, name);
        return d.mean_row(d.cols - 1) - d.mean_row(0); // > 0: outer end higher
    };
    EXPECT_GT(tilt("BROW_ANGRY"), tilt("BROW2"));
    EXPECT_LT(tilt("BROW_SAD"), 0);
    EXPECT_GT(tilt("BROW_ANGRY"), 0);
    // Mouths: the corners of a smile are above the lip line's centre, of a sad mouth below.
    auto corner_lift = [&](const std::string& name) {
        const Drawing d = open(set, name);
        return d.loc[1] - d.mean_row(0);
    };
    EXPECT_GT(corner_lift("MOUTH_HPY"), 0);
    EXPECT_LT(corner_lift("MOUTH_SAD"), 0);
    EXPECT_LT(corner_lift("MOUTH_ANGRY"), 0);
}

TEST_P(EverySet, StandardFaceIsAPortraitFaceBox) {
    const int set = GetParam();
    std::int32_t loc[6] = {};
    ASSERT_NE(ReadLocResource(set, "STD_FACE", loc), 0);
    const int width = loc[3] - loc[2] + 1;
    const int height = loc[5] - loc[4] + 1;
    EXPECT_GT(width, 300);
    EXPECT_GT(height, width);
    EXPECT_LE(height, 1.8 * width);
    EXPECT_GE(loc[2], 0);
    EXPECT_LT(loc[3], 720);
    EXPECT_GE(loc[4], 0);
    EXPECT_LT(loc[5], 960);
    int cols = 0, rows = 0;
    EXPECT_EQ(OpenBWresource(set, "STD_FACE", &cols, &rows), nullptr);
}

TEST_P(EverySet, PointTemplatesAreMirroredWeightedAndSmall) {
    const int set = GetParam();
    struct Template {
        std::int32_t header[vyresrc::kBinHeaderWords];
        std::vector<std::int32_t> x, y, w;
    };
    auto read = [&](const char* name) {
        Template t{{},
                   std::vector<std::int32_t>(1000),
                   std::vector<std::int32_t>(1000),
                   std::vector<std::int32_t>(1000)};
        EXPECT_NE(ReadBinTemplate(set, name, t.header, t.x.data(), t.y.data(), t.w.data(), 1000), 0)
            << name;
        const int n = t.header[vyresrc::kBinHeaderPointCount];
        t.x.resize(n), t.y.resize(n), t.w.resize(n);
        return t;
    };
    for (const char* name :
         {"EYE_LEFT_IN", "EYE_RIGHT_IN", "EYE_LEFT_OUT", "EYE_RIGHT_OUT", "NOSE_CENTER",
          "NOSE_LEFT", "NOSE_RIGHT", "MOUTH_LEFT", "MOUTH_RIGHT"}) {
        SCOPED_TRACE(name);
        const Template t = read(name);
        EXPECT_GT(t.x.size(), 8u);
        // The landmark search scores every template point at every position of its window:
        // its speed goal holds for templates of a few hundred points.
        EXPECT_LE(t.x.size(), 300u);
        EXPECT_GT(t.header[vyresrc::kBinHeaderReferenceSize], 0);
        EXPECT_GE(std::set<std::int32_t>(t.w.begin(), t.w.end()).size(), 2u);
        // Both signs: a correlation needs darker and brighter points.
        EXPECT_TRUE(std::any_of(t.w.begin(), t.w.end(), [](auto w) { return w < 0; }));
        EXPECT_TRUE(std::any_of(t.w.begin(), t.w.end(), [](auto w) { return w > 0; }));
    }
    for (auto [left, right] :
         {std::pair{"EYE_LEFT_IN", "EYE_RIGHT_IN"}, std::pair{"EYE_LEFT_OUT", "EYE_RIGHT_OUT"},
          std::pair{"NOSE_LEFT", "NOSE_RIGHT"}, std::pair{"MOUTH_LEFT", "MOUTH_RIGHT"}}) {
        SCOPED_TRACE(left);
        const Template l = read(left);
        const Template r = read(right);
        ASSERT_EQ(l.x.size(), r.x.size());
        for (std::size_t i = 0; i < l.x.size(); ++i) {
            EXPECT_EQ(r.x[i], -l.x[i]);
            EXPECT_EQ(r.y[i], l.y[i]);
            EXPECT_EQ(r.w[i], l.w[i]);
        }
    }
    // The nose centre is symmetric in itself.
    const Template c = read("NOSE_CENTER");
    std::multiset<std::tuple<int, int, int>> points, mirrored;
    for (std::size_t i = 0; i < c.x.size(); ++i) {
        points.insert({c.x[i], c.y[i], c.w[i]});
        mirrored.insert({-c.x[i], c.y[i], c.w[i]});
    }
    EXPECT_EQ(points, mirrored);
}

TEST_P(EverySet, TablesAreCompleteAndFuzzySetsCoverEveryValue) {
    const int set = GetParam();
    double range[21] = {};
    ASSERT_NE(face_readsearchrange(set, "SEARCH_RANGE", range), 0);
    for (double r : range)
        EXPECT_TRUE(r > -1.0 && r < 1.0) << r;
    // Windows run the right way, else the search skips them: the eye corners, the nose points,
    // the mouth corners and the mouth band.
    EXPECT_LT(range[0], range[1]);
    EXPECT_LT(range[2], range[3]);
    EXPECT_GT(range[4], 0.0);
    EXPECT_GT(range[5], range[6]);
    EXPECT_LT(range[7], range[8]);
    EXPECT_LT(range[9], range[10]);
    EXPECT_LT(range[11], range[12]);
    EXPECT_GT(range[13], range[14]);
    EXPECT_LT(range[15], range[16]);
    EXPECT_LT(range[17], range[18]);
    EXPECT_LT(range[19], range[20]);
    // Eyes above the nose above the mouth. The windows themselves may overlap: they are
    // fractions of a face box whose height varies from face to face.
    EXPECT_LT(range[2] + range[3], range[11] + range[12]);
    EXPECT_LT(range[11] + range[12], range[19] + range[20]);
    EXPECT_LT(range[12], range[20]); // nose above the bottom of the mouth band

    double thick[30] = {};
    ASSERT_NE(read_thick_file(set, thick), 0);
    for (int g = 0; g < 10; ++g) {
        // Default between the limits; sign: groups 5, 7, 9 lie below their centre.
        const bool below = g == 5 || g == 7 || g == 9;
        const double def = thick[3 * g], first = thick[3 * g + 1], last = thick[3 * g + 2];
        if (below)
            EXPECT_TRUE(first <= def && def <= last) << g;
        else
            EXPECT_TRUE(first >= def && def >= last) << g;
    }

    std::vector<unsigned char> buffer(12 * 144);
    ASSERT_NE(ReadFuzzyResource(set, buffer.data(), 12), 0);
    for (int k = 0; k < 12; ++k) {
        SCOPED_TRACE(k);
        double p[7], v[3];
        std::memcpy(p, buffer.data() + k * 144 + 56, sizeof p);
        std::memcpy(v, buffer.data() + k * 144 + 120, sizeof v);
        EXPECT_TRUE(p[2] < p[5] && p[0] < p[3] && p[3] < p[6] && p[1] < p[4]);
        EXPECT_TRUE(v[0] < v[1] && v[1] < v[2]);
        // No gap between the classes: at every value some class holds.
        const double lo = p[2] - (p[4] - p[2]), hi = p[4] + (p[4] - p[2]);
        for (double x = lo; x <= hi; x += (hi - lo) / 200) {
            const double low = x < p[2] ? 1 : x < p[5] ? (p[5] - x) / (p[5] - p[2]) : 0;
            const double mid = x < p[0]   ? 0
                               : x < p[3] ? (x - p[0]) / (p[3] - p[0])
                               : x < p[6] ? (p[6] - x) / (p[6] - p[3])
                                          : 0;
            const double high = x < p[1] ? 0 : x < p[4] ? (x - p[1]) / (p[4] - p[1]) : 1;
            EXPECT_GT(low + mid + high, 0.5) << x;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(TemplateData, EverySet, ::testing::ValuesIn(kSets),
                         [](const auto& tested) { return "Set" + std::to_string(tested.param); });

TEST(TemplateData, GlassesAreInSetSixOnly) {
    for (const std::string& name : glasses_names()) {
        SCOPED_TRACE(name);
        const Drawing d = open(6, name);
        // Bridge centre on the axis; the eye line crosses the lenses.
        EXPECT_EQ(d.loc[0], (d.cols - 1) / 2);
        EXPECT_GT(d.loc[1], d.rows / 4);
        EXPECT_LT(d.loc[1], d.rows * 3 / 4);
        std::int32_t loc[6];
        for (int set : {1, 2, 3})
            EXPECT_EQ(ReadLocResource(set, name.c_str(), loc), 0);
    }
}

TEST(TemplateData, SetsDifferAsTheirFacesDo) {
    // The woman's brows are finer, her lips fuller; the child's eyes rounder and larger, its nose
    // and mouth smaller than the man's.
    EXPECT_LT(open(2, "BROW2").ink_count(), open(1, "BROW2").ink_count());
    EXPECT_GT(open(2, "MOUTH22").height(), open(1, "MOUTH22").height());
    const Drawing man_eye = open(1, "EYE222");
    const Drawing child_eye = open(3, "EYE222");
    EXPECT_GT(child_eye.ink_count(), man_eye.ink_count());
    EXPECT_GT(static_cast<double>(child_eye.height()) / child_eye.width(),
              static_cast<double>(man_eye.height()) / man_eye.width());
    EXPECT_LT(open(3, "NOSE2").width() * open(3, "NOSE2").height(),
              open(1, "NOSE2").width() * open(1, "NOSE2").height());
    EXPECT_LT(open(3, "MOUTH22").width(), open(1, "MOUTH22").width());
}

} // namespace
