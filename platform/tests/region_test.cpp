// Regions: combining, and a window shape built from a bitmap's key colour.

#include "zel/platform/testing.h"

#include <gtest/gtest.h>

#include <vector>

using namespace zel::platform::test;

namespace {

TEST(PlatformRegionTest, CombinesInEveryMode) {
    ensure_app();
    CRgn a, b, r;
    a.CreateRectRgn(0, 0, 10, 10);
    b.CreateRectRgn(5, 5, 15, 15);
    r.CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(r.CombineRgn(&a, &b, RGN_AND), SIMPLEREGION);
    EXPECT_TRUE(r.PtInRegion(7, 7));
    EXPECT_FALSE(r.PtInRegion(2, 2));
    EXPECT_EQ(r.CombineRgn(&a, &b, RGN_OR), COMPLEXREGION);
    EXPECT_TRUE(r.PtInRegion(2, 2));
    EXPECT_TRUE(r.PtInRegion(14, 14));
    EXPECT_FALSE(r.PtInRegion(14, 2));
    r.CombineRgn(&a, &b, RGN_XOR);
    EXPECT_FALSE(r.PtInRegion(7, 7));
    EXPECT_TRUE(r.PtInRegion(2, 2));
    r.CombineRgn(&a, &b, RGN_DIFF);
    EXPECT_FALSE(r.PtInRegion(7, 7));
    CRect box;
    EXPECT_EQ(r.GetRgnBox(&box), COMPLEXREGION);
    EXPECT_EQ(box, CRect(0, 0, 10, 10));
    EXPECT_EQ(r.CombineRgn(&a, &a, RGN_DIFF), NULLREGION);
}

// A window shape: the bitmap's rectangle minus each pixel of the key colour, built the way the
// skinned dialog does it (one 1 x 1 region XOR-ed in per key pixel).
TEST(PlatformRegionTest, RegionFromBitmapCutsOutTheKeyColour) {
    ensure_app();
    CWindowDC screen(nullptr);
    CDC mem;
    mem.CreateCompatibleDC(&screen);
    CBitmap bmp;
    bmp.CreateCompatibleBitmap(&screen, 8, 6);
    CBitmap* old = mem.SelectObject(&bmp);
    mem.FillSolidRect(0, 0, 8, 6, RGB(10, 120, 200));
    mem.FillSolidRect(0, 0, 2, 6, RGB(255, 0, 255)); // key colour down the left edge
    mem.FillSolidRect(5, 3, 1, 1, RGB(255, 0, 255));
    mem.SelectObject(old);

    BITMAPINFO info{};
    info.bmiHeader.biWidth = 8;
    info.bmiHeader.biHeight = -6; // top-down
    info.bmiHeader.biBitCount = 24;
    std::vector<unsigned char> bits(8 * 6 * 3);
    ASSERT_EQ(GetDIBits(screen.m_hDC, bmp, 0, 6, bits.data(), &info, DIB_RGB_COLORS), 6);
    HRGN region = CreateRectRgn(0, 0, 8, 6);
    for (int y = 0; y < 6; ++y) {
        for (int x = 0; x < 8; ++x) {
            const unsigned char* p = &bits[std::size_t(y * 24 + x * 3)];
            if (p[2] == 255 && p[1] == 0 && p[0] == 255) {
                HRGN dot = CreateRectRgn(x, y, x + 1, y + 1);
                CombineRgn(region, region, dot, RGN_XOR);
                DeleteObject(dot);
            }
        }
    }
    // Rows read into a narrower picture are cut to it, never written past it.
    BITMAPINFO narrow{};
    narrow.bmiHeader.biWidth = 4;
    narrow.bmiHeader.biHeight = -6;
    narrow.bmiHeader.biBitCount = 24;
    std::vector<unsigned char> small(4 * 6 * 3 + 1, 0xAB);
    ASSERT_EQ(GetDIBits(screen.m_hDC, bmp, 0, 6, small.data(), &narrow, DIB_RGB_COLORS), 6);
    EXPECT_EQ(small.back(), 0xAB);
    EXPECT_EQ(small[0], 255); // the key colour's blue at (0, 0)

    EXPECT_FALSE(PtInRegion(region, 0, 0));
    EXPECT_FALSE(PtInRegion(region, 1, 5));
    EXPECT_FALSE(PtInRegion(region, 5, 3));
    EXPECT_TRUE(PtInRegion(region, 2, 0));
    EXPECT_TRUE(PtInRegion(region, 7, 5));

    // The window takes the region over; a copy reads the same shape.
    CWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, "shape", WS_POPUP, CRect(0, 0, 8, 6), nullptr, 0));
    EXPECT_EQ(wnd.SetWindowRgn(region, FALSE), 1);
    HRGN copy = CreateRectRgn(0, 0, 0, 0);
    EXPECT_NE(wnd.GetWindowRgn(copy), ERROR);
    EXPECT_TRUE(EqualRgn(copy, region));
    DeleteObject(copy);
    // Replacing the region deletes the window's old one.
    wnd.SetWindowRgn(nullptr, FALSE);
    EXPECT_FALSE(PtInRegion(region, 2, 0));
    wnd.DestroyWindow();
}

} // namespace
