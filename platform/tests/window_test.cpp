// Windows: the order of invalidate, erase and paint on the retained surface, drawing outside
// paint, timers, posted messages, reflection and destruction.

#include "zel/platform/testing.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>

#include <algorithm>
#include <string>
#include <vector>

using namespace zel::platform::test;

namespace {

class RecordingWnd : public CWnd {
public:
    std::vector<std::string> log;
    COLORREF erase = RGB(0, 0, 255);
    COLORREF paint = RGB(255, 0, 0);
    CRect lastPaint;

protected:
    BOOL OnEraseBkgnd(CDC* dc) {
        log.push_back("erase");
        CRect rc;
        GetClientRect(&rc);
        dc->FillSolidRect(&rc, erase);
        return TRUE;
    }
    void OnPaint() {
        CPaintDC dc(this);
        log.push_back("paint");
        lastPaint = dc.m_rcPaint;
        dc.FillSolidRect(0, 0, 10, 10, paint);
    }
    void OnTimer(UINT_PTR id) {
        log.push_back("timer" + std::to_string(id));
        if (id == 7) {
            KillTimer(7);
        }
    }
    void OnSize(UINT type, int cx, int cy) {
        log.push_back("size" + std::to_string(cx) + "x" + std::to_string(cy));
        CWnd::OnSize(type, cx, cy);
    }
    LRESULT OnUser(WPARAM w, LPARAM) {
        log.push_back("user" + std::to_string(w));
        return 0;
    }
    void OnDestroy() {
        log.push_back("destroy");
        CWnd::OnDestroy();
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(RecordingWnd, CWnd)
ON_WM_ERASEBKGND()
ON_WM_PAINT()
ON_WM_TIMER()
ON_WM_SIZE()
ON_WM_DESTROY()
ON_MESSAGE(WM_USER + 1, OnUser)
END_MESSAGE_MAP()

class PlatformWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        ensure_app();
        ASSERT_TRUE(wnd.CreateEx(0, nullptr, "test", WS_POPUP | WS_VISIBLE, CRect(10, 10, 110, 60),
                                 nullptr, 0));
        pump(50, [&] { return !wnd.log.empty() && wnd.log.back() == "paint"; });
        wnd.log.clear();
    }
    void TearDown() override {
        if (wnd.m_hWnd != nullptr) {
            wnd.DestroyWindow();
        }
    }
    COLORREF pixel(int x, int y) {
        CClientDC dc(&wnd);
        return dc.GetPixel(x, y);
    }
    RecordingWnd wnd;
};

TEST_F(PlatformWindowTest, InvalidateWithEraseErasesThenPaints) {
    wnd.Invalidate(TRUE);
    EXPECT_TRUE(wnd.log.empty()); // nothing happens until the window paints
    wnd.UpdateWindow();
    EXPECT_EQ(wnd.log, (std::vector<std::string>{"erase", "paint"}));
    EXPECT_EQ(pixel(5, 5), RGB(255, 0, 0));
    EXPECT_EQ(pixel(50, 30), RGB(0, 0, 255));
    // Nothing is left to paint.
    wnd.log.clear();
    wnd.UpdateWindow();
    EXPECT_TRUE(wnd.log.empty());
}

TEST_F(PlatformWindowTest, InvalidateWithoutErasePaintsOnlyAndKeepsTheSurface) {
    {
        CClientDC dc(&wnd);
        dc.FillSolidRect(40, 20, 5, 5, RGB(0, 255, 0)); // drawn outside any paint
    }
    EXPECT_EQ(pixel(42, 22), RGB(0, 255, 0));
    wnd.paint = RGB(1, 2, 3);
    CRect part(0, 0, 20, 20);
    wnd.InvalidateRect(&part, FALSE);
    pump(200, [&] { return !wnd.log.empty(); });
    EXPECT_EQ(wnd.log, (std::vector<std::string>{"paint"}));
    EXPECT_EQ(wnd.lastPaint, part);
    EXPECT_EQ(pixel(5, 5), RGB(1, 2, 3));
    EXPECT_EQ(pixel(42, 22), RGB(0, 255, 0)); // retained
}

TEST_F(PlatformWindowTest, PaintIsClippedToTheInvalidArea) {
    wnd.paint = RGB(9, 9, 9);
    CRect part(0, 0, 4, 4);
    wnd.InvalidateRect(&part, FALSE);
    wnd.UpdateWindow();
    EXPECT_EQ(pixel(2, 2), RGB(9, 9, 9));
    EXPECT_EQ(pixel(6, 6), RGB(255, 0, 0)); // outside the invalid area: still the old paint
}

TEST_F(PlatformWindowTest, SeveralInvalidationsMergeIntoOnePaint) {
    CRect a(0, 0, 5, 5), b(50, 20, 60, 30);
    wnd.InvalidateRect(&a, FALSE);
    wnd.InvalidateRect(&b, TRUE);
    pump(200, [&] { return wnd.log.size() >= 2; });
    pump(30);
    EXPECT_EQ(wnd.log, (std::vector<std::string>{"erase", "paint"}));
    EXPECT_EQ(wnd.lastPaint, CRect(0, 0, 60, 30));
}

TEST_F(PlatformWindowTest, TimersAndPostedMessagesArriveInOrder) {
    wnd.SetTimer(7, 10, nullptr);
    wnd.PostMessage(WM_USER + 1, 1);
    wnd.PostMessage(WM_USER + 1, 2);
    pump(500, [&] { return wnd.log.size() >= 3; });
    ASSERT_GE(wnd.log.size(), 3u);
    EXPECT_EQ(wnd.log[0], "user1");
    EXPECT_EQ(wnd.log[1], "user2");
    EXPECT_EQ(wnd.log[2], "timer7");
    pump(60);
    EXPECT_EQ(std::count(wnd.log.begin(), wnd.log.end(), "timer7"), 1); // killed in its handler
}

TEST_F(PlatformWindowTest, ResizeReportsTheClientSizeAndRepaints) {
    wnd.MoveWindow(10, 10, 80, 40);
    pump(200, [&] { return !wnd.log.empty() && wnd.log.back() == "paint"; });
    ASSERT_FALSE(wnd.log.empty());
    EXPECT_EQ(wnd.log.front(), "size80x40");
    CRect rc;
    wnd.GetClientRect(&rc);
    EXPECT_EQ(rc, CRect(0, 0, 80, 40));
}

TEST_F(PlatformWindowTest, DestroyEndsMessagesAndTimers) {
    wnd.SetTimer(3, 5, nullptr);
    HWND h = wnd.m_hWnd;
    EXPECT_TRUE(IsWindow(h));
    wnd.DestroyWindow();
    EXPECT_EQ(wnd.log.back(), "destroy");
    EXPECT_FALSE(IsWindow(h));
    EXPECT_EQ(wnd.m_hWnd, nullptr);
    const std::size_t n = wnd.log.size();
    pump(50);
    EXPECT_EQ(wnd.log.size(), n);
    EXPECT_EQ(SendMessage(h, WM_USER + 1, 5, 0), 0); // a dead handle is refused
    EXPECT_FALSE(PostMessage(h, WM_USER + 1, 5, 0));
}

// A WM_DESTROY handler that destroys its own window or a parent: the destruction under way
// goes on; it is not begun again.
class DestroyingOnDestroy : public CWnd {
public:
    CWnd* toDestroy = nullptr;
    int destroys = 0;

protected:
    void OnDestroy() {
        ++destroys;
        if (destroys > 3) {
            return; // what the test reports; without a stop here the stack would run out
        }
        toDestroy->DestroyWindow();
        CWnd::OnDestroy();
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(DestroyingOnDestroy, CWnd)
ON_WM_DESTROY()
END_MESSAGE_MAP()

TEST_F(PlatformWindowTest, DestroyAskedForWhileDestroyingIsLeftToTheDestructionUnderWay) {
    DestroyingOnDestroy self;
    ASSERT_TRUE(self.CreateEx(0, nullptr, "self", WS_POPUP, CRect(0, 0, 20, 20), nullptr, 0));
    self.toDestroy = &self;
    EXPECT_TRUE(self.DestroyWindow());
    EXPECT_EQ(self.destroys, 1);
    EXPECT_EQ(self.m_hWnd, nullptr);

    DestroyingOnDestroy child;
    ASSERT_TRUE(child.Create(nullptr, "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), &wnd, 7));
    child.toDestroy = &wnd;
    wnd.DestroyWindow();
    EXPECT_EQ(child.destroys, 1);
    EXPECT_EQ(std::count(wnd.log.begin(), wnd.log.end(), "destroy"), 1);
    EXPECT_EQ(child.m_hWnd, nullptr);
    EXPECT_EQ(wnd.m_hWnd, nullptr);
}

TEST_F(PlatformWindowTest, ChildWithBorderHasSmallerClientAndPaintsOverTheParent) {
    CWnd child;
    ASSERT_TRUE(child.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE | WS_BORDER,
                             CRect(10, 10, 30, 30), &wnd, 99001));
    CRect rc;
    child.GetClientRect(&rc);
    EXPECT_EQ(rc, CRect(0, 0, 18, 18));
    EXPECT_EQ(child.GetDlgCtrlID(), 99001);
    EXPECT_EQ(wnd.GetDlgItem(99001), &child);
    POINT p{0, 0};
    child.ClientToScreen(&p);
    POINT q{11, 11};
    wnd.ClientToScreen(&q);
    EXPECT_EQ(p.x, q.x);
    EXPECT_EQ(p.y, q.y);
}

TEST_F(PlatformWindowTest, WindowsNotShownYetTakeTheirNewSizeAtOnce) {
    CWnd hidden;
    ASSERT_TRUE(hidden.CreateEx(0, nullptr, "hidden", WS_POPUP, CRect(0, 0, 200, 100), nullptr, 0));
    CWnd child;
    ASSERT_TRUE(child.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE | WS_BORDER,
                             CRect(10, 10, 110, 40), &hidden, 1));
    child.SetWindowPos(nullptr, 10, 10, 40, 20, SWP_NOZORDER);
    CRect rc;
    child.GetClientRect(&rc);
    EXPECT_EQ(rc, CRect(0, 0, 38, 18));
    child.GetWindowRect(&rc);
    EXPECT_EQ(rc.Size(), CSize(40, 20));
    hidden.DestroyWindow();
}

} // namespace

namespace {

// A control that sees every double click as a second press, changing the message on its way.
class DoubleClickButton : public CButton {
public:
    int downs = 0;
    int enables = 0;
    BOOL PreTranslateMessage(MSG* msg) override {
        if (msg->message == WM_LBUTTONDBLCLK) {
            msg->message = WM_LBUTTONDOWN;
        }
        return CButton::PreTranslateMessage(msg);
    }

protected:
    void OnLButtonDown(UINT flags, CPoint p) {
        ++downs;
        CButton::OnLButtonDown(flags, p);
    }
    void OnEnable(BOOL enable) {
        ++enables;
        CButton::OnEnable(enable);
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(DoubleClickButton, CButton)
ON_WM_LBUTTONDOWN()
ON_WM_ENABLE()
END_MESSAGE_MAP()

TEST_F(PlatformWindowTest, PreTranslationMayChangeAMessage) {
    DoubleClickButton button;
    ASSERT_TRUE(button.Create("x", WS_CHILD | WS_VISIBLE, CRect(0, 0, 30, 30), &wnd, 77));
    QWidget* w = reinterpret_cast<QWidget*>(button.m_hWnd);
    const QPointF at(5, 5);
    const QPointF global = w->mapToGlobal(at);
    for (QEvent::Type t : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease,
                           QEvent::MouseButtonDblClick, QEvent::MouseButtonRelease}) {
        QMouseEvent e(t, at, global, Qt::LeftButton,
                      t == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                      Qt::NoModifier);
        QApplication::sendEvent(w, &e);
    }
    EXPECT_EQ(button.downs, 2);
    // The window under a point is found, and enabling tells the window.
    POINT centre{15, 15};
    button.ClientToScreen(&centre);
    EXPECT_EQ(CWnd::WindowFromPoint(centre), &button);
    button.EnableWindow(FALSE);
    button.EnableWindow(FALSE);
    EXPECT_EQ(button.enables, 1);
    EXPECT_FALSE(button.IsWindowEnabled());
}

// A window whose erase handler declines, so its paint must erase.
class DecliningWnd : public CWnd {
public:
    BOOL erase = -1;

protected:
    BOOL OnEraseBkgnd(CDC*) { return FALSE; }
    void OnPaint() {
        CPaintDC dc(this);
        erase = dc.m_fErase;
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(DecliningWnd, CWnd)
ON_WM_ERASEBKGND()
ON_WM_PAINT()
END_MESSAGE_MAP()

TEST_F(PlatformWindowTest, EraseThatDeclinesIsReportedToThePaint) {
    DecliningWnd p;
    ASSERT_TRUE(p.CreateEx(0, nullptr, "p", WS_POPUP, CRect(0, 0, 10, 10), nullptr, 0));
    p.Invalidate(TRUE);
    p.UpdateWindow();
    EXPECT_EQ(p.erase, TRUE);
    p.DestroyWindow();
}

} // namespace
