// Standard controls: check and radio buttons, static colours through reflection, edit and
// scroll-bar notifications, mouse leave, cursors and tooltips.

#include "zel/platform/testing.h"

#include <zel/common/work_folder.h>

#include <gtest/gtest.h>

#include <QApplication>

#include <QEvent>
#include <QImage>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScrollBar>
#include <QWidget>
#include <algorithm>

#include <string>
#include <vector>

using namespace zel::platform::test;

namespace {

std::vector<std::string> g_events;

// A parent that records what its controls tell it.
class Parent : public CWnd {
public:
    // Only what the controls report, not the cursor requests on the way.
    static std::vector<std::string> commands() {
        std::vector<std::string> out;
        for (const auto& e : g_events) {
            if (e.rfind("command", 0) == 0) {
                out.push_back(e);
            }
        }
        return out;
    }

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
        g_events.push_back("command " + std::to_string(LOWORD(wParam)) + "/" +
                           std::to_string(HIWORD(wParam)));
        return CWnd::OnCommand(wParam, lParam);
    }
    void OnHScroll(UINT code, UINT pos, CScrollBar* bar) {
        g_events.push_back("hscroll " + std::to_string(code) + " " + std::to_string(pos) +
                           (bar != nullptr ? " bar" : ""));
    }
    BOOL OnSetCursor(CWnd* wnd, UINT hit, UINT message) {
        g_events.push_back("parent setcursor");
        return CWnd::OnSetCursor(wnd, hit, message);
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(Parent, CWnd)
ON_WM_HSCROLL()
ON_WM_SETCURSOR()
END_MESSAGE_MAP()

// A static text that chooses its own colours (reflected from its parent).
class LinkText : public CStatic {
protected:
    HBRUSH CtlColor(CDC* dc, UINT) {
        dc->SetTextColor(RGB(0, 0, 238));
        dc->SetBkMode(TRANSPARENT);
        return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
    }
    BOOL OnEraseBkgnd(CDC* dc) {
        CRect rc;
        GetClientRect(&rc);
        dc->FillSolidRect(&rc, RGB(250, 250, 200));
        return TRUE;
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(LinkText, CStatic)
ON_WM_CTLCOLOR_REFLECT()
ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

// A button that tracks the mouse leaving it.
class HoverButton : public CButton {
public:
    int leaves = 0;
    int moves = 0;

protected:
    void OnMouseMove(UINT flags, CPoint p) {
        ++moves;
        TRACKMOUSEEVENT tme;
        tme.dwFlags = TME_LEAVE;
        tme.hwndTrack = m_hWnd;
        TrackMouseEvent(&tme);
        CButton::OnMouseMove(flags, p);
    }
    LRESULT OnMouseLeave(WPARAM, LPARAM) {
        ++leaves;
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(HoverButton, CButton)
ON_WM_MOUSEMOVE()
ON_MESSAGE(WM_MOUSELEAVE, OnMouseLeave)
END_MESSAGE_MAP()

class PlatformControlsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ensure_app();
        g_events.clear();
        ASSERT_TRUE(parent.CreateEx(0, nullptr, "parent", WS_POPUP | WS_VISIBLE,
                                    CRect(0, 0, 300, 200), nullptr, 0));
        pump(30);
    }
    void TearDown() override { parent.DestroyWindow(); }
    COLORREF pixel(CWnd& w, int x, int y) {
        CClientDC dc(&w);
        return dc.GetPixel(x, y);
    }
    static int check_of(CButton& b) { return int(b.SendMessage(BM_GETCHECK)); }
    Parent parent;
};

TEST_F(PlatformControlsTest, AutoCheckBoxTogglesAndNotifies) {
    CButton box;
    ASSERT_TRUE(box.Create("Check", WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX, CRect(10, 10, 100, 30),
                           &parent, 70001));
    CRect rc;
    box.GetClientRect(&rc);
    click(box, rc.CenterPoint());
    EXPECT_EQ(check_of(box), BST_CHECKED);
    click(box, rc.CenterPoint());
    EXPECT_EQ(check_of(box), BST_UNCHECKED);
    // 70001 arrives as its low 16 bits.
    EXPECT_EQ(Parent::commands(), (std::vector<std::string>{"command 4465/0", "command 4465/0"}));
}

TEST_F(PlatformControlsTest, RadioButtonsOfAGroupExcludeEachOther) {
    CButton a, b, c;
    a.Create("A", WS_CHILD | WS_VISIBLE | WS_GROUP | BS_AUTORADIOBUTTON, CRect(0, 0, 60, 20),
             &parent, 1);
    b.Create("B", WS_CHILD | WS_VISIBLE | BS_AUTORADIOBUTTON, CRect(0, 20, 60, 40), &parent, 2);
    c.Create("C", WS_CHILD | WS_VISIBLE | WS_GROUP | BS_AUTORADIOBUTTON, CRect(0, 40, 60, 60),
             &parent, 3);
    c.SetCheck(BST_CHECKED);
    a.SendMessage(BM_CLICK);
    b.SendMessage(BM_CLICK);
    EXPECT_EQ(check_of(a), BST_UNCHECKED);
    EXPECT_EQ(check_of(b), BST_CHECKED);
    EXPECT_EQ(check_of(c), BST_CHECKED); // another group
    EXPECT_EQ(parent.IsDlgButtonChecked(2), UINT(BST_CHECKED));
}

TEST_F(PlatformControlsTest, PushButtonDrawsClassicAndSunkenWhilePressed) {
    CButton button;
    ASSERT_TRUE(button.Create("OK", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(10, 10, 80, 40),
                              &parent, 5));
    button.UpdateWindow();
    EXPECT_EQ(pixel(button, 0, 0), RGB(255, 255, 255));  // raised: light top-left
    EXPECT_EQ(pixel(button, 69, 29), RGB(0, 0, 0));      // dark bottom-right
    EXPECT_EQ(pixel(button, 3, 15), RGB(192, 192, 192)); // face
    button.SetState(TRUE);
    EXPECT_EQ(pixel(button, 0, 0), RGB(128, 128, 128)); // sunken
    EXPECT_EQ(button.SendMessage(BM_GETSTATE) & BST_PUSHED, LRESULT(BST_PUSHED));
}

// A button that turns itself owner-drawn when attached, however it is made.
class SelfDrawnButton : public CButton {
public:
    int presubclassed = 0;
    bool ownerDrawnAtCreate = false;

protected:
    void PreSubclassWindow() override {
        ++presubclassed;
        ModifyStyle(0x0F, BS_OWNERDRAW);
        CButton::PreSubclassWindow();
    }
    int OnCreate(LPCREATESTRUCT) {
        ownerDrawnAtCreate = (GetStyle() & 0x0F) == BS_OWNERDRAW;
        return int(Default());
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(SelfDrawnButton, CButton)
ON_WM_CREATE()
END_MESSAGE_MAP()

TEST_F(PlatformControlsTest, CreatedWindowsRunPreSubclassWindowBeforeCreate) {
    SelfDrawnButton button;
    ASSERT_TRUE(button.Create("Own", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(0, 0, 50, 20),
                              &parent, 99001));
    EXPECT_EQ(button.presubclassed, 1);
    EXPECT_TRUE(button.ownerDrawnAtCreate);
    EXPECT_EQ(button.GetStyle() & 0x0F, DWORD(BS_OWNERDRAW));
}

TEST_F(PlatformControlsTest, StaticColoursComeFromTheControlsReflectedHandler) {
    LinkText link;
    ASSERT_TRUE(link.Create("STATIC", "Link", WS_CHILD | WS_VISIBLE | SS_LEFT,
                            CRect(10, 10, 110, 30), &parent, 6));
    link.UpdateWindow();
    int blue = 0;
    bool background = false;
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 100; ++x) {
            const COLORREF c = pixel(link, x, y);
            blue += c == RGB(0, 0, 238) ? 1 : 0;
            background = background || c == RGB(250, 250, 200);
        }
    }
    EXPECT_GT(blue, 5);
    EXPECT_TRUE(background); // the null brush leaves the erased background
}

TEST_F(PlatformControlsTest, StaticWithNotifyReportsClicks) {
    CStatic quiet, notify;
    quiet.Create("STATIC", "q", WS_CHILD | WS_VISIBLE, CRect(0, 0, 40, 20), &parent, 7);
    notify.Create("STATIC", "n", WS_CHILD | WS_VISIBLE | SS_NOTIFY, CRect(50, 0, 90, 20), &parent,
                  8);
    click(quiet, CPoint(5, 5));
    click(notify, CPoint(5, 5));
    EXPECT_EQ(Parent::commands(), (std::vector<std::string>{"command 8/0"}));
}

TEST_F(PlatformControlsTest, FrameStaticsKeepOnlyTheirLine) {
    // The parent's surface, painted a colour of its own, must show inside the frames, and a
    // press inside them must reach the parent.
    {
        CClientDC dc(&parent);
        dc.FillSolidRect(0, 0, 300, 200, RGB(10, 200, 30));
    }
    CStatic black, etched, text;
    ASSERT_TRUE(black.Create("STATIC", "", WS_CHILD | WS_VISIBLE | SS_BLACKFRAME,
                             CRect(10, 10, 110, 90), &parent, 0xFFFF));
    ASSERT_TRUE(etched.Create("STATIC", "", WS_CHILD | WS_VISIBLE | SS_ETCHEDFRAME,
                              CRect(150, 10, 250, 90), &parent, 0xFFFF));
    ASSERT_TRUE(
        text.Create("STATIC", "t", WS_CHILD | WS_VISIBLE, CRect(10, 120, 110, 140), &parent, 12));
    pump(30);
    auto* parentWidget = reinterpret_cast<QWidget*>(parent.m_hWnd);
    EXPECT_EQ(parentWidget->childAt(60, 50), nullptr);
    EXPECT_EQ(parentWidget->childAt(200, 50), nullptr);
    EXPECT_EQ(parentWidget->childAt(10, 50), reinterpret_cast<QWidget*>(black.m_hWnd));
    EXPECT_EQ(parentWidget->childAt(151, 50), reinterpret_cast<QWidget*>(etched.m_hWnd));
    EXPECT_EQ(parentWidget->childAt(152, 50), nullptr);
    EXPECT_EQ(parentWidget->childAt(60, 130), reinterpret_cast<QWidget*>(text.m_hWnd));
    const QImage shown = parentWidget->grab().toImage();
    EXPECT_EQ(shown.pixel(60, 50) & 0xFFFFFF, 0x0AC81Eu);
    EXPECT_EQ(shown.pixel(10, 50) & 0xFFFFFF, 0u); // the black line
    EXPECT_EQ(shown.pixel(200, 50) & 0xFFFFFF, 0x0AC81Eu);
}

TEST_F(PlatformControlsTest, PictureStaticsShowTheResourceTheirTextNames) {
    const std::string png = zel::work_path("static-picture.png");
    QImage img(8, 6, QImage::Format_ARGB32);
    img.fill(qRgb(40, 90, 160));
    ASSERT_TRUE(img.save(QString::fromStdString(png)));
    zel::platform::register_image_file(IMAGE_BITMAP, 5101, png);
    zel::platform::register_image_file(IMAGE_ICON, 5102, png);
    CStatic bitmap, icon, missing;
    ASSERT_TRUE(bitmap.Create("STATIC", "#5101", WS_CHILD | WS_VISIBLE | SS_BITMAP,
                              CRect(0, 0, 20, 20), &parent, 21));
    ASSERT_TRUE(icon.Create("STATIC", "5102", WS_CHILD | WS_VISIBLE | SS_ICON, CRect(30, 0, 50, 20),
                            &parent, 22));
    ASSERT_TRUE(missing.Create("STATIC", "#5199", WS_CHILD | WS_VISIBLE | SS_BITMAP,
                               CRect(60, 0, 80, 20), &parent, 23));
    pump(30);
    EXPECT_EQ(pixel(bitmap, 3, 3), RGB(40, 90, 160));
    EXPECT_EQ(pixel(icon, 3, 3), RGB(40, 90, 160));
    EXPECT_NE(pixel(missing, 3, 3), RGB(40, 90, 160));
}

TEST_F(PlatformControlsTest, EditReportsChangesAndKeepsItsText) {
    CWnd edit;
    ASSERT_TRUE(edit.Create("EDIT", "", WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(10, 10, 200, 30),
                            &parent, 1098));
    edit.SetWindowText("abc");
    CString text;
    edit.GetWindowText(text);
    EXPECT_EQ(text, "abc");
    ASSERT_FALSE(g_events.empty());
    EXPECT_EQ(g_events.back(), "command 1098/768"); // EN_CHANGE
    // Typing reaches the text too.
    auto* line = reinterpret_cast<QWidget*>(edit.m_hWnd)->findChild<QLineEdit*>();
    ASSERT_NE(line, nullptr);
    line->setText("typed");
    edit.GetWindowText(text);
    EXPECT_EQ(text, "typed");
}

TEST_F(PlatformControlsTest, ScrollBarReportsActionsAndStaysWhereTheOwnerPutsIt) {
    CScrollBar bar;
    ASSERT_TRUE(bar.Create("SCROLLBAR", "", WS_CHILD | WS_VISIBLE | SBS_HORZ,
                           CRect(0, 100, 200, 116), &parent, 1081));
    bar.SetScrollRange(0, 100);
    bar.SetScrollPos(40);
    EXPECT_EQ(bar.GetScrollPos(), 40);
    auto* qbar = reinterpret_cast<QWidget*>(bar.m_hWnd)->findChild<QScrollBar*>();
    ASSERT_NE(qbar, nullptr);
    qbar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    qbar->triggerAction(QAbstractSlider::SliderPageStepSub);
    EXPECT_EQ(g_events, (std::vector<std::string>{"hscroll 1 0 bar", "hscroll 8 0 bar",
                                                  "hscroll 2 0 bar", "hscroll 8 0 bar"}));
    EXPECT_EQ(bar.GetScrollPos(), 40);
    EXPECT_EQ(qbar->value(), 40);
    bar.SetScrollPos(500); // kept inside the range
    EXPECT_EQ(bar.GetScrollPos(), 100);
    // A scroll bar without an object of its own (made from a dialog template) is still handed
    // out as one.
    CDialog dialog;
    ASSERT_TRUE(dialog.CreateIndirect(
        DialogTemplate{"",
                       0,
                       0,
                       140,
                       40,
                       WS_POPUP,
                       "MS Sans Serif",
                       8,
                       {Control("", 1082, "SCROLLBAR", SBS_HORZ, 0, 0, 130, 10)}},
        &parent));
    auto* asBar = dynamic_cast<CScrollBar*>(dialog.GetDlgItem(1082));
    ASSERT_NE(asBar, nullptr);
    asBar->SetScrollRange(0, 10);
    asBar->SetScrollPos(4);
    EXPECT_EQ(asBar->GetScrollPos(), 4);
    dialog.DestroyWindow();
}

TEST_F(PlatformControlsTest, MouseLeaveArrivesOnceAfterTracking) {
    HoverButton button;
    ASSERT_TRUE(button.Create("H", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(10, 10, 60, 40),
                              &parent, 9));
    QWidget* w = reinterpret_cast<QWidget*>(button.m_hWnd);
    QMouseEvent move(QEvent::MouseMove, QPointF(5, 5), w->mapToGlobal(QPointF(5, 5)), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(w, &move);
    EXPECT_EQ(button.moves, 1);
    EXPECT_EQ(g_events.front(), "parent setcursor"); // the parent decides the cursor first
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(w, &leave);
    QApplication::sendEvent(w, &leave);
    EXPECT_EQ(button.leaves, 1);
}

TEST_F(PlatformControlsTest, TooltipShowsItsTextWhileActive) {
    CButton button;
    button.Create("T", WS_CHILD | WS_VISIBLE, CRect(0, 0, 30, 30), &parent, 10);
    CToolTipCtrl tip;
    ASSERT_TRUE(tip.Create(&button));
    ASSERT_TRUE(tip.AddTool(&button, "Done", nullptr, 1));
    QWidget* w = reinterpret_cast<QWidget*>(button.m_hWnd);
    EXPECT_EQ(w->toolTip(), "Done");
    tip.UpdateTipText("Cancel", &button, 1);
    EXPECT_EQ(w->toolTip(), "Cancel");
    tip.Activate(FALSE);
    EXPECT_TRUE(w->toolTip().isEmpty());
    EXPECT_EQ(tip.GetToolCount(), 1);
    CString text;
    tip.GetText(text, &button, 1);
    EXPECT_EQ(text, "Cancel");
}

TEST_F(PlatformControlsTest, ClearedClassCursorLeavesTheHandlersCursor) {
    CWnd child;
    ASSERT_TRUE(
        child.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 50, 50), &parent, 11));
    HCURSOR cross = LoadCursor(nullptr, IDC_CROSS);
    SetCursor(cross);
    child.SendMessage(WM_SETCURSOR, WPARAM(child.m_hWnd), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(GetCursor(), LoadCursor(nullptr, IDC_ARROW)); // the class cursor
    SetClassLong(child.m_hWnd, GCL_HCURSOR, 0);
    SetCursor(cross);
    child.SendMessage(WM_SETCURSOR, WPARAM(child.m_hWnd), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(GetCursor(), cross);
    EXPECT_EQ(std::count(g_events.begin(), g_events.end(), "parent setcursor"), 2);
}

TEST_F(PlatformControlsTest, ClipCursorKeepsMousePositionsInside) {
    CRect clip(10, 10, 20, 20);
    ClipCursor(&clip);
    CRect got;
    GetClipCursor(&got);
    EXPECT_EQ(got, clip);
    POINT p;
    GetCursorPos(&p);
    EXPECT_TRUE(clip.PtInRect(p));
    ClipCursor(nullptr);
    GetClipCursor(&got);
    EXPECT_EQ(got.left, 0);
}

} // namespace
