// The shade button: palette ramps, the relief patterns with their noise, the hover picture and
// how the pictures are drawn in each state.

#include "zel/controls/shade_button.h"

#include "controls_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

using namespace zel::controls::test;
using zel::controls::fill_shade_pattern;

namespace {

constexpr unsigned kSeed = 1234;

// The picture's bytes as rows from the top line down: value(x, y).
struct Relief {
    int w = 0, h = 0;
    std::vector<int> v;
    int at(int x, int y) const { return v[std::size_t(y) * std::size_t(w) + std::size_t(x)]; }
    double mean(int x0, int y0, int x1, int y1) const {
        double sum = 0;
        for (int y = y0; y < y1; ++y) {
            for (int x = x0; x < x1; ++x) {
                sum += at(x, y);
            }
        }
        return sum / ((x1 - x0) * (y1 - y0));
    }
};

Relief render(int w, int h, UINT pattern, int g = 8, unsigned seed = kSeed) {
    CDibImage image;
    Relief r;
    if (image.Create(w, h, 8) == nullptr) {
        return r;
    }
    zel::platform::srand(seed);
    fill_shade_pattern(image, pattern, g);
    r.w = w;
    r.h = h;
    for (int y = 0; y < h; ++y) {
        const BYTE* row = image.GetBits() + std::size_t(h - 1 - y) * image.GetLineWidth();
        for (int x = 0; x < w; ++x) {
            r.v.push_back(row[x]);
        }
    }
    return r;
}

std::vector<BYTE> entry(const CDibImage& image, int i) {
    const BYTE* p = image.GetBits() - image.GetPaletteSize() + i * 4;
    return {p[2], p[1], p[0]}; // red, green, blue
}

} // namespace

TEST(ShadePalette, RampsFromShadowThroughFaceToHighlight) {
    CDibImage image;
    image.Create(1, 1, 8);
    zel::controls::set_shade_palette(image, RGB(128, 128, 128), RGB(192, 192, 192),
                                     RGB(255, 255, 255));
    EXPECT_EQ(entry(image, 0), (std::vector<BYTE>{128, 128, 128}));
    EXPECT_EQ(entry(image, 64), (std::vector<BYTE>{160, 160, 160}));
    EXPECT_EQ(entry(image, 127), (std::vector<BYTE>{191, 191, 191}));
    EXPECT_EQ(entry(image, 128), (std::vector<BYTE>{192, 192, 192})); // (255 + 192 * 127) / 128
    EXPECT_EQ(entry(image, 191), (std::vector<BYTE>{223, 223, 223}));
    EXPECT_EQ(entry(image, 255), (std::vector<BYTE>{255, 255, 255}));
    for (int i = 1; i < 256; ++i) {
        ASSERT_GE(entry(image, i)[0], entry(image, i - 1)[0]);
    }
    // Per channel.
    zel::controls::set_shade_palette(image, RGB(0, 100, 200), RGB(128, 128, 128), RGB(255, 0, 50));
    EXPECT_EQ(entry(image, 0), (std::vector<BYTE>{0, 100, 200}));
    EXPECT_EQ(entry(image, 255), (std::vector<BYTE>{255, 0, 50}));
}

TEST(ShadePatterns, SameSeedSameReliefAndNoiseWithinGranularity) {
    for (UINT pattern = 0; pattern <= 9; ++pattern) {
        EXPECT_EQ(render(40, 20, pattern).v, render(40, 20, pattern).v) << pattern;
    }
    const Relief flat = render(50, 30, CShadeButton::kFlat);
    EXPECT_GE(*std::min_element(flat.v.begin(), flat.v.end()), 120);
    EXPECT_LE(*std::max_element(flat.v.begin(), flat.v.end()), 136);
    EXPECT_LT(*std::min_element(flat.v.begin(), flat.v.end()), 124);
    EXPECT_GT(*std::max_element(flat.v.begin(), flat.v.end()), 132);
    EXPECT_NE(render(50, 30, 0, 8, kSeed + 1).v, flat.v);
    // Above 8: the flat pattern; granularity 0 adds no noise.
    EXPECT_EQ(render(20, 10, 42).v, render(20, 10, CShadeButton::kFlat).v);
    const Relief quiet = render(20, 10, CShadeButton::kFlat, 0);
    EXPECT_TRUE(std::all_of(quiet.v.begin(), quiet.v.end(), [](int v) { return v == 128; }));
}

TEST(ShadePatterns, RampsAndBumpsRunTheirWay) {
    const Relief diagonal = render(60, 30, CShadeButton::kDiagonalRamp, 0);
    EXPECT_EQ(diagonal.at(0, 0), (127 * 29) / 30 + 127);
    EXPECT_EQ(diagonal.at(59, 29), 127 / 60);
    const Relief vertical = render(60, 30, CShadeButton::kVerticalRamp, 0);
    EXPECT_EQ(vertical.at(10, 29), 0); // bottom line: r = 0
    EXPECT_EQ(vertical.at(10, 0), (255 * 29) / 30);
    const Relief horizontal = render(60, 30, CShadeButton::kHorizontalRamp, 0);
    EXPECT_EQ(horizontal.at(0, 5), 255);
    EXPECT_EQ(horizontal.at(59, 5), 255 / 60);
    const Relief hbump = render(60, 30, CShadeButton::kHorizontalBump, 8);
    EXPECT_GT(hbump.mean(0, 0, 60, 5), 170);  // bright top
    EXPECT_LT(hbump.mean(0, 25, 60, 30), 90); // dark bottom
    const Relief vbump = render(60, 30, CShadeButton::kVerticalBump, 8);
    EXPECT_GT(vbump.mean(0, 0, 8, 30), 170); // bright left
    EXPECT_LT(vbump.mean(52, 0, 60, 30), 90);
}

TEST(ShadePatterns, SoftBumpStaysInRangeLitFromTopLeft) {
    // Before the noise every value is clamped to g .. 255 - g, so the noise cannot wrap: each
    // value stays near the relief without noise (the relief at granularity 8 is 15/16 of it, the
    // clamps differ by 8 and the noise adds up to 8), where a wrapped byte lands 200 away.
    const Relief soft = render(60, 30, CShadeButton::kSoftBump, 8);
    const Relief quiet = render(60, 30, CShadeButton::kSoftBump, 0);
    EXPECT_EQ(*std::min_element(quiet.v.begin(), quiet.v.end()), 0);
    int farthest = 0;
    for (std::size_t i = 0; i < soft.v.size(); ++i) {
        farthest = std::max(farthest, std::abs(soft.v[i] - quiet.v[i]));
    }
    EXPECT_LE(farthest, 32);
    const Relief g8 = render(60, 30, CShadeButton::kSoftBump, 8);
    // Clamped corners plus noise never wrap: dark stays dark, bright stays bright.
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 3; ++x) {
            EXPECT_GE(g8.at(x, y), 239);
        }
    }
    for (int y = 26; y < 30; ++y) {
        for (int x = 55; x < 60; ++x) {
            EXPECT_LE(g8.at(x, y), 16);
        }
    }
    EXPECT_GT(g8.mean(0, 0, 10, 6), g8.mean(50, 24, 60, 30));
    EXPECT_NEAR(g8.mean(25, 12, 35, 18), 128, 12);
}

TEST(ShadePatterns, HardBumpBandsAreAtMostSixteenWideAndNarrowToTheEnds) {
    auto band_width = [](const Relief& r, int y, bool left) {
        int n = 0;
        for (int i = 0; i < r.w / 2; ++i) {
            const int x = left ? i : r.w - 1 - i;
            const int v = r.at(x, y);
            if (left ? v <= 130 : v >= 126) {
                break;
            }
            ++n;
        }
        return n;
    };
    const Relief wide = render(100, 40, CShadeButton::kHardBump, 0);
    // Middle line (r = 20 counted from the bottom is line 19 from the top): bands of 16 (the
    // shadow band's test is strict, so it ends one pixel short).
    EXPECT_EQ(band_width(wide, 19, true), 16);
    EXPECT_EQ(band_width(wide, 19, false), 15);
    EXPECT_EQ(wide.at(0, 19), 255);           // brightest at the left edge
    EXPECT_EQ(wide.at(99, 19), 128 / 16);     // darkest at the right edge
    EXPECT_EQ(band_width(wide, 39, true), 0); // the bottom line has none
    const Relief narrow = render(30, 40, CShadeButton::kHardBump, 0);
    EXPECT_EQ(band_width(narrow, 19, true), 5);
    EXPECT_EQ(band_width(narrow, 19, false), 4);
    // Ten lines above the middle the highlight band is 12 wide over the relief's 144.
    EXPECT_EQ(wide.at(11, 9), 255 - (128 * 11) / 16);
    EXPECT_EQ(wide.at(12, 9), 144);
}

// The band's bounds square the distance from the middle row, which for tall pictures no longer
// fits an int: lines far from the middle grew bands that belong to the middle only.
TEST(ShadePatterns, HardBumpBandsOfTallPicturesStillNarrowToTheEnds) {
    for (int h : {24000, 50000}) {
        SCOPED_TRACE(h);
        const Relief tall = render(96, h, CShadeButton::kHardBump, 0);
        ASSERT_EQ(int(tall.v.size()), 96 * h);
        // The bottom line is the relief alone (noise adds at most 2 at granularity 0).
        for (int x = 0; x < 96; ++x) {
            EXPECT_NEAR(tall.at(x, h - 1), tall.at(0, h - 1), 2) << x;
        }
        // The middle line has both bands at full width.
        const int middle = h - 1 - h / 2;
        EXPECT_EQ(tall.at(0, middle), 255);
        EXPECT_EQ(tall.at(95, middle), 128 / 16);
        EXPECT_LE(tall.at(16, middle), 130);
    }
}

TEST(ShadePatterns, TinyPicturesNeverDivideByZero) {
    // Band width 0 (narrower than 6), a single line (no rows to narrow along), single pixels.
    for (UINT pattern = 0; pattern <= 8; ++pattern) {
        for (auto [w, h] : {std::pair{1, 1}, {5, 40}, {40, 1}, {2, 3}, {100000, 1}, {1, 40000}}) {
            const Relief r = render(w, h, pattern, 8);
            EXPECT_EQ(int(r.v.size()), w * h) << pattern << " " << w << "x" << h;
        }
        EXPECT_EQ(render(50, 20, pattern, 255).v.size(), 1000u); // granularity at its largest
    }
}

TEST(ShadePatterns, BrushedStrokesOverADiagonalRamp) {
    const Relief brushed = render(80, 40, CShadeButton::kBrushed, 8);
    const Relief again = render(80, 40, CShadeButton::kBrushed, 8);
    EXPECT_EQ(brushed.v, again.v);
    // The ramp runs from bright at the top-left to dark at the bottom-right, strokes on top.
    EXPECT_GT(brushed.mean(0, 0, 20, 10), brushed.mean(60, 30, 80, 40));
}

namespace {

constexpr UINT kShadeDialog = 7301;
constexpr int kShadeId = 1401;

class ShadeDialog : public CDialog {
public:
    ShadeDialog() : CDialog(kShadeDialog) {}
    CShadeButton button;

protected:
    void DoDataExchange(CDataExchange* dx) override {
        CDialog::DoDataExchange(dx);
        DDX_Control(dx, kShadeId, button);
    }
};

struct ShadeFixture : ::testing::Test {
    void SetUp() override {
        ensure_app();
        zel::platform::register_dialog(kShadeDialog,
                                       DialogTemplate{"",
                                                      0,
                                                      0,
                                                      120,
                                                      60,
                                                      WS_POPUP,
                                                      "MS Sans Serif",
                                                      8,
                                                      {PushButton("", kShadeId, 8, 8, 40, 24)}});
        ASSERT_TRUE(dialog.Create(kShadeDialog));
        dialog.ShowWindow(SW_SHOW);
        pump(20);
    }
    COLORREF at(int x, int y) {
        dialog.button.UpdateWindow();
        CClientDC dc(&dialog.button);
        return dc.GetPixel(x, y);
    }
    ShadeDialog dialog;
};

} // namespace

TEST_F(ShadeFixture, SetShadeRendersBothPicturesAtTheWindowSize) {
    zel::platform::srand(kSeed);
    dialog.button.SetShade(CShadeButton::kSoftBump, 8, 10, 0, 0);
    CRect window;
    dialog.button.GetWindowRect(&window);
    const CDibImage& normal = dialog.button.NormalPicture();
    const CDibImage& hover = dialog.button.HoverPicture();
    EXPECT_EQ(normal.GetWidth(), window.Width());
    EXPECT_EQ(normal.GetHeight(), window.Height());
    EXPECT_EQ(
        std::memcmp(normal.GetBits(), hover.GetBits(), normal.GetLineWidth() * normal.GetHeight()),
        0);
    // The hover palette is the normal one 10% of the way to the highlight colour.
    for (int i : {0, 100, 128, 255}) {
        const std::vector<BYTE> n = entry(normal, i), h = entry(hover, i);
        for (int c = 0; c < 3; ++c) {
            EXPECT_EQ(h[std::size_t(c)], (255 * 10 + n[std::size_t(c)] * 90) / 100) << i;
        }
    }
    // Colouring moves the normal palette towards the colour.
    dialog.button.SetShade(CShadeButton::kFlat, 8, 10, 50, RGB(255, 0, 0));
    EXPECT_EQ(entry(dialog.button.NormalPicture(), 0), (std::vector<BYTE>{191, 64, 64}));
}

TEST_F(ShadeFixture, DrawsNormalHoverAndShiftedPressedPictures) {
    zel::platform::srand(kSeed);
    dialog.button.SetShade(CShadeButton::kHardBump, 8, 40, 0, 0);
    const CDibImage& normal = dialog.button.NormalPicture();
    const CDibImage& hover = dialog.button.HoverPicture();
    auto colour_of = [](const CDibImage& image, int x, int y) {
        const BYTE index =
            image.GetBits()[std::size_t(image.GetHeight() - 1 - y) * image.GetLineWidth() +
                            std::size_t(x)];
        const BYTE* p = image.GetBits() - image.GetPaletteSize() + index * 4;
        return RGB(p[2], p[1], p[0]);
    };
    dialog.button.Invalidate();
    EXPECT_EQ(at(20, 12), colour_of(normal, 20, 12));
    EXPECT_EQ(at(5, 7), colour_of(normal, 5, 7));

    mouse_move(dialog.button, CPoint(20, 12));
    ASSERT_TRUE(dialog.button.IsHovered());
    EXPECT_EQ(at(20, 12), colour_of(hover, 20, 12));
    EXPECT_EQ(at(5, 7), colour_of(hover, 5, 7));

    // Pressed while hovered: the hover picture one pixel right and down.
    dialog.button.SetState(TRUE);
    EXPECT_EQ(at(21, 13), colour_of(hover, 20, 12));
    EXPECT_EQ(at(6, 8), colour_of(hover, 5, 7));

    // Pressed without the mouse over it: the normal picture.
    mouse_leave(dialog.button);
    ASSERT_FALSE(dialog.button.IsHovered());
    dialog.button.Invalidate();
    EXPECT_EQ(at(20, 12), colour_of(normal, 20, 12));
    dialog.button.SetState(FALSE);
}

TEST_F(ShadeFixture, TransparentShadeShowsTheCapturedBackgroundInstead) {
    dialog.button.SetShade(CShadeButton::kSoftBump, 8, 10, 0, 0);
    dialog.button.SetTransparent(FALSE);
    HBITMAP skin =
        make_bitmap(200, 120, [](CDC& dc) { dc.FillSolidRect(0, 0, 200, 120, RGB(30, 90, 40)); });
    CDC skinDC;
    skinDC.CreateCompatibleDC(nullptr);
    CBitmap* old = skinDC.SelectObject(CBitmap::FromHandle(skin));
    EXPECT_EQ(dialog.button.CaptureBackground(&skinDC), CIconButton::kButtonOk);
    skinDC.SelectObject(old);
    dialog.button.Invalidate();
    EXPECT_EQ(at(20, 12), RGB(30, 90, 40));
    EXPECT_EQ(at(2, 20), RGB(30, 90, 40));
    ::DeleteObject(skin);
}

TEST_F(ShadeFixture, ButtonsCreatedInCodeAreOwnerDrawnToo) {
    // As the view makes its column of buttons: created, not subclassed from a template.
    CShadeButton made;
    ASSERT_TRUE(
        made.Create("", WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(60, 2, 121, 42), &dialog, 99015));
    EXPECT_EQ(made.GetButtonStyle() & 0x1F, UINT(BS_OWNERDRAW));
    made.SetShade(CShadeButton::kHardBump, 8, 10, 0, 0);
    EXPECT_EQ(made.NormalPicture().GetWidth(), 61);
    EXPECT_EQ(made.NormalPicture().GetHeight(), 40);
}
