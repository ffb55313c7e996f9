// Painting into a window's surface: what a client context draws shows without a paint, the
// invalid area a paint is handed, children over their parent in creation order, owner-drawn
// buttons drawing on their own surface, and drawing into a device-independent section.

#include "zel/platform/testing.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QWidget>

#include <vector>

using namespace zel::platform::test;

namespace {

// What Qt shows of `wnd`, at client point (x, y) of `wnd`'s top-level window.
COLORREF shown(CWnd& wnd, int x, int y) {
    const QImage img = reinterpret_cast<QWidget*>(wnd.m_hWnd)->grab().toImage();
    const QRgb c = img.pixel(x, y);
    return RGB(qRed(c), qGreen(c), qBlue(c));
}

class PaintedWnd : public CWnd {
public:
    int paints = 0;
    CRect painted;
    CRect updateSeen;
    BOOL hadUpdate = FALSE;

protected:
    BOOL OnEraseBkgnd(CDC* dc) {
        CRect rc;
        GetClientRect(&rc);
        dc->FillSolidRect(&rc, RGB(255, 255, 255));
        return TRUE;
    }
    void OnPaint() {
        hadUpdate = GetUpdateRect(&updateSeen);
        CPaintDC dc(this);
        ++paints;
        painted = dc.m_rcPaint;
        // The whole client area is asked for; only the invalid part may change.
        dc.FillSolidRect(0, 0, 200, 200, RGB(0, 128, 0));
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(PaintedWnd, CWnd)
ON_WM_ERASEBKGND()
ON_WM_PAINT()
END_MESSAGE_MAP()

struct PlatformSurfaceTest : ::testing::Test {
    void SetUp() override {
        ensure_app();
        ASSERT_TRUE(wnd.CreateEx(0, nullptr, "surface", WS_POPUP | WS_VISIBLE, CRect(0, 0, 120, 80),
                                 nullptr, 0));
        wnd.UpdateWindow();
        pump(20);
        wnd.paints = 0;
    }
    void TearDown() override { wnd.DestroyWindow(); }
    COLORREF surface(CWnd& w, int x, int y) {
        CClientDC dc(&w);
        return dc.GetPixel(x, y);
    }
    PaintedWnd wnd;
};

TEST_F(PlatformSurfaceTest, AClientContextDrawsOnTheScreenWithoutAPaint) {
    {
        CClientDC dc(&wnd);
        dc.FillSolidRect(10, 10, 5, 5, RGB(200, 0, 0));
    }
    EXPECT_EQ(wnd.paints, 0);
    pump(20);
    EXPECT_EQ(shown(wnd, 12, 12), RGB(200, 0, 0));
    EXPECT_EQ(shown(wnd, 30, 30), RGB(0, 128, 0));
}

TEST_F(PlatformSurfaceTest, APaintIsHandedTheInvalidAreaAndLeavesTheRestAlone) {
    {
        CClientDC dc(&wnd);
        dc.FillSolidRect(0, 0, 120, 80, RGB(0, 0, 200));
    }
    CRect none;
    EXPECT_FALSE(wnd.GetUpdateRect(&none));
    EXPECT_TRUE(none.IsRectNull());
    wnd.InvalidateRect(CRect(20, 10, 40, 30), FALSE);
    wnd.InvalidateRect(CRect(30, 20, 50, 40), FALSE);
    wnd.UpdateWindow();
    EXPECT_EQ(wnd.paints, 1);
    EXPECT_TRUE(wnd.hadUpdate);
    EXPECT_EQ(wnd.updateSeen, CRect(20, 10, 50, 40)); // the box around both
    EXPECT_EQ(wnd.painted, CRect(20, 10, 50, 40));
    EXPECT_EQ(surface(wnd, 25, 15), RGB(0, 128, 0));
    EXPECT_EQ(surface(wnd, 45, 35), RGB(0, 128, 0));
    // Inside the box but outside both rectangles: still the client context's blue.
    EXPECT_EQ(surface(wnd, 45, 12), RGB(0, 0, 200));
    EXPECT_EQ(surface(wnd, 5, 5), RGB(0, 0, 200));
    // Painted areas are valid again.
    EXPECT_FALSE(wnd.GetUpdateRect(nullptr));
    wnd.UpdateWindow();
    EXPECT_EQ(wnd.paints, 1);
}

// A child that fills itself with its own colour.
class ColourWnd : public CWnd {
public:
    explicit ColourWnd(COLORREF c) : m_colour(c) {}

protected:
    BOOL OnEraseBkgnd(CDC* dc) {
        CRect rc;
        GetClientRect(&rc);
        dc->FillSolidRect(&rc, m_colour);
        return TRUE;
    }
    DECLARE_MESSAGE_MAP()

private:
    COLORREF m_colour;
};
BEGIN_MESSAGE_MAP(ColourWnd, CWnd)
ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

TEST_F(PlatformSurfaceTest, ALaterSiblingLiesAboveAnEarlierOne) {
    ColourWnd first(RGB(255, 0, 0)), second(RGB(0, 0, 255));
    ASSERT_TRUE(first.Create(nullptr, "", WS_VISIBLE, CRect(10, 10, 60, 50), &wnd, 1));
    ASSERT_TRUE(second.Create(nullptr, "", WS_VISIBLE, CRect(40, 30, 90, 70), &wnd, 2));
    first.UpdateWindow();
    second.UpdateWindow();
    pump(20);
    EXPECT_EQ(shown(wnd, 20, 20), RGB(255, 0, 0));
    EXPECT_EQ(shown(wnd, 50, 40), RGB(0, 0, 255)); // where they overlap
    EXPECT_EQ(shown(wnd, 80, 60), RGB(0, 0, 255));
    EXPECT_EQ(shown(wnd, 100, 5), RGB(0, 128, 0)); // the parent
}

// An owner-drawn button that writes down the record it is asked to draw with.
class RecordButton : public CButton {
public:
    std::vector<DRAWITEMSTRUCT> records;

    void DrawItem(LPDRAWITEMSTRUCT dis) override {
        records.push_back(*dis);
        CDC* dc = CDC::FromHandle(dis->hDC);
        const CRect rc(dis->rcItem);
        dc->FillSolidRect(&rc, (dis->itemState & ODS_SELECTED) ? RGB(0, 0, 0) : RGB(90, 90, 0));
    }
};

TEST_F(PlatformSurfaceTest, AnOwnerDrawnButtonDrawsOnItsOwnSurfaceWithItsState) {
    RecordButton button;
    ASSERT_TRUE(
        button.Create("o", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, CRect(10, 10, 50, 30), &wnd, 44));
    button.UpdateWindow();
    ASSERT_FALSE(button.records.empty());
    const DRAWITEMSTRUCT& first = button.records.back();
    EXPECT_EQ(first.CtlType, ODT_BUTTON);
    EXPECT_EQ(first.CtlID, 44u);
    EXPECT_EQ(first.hwndItem, button.m_hWnd);
    EXPECT_EQ(CRect(first.rcItem), CRect(0, 0, 40, 20));
    EXPECT_EQ(first.itemState & ODS_SELECTED, 0u);
    EXPECT_EQ(surface(button, 39, 19), RGB(90, 90, 0));
    EXPECT_EQ(surface(wnd, 5, 5), RGB(0, 128, 0)); // the parent's surface is left alone

    button.SetState(TRUE);
    button.UpdateWindow();
    EXPECT_TRUE(button.records.back().itemState & ODS_SELECTED);
    EXPECT_EQ(surface(button, 20, 10), RGB(0, 0, 0));
    button.SetState(FALSE);
    button.UpdateWindow();
    EXPECT_EQ(surface(button, 20, 10), RGB(90, 90, 0));
}

TEST(PlatformSectionTest, TextAndFillsDrawnIntoASectionReachItsBits) {
    ensure_app();
    BITMAPINFO info{};
    info.bmiHeader.biWidth = 40;
    info.bmiHeader.biHeight = -20; // top-down
    info.bmiHeader.biBitCount = 32;
    void* raw = nullptr;
    HBITMAP section = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &raw, nullptr, 0);
    ASSERT_NE(section, nullptr);
    auto* bits = static_cast<unsigned char*>(raw);
    CDC mem;
    mem.CreateCompatibleDC(nullptr);
    HGDIOBJ old = mem.SelectObject(section);
    mem.FillSolidRect(0, 0, 40, 20, RGB(255, 255, 255));
    EXPECT_EQ(bits[0], 255);
    mem.SetTextColor(RGB(0, 0, 0));
    mem.SetBkMode(TRANSPARENT);
    CRect box(0, 0, 40, 20);
    mem.DrawText("WW", &box, DT_LEFT | DT_TOP | DT_SINGLELINE);
    mem.TextOut(20, 0, CString("WW"));
    int dark = 0, darkRight = 0;
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 40; ++x) {
            const bool isDark = bits[std::size_t(y * 40 + x) * 4] < 128;
            dark += isDark ? 1 : 0;
            darkRight += isDark && x >= 20 ? 1 : 0;
        }
    }
    EXPECT_GT(dark - darkRight, 5); // DrawText's letters
    EXPECT_GT(darkRight, 5);        // TextOut's
    mem.SelectObject(old);
    EXPECT_TRUE(DeleteObject(section));
}

} // namespace
