// The icon button: subclassing, colours, pictures per state, drawing of every state, hover
// tracking, tooltips, clicks (check box, drop-down menu, address) and sounds.

#include "zel/controls/icon_button.h"

#include "controls_test_support.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace zel::controls::test;

namespace {

constexpr UINT kDialog = 7501;
constexpr int kCaption = 1501, kDefault = 1502, kCheck = 1503, kPicture = 1504, kLast = 1505;
constexpr UINT kInBitmap = 9101, kOutBitmap = 9102, kMenu = 9201;
constexpr COLORREF kKey = RGB(40, 0, 0);
constexpr COLORREF kFace = RGB(192, 192, 192);

class ButtonDialog : public CDialog {
public:
    ButtonDialog() : CDialog(kDialog) {}
    CIconButton caption, def, check, picture;
    std::vector<std::pair<UINT, WPARAM>> messages; // WM_COMMAND and WM_APP + n seen
    int clicks = 0;

protected:
    void DoDataExchange(CDataExchange* dx) override {
        CDialog::DoDataExchange(dx);
        DDX_Control(dx, kCaption, caption);
        DDX_Control(dx, kDefault, def);
        DDX_Control(dx, kCheck, check);
        DDX_Control(dx, kPicture, picture);
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_COMMAND || message >= WM_APP) {
            messages.emplace_back(message, wParam);
        }
        if (message == WM_COMMAND && LOWORD(wParam) == kPicture && HIWORD(wParam) == BN_CLICKED) {
            ++clicks;
        }
        return CDialog::WindowProc(message, wParam, lParam);
    }
};

// A 20 x 20 picture: a red square on the transparent key colour.
HBITMAP square_picture(COLORREF fill) {
    return make_bitmap(20, 20, [fill](CDC& dc) {
        dc.FillSolidRect(0, 0, 20, 20, kKey);
        dc.FillSolidRect(4, 4, 12, 12, fill);
    });
}

struct ButtonFixture : ::testing::Test {
    void SetUp() override {
        ensure_app();
        zel::platform::register_dialog(
            kDialog, DialogTemplate{"",
                                    0,
                                    0,
                                    200,
                                    120,
                                    WS_POPUP,
                                    "MS Sans Serif",
                                    8,
                                    {PushButton("Done", kCaption, 4, 4, 60, 20),
                                     DefPushButton("Default", kDefault, 70, 4, 60, 20),
                                     Control("", kCheck, "BUTTON", BS_AUTOCHECKBOX | WS_TABSTOP, 4,
                                             30, 40, 30),
                                     PushButton("", kPicture, 70, 30, 40, 24),
                                     PushButton("Last", kLast, 130, 30, 40, 20)}});
        HBITMAP in = square_picture(RGB(200, 0, 0));
        HBITMAP out = square_picture(RGB(0, 0, 200));
        register_picture(IMAGE_BITMAP, kInBitmap, in);
        register_picture(IMAGE_BITMAP, kOutBitmap, out);
        ::DeleteObject(in);
        ::DeleteObject(out);
        ASSERT_TRUE(dialog.Create(kDialog));
        dialog.ShowWindow(SW_SHOW);
        pump(20);
    }
    COLORREF at(CWnd& w, int x, int y) {
        w.Invalidate();
        w.UpdateWindow();
        CClientDC dc(&w);
        return dc.GetPixel(x, y);
    }
    HookReset hooks;
    ButtonDialog dialog;
};

} // namespace

TEST(IconButtonColours, ShiftColorKeepsTheHueAndChecksItsArguments) {
    CIconButton button;
    COLORREF c = 0;
    ASSERT_EQ(button.GetStateColor(CIconButton::kBackHover, &c), CIconButton::kButtonOk);
    EXPECT_EQ(c, kFace);
    EXPECT_EQ(button.ShiftColor(0, 30, FALSE), CIconButton::kButtonOk);
    button.GetStateColor(0, &c);
    EXPECT_EQ(c, RGB(222, 222, 222));
    button.SetStateColor(0, RGB(240, 240, 240), FALSE);
    button.ShiftColor(0, 30, FALSE);
    button.GetStateColor(0, &c);
    EXPECT_EQ(c, RGB(255, 255, 255));
    button.SetStateColor(2, RGB(20, 100, 200), FALSE);
    button.ShiftColor(2, -30, FALSE);
    button.GetStateColor(2, &c);
    EXPECT_EQ(c, RGB(0, 80, 180));
    button.SetStateColor(2, RGB(20, 100, 250), FALSE);
    button.ShiftColor(2, 10, FALSE);
    button.GetStateColor(2, &c);
    EXPECT_EQ(c, RGB(25, 105, 255));

    EXPECT_EQ(button.ShiftColor(0, 256, FALSE), CIconButton::kButtonBadOffset);
    EXPECT_EQ(button.ShiftColor(0, -256, FALSE), CIconButton::kButtonBadOffset);
    EXPECT_EQ(button.ShiftColor(6, 30, FALSE), CIconButton::kButtonBadColorIndex);
    EXPECT_EQ(button.SetStateColor(6, 0, FALSE), CIconButton::kButtonBadColorIndex);
    EXPECT_EQ(button.GetStateColor(6, &c), CIconButton::kButtonBadColorIndex);
    EXPECT_EQ(button.SetImageAlignment(4, FALSE), CIconButton::kButtonBadAlignment);
    EXPECT_EQ(button.SetImageAlignment(3, FALSE), CIconButton::kButtonOk);
    EXPECT_EQ(button.SetPressedShift(2, FALSE), CIconButton::kButtonBadPressedStyle);
    button.ResetColors(FALSE);
    button.GetStateColor(5, &c);
    EXPECT_EQ(c, RGB(0, 0, 0));

    EXPECT_EQ(CIconButton::DarkenColor(RGB(200, 101, 3), 0.25), RGB(150, 75, 2));
    EXPECT_EQ(CIconButton::DarkenColor(RGB(200, 101, 3), 0.0), RGB(200, 101, 3));
    EXPECT_EQ(CIconButton::DarkenColor(RGB(200, 101, 3), 1.5), RGB(200, 101, 3));
}

TEST_F(ButtonFixture, SubclassingMakesOwnerDrawnButtonsAndReadsTheirKind) {
    EXPECT_EQ(dialog.caption.GetButtonStyle() & 0x1F, UINT(BS_OWNERDRAW));
    EXPECT_FALSE(dialog.caption.IsDefaultButton());
    EXPECT_FALSE(dialog.caption.IsCheckBox());
    EXPECT_TRUE(dialog.def.IsDefaultButton());
    EXPECT_TRUE(dialog.check.IsCheckBox());
    EXPECT_EQ(dialog.def.SendMessage(WM_GETDLGCODE) & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON),
              DLGC_DEFPUSHBUTTON);
    EXPECT_EQ(dialog.caption.SendMessage(WM_GETDLGCODE) &
                  (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON),
              DLGC_UNDEFPUSHBUTTON);
    // Made the default button, it stays owner-drawn.
    dialog.caption.SendMessage(BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
    EXPECT_TRUE(dialog.caption.IsDefaultButton());
    EXPECT_EQ(dialog.caption.GetButtonStyle() & 0x1F, UINT(BS_OWNERDRAW));
    dialog.caption.SendMessage(BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
    EXPECT_FALSE(dialog.caption.IsDefaultButton());
}

TEST_F(ButtonFixture, CheckBoxModeTogglesOnClickAndTakesCheckMessages) {
    CIconButton& check = dialog.check;
    EXPECT_EQ(check.SendMessage(BM_GETCHECK), 0);
    check.SendMessage(BM_SETCHECK, BST_INDETERMINATE);
    EXPECT_EQ(check.GetCheckState(), 1);
    check.SendMessage(BM_SETCHECK, 3);
    EXPECT_EQ(check.GetCheckState(), 0);
    check.SendMessage(BM_SETCHECK, BST_CHECKED);
    EXPECT_EQ(check.SendMessage(BM_GETCHECK), 1);
    check.SendMessage(BM_CLICK);
    EXPECT_EQ(check.GetCheckState(), 0);
    check.SendMessage(BM_CLICK);
    EXPECT_EQ(check.GetCheckState(), 1);
    // A push button ignores check states.
    dialog.caption.SetCheckState(1, FALSE);
    EXPECT_EQ(dialog.caption.GetCheckState(), 0);
}

TEST_F(ButtonFixture, StateBitmapsChooseTheOutPicture) {
    CIconButton& b = dialog.picture;
    const CPoint centre(30, 19); // 60 x 39 button, 20 x 20 picture centred at (20, 9)
    // "out" 0: the "in" picture in both states.
    ASSERT_EQ(b.SetStateBitmaps(int(kInBitmap), kKey, 0, 0), CIconButton::kButtonOk);
    EXPECT_EQ(at(b, centre.x, centre.y), RGB(200, 0, 0));
    EXPECT_EQ(at(b, 21, 10), kFace); // key colour is transparent
    // An id that names no bitmap: the same.
    ASSERT_EQ(b.SetStateBitmaps(int(kInBitmap), kKey, 4242, 0), CIconButton::kButtonOk);
    EXPECT_EQ(at(b, centre.x, centre.y), RGB(200, 0, 0));
    // A real "out" picture shows while normal.
    ASSERT_EQ(b.SetStateBitmaps(int(kInBitmap), kKey, int(kOutBitmap), kKey),
              CIconButton::kButtonOk);
    EXPECT_EQ(at(b, centre.x, centre.y), RGB(0, 0, 200));
    // A grey copy: 0.299 * 200 = 59; the key colour stays transparent.
    ASSERT_EQ(b.SetStateBitmaps(int(kInBitmap), kKey, CIconButton::kGreyOut, 0),
              CIconButton::kButtonOk);
    EXPECT_EQ(at(b, centre.x, centre.y), RGB(59, 59, 59));
    EXPECT_EQ(at(b, 21, 10), kFace);
    // A darker copy: three quarters of each channel.
    ASSERT_EQ(b.SetStateBitmaps(int(kInBitmap), kKey, CIconButton::kDarkerOut, 0),
              CIconButton::kButtonOk);
    EXPECT_EQ(at(b, centre.x, centre.y), RGB(150, 0, 0));
    EXPECT_EQ(at(b, 21, 10), kFace);
    // No "in" picture: no pictures at all.
    ASSERT_EQ(b.SetStateBitmaps(4242, kKey, int(kOutBitmap), 0), CIconButton::kButtonOk);
    EXPECT_EQ(at(b, centre.x, centre.y), kFace);
    // A handle whose description cannot be read.
    HBITMAP gone = square_picture(RGB(1, 2, 3));
    ::DeleteObject(gone);
    EXPECT_EQ(b.SetStateBitmaps(gone, kKey, nullptr, 0), CIconButton::kButtonNoResource);
}

TEST_F(ButtonFixture, EveryStateDrawsItsOwnLook) {
    CIconButton& b = dialog.picture;
    b.SetStateBitmaps(int(kInBitmap), kKey, int(kOutBitmap), kKey);
    b.SetStateColor(CIconButton::kBackNormal, RGB(10, 20, 30), FALSE);
    b.SetStateColor(CIconButton::kBackHover, RGB(200, 210, 220), FALSE);
    b.SetStateColor(CIconButton::kBackFocus, RGB(90, 90, 0), FALSE);
    dialog.caption.SetFocus();
    pump(10);
    const COLORREF highlight = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    const COLORREF shadow = ::GetSysColor(COLOR_BTNSHADOW);

    // Normal: its colour, the "out" picture, no border.
    EXPECT_EQ(at(b, 2, 2), RGB(10, 20, 30));
    EXPECT_EQ(at(b, 0, 0), RGB(10, 20, 30));
    EXPECT_EQ(at(b, 30, 19), RGB(0, 0, 200));

    // Hover: hover colour, the "in" picture, a raised border.
    mouse_move(b, CPoint(30, 19));
    ASSERT_TRUE(b.IsHovered());
    EXPECT_EQ(at(b, 2, 2), RGB(200, 210, 220));
    EXPECT_EQ(at(b, 30, 19), RGB(200, 0, 0));
    EXPECT_EQ(at(b, 0, 0), highlight);
    EXPECT_EQ(at(b, 59, 38), shadow);

    // Pressed: sunken border and the picture moved by the pressed shift (1, 1).
    b.SetState(TRUE);
    EXPECT_EQ(at(b, 0, 0), shadow);
    EXPECT_EQ(at(b, 59, 38), highlight);
    EXPECT_EQ(at(b, 25, 14), RGB(200, 0, 0));
    EXPECT_NE(at(b, 24, 14), RGB(200, 0, 0));
    b.SetState(FALSE);
    mouse_leave(b);
    ASSERT_FALSE(b.IsHovered());

    // Focused: the focus colour; the focus rectangle only when asked for on a flat button.
    b.SetFocus();
    pump(10);
    EXPECT_EQ(at(b, 2, 2), RGB(90, 90, 0));
    EXPECT_EQ(at(b, 3, 3), RGB(90, 90, 0));
    auto focus_line = [&] {
        b.Invalidate();
        b.UpdateWindow();
        CClientDC dc(&b);
        int n = 0;
        for (int x = 3; x < 57; ++x) {
            n += dc.GetPixel(x, 3) != RGB(90, 90, 0) ? 1 : 0;
        }
        return n;
    };
    EXPECT_EQ(focus_line(), 0);
    b.SetFlatFocusDrawn(TRUE, FALSE);
    EXPECT_GT(focus_line(), 10);
    b.SetFlatFocusDrawn(FALSE, FALSE);

    // Disabled: the picture embossed, no blue left.
    b.EnableWindow(FALSE);
    pump(10);
    EXPECT_NE(at(b, 30, 19), RGB(0, 0, 200));
    EXPECT_NE(at(b, 30, 19), RGB(200, 0, 0));
    EXPECT_EQ(at(b, 2, 2), RGB(10, 20, 30));
    b.EnableWindow(TRUE);

    // Classic (not flat): 3-D border when normal, black frame while focused.
    b.SetFlatLook(FALSE, FALSE);
    dialog.caption.SetFocus();
    pump(10);
    EXPECT_EQ(at(b, 0, 0), highlight);
    EXPECT_EQ(at(b, 59, 38), ::GetSysColor(COLOR_3DDKSHADOW));
    b.SetFocus();
    pump(10);
    EXPECT_EQ(at(b, 0, 0), RGB(0, 0, 0));
}

TEST_F(ButtonFixture, CaptionIsCentredBesideTheImageAndGreysWhenDisabled) {
    CIconButton& b = dialog.caption; // 90 x 32, caption "Done"
    b.SetStateColor(CIconButton::kTextNormal, RGB(0, 0, 255), FALSE);
    auto count = [&](COLORREF c) {
        b.Invalidate();
        b.UpdateWindow();
        CClientDC dc(&b);
        CRect rc;
        b.GetClientRect(&rc);
        int n = 0;
        for (int y = 0; y < rc.bottom; ++y) {
            for (int x = 0; x < rc.right; ++x) {
                n += dc.GetPixel(x, y) == c ? 1 : 0;
            }
        }
        return n;
    };
    dialog.picture.SetFocus();
    pump(10);
    EXPECT_GT(count(RGB(0, 0, 255)), 10);
    b.EnableWindow(FALSE);
    pump(10);
    EXPECT_EQ(count(RGB(0, 0, 255)), 0);
    EXPECT_GT(count(::GetSysColor(COLOR_BTNSHADOW)), 10);
    EXPECT_GT(count(::GetSysColor(COLOR_BTNHIGHLIGHT)), 10);
}

TEST_F(ButtonFixture, HoverFollowsTheMouseOnlyOnFlatButtons) {
    CIconButton& b = dialog.picture;
    zel::platform::clear_recorded_sounds();
    b.SetButtonSound("hover.wav", nullptr, FALSE, TRUE);
    // Moving in with the left button held does not start hovering.
    mouse_move(b, CPoint(5, 5), true);
    EXPECT_FALSE(b.IsHovered());
    mouse_move(b, CPoint(5, 5));
    EXPECT_TRUE(b.IsHovered());
    ASSERT_EQ(zel::platform::recorded_sounds().size(), 1u);
    EXPECT_EQ(zel::platform::recorded_sounds()[0].name, "hover.wav");
    EXPECT_EQ(zel::platform::recorded_sounds()[0].flags,
              SND_FILENAME | SND_NOWAIT | SND_NODEFAULT | SND_ASYNC);
    mouse_move(b, CPoint(6, 6)); // still inside: nothing new
    EXPECT_EQ(zel::platform::recorded_sounds().size(), 1u);
    // The leave notice ends it, as do focus loss and cancel mode.
    mouse_leave(b);
    EXPECT_FALSE(b.IsHovered());
    mouse_move(b, CPoint(5, 5));
    ASSERT_TRUE(b.IsHovered());
    b.SendMessage(WM_CANCELMODE);
    EXPECT_FALSE(b.IsHovered());
    mouse_move(b, CPoint(5, 5));
    b.SendMessage(WM_KILLFOCUS);
    EXPECT_FALSE(b.IsHovered());
    mouse_move(b, CPoint(5, 5));
    b.SendMessage(WM_MOUSELEAVE);
    EXPECT_FALSE(b.IsHovered());
    // A classic button never hovers and never plays the sound.
    zel::platform::clear_recorded_sounds();
    b.SetFlatLook(FALSE, FALSE);
    mouse_move(b, CPoint(7, 7));
    EXPECT_FALSE(b.IsHovered());
    EXPECT_TRUE(zel::platform::recorded_sounds().empty());
}

TEST_F(ButtonFixture, TooltipIsMadeOnceAndFollowsItsText) {
    CIconButton& b = dialog.picture;
    b.SetTooltip(nullptr, TRUE);
    EXPECT_EQ(b.Tooltip().GetToolCount(), 0);
    b.SetTooltip("Done", TRUE);
    ASSERT_EQ(b.Tooltip().GetToolCount(), 1);
    CString text;
    b.Tooltip().GetText(text, &b, 1);
    EXPECT_EQ(text, "Done");
    EXPECT_TRUE(b.Tooltip().IsActive());
    EXPECT_EQ(tool_tip(b), "Done");
    b.SetTooltip("Cancel", TRUE);
    EXPECT_EQ(b.Tooltip().GetToolCount(), 1);
    EXPECT_EQ(tool_tip(b), "Cancel");
    b.ActivateTooltip(FALSE);
    EXPECT_EQ(tool_tip(b), "");
    b.SetTooltip("Cancel", TRUE);
    EXPECT_EQ(tool_tip(b), "Cancel");
    // Input passing through pre-translation finds the tooltip ready.
    CIconButton& other = dialog.caption;
    EXPECT_EQ(other.Tooltip().m_hWnd, nullptr);
    mouse_move(other, CPoint(3, 3));
    EXPECT_NE(other.Tooltip().m_hWnd, nullptr);
    EXPECT_FALSE(other.Tooltip().IsActive());
}

TEST_F(ButtonFixture, DoubleClickCountsAsTwoClicks) {
    CIconButton& b = dialog.picture;
    for (UINT m : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP}) {
        b.PostMessage(m, m == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(5, 5));
    }
    pump(50, [&] { return dialog.clicks == 2; });
    EXPECT_EQ(dialog.clicks, 2);
}

TEST_F(ButtonFixture, CaptureBackgroundNeedsTransparencyAndAContext) {
    CIconButton& b = dialog.picture;
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    EXPECT_EQ(b.CaptureBackground(&dc), CIconButton::kButtonBadOffset);
    b.SetTransparent(FALSE);
    EXPECT_EQ(b.CaptureBackground(nullptr), CIconButton::kButtonBadOffset);
    // Without a capture the button copies its parent's surface under itself.
    dialog.Invalidate();
    dialog.UpdateWindow();
    EXPECT_EQ(at(b, 5, 5), kFace);
}

TEST_F(ButtonFixture, LinkTargetIsCutToItsBufferWithoutSplittingACharacter) {
    std::vector<std::string> opened;
    zel::platform::set_shell_open_hook([&](const std::string& verb, const std::string& target) {
        opened.push_back(verb + " " + target);
        return 42;
    });
    CIconButton& b = dialog.picture;
    b.SetLinkTarget(std::string(400, 'a').c_str());
    b.SendMessage(BM_CLICK);
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0], "open " + std::string(259, 'a'));
    // The byte that fits last would be the first half of a two-byte letter: cut before it.
    b.SetLinkTarget((std::string(258, 'b') + "\xC3\xA9z").c_str());
    b.SendMessage(BM_CLICK);
    ASSERT_EQ(opened.size(), 2u);
    EXPECT_EQ(opened[1], "open " + std::string(258, 'b'));
    b.SetLinkTarget("https://example.invalid/face");
    b.SendMessage(BM_CLICK);
    EXPECT_EQ(opened.back(), "open https://example.invalid/face");
    b.SetLinkTarget(nullptr);
    b.SendMessage(BM_CLICK);
    EXPECT_EQ(opened.size(), 3u);
}

TEST_F(ButtonFixture, ClickSoundNamesAreBoundedAndResourcesPassedOn) {
    CIconButton& b = dialog.picture;
    zel::platform::clear_recorded_sounds();
    b.SetButtonSound(std::string(300, 's').c_str(), nullptr, TRUE, FALSE);
    b.SendMessage(BM_CLICK);
    ASSERT_EQ(zel::platform::recorded_sounds().size(), 1u);
    EXPECT_EQ(zel::platform::recorded_sounds()[0].name, std::string(259, 's'));
    EXPECT_EQ(zel::platform::recorded_sounds()[0].flags, SND_FILENAME | SND_NOWAIT | SND_NODEFAULT);
    b.SetButtonSound(MAKEINTRESOURCE(77), AfxGetInstanceHandle(), TRUE, TRUE);
    b.SendMessage(BM_CLICK);
    ASSERT_EQ(zel::platform::recorded_sounds().size(), 2u);
    EXPECT_EQ(zel::platform::recorded_sounds()[1].flags,
              SND_RESOURCE | SND_NOWAIT | SND_NODEFAULT | SND_ASYNC);
    // A resource named by text outlives the caller's string.
    {
        std::string name = "CLICK";
        b.SetButtonSound(name.c_str(), AfxGetInstanceHandle(), TRUE, FALSE);
        name.assign(40, 'x');
    }
    b.SendMessage(BM_CLICK);
    ASSERT_EQ(zel::platform::recorded_sounds().size(), 3u);
    EXPECT_EQ(zel::platform::recorded_sounds()[2].name, "CLICK");
    // A number without a module is no file name: it names a resource of the program.
    b.SetButtonSound(MAKEINTRESOURCE(78), nullptr, TRUE, FALSE);
    b.SendMessage(BM_CLICK);
    ASSERT_EQ(zel::platform::recorded_sounds().size(), 4u);
    EXPECT_EQ(zel::platform::recorded_sounds()[3].name, "#78");
    EXPECT_EQ(zel::platform::recorded_sounds()[3].flags, SND_RESOURCE | SND_NOWAIT | SND_NODEFAULT);
    b.SetButtonSound(nullptr, nullptr, TRUE, FALSE);
    b.SendMessage(BM_CLICK);
    EXPECT_EQ(zel::platform::recorded_sounds().size(), 4u);
}

TEST_F(ButtonFixture, DisablingMovesTheFocusOn) {
    dialog.picture.SetFocus();
    pump(10);
    ASSERT_EQ(CWnd::GetFocus(), &dialog.picture);
    dialog.picture.EnableWindow(FALSE);
    pump(10);
    EXPECT_NE(CWnd::GetFocus(), &dialog.picture);
    EXPECT_NE(CWnd::GetFocus(), nullptr);
}

TEST_F(ButtonFixture, DropDownMenuOpensUnderTheButtonAndPostsTheChoice) {
    zel::platform::register_menu(kMenu,
                                 {MenuItemTemplate{"&Face",
                                                   0,
                                                   MF_POPUP,
                                                   {MenuItemTemplate{"&Open\tCtrl+O", 501, 0, {}},
                                                    MenuItemTemplate{"", 0, MF_SEPARATOR, {}},
                                                    MenuItemTemplate{"E&xit", 502, 0, {}}}}});
    CIconButton& b = dialog.picture;
    EXPECT_EQ(b.SetDropDownMenu(4711, &dialog, 0, 0, 16, 15, kFace, FALSE),
              CIconButton::kButtonNoResource);
    ASSERT_EQ(b.SetDropDownMenu(kMenu, &dialog, 0, 0, 16, 15, kFace, FALSE),
              CIconButton::kButtonOk);
    b.SetMenuNotify(&dialog, WM_APP + 5, 77);
    {
        const PopupChoice exit(2); // "Exit" (after the separator)
        b.SendMessage(BM_CLICK);
        EXPECT_EQ(exit.answered(), 1);
    }
    pump(30);
    bool notified = false, chosen = false;
    for (const auto& [message, wParam] : dialog.messages) {
        notified = notified || message == WM_APP + 5;
        chosen = chosen || (message == WM_COMMAND && wParam == 502);
    }
    EXPECT_TRUE(notified);
    EXPECT_TRUE(chosen);
}

TEST_F(ButtonFixture, DropDownMenuWithAMissingToolbarIsRefused) {
    zel::platform::register_menu(
        kMenu, {MenuItemTemplate{"&Face", 0, MF_POPUP, {MenuItemTemplate{"&Open", 701, 0, {}}}}});
    CIconButton& b = dialog.picture;
    EXPECT_EQ(b.SetDropDownMenu(kMenu, &dialog, 1, 4242, 16, 16, kFace, FALSE),
              CIconButton::kButtonNoResource);
    register_test_toolbar();
    EXPECT_EQ(b.SetDropDownMenu(kMenu, &dialog, 1, kTestToolbar, 16, 16, kFace, FALSE),
              CIconButton::kButtonOk);
    IcoMenu::SetMenuDrawMode(0);
}
