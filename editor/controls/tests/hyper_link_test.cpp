// The hyperlink: subclassing and fitting to the text, colours and underlining around a hover,
// the hand cursor, and the click through the desktop's opener with its error box.

#include "zel/controls/hyper_link.h"

#include "controls_test_support.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace zel::controls::test;

namespace {

constexpr UINT kDialog = 7601;
constexpr int kLeftLink = 1169, kRightLink = 1170, kCentredLink = 1171;
// The dialog's own ground, which the links stand on.
constexpr COLORREF kGround = RGB(0xEC, 0xE6, 0xDA);
constexpr COLORREF kFace = RGB(192, 192, 192);

class LinkDialog : public CDialog {
public:
    LinkDialog() : CDialog(kDialog) {}
    CHyperLink left, right, centred;

protected:
    void DoDataExchange(CDataExchange* dx) override {
        CDialog::DoDataExchange(dx);
        DDX_Control(dx, kLeftLink, left);
        DDX_Control(dx, kRightLink, right);
        DDX_Control(dx, kCentredLink, centred);
    }
    BOOL OnEraseBkgnd(CDC* dc) {
        CRect client;
        GetClientRect(&client);
        dc->FillSolidRect(&client, kGround);
        return TRUE;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(LinkDialog, CDialog)
ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

// The window rectangle of `wnd` in its parent's client coordinates.
CRect placed(CWnd& wnd) {
    CRect rc;
    wnd.GetWindowRect(&rc);
    wnd.GetParent()->ScreenToClient(&rc);
    return rc;
}

// The longest horizontal run of colour `c` in any row of `wnd` as it now paints.
int longest_run(CWnd& wnd, COLORREF c) {
    wnd.UpdateWindow();
    CRect client;
    wnd.GetClientRect(&client);
    CClientDC dc(&wnd);
    int longest = 0;
    for (int y = 0; y < client.Height(); ++y) {
        int run = 0;
        for (int x = 0; x < client.Width(); ++x) {
            run = dc.GetPixel(x, y) == c ? run + 1 : 0;
            longest = std::max(longest, run);
        }
    }
    return longest;
}

// Pixels of colour `c` in `wnd` as it now paints.
int count_of(CWnd& wnd, COLORREF c) {
    wnd.UpdateWindow();
    CRect client;
    wnd.GetClientRect(&client);
    CClientDC dc(&wnd);
    int n = 0;
    for (int y = 0; y < client.Height(); ++y) {
        for (int x = 0; x < client.Width(); ++x) {
            n += dc.GetPixel(x, y) == c ? 1 : 0;
        }
    }
    return n;
}

BOOL underlined(CWnd& wnd) {
    LOGFONT lf{};
    wnd.GetFont()->GetLogFont(&lf);
    return lf.lfUnderline;
}

struct LinkFixture : ::testing::Test {
    void SetUp() override {
        ensure_app();
        zel::platform::register_dialog(
            kDialog,
            DialogTemplate{"",
                           0,
                           0,
                           220,
                           120,
                           WS_POPUP,
                           "MS Sans Serif",
                           8,
                           {LText("Read the manual", kLeftLink, 10, 10, 150, 20),
                            Control("Right edge", kRightLink, "STATIC", SS_RIGHT, 10, 40, 150, 20),
                            Control("Centred", kCentredLink, "STATIC", SS_CENTER | SS_CENTERIMAGE,
                                    10, 70, 150, 30)}});
        ASSERT_TRUE(dialog.Create(kDialog));
        dialog.ShowWindow(SW_SHOW);
        pump(20);
        // The hover ends only when the mouse is away from the link.
        SetCursorPos(0, 0);
    }
    // The opener's answers and the boxes shown.
    void answer(int result) {
        zel::platform::set_shell_open_hook(
            [this, result](const std::string& verb, const std::string& target) {
                opened.push_back(verb + " " + target);
                return result;
            });
        zel::platform::set_message_box_hook([this](const zel::platform::MessageBoxRequest& r) {
            boxes.push_back(r);
            return IDOK;
        });
    }
    // Ends a hover as the timer does once the mouse has gone.
    void leave(CHyperLink& link) {
        SetCursorPos(0, 0);
        link.SendMessage(WM_TIMER, CHyperLink::kHoverTimer);
    }
    HookReset hooks;
    LinkDialog dialog;
    std::vector<std::string> opened;
    std::vector<zel::platform::MessageBoxRequest> boxes;
};

} // namespace

TEST_F(LinkFixture, SubclassingTakesTheTextAsTargetAndFitsTheWindowToIt) {
    CHyperLink& link = dialog.left;
    EXPECT_EQ(link.GetTarget(), "Read the manual");
    EXPECT_TRUE(link.GetStyle() & SS_NOTIFY);
    EXPECT_EQ(link.GetUnderlineMode(), CHyperLink::kUnderlineHover);
    EXPECT_FALSE(underlined(link));
    EXPECT_NE(link.GetHandCursor(), nullptr);
    EXPECT_NE(link.GetHandCursor(), LoadCursor(nullptr, IDC_HAND)); // its own copy

    // Left-aligned: the left and top edges stay, the size is the text's (underlined font).
    CSize text;
    {
        CClientDC dc(&link);
        LOGFONT lf{};
        link.GetFont()->GetLogFont(&lf);
        lf.lfUnderline = TRUE;
        CFont font;
        font.CreateFontIndirect(&lf);
        CFont* old = dc.SelectObject(&font);
        text = dc.GetTextExtent(CString("Read the manual"));
        dc.SelectObject(old);
    }
    CRect template_rect(10, 10, 160, 30);
    dialog.MapDialogRect(&template_rect);
    const CRect rc = placed(link);
    EXPECT_EQ(rc.TopLeft(), template_rect.TopLeft());
    EXPECT_EQ(rc.Width(), text.cx);
    EXPECT_EQ(rc.Height(), text.cy);
    EXPECT_LT(rc.Width(), template_rect.Width());
}

// Around its letters the link shows the dialog's ground, before and after a hover, and never the
// classic grey face colour.
TEST_F(LinkFixture, TheLinkStandsOnTheDialogsOwnGround) {
    CHyperLink& link = dialog.left;
    CRect client;
    link.GetClientRect(&client);
    const int area = client.Width() * client.Height();
    EXPECT_GT(count_of(link, kGround), area / 2);
    EXPECT_EQ(count_of(link, kFace), 0);

    mouse_move(link, CPoint(2, 2));
    leave(link);
    EXPECT_GT(count_of(link, kGround), area / 2);
    EXPECT_EQ(count_of(link, kFace), 0);
    // The dialog's ground runs on beside the link.
    CClientDC dc(&dialog);
    const CRect rc = placed(link);
    EXPECT_EQ(dc.GetPixel(rc.right + 2, rc.top + 1), kGround);
}

TEST_F(LinkFixture, FittingKeepsTheRightEdgeOrTheCentre) {
    CRect right(10, 40, 160, 60);
    dialog.MapDialogRect(&right);
    const CRect fitted = placed(dialog.right);
    EXPECT_EQ(fitted.right, right.right);
    EXPECT_EQ(fitted.top, right.top);
    EXPECT_LT(fitted.left, right.right);
    EXPECT_GT(fitted.left, right.left);

    CRect centre(10, 70, 160, 100);
    dialog.MapDialogRect(&centre);
    const CRect c = placed(dialog.centred);
    EXPECT_NEAR(c.CenterPoint().x, centre.CenterPoint().x, 1);
    EXPECT_NEAR(c.CenterPoint().y, centre.CenterPoint().y, 1);
    EXPECT_LT(c.Height(), centre.Height());

    // A new target refits the window to its (unchanged) text; with fitting off it stays.
    dialog.right.SetWindowText("A much longer text for the link");
    dialog.right.SetURL("file:///manual.html");
    const CRect wider = placed(dialog.right);
    EXPECT_EQ(wider.right, right.right);
    EXPECT_LT(wider.left, fitted.left);
    dialog.right.SetFitToText(FALSE);
    dialog.right.SetWindowText("x");
    dialog.right.SetURL("file:///other.html");
    EXPECT_EQ(placed(dialog.right), wider);
}

TEST_F(LinkFixture, HoverUnderlinesInModeMinusOneOnlyAndShowsTheHoverColour) {
    CHyperLink& link = dialog.left;
    CRect client;
    link.GetClientRect(&client);
    const int textWidth = client.Width();
    const COLORREF linkBlue = link.GetNormalColor();
    const COLORREF hoverRed = link.GetHoverColor();
    EXPECT_GT(count_of(link, linkBlue), 0);
    EXPECT_LT(longest_run(link, linkBlue), textWidth / 2);

    mouse_move(link, CPoint(2, 2));
    EXPECT_TRUE(link.IsOver());
    EXPECT_TRUE(underlined(link));
    EXPECT_EQ(count_of(link, linkBlue), 0);
    EXPECT_GE(longest_run(link, hoverRed), textWidth * 3 / 4); // the underline

    // The timer keeps the hover while the mouse is over the link.
    POINT inside{2, 2};
    link.ClientToScreen(&inside);
    SetCursorPos(inside.x, inside.y);
    link.SendMessage(WM_TIMER, CHyperLink::kHoverTimer);
    EXPECT_TRUE(link.IsOver());

    leave(link);
    EXPECT_FALSE(link.IsOver());
    EXPECT_FALSE(underlined(link));
    EXPECT_EQ(count_of(link, hoverRed), 0);
    EXPECT_LT(longest_run(link, linkBlue), textWidth / 2);

    // Mode 1 stays underlined after the mouse leaves.
    link.SetUnderline(CHyperLink::kUnderlineAlways);
    EXPECT_TRUE(underlined(link));
    EXPECT_GE(longest_run(link, linkBlue), textWidth * 3 / 4);
    mouse_move(link, CPoint(2, 2));
    leave(link);
    EXPECT_TRUE(underlined(link));
    EXPECT_GE(longest_run(link, linkBlue), textWidth * 3 / 4);

    // Mode 0 never underlines, not even while hovered.
    link.SetUnderline(CHyperLink::kUnderlineNever);
    mouse_move(link, CPoint(2, 2));
    EXPECT_FALSE(underlined(link));
    EXPECT_LT(longest_run(link, hoverRed), textWidth / 2);
    leave(link);
}

TEST_F(LinkFixture, HoverEndsWhenTheTimerFindsTheMouseGone) {
    CHyperLink& link = dialog.left;
    mouse_move(link, CPoint(2, 2));
    ASSERT_TRUE(link.IsOver());
    SetCursorPos(0, 0);
    pump(1000, [&] { return !link.IsOver(); });
    EXPECT_FALSE(link.IsOver());
}

TEST_F(LinkFixture, SettingTheCurrentUnderlineModeDoesNotRepaint) {
    CHyperLink& link = dialog.left;
    link.UpdateWindow();
    CRect pending;
    link.SetUnderline(CHyperLink::kUnderlineHover);
    EXPECT_FALSE(link.GetUpdateRect(&pending));
    link.SetUnderline(CHyperLink::kUnderlineAlways);
    EXPECT_TRUE(link.GetUpdateRect(&pending));
    link.UpdateWindow();
    link.SetUnderline(CHyperLink::kUnderlineAlways);
    EXPECT_FALSE(link.GetUpdateRect(&pending));
}

TEST_F(LinkFixture, HandCursorShowsOverTheLink) {
    CHyperLink& link = dialog.left;
    EXPECT_TRUE(link.SendMessage(WM_SETCURSOR, WPARAM(link.m_hWnd), MAKELPARAM(1, WM_MOUSEMOVE)));
    EXPECT_EQ(GetCursor(), link.GetHandCursor());
    HCURSOR cross = LoadCursor(nullptr, IDC_CROSS);
    link.SetHandCursor(cross);
    EXPECT_EQ(link.GetHandCursor(), cross);
    link.SetHandCursor(nullptr); // back to the hand
    EXPECT_NE(link.GetHandCursor(), nullptr);
    EXPECT_NE(link.GetHandCursor(), cross);
}

TEST(HyperLinkCursor, TheLinksOwnCursorGivenBackStaysItsToFree) {
    ensure_app();
    HCURSOR own = nullptr;
    {
        CHyperLink link;
        link.SetHandCursor(nullptr); // the link's copy of the hand
        own = link.GetHandCursor();
        ASSERT_NE(own, nullptr);
        link.SetHandCursor(own);
        EXPECT_EQ(link.GetHandCursor(), own);
    }
    HICON copy = ::CopyIcon(own);
    EXPECT_EQ(copy, nullptr); // freed with the link
    if (copy != nullptr) {
        ::DestroyIcon(copy);
    }
}

TEST_F(LinkFixture, ClickOpensTheTargetAndMarksTheLinkVisited) {
    answer(42);
    CHyperLink& link = dialog.left;
    link.SetURL("/usr/share/doc/manual.html");
    EXPECT_EQ(count_of(link, link.GetVisitedColor()), 0);
    click(link, CPoint(3, 3));
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0], "open /usr/share/doc/manual.html");
    EXPECT_TRUE(link.IsVisited());
    EXPECT_FALSE(link.IsOver());
    EXPECT_TRUE(boxes.empty());
    EXPECT_GT(count_of(link, link.GetVisitedColor()), 0);
    EXPECT_EQ(count_of(link, link.GetNormalColor()), 0);

    link.SetLinkColors(RGB(0, 128, 0), RGB(0, 0, 128), CHyperLink::kHighlightColor);
    EXPECT_EQ(link.GetHoverColor(), GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_GT(count_of(link, RGB(0, 0, 128)), 0);
}

TEST_F(LinkFixture, FailedOpenBeepsAndExplainsTheOpenersResult) {
    CHyperLink& link = dialog.left;
    struct Case {
        int result;
        const char* text;
    };
    const Case cases[] = {
        {31, "There is no application associated\nwith the given filename extension."},
        {26, "A sharing violation occurred. "},
        {4, "Unknown Error (4) occurred."},
        {2, "The specified file was not found."},
        {0, "The operating system is out\nof memory or resources."},
    };
    for (const Case& c : cases) {
        answer(c.result);
        boxes.clear();
        zel::platform::clear_recorded_sounds();
        link.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
        ASSERT_EQ(boxes.size(), 1u) << c.result;
        EXPECT_EQ(boxes[0].text, std::string("Unable to open hyperlink:\n\n") + c.text);
        EXPECT_EQ(boxes[0].type, MB_ICONEXCLAMATION);
        ASSERT_EQ(zel::platform::recorded_sounds().size(), 1u);
        EXPECT_EQ(zel::platform::recorded_sounds()[0].name, "beep:48");
        EXPECT_FALSE(link.IsVisited());
    }
}
