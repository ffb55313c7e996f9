// The page-layout dialog driven as a person would: presses, drags and releases on the page,
// with the cursor shapes, the cursor confinement and the fractions it hands back.

#include "zel/dialogs/page_layout_dlg.h"

#include <zel/platform/testing.h>

#include <gtest/gtest.h>

#include <functional>

using namespace zel::platform::test;

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255), kBlack = RGB(0, 0, 0);

class PageLayoutDlgTest : public ::testing::Test {
protected:
    void SetUp() override { ensure_app(); }

    // Runs the dialog; `act` works on it once it is painted, then `end` closes it (unless `act`
    // already did).
    INT_PTR run(const std::function<void()>& act, int end = IDOK) {
        zel::platform::set_modal_dialog_hook([&](CDialog& d) {
            d.UpdateWindow();
            act();
            if (d.m_hWnd != nullptr && d.IsWindowVisible()) {
                d.SendMessage(WM_COMMAND, MAKEWPARAM(end, BN_CLICKED), 0);
            }
        });
        return dlg.DoModal();
    }

    COLORREF pixel(int x, int y) { return CClientDC(&dlg).GetPixel(x, y); }

    CRect screen(CRect client) {
        dlg.ClientToScreen(&client);
        return client;
    }

    static CRect whole_screen() {
        return CRect(0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    }

    static CRect clip() {
        CRect r;
        GetClipCursor(&r);
        return r;
    }

    static HCURSOR cursor(LPCTSTR id) { return LoadCursor(nullptr, id); }

    HookReset reset;
    CPageLayoutDlg dlg;
};

// Portrait page (61, 20, 157, 138) and landscape page (39, 33, 179, 121) in dialog units.
const CRect kPortrait(92, 33, 236, 224);
const CRect kLandscape(59, 54, 269, 197);
// The initial fractions 0.1 and 0.9 on the portrait page.
const CRect kInitial(106, 52, 221, 204);

TEST_F(PageLayoutDlgTest, PageAndInvertedPictureRectangleForBothOrientations) {
    run([&] {
        EXPECT_EQ(dlg.PageRect(), kPortrait);
        EXPECT_EQ(dlg.m_rect, kInitial);
        // The page: a black frame, white inside; the picture rectangle's sides inverted on it.
        EXPECT_EQ(pixel(kPortrait.left, 100), kBlack);
        EXPECT_EQ(pixel(kPortrait.left + 5, 100), kWhite);
        EXPECT_EQ(pixel(kInitial.left, 100), kBlack);
        EXPECT_EQ(pixel(kInitial.right, 100), kBlack);
        EXPECT_EQ(pixel(150, kInitial.top), kBlack);
        EXPECT_EQ(pixel(150, kInitial.bottom), kBlack);
        EXPECT_EQ(pixel(150, 100), kWhite);
        EXPECT_EQ(pixel(kInitial.left - 1, 100), kWhite);
    });
    dlg.m_landscape = 1;
    run([&] {
        EXPECT_EQ(dlg.PageRect(), kLandscape);
        EXPECT_EQ(dlg.m_rect, CRect(80, 68, 248, 182));
        EXPECT_EQ(pixel(80, 100), kBlack);
    });
}

TEST_F(PageLayoutDlgTest, PressPicksTheSideWithinThreePixelsElseTheWholeRectangle) {
    run([&] {
        // Exactly 3 pixels right of the left side grabs the side.
        mouse_press(dlg, CPoint(kInitial.left + 3, 120));
        EXPECT_TRUE(dlg.m_dragging);
        EXPECT_TRUE(dlg.m_dragLeft);
        EXPECT_FALSE(dlg.m_dragWhole);
        mouse_release(dlg, CPoint(kInitial.left + 3, 120));
        EXPECT_FALSE(dlg.m_dragging);
        EXPECT_FALSE(dlg.m_dragLeft);
        // 4 pixels inside moves the whole rectangle.
        mouse_press(dlg, CPoint(kInitial.left + 4, 120));
        EXPECT_TRUE(dlg.m_dragWhole);
        EXPECT_FALSE(dlg.m_dragLeft);
        EXPECT_EQ(dlg.m_lastPoint, CPoint(kInitial.left + 4, 120));
        mouse_release(dlg, CPoint(kInitial.left + 4, 120));
        EXPECT_FALSE(dlg.m_dragWhole);
        // Near two sides at once: left before top; top before right; right before bottom.
        mouse_press(dlg, CPoint(kInitial.left + 1, kInitial.top + 1));
        EXPECT_TRUE(dlg.m_dragLeft && !dlg.m_dragTop);
        mouse_release(dlg, CPoint(kInitial.left + 1, kInitial.top + 1));
        mouse_press(dlg, CPoint(kInitial.right - 1, kInitial.top - 1));
        EXPECT_TRUE(dlg.m_dragTop && !dlg.m_dragRight);
        mouse_release(dlg, CPoint(kInitial.right - 1, kInitial.top - 1));
        mouse_press(dlg, CPoint(kInitial.right + 2, kInitial.bottom));
        EXPECT_TRUE(dlg.m_dragRight && !dlg.m_dragBottom);
        mouse_release(dlg, CPoint(kInitial.right + 2, kInitial.bottom));
        mouse_press(dlg, CPoint(150, kInitial.bottom - 3));
        EXPECT_TRUE(dlg.m_dragBottom);
        mouse_release(dlg, CPoint(150, kInitial.bottom - 3));
        // Off the page nothing starts; on the page but off the rectangle nothing is dragged.
        mouse_press(dlg, CPoint(kPortrait.left - 5, 120));
        EXPECT_FALSE(dlg.m_dragging);
        mouse_release(dlg, CPoint(kPortrait.left - 5, 120));
        mouse_press(dlg, CPoint(kPortrait.left + 3, 120));
        EXPECT_TRUE(dlg.m_dragging);
        EXPECT_FALSE(dlg.m_dragLeft || dlg.m_dragTop || dlg.m_dragRight || dlg.m_dragBottom ||
                     dlg.m_dragWhole);
        mouse_release(dlg, CPoint(kPortrait.left + 3, 120));
    });
}

TEST_F(PageLayoutDlgTest, EdgeDragMovesOneSideAndErasesTheOldOne) {
    run([&] {
        mouse_press(dlg, CPoint(kInitial.left, 120));
        mouse_move(dlg, CPoint(128, 120), true);
        // (128 - 92) / 144 of the width.
        EXPECT_FLOAT_EQ(dlg.m_left, 36.0f / 144.0f);
        EXPECT_EQ(dlg.m_rect, CRect(128, kInitial.top, kInitial.right, kInitial.bottom));
        EXPECT_EQ(pixel(kInitial.left, 120), kWhite);
        EXPECT_EQ(pixel(128, 120), kBlack);
        mouse_release(dlg, CPoint(128, 120));
        mouse_press(dlg, CPoint(150, kInitial.bottom));
        mouse_move(dlg, CPoint(150, 185), true);
        EXPECT_FLOAT_EQ(dlg.m_bottom, (185.0f - 33.0f) / 191.0f);
        EXPECT_NEAR(dlg.m_rect.bottom, 185, 1);
        EXPECT_EQ(pixel(150, kInitial.bottom), kWhite);
        EXPECT_EQ(pixel(150, dlg.m_rect.bottom), kBlack);
        mouse_release(dlg, CPoint(150, 185));
    });
    EXPECT_FLOAT_EQ(dlg.m_right, 0.9f);
    EXPECT_FLOAT_EQ(dlg.m_top, 0.1f);
}

TEST_F(PageLayoutDlgTest, LeftDraggedPastRightIsSwappedByTheNextDrawingAndByOk) {
    run([&] {
        mouse_press(dlg, CPoint(kInitial.left, 120));
        mouse_move(dlg, CPoint(230, 120), true);
        mouse_release(dlg, CPoint(230, 120));
        // As it stands after the drag.
        EXPECT_GT(dlg.m_left, dlg.m_right);
        dlg.Invalidate(TRUE);
        dlg.UpdateWindow();
        EXPECT_FLOAT_EQ(dlg.m_left, 0.9f);
        EXPECT_FLOAT_EQ(dlg.m_right, 138.0f / 144.0f);
        EXPECT_EQ(dlg.m_rect.left, kInitial.right);
        EXPECT_EQ(dlg.m_rect.right, 230);
        // Dragged again past it, and OK without a drawing in between.
        mouse_press(dlg, CPoint(230, 120));
        mouse_move(dlg, CPoint(100, 120), true);
        mouse_release(dlg, CPoint(100, 120));
        EXPECT_GT(dlg.m_left, dlg.m_right);
    });
    EXPECT_FLOAT_EQ(dlg.m_left, 8.0f / 144.0f);
    EXPECT_FLOAT_EQ(dlg.m_right, 0.9f);
}

TEST_F(PageLayoutDlgTest, OkKeepsTheFractionsOnThePage) {
    run([&] {
        // A side may be dragged 2 pixels past the page's edge.
        mouse_press(dlg, CPoint(kInitial.right, 120));
        mouse_move(dlg, CPoint(400, 120), true);
        EXPECT_GT(dlg.m_right, 1.0f);
        mouse_release(dlg, CPoint(400, 120));
        mouse_press(dlg, CPoint(150, kInitial.top));
        mouse_move(dlg, CPoint(150, 0), true);
        EXPECT_LT(dlg.m_top, 0.0f);
        mouse_release(dlg, CPoint(150, 0));
    });
    EXPECT_FLOAT_EQ(dlg.m_right, 1.0f);
    EXPECT_FLOAT_EQ(dlg.m_top, 0.0f);
    EXPECT_FLOAT_EQ(dlg.m_left, 0.1f);
    EXPECT_FLOAT_EQ(dlg.m_bottom, 0.9f);
}

TEST_F(PageLayoutDlgTest, WholeRectangleCannotLeaveThePage) {
    dlg.m_left = 0.3f;
    dlg.m_right = 0.6f;
    dlg.m_top = 0.3f;
    dlg.m_bottom = 0.6f;
    run([&] {
        const CRect start = dlg.m_rect;
        const CPoint grab(start.CenterPoint());
        mouse_press(dlg, grab);
        EXPECT_TRUE(dlg.m_dragWhole);
        EXPECT_EQ(clip(), screen(CRect(grab.x + kPortrait.left - start.left + 2,
                                       grab.y + kPortrait.top - start.top + 2,
                                       grab.x + kPortrait.right - start.right - 2,
                                       grab.y + kPortrait.bottom - start.bottom - 2)));
        mouse_move(dlg, CPoint(-500, -500), true);
        EXPECT_NEAR(dlg.m_rect.Width(), start.Width(), 1);
        EXPECT_GE(dlg.m_rect.left, kPortrait.left);
        EXPECT_GE(dlg.m_rect.top, kPortrait.top);
        EXPECT_LE(dlg.m_rect.left, kPortrait.left + 3);
        mouse_move(dlg, CPoint(2000, 2000), true);
        EXPECT_LE(dlg.m_rect.right, kPortrait.right);
        EXPECT_LE(dlg.m_rect.bottom, kPortrait.bottom);
        EXPECT_GE(dlg.m_rect.right, kPortrait.right - 4);
        mouse_release(dlg, CPoint(2000, 2000));
        EXPECT_EQ(clip(), whole_screen());
    });
    EXPECT_GE(dlg.m_left, 0.0f);
    EXPECT_LE(dlg.m_right, 1.0f);
    EXPECT_GE(dlg.m_top, 0.0f);
    EXPECT_LE(dlg.m_bottom, 1.0f);
    EXPECT_NEAR(dlg.m_right - dlg.m_left, 0.3f, 1e-5);
}

TEST_F(PageLayoutDlgTest, CursorShowsWhatAPressWouldDrag) {
    run([&] {
        const int midX = 160, midY = 130;
        const std::pair<CPoint, LPCTSTR> cases[] = {
            {{kInitial.left - 3, midY}, IDC_SIZEWE},
            {{kInitial.right + 3, midY}, IDC_SIZEWE},
            {{midX, kInitial.top + 2}, IDC_SIZENS},
            {{midX, kInitial.bottom - 3}, IDC_SIZENS},
            {{kInitial.left + 4, midY}, IDC_SIZEALL},
            {{midX, midY}, IDC_SIZEALL},
            {{kInitial.right - 3, midY}, IDC_SIZEWE},
            {{kInitial.right - 4, midY}, IDC_SIZEALL},
            // Beside a side's line but beyond the rectangle's other sides: the arrow.
            {{kInitial.left, kInitial.top - 2}, IDC_ARROW},
            {{kInitial.left - 2, kInitial.bottom + 3}, IDC_ARROW},
            {{kPortrait.left + 2, midY}, IDC_ARROW},
            {{20, 20}, IDC_ARROW},
        };
        for (const auto& [p, want] : cases) {
            mouse_move(dlg, p);
            EXPECT_EQ(GetCursor(), cursor(want)) << p.x << "," << p.y;
        }
    });
}

TEST_F(PageLayoutDlgTest, CursorConfinementIsAlwaysReleased) {
    run([&] {
        // An edge drag keeps the cursor on the page and 2 pixels around it.
        mouse_press(dlg, CPoint(kInitial.left, 120));
        CRect grown = kPortrait;
        grown.InflateRect(2, 2);
        EXPECT_EQ(clip(), screen(grown));
        mouse_release(dlg, CPoint(kInitial.left, 120));
        EXPECT_EQ(clip(), whole_screen());
        // The button let go where the dialog did not see it: the next move ends the drag.
        mouse_press(dlg, CPoint(kInitial.left, 120));
        mouse_move(dlg, CPoint(kInitial.left + 10, 120), false);
        EXPECT_FALSE(dlg.m_dragging);
        EXPECT_FALSE(dlg.m_dragLeft);
        EXPECT_EQ(clip(), whole_screen());
        // The dialog closes in the middle of a drag.
        mouse_press(dlg, CPoint(160, 130));
        ASSERT_TRUE(dlg.m_dragWhole);
        EXPECT_NE(clip(), whole_screen());
    });
    EXPECT_EQ(clip(), whole_screen());
    EXPECT_FALSE(dlg.m_dragging);
    EXPECT_FALSE(dlg.m_dragWhole);
}

TEST_F(PageLayoutDlgTest, CancelEndsWithCancelAndKeepsNothingOn) {
    EXPECT_EQ(run([&] { mouse_press(dlg, CPoint(kInitial.left, 120)); }, IDCANCEL), IDCANCEL);
    EXPECT_EQ(clip(), whole_screen());
    EXPECT_EQ(run([] {}), IDOK);
}

} // namespace
