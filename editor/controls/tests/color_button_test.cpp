// The colour button: the icon button's look while normal, a black-framed face in colour 0
// while hovered or pressed, square or rounded, and no border.

#include "zel/controls/color_button.h"

#include "controls_test_support.h"

#include <gtest/gtest.h>

using namespace zel::controls::test;

namespace {

constexpr UINT kDialog = 7602;
constexpr int kButton = 1601;
constexpr COLORREF kHover = RGB(0, 160, 160), kNormal = RGB(230, 200, 90);

class ColorDialog : public CDialog {
public:
    ColorDialog() : CDialog(kDialog) {}
    CColorButton button;

protected:
    void DoDataExchange(CDataExchange* dx) override {
        CDialog::DoDataExchange(dx);
        DDX_Control(dx, kButton, button);
    }
};

struct ColorFixture : ::testing::Test {
    void SetUp() override {
        ensure_app();
        zel::platform::register_dialog(kDialog,
                                       DialogTemplate{"",
                                                      0,
                                                      0,
                                                      120,
                                                      60,
                                                      WS_POPUP,
                                                      "MS Sans Serif",
                                                      8,
                                                      {PushButton("", kButton, 10, 10, 40, 24)}});
        ASSERT_TRUE(dialog.Create(kDialog));
        dialog.ShowWindow(SW_SHOW);
        pump(20);
        dialog.button.SetStateColor(CIconButton::kBackHover, kHover, FALSE);
        dialog.button.SetStateColor(CIconButton::kBackNormal, kNormal, FALSE);
        dialog.button.SetStateColor(CIconButton::kBackFocus, kNormal, FALSE); // it has the focus
        dialog.button.GetClientRect(&rc);
    }
    COLORREF at(int x, int y) {
        dialog.button.Invalidate();
        dialog.button.UpdateWindow();
        CClientDC dc(&dialog.button);
        return dc.GetPixel(x, y);
    }
    HookReset hooks;
    ColorDialog dialog;
    CRect rc;
};

} // namespace

TEST_F(ColorFixture, NormalLooksLikeAnIconButton) {
    EXPECT_FALSE(dialog.button.IsRounded());
    EXPECT_EQ(at(rc.Width() / 2, rc.Height() / 2), kNormal);
    EXPECT_EQ(at(0, rc.Height() / 2), kNormal); // no border
    EXPECT_EQ(at(rc.Width() - 1, rc.Height() / 2), kNormal);
}

TEST_F(ColorFixture, HoverShowsABlackFramedFaceInColourZero) {
    mouse_move(dialog.button, CPoint(rc.Width() / 2, rc.Height() / 2));
    ASSERT_TRUE(dialog.button.IsHovered());
    EXPECT_EQ(at(rc.Width() / 2, rc.Height() / 2), kHover);
    // A black frame instead of the icon button's raised border.
    EXPECT_EQ(at(0, rc.Height() / 2), RGB(0, 0, 0));
    EXPECT_EQ(at(rc.Width() - 1, rc.Height() / 2), RGB(0, 0, 0));
    EXPECT_EQ(at(rc.Width() / 2, 0), RGB(0, 0, 0));
    EXPECT_EQ(at(rc.Width() / 2, rc.Height() - 1), RGB(0, 0, 0));
    EXPECT_EQ(at(0, 0), RGB(0, 0, 0));
    mouse_leave(dialog.button);
    EXPECT_EQ(at(rc.Width() / 2, rc.Height() / 2), kNormal);
}

TEST_F(ColorFixture, RoundedFaceLeavesTheCornersOut) {
    EXPECT_EQ(dialog.button.SetRounded(TRUE, TRUE), CIconButton::kButtonOk);
    EXPECT_TRUE(dialog.button.IsRounded());
    mouse_move(dialog.button, CPoint(rc.Width() / 2, rc.Height() / 2));
    ASSERT_TRUE(dialog.button.IsHovered());
    EXPECT_EQ(at(rc.Width() / 2, rc.Height() / 2), kHover);
    EXPECT_EQ(at(0, rc.Height() / 2), RGB(0, 0, 0));
    EXPECT_EQ(at(rc.Width() / 2, 0), RGB(0, 0, 0));
    for (CPoint corner : {CPoint(0, 0), CPoint(rc.Width() - 1, rc.Height() - 1)}) {
        EXPECT_NE(at(corner.x, corner.y), RGB(0, 0, 0));
        EXPECT_NE(at(corner.x, corner.y), kHover);
    }
}

TEST_F(ColorFixture, PressedWithoutHoverShowsTheFaceToo) {
    dialog.button.SetState(TRUE);
    EXPECT_EQ(at(rc.Width() / 2, rc.Height() / 2), kHover);
    EXPECT_EQ(at(0, rc.Height() / 2), RGB(0, 0, 0));
    dialog.button.SetState(FALSE);
    EXPECT_EQ(at(rc.Width() / 2, rc.Height() / 2), kNormal);
}
