// The skinned dialog: every placement style, the region cut from a transparent colour, the
// style and bitmap status codes, the background notice and easy move.

#include "zel/controls/skin_dialog.h"

#include "controls_test_support.h"

#include <gtest/gtest.h>

using namespace zel::controls::test;

namespace {

constexpr UINT kDialog = 7601;
constexpr UINT kSkin = 9301;
constexpr COLORREF kA = RGB(250, 10, 10), kB = RGB(10, 250, 10), kEdge = RGB(10, 10, 250);

class SkinDialog : public CSkinDialog {
public:
    SkinDialog() : CSkinDialog(kDialog, nullptr) {}
    int drawn = 0;
    COLORREF seenAtOrigin = CLR_INVALID;
    LRESULT lastErase = -1;
    std::vector<MSG> posted;
    using CSkinDialog::BuildRegion;
    using CSkinDialog::GetBitmapBits;

protected:
    void OnBackgroundDrawn(CDC* offscreen) override {
        ++drawn;
        seenAtOrigin = offscreen->GetPixel(0, 0);
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        const LRESULT r = CSkinDialog::WindowProc(message, wParam, lParam);
        if (message == WM_ERASEBKGND) {
            lastErase = r;
        }
        return r;
    }
    BOOL PreTranslateMessage(MSG* msg) override {
        if (msg->message == WM_NCLBUTTONDOWN) {
            posted.push_back(*msg);
            return TRUE; // no system move in a test
        }
        return CSkinDialog::PreTranslateMessage(msg);
    }
};

// A 100 x 40 picture: colour A with a one-pixel border of the edge colour in its top-left
// corner, colour B in its bottom-right quarter.
HBITMAP skin_picture(int w = 100, int h = 40) {
    return make_bitmap(w, h, [w, h](CDC& dc) {
        dc.FillSolidRect(0, 0, w, h, kA);
        dc.FillSolidRect(w / 2, h / 2, w - w / 2, h - h / 2, kB);
        dc.FillSolidRect(0, 0, 1, 1, kEdge);
    });
}

struct SkinFixture : ::testing::Test {
    void SetUp() override {
        ensure_app();
        // 250 x 90 pixels of client area.
        zel::platform::register_dialog(
            kDialog,
            DialogTemplate{
                "", 0, 0, 250 * 4 / 6 + 1, 90 * 8 / 13 + 1, WS_POPUP, "MS Sans Serif", 8, {}});
        ASSERT_TRUE(dialog.Create(kDialog));
        dialog.MoveWindow(0, 0, 250, 90, FALSE);
        dialog.ShowWindow(SW_SHOW);
        pump(20);
        CRect rc;
        dialog.GetClientRect(&rc);
        ASSERT_EQ(rc.Width(), 250);
        ASSERT_EQ(rc.Height(), 90);
    }
    COLORREF at(int x, int y) {
        CClientDC dc(&dialog);
        return dc.GetPixel(x, y);
    }
    void style(BYTE s) {
        ASSERT_EQ(dialog.SetStyle(s, TRUE), CSkinDialog::kSkinOk);
        dialog.UpdateWindow();
    }
    SkinDialog dialog;
};

} // namespace

TEST_F(SkinFixture, TileFillsRowsAndColumnsClippingTheLast) {
    ASSERT_EQ(dialog.SetBitmap(skin_picture(), CSkinDialog::kNoTransparentColor),
              CSkinDialog::kSkinOk);
    dialog.UpdateWindow();
    // 3 x 3 copies: corners at x 0, 100, 200 and y 0, 40, 80.
    for (int x : {0, 100, 200}) {
        for (int y : {0, 40, 80}) {
            EXPECT_EQ(at(x, y), kEdge) << x << "," << y;
        }
    }
    EXPECT_EQ(at(249, 89), kA); // row y = 80 ends 10 lines into its copy
    EXPECT_EQ(at(160, 30), kB);
    EXPECT_EQ(at(199, 79), kB);
    EXPECT_GE(dialog.drawn, 1);
    EXPECT_EQ(dialog.seenAtOrigin, kEdge);
}

TEST_F(SkinFixture, EveryPlacementStyleLandsWhereItSays) {
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    dialog.SetBitmap(skin_picture(), CSkinDialog::kNoTransparentColor);
    struct Case {
        BYTE style;
        std::vector<CPoint> corners; // top-left corner of each copy
        CPoint uncovered;            // a point no copy covers (-1: none)
    };
    const std::vector<Case> cases = {
        {CSkinDialog::kCentre, {{75, 25}}, {10, 10}},
        {CSkinDialog::kTileTop, {{0, 0}, {100, 0}, {200, 0}}, {10, 60}},
        {CSkinDialog::kTileBottom, {{0, 50}, {100, 50}, {200, 50}}, {10, 20}},
        {CSkinDialog::kTileLeft, {{0, 0}, {0, 40}, {0, 80}}, {150, 20}},
        {CSkinDialog::kTileRight, {{150, 0}, {150, 40}, {150, 80}}, {20, 20}},
        {CSkinDialog::kTopLeft, {{0, 0}}, {150, 60}},
        {CSkinDialog::kTopRight, {{150, 0}}, {20, 60}},
        {CSkinDialog::kTopCentre, {{75, 0}}, {20, 60}},
        {CSkinDialog::kBottomLeft, {{0, 50}}, {150, 20}},
        {CSkinDialog::kBottomRight, {{150, 50}}, {20, 20}},
        {CSkinDialog::kBottomCentre, {{75, 50}}, {20, 20}},
    };
    for (const Case& c : cases) {
        style(c.style);
        for (CPoint p : c.corners) {
            EXPECT_EQ(at(p.x, p.y), kEdge) << int(c.style) << " at " << p.x << "," << p.y;
            if (p.x + 70 < 250 && p.y + 30 < 90) {
                EXPECT_EQ(at(p.x + 70, p.y + 30), kB) << int(c.style);
            }
        }
        EXPECT_EQ(at(c.uncovered.x, c.uncovered.y), face) << int(c.style);
    }
    // Stretched: the whole picture over the whole client area.
    style(CSkinDialog::kStretch);
    EXPECT_EQ(at(0, 0), kEdge);
    EXPECT_EQ(at(100, 30), kA);
    EXPECT_EQ(at(240, 85), kB);
    EXPECT_EQ(at(130, 50), kB);
}

TEST_F(SkinFixture, CentringALargerPictureOverhangsBothSides) {
    dialog.SetBitmap(skin_picture(300, 100), CSkinDialog::kNoTransparentColor);
    style(CSkinDialog::kCentre);
    // (250 - 300) / 2 = -25 and (90 - 100) / 2 = -5: the B quarter starts at (125, 45).
    EXPECT_EQ(at(124, 44), kA);
    EXPECT_EQ(at(125, 45), kB);
    style(CSkinDialog::kBottomCentre);
    EXPECT_EQ(at(125, 40), kB);
    EXPECT_EQ(at(124, 39), kA);
}

TEST_F(SkinFixture, StyleAboveTwelveIsRefused) {
    EXPECT_EQ(dialog.SetStyle(13, TRUE), CSkinDialog::kSkinBadStyle);
    EXPECT_EQ(dialog.GetStyle(), CSkinDialog::kTile);
    EXPECT_EQ(dialog.SetStyle(12, TRUE), CSkinDialog::kSkinOk);
    EXPECT_EQ(dialog.GetStyle(), 12);
    EXPECT_EQ(dialog.EnableEasyMove(TRUE), 0u);
}

TEST_F(SkinFixture, RegionCutsTheTransparentColourOverWholeWords) {
    // -1: no region.
    dialog.SetBitmap(skin_picture(), CSkinDialog::kNoTransparentColor);
    EXPECT_EQ(dialog.GetRegion(), nullptr);
    // A colour no pixel has: the whole picture.
    ASSERT_EQ(dialog.SetBitmap(skin_picture(), RGB(1, 2, 3)), CSkinDialog::kSkinOk);
    ASSERT_NE(dialog.GetRegion(), nullptr);
    CRect box;
    ::GetRgnBox(dialog.GetRegion(), &box);
    EXPECT_EQ(box, CRect(0, 0, 100, 40));
    // 101 pixels wide: 100 columns.
    ASSERT_EQ(dialog.SetBitmap(skin_picture(101, 40), kA), CSkinDialog::kSkinOk);
    ::GetRgnBox(dialog.GetRegion(), &box);
    EXPECT_EQ(box.right, 100);
    EXPECT_TRUE(::PtInRegion(dialog.GetRegion(), 0, 0));    // the edge pixel stays
    EXPECT_FALSE(::PtInRegion(dialog.GetRegion(), 10, 10)); // colour A is cut out
    EXPECT_TRUE(::PtInRegion(dialog.GetRegion(), 60, 30));  // colour B stays
    // The window wears it.
    HRGN copy = ::CreateRectRgn(0, 0, 0, 0);
    EXPECT_NE(dialog.GetWindowRgn(copy), ERROR);
    EXPECT_TRUE(::EqualRgn(copy, dialog.GetRegion()));
    ::DeleteObject(copy);
    // A new background takes the region off the window.
    dialog.SetBitmap(skin_picture(), CSkinDialog::kNoTransparentColor);
    HRGN none = ::CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(dialog.GetWindowRgn(none), ERROR);
    ::DeleteObject(none);
}

TEST_F(SkinFixture, PicturesThatCannotBeReadGiveTheirStatus) {
    HBITMAP gone = skin_picture();
    ::DeleteObject(gone);
    EXPECT_EQ(dialog.SetBitmap(gone, CSkinDialog::kNoTransparentColor),
              CSkinDialog::kSkinNoDescription);
    // Three pixels wide: no whole word of pixels to build a region from.
    EXPECT_EQ(dialog.SetBitmap(skin_picture(3, 10), kA), CSkinDialog::kSkinNoRegion);
    EXPECT_EQ(dialog.GetRegion(), nullptr);
    DWORD w = 7, h = 7;
    EXPECT_TRUE(dialog.GetBitmapBits(nullptr, w, h).empty());
    EXPECT_EQ(w, 0u);
    // Resources by number; a missing one leaves no background.
    HBITMAP file = skin_picture();
    register_picture(IMAGE_BITMAP, kSkin, file);
    ::DeleteObject(file);
    EXPECT_EQ(dialog.SetBitmap(WORD(kSkin), CSkinDialog::kNoTransparentColor),
              CSkinDialog::kSkinOk);
    dialog.UpdateWindow();
    EXPECT_EQ(at(0, 0), kEdge);
    EXPECT_EQ(dialog.SetBitmap(WORD(4242), CSkinDialog::kNoTransparentColor), CSkinDialog::kSkinOk);
    // Given its own picture again, the dialog keeps it.
    HBITMAP own = skin_picture();
    dialog.SetBitmap(own, CSkinDialog::kNoTransparentColor);
    EXPECT_EQ(dialog.SetBitmap(own, CSkinDialog::kNoTransparentColor), CSkinDialog::kSkinOk);
}

TEST_F(SkinFixture, WithoutPictureTheDefaultEraseRunsAloneAndItsResultIsReturned) {
    dialog.SetBitmap(skin_picture(), CSkinDialog::kNoTransparentColor);
    dialog.UpdateWindow();
    ASSERT_GE(dialog.drawn, 1);
    EXPECT_EQ(dialog.lastErase, 1);
    dialog.drawn = 0;
    dialog.SetBitmap(static_cast<HBITMAP>(nullptr), CSkinDialog::kNoTransparentColor);
    dialog.UpdateWindow();
    EXPECT_EQ(dialog.drawn, 0);
    EXPECT_EQ(dialog.lastErase, 1);
    EXPECT_EQ(at(0, 0), ::GetSysColor(COLOR_BTNFACE));
}

TEST_F(SkinFixture, EasyMovePostsACaptionDragWithTheClickPoint) {
    dialog.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(30, 40));
    pump(20);
    EXPECT_TRUE(dialog.posted.empty());
    dialog.EnableEasyMove(TRUE);
    dialog.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(30, 40));
    pump(20, [&] { return !dialog.posted.empty(); });
    ASSERT_EQ(dialog.posted.size(), 1u);
    EXPECT_EQ(dialog.posted[0].wParam, WPARAM(HTCAPTION));
    EXPECT_EQ(dialog.posted[0].lParam, MAKELPARAM(30, 40));
}

TEST_F(SkinFixture, FitToBitmapSizesTheClientAreaAndCentres) {
    dialog.SetBitmap(skin_picture(120, 70), CSkinDialog::kNoTransparentColor);
    EXPECT_EQ(dialog.FitToBitmap(TRUE), 0u);
    pump(20);
    CRect rc;
    dialog.GetClientRect(&rc);
    EXPECT_EQ(rc.Width(), 120);
    EXPECT_EQ(rc.Height(), 70);
    EXPECT_EQ(dialog.GetStyle(), CSkinDialog::kCentre);
}

TEST(SkinDialog, ConstructorsStartWithoutBackground) {
    CSkinDialog plain;
    EXPECT_EQ(plain.GetStyle(), CSkinDialog::kTile);
    EXPECT_EQ(plain.GetRegion(), nullptr);
    CSkinDialog named("x", nullptr);
    EXPECT_EQ(named.GetStyle(), CSkinDialog::kTile);
}
