// Memory contexts: raster copies with each operation, monochrome conversions, stretching,
// lines, frames, device-independent rows and handle safety.

#include "kept_memory.h"
#include "zel/platform/testing.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <limits>
#include <vector>

using namespace zel::platform::test;

namespace {

class MemoryDc {
public:
    MemoryDc(int w, int h, COLORREF fill) {
        ensure_app();
        CWindowDC screen(nullptr);
        dc.CreateCompatibleDC(&screen);
        bitmap.CreateCompatibleBitmap(&screen, w, h);
        old = dc.SelectObject(&bitmap);
        dc.FillSolidRect(0, 0, w, h, fill);
    }
    ~MemoryDc() { dc.SelectObject(old); }
    CDC dc;
    CBitmap bitmap;
    CBitmap* old = nullptr;
};

struct RopCase {
    const char* name;
    DWORD rop;
    COLORREF expected;
};

void PrintTo(const RopCase& c, std::ostream* os) {
    *os << c.name;
}

class PlatformRasterOpTest : public ::testing::TestWithParam<RopCase> {};

// Source 0x0F0F0F-ish (RGB 0x33, 0x66, 0xCC) onto destination (0xF0, 0x55, 0x0F).
TEST_P(PlatformRasterOpTest, CombinesSourceAndDestinationBitwise) {
    MemoryDc src(4, 4, RGB(0x33, 0x66, 0xCC));
    MemoryDc dst(4, 4, RGB(0xF0, 0x55, 0x0F));
    CBrush brush(RGB(0x81, 0x42, 0x24));
    dst.dc.SelectObject(&brush);
    ASSERT_TRUE(dst.dc.BitBlt(1, 1, 2, 2, &src.dc, 0, 0, GetParam().rop));
    EXPECT_EQ(dst.dc.GetPixel(1, 1), GetParam().expected);
    EXPECT_EQ(dst.dc.GetPixel(2, 2), GetParam().expected);
    // Outside the copied rectangle nothing changes.
    EXPECT_EQ(dst.dc.GetPixel(0, 0), RGB(0xF0, 0x55, 0x0F));
    EXPECT_EQ(dst.dc.GetPixel(3, 3), RGB(0xF0, 0x55, 0x0F));
}

INSTANTIATE_TEST_SUITE_P(
    PlatformRasterOps, PlatformRasterOpTest,
    ::testing::Values(RopCase{"SRCCOPY", SRCCOPY, RGB(0x33, 0x66, 0xCC)},
                      RopCase{"SRCAND", SRCAND, RGB(0x33 & 0xF0, 0x66 & 0x55, 0xCC & 0x0F)},
                      RopCase{"SRCPAINT", SRCPAINT, RGB(0x33 | 0xF0, 0x66 | 0x55, 0xCC | 0x0F)},
                      RopCase{"SRCINVERT", SRCINVERT, RGB(0x33 ^ 0xF0, 0x66 ^ 0x55, 0xCC ^ 0x0F)},
                      RopCase{"NOTSRCCOPY", NOTSRCCOPY, RGB(0xCC, 0x99, 0x33)},
                      RopCase{"DSTINVERT", DSTINVERT, RGB(0x0F, 0xAA, 0xF0)},
                      RopCase{"SRCERASE", SRCERASE, RGB(0x33 & 0x0F, 0x66 & 0xAA, 0xCC & 0xF0)},
                      RopCase{"PATCOPY", PATCOPY, RGB(0x81, 0x42, 0x24)},
                      RopCase{"BLACKNESS", BLACKNESS, RGB(0, 0, 0)},
                      RopCase{"WHITENESS", WHITENESS, RGB(255, 255, 255)}),
    [](const ::testing::TestParamInfo<RopCase>& tested) { return std::string(tested.param.name); });

TEST(PlatformDcTest, MaskAndPaintMakeTransparentCopy) {
    // The classic transparent copy: a monochrome mask from the key colour, AND it, OR the
    // picture with its key pixels blackened.
    ensure_app();
    MemoryDc pic(3, 1, RGB(255, 0, 255));
    pic.dc.FillSolidRect(1, 0, 1, 1, RGB(10, 200, 30));
    CDC maskDc;
    maskDc.CreateCompatibleDC(&pic.dc);
    CBitmap mask;
    mask.CreateBitmap(3, 1, 1, 1, nullptr);
    CBitmap* oldMask = maskDc.SelectObject(&mask);
    pic.dc.SetBkColor(RGB(255, 0, 255));
    maskDc.BitBlt(0, 0, 3, 1, &pic.dc, 0, 0, SRCCOPY); // key pixels become white
    EXPECT_EQ(maskDc.GetPixel(0, 0), RGB(255, 255, 255));
    EXPECT_EQ(maskDc.GetPixel(1, 0), RGB(0, 0, 0));
    pic.dc.SetTextColor(RGB(255, 255, 255));
    pic.dc.SetBkColor(RGB(0, 0, 0));
    pic.dc.BitBlt(0, 0, 3, 1, &maskDc, 0, 0, SRCAND); // white mask -> black, black -> white
    EXPECT_EQ(pic.dc.GetPixel(0, 0), RGB(0, 0, 0));
    EXPECT_EQ(pic.dc.GetPixel(1, 0), RGB(10, 200, 30));

    MemoryDc dst(3, 1, RGB(1, 2, 3));
    dst.dc.SetTextColor(RGB(0, 0, 0));
    dst.dc.SetBkColor(RGB(255, 255, 255));
    dst.dc.BitBlt(0, 0, 3, 1, &maskDc, 0, 0, SRCAND);
    dst.dc.BitBlt(0, 0, 3, 1, &pic.dc, 0, 0, SRCPAINT);
    EXPECT_EQ(dst.dc.GetPixel(0, 0), RGB(1, 2, 3));
    EXPECT_EQ(dst.dc.GetPixel(1, 0), RGB(10, 200, 30));
    maskDc.SelectObject(oldMask);
}

TEST(PlatformDcTest, FreshMemoryContextMakesMonochromeCompatibleBitmaps) {
    ensure_app();
    CDC mem;
    mem.CreateCompatibleDC(nullptr);
    CBitmap bmp;
    bmp.CreateCompatibleBitmap(&mem, 4, 4);
    BITMAP bm;
    ASSERT_EQ(bmp.GetBitmap(&bm), int(sizeof(BITMAP)));
    EXPECT_EQ(bm.bmBitsPixel, 1);
    CWindowDC screen(nullptr);
    CBitmap colour;
    colour.CreateCompatibleBitmap(&screen, 4, 4);
    colour.GetBitmap(&bm);
    EXPECT_EQ(bm.bmBitsPixel, 32);
}

TEST(PlatformDcTest, StretchBltScalesAndMirrors) {
    MemoryDc src(2, 1, RGB(255, 0, 0));
    src.dc.FillSolidRect(1, 0, 1, 1, RGB(0, 0, 255));
    MemoryDc dst(4, 2, 0);
    dst.dc.SetStretchBltMode(COLORONCOLOR);
    ASSERT_TRUE(dst.dc.StretchBlt(0, 0, 4, 2, &src.dc, 0, 0, 2, 1, SRCCOPY));
    EXPECT_EQ(dst.dc.GetPixel(0, 1), RGB(255, 0, 0));
    EXPECT_EQ(dst.dc.GetPixel(1, 0), RGB(255, 0, 0));
    EXPECT_EQ(dst.dc.GetPixel(2, 1), RGB(0, 0, 255));
    EXPECT_EQ(dst.dc.GetPixel(3, 0), RGB(0, 0, 255));
    // A negative width copies mirrored.
    ASSERT_TRUE(dst.dc.StretchBlt(3, 0, -4, 1, &src.dc, 0, 0, 2, 1, SRCCOPY));
    EXPECT_EQ(dst.dc.GetPixel(0, 0), RGB(0, 0, 255));
    EXPECT_EQ(dst.dc.GetPixel(3, 0), RGB(255, 0, 0));
}

TEST(PlatformDcTest, CopyOntoItselfReadsTheSourceFirst) {
    MemoryDc m(4, 1, RGB(9, 9, 9));
    m.dc.FillSolidRect(0, 0, 1, 1, RGB(1, 1, 1));
    m.dc.FillSolidRect(1, 0, 1, 1, RGB(2, 2, 2));
    m.dc.BitBlt(1, 0, 2, 1, &m.dc, 0, 0, SRCCOPY);
    EXPECT_EQ(m.dc.GetPixel(1, 0), RGB(1, 1, 1));
    EXPECT_EQ(m.dc.GetPixel(2, 0), RGB(2, 2, 2));
}

TEST(PlatformDcTest, LinesStopBeforeTheirEndAndFramesFollowTheRectangle) {
    MemoryDc m(10, 10, RGB(255, 255, 255));
    CPen red(PS_SOLID, 1, RGB(255, 0, 0));
    CPen* old = m.dc.SelectObject(&red);
    m.dc.MoveTo(1, 1);
    m.dc.LineTo(5, 1);
    m.dc.SelectObject(old);
    EXPECT_EQ(m.dc.GetPixel(1, 1), RGB(255, 0, 0));
    EXPECT_EQ(m.dc.GetPixel(4, 1), RGB(255, 0, 0));
    EXPECT_EQ(m.dc.GetPixel(5, 1), RGB(255, 255, 255));

    CRect r(2, 3, 8, 9);
    m.dc.Draw3dRect(&r, RGB(0, 255, 0), RGB(0, 0, 255));
    EXPECT_EQ(m.dc.GetPixel(2, 3), RGB(0, 255, 0));
    EXPECT_EQ(m.dc.GetPixel(6, 3), RGB(0, 255, 0));
    EXPECT_EQ(m.dc.GetPixel(7, 3), RGB(0, 0, 255));
    EXPECT_EQ(m.dc.GetPixel(2, 8), RGB(0, 0, 255));
    EXPECT_EQ(m.dc.GetPixel(4, 5), RGB(255, 255, 255));

    CBrush black(RGB(0, 0, 0));
    CRect f(0, 0, 3, 3);
    m.dc.FrameRect(&f, &black);
    EXPECT_EQ(m.dc.GetPixel(2, 2), RGB(0, 0, 0));
    EXPECT_EQ(m.dc.GetPixel(1, 1), RGB(255, 0, 0));
    // Inverting twice restores.
    m.dc.PatBlt(f.left, f.top, f.Width(), f.Height(), DSTINVERT);
    EXPECT_EQ(m.dc.GetPixel(0, 0), RGB(255, 255, 255));
    m.dc.PatBlt(f.left, f.top, f.Width(), f.Height(), DSTINVERT);
    EXPECT_EQ(m.dc.GetPixel(0, 0), RGB(0, 0, 0));
}

TEST(PlatformDcTest, DeviceIndependentRowsRoundTrip) {
    ensure_app();
    // 3 x 2 picture, 24 bits, bottom-up, rows padded to 12 bytes.
    const unsigned char bits[] = {0,   0,   255, 0, 255, 0, 255, 0,   0,   0, 0, 0,  // bottom row
                                  255, 255, 255, 0, 0,   0, 128, 128, 128, 0, 0, 0}; // top row
    BITMAPINFO info{};
    info.bmiHeader.biWidth = 3;
    info.bmiHeader.biHeight = 2;
    info.bmiHeader.biBitCount = 24;
    MemoryDc m(3, 2, 0);
    ASSERT_EQ(m.dc.StretchDIBits(0, 0, 3, 2, 0, 0, 3, 2, bits, &info, DIB_RGB_COLORS, SRCCOPY), 2);
    EXPECT_EQ(m.dc.GetPixel(0, 1), RGB(255, 0, 0));
    EXPECT_EQ(m.dc.GetPixel(1, 1), RGB(0, 255, 0));
    EXPECT_EQ(m.dc.GetPixel(0, 0), RGB(255, 255, 255));

    BITMAPINFO out{};
    out.bmiHeader.biBitCount = 24;
    out.bmiHeader.biHeight = 2;
    std::vector<unsigned char> back(24);
    m.dc.SelectObject(m.old);
    ASSERT_EQ(GetDIBits(m.dc.m_hDC, m.bitmap, 0, 2, back.data(), &out, DIB_RGB_COLORS), 2);
    for (std::size_t i : {0u, 1u, 2u, 3u, 4u, 5u, 6u, 7u, 8u, 12u, 13u, 14u}) {
        EXPECT_EQ(back[i], bits[i]) << "byte " << i;
    }
    m.old = m.dc.SelectObject(&m.bitmap);

    // Eight bits with a table of the picture's own colours keeps every colour exactly.
    std::vector<unsigned char> buf(sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD));
    auto* eight = reinterpret_cast<BITMAPINFO*>(buf.data());
    eight->bmiHeader.biBitCount = 8;
    eight->bmiHeader.biHeight = 2;
    std::vector<unsigned char> idx(8);
    m.dc.SelectObject(m.old);
    ASSERT_EQ(GetDIBits(nullptr, m.bitmap, 0, 2, idx.data(), eight, DIB_RGB_COLORS), 2);
    const RGBQUAD q = eight->bmiColors[idx[4 + 2]]; // top row, third pixel
    EXPECT_EQ(q.rgbRed, 128);
    EXPECT_EQ(q.rgbGreen, 128);
    m.old = m.dc.SelectObject(&m.bitmap);
}

// A picture of more than 256 colours read in 8 bits: the colours past the table's end are
// drawn in the nearest colour of the table, not in whatever colour came first.
TEST(PlatformDcTest, EightBitsDrawColoursPastTheTableInTheNearestOne) {
    constexpr int kWidth = 300;
    MemoryDc m(kWidth, 1, 0);
    for (int x = 0; x < 256; ++x) {
        m.dc.FillSolidRect(x, 0, 1, 1, RGB(x, x, x));
    }
    for (int x = 256; x < kWidth; ++x) {
        m.dc.FillSolidRect(x, 0, 1, 1, RGB(x - 250, x - 249, x - 250));
    }
    std::vector<unsigned char> buf(sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD));
    auto* eight = reinterpret_cast<BITMAPINFO*>(buf.data());
    eight->bmiHeader.biBitCount = 8;
    eight->bmiHeader.biHeight = 1;
    std::vector<unsigned char> idx((kWidth + 3) / 4 * 4);
    m.dc.SelectObject(m.old);
    ASSERT_EQ(GetDIBits(nullptr, m.bitmap, 0, 1, idx.data(), eight, DIB_RGB_COLORS), 1);
    for (int x = 0; x < kWidth; ++x) {
        const RGBQUAD q = eight->bmiColors[idx[std::size_t(x)]];
        const int grey = x < 256 ? x : x - 250;
        EXPECT_EQ(q.rgbRed, grey) << "pixel " << x;
        EXPECT_EQ(q.rgbBlue, grey) << "pixel " << x;
        EXPECT_LE(std::abs(q.rgbGreen - (x < 256 ? x : x - 249)), 1) << "pixel " << x;
    }
    m.old = m.dc.SelectObject(&m.bitmap);
}

TEST(PlatformDcTest, SectionBitsAreDrawnAndWrittenBack) {
    ensure_app();
    BITMAPINFO info{};
    info.bmiHeader.biWidth = 2;
    info.bmiHeader.biHeight = 2;
    info.bmiHeader.biBitCount = 24;
    void* raw = nullptr;
    HBITMAP section = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &raw, nullptr, 0);
    ASSERT_NE(section, nullptr);
    auto* bits = static_cast<unsigned char*>(raw);
    bits[0] = 10; // bottom-left blue
    bits[1] = 20;
    bits[2] = 30;
    CDC mem;
    mem.CreateCompatibleDC(nullptr);
    HGDIOBJ old = mem.SelectObject(section);
    EXPECT_EQ(mem.GetPixel(0, 1), RGB(30, 20, 10));
    mem.FillSolidRect(1, 0, 1, 1, RGB(7, 8, 9)); // top-right
    EXPECT_EQ(bits[8 + 3], 9);                   // second row starts at 8 (6 bytes padded)
    EXPECT_EQ(bits[8 + 5], 7);
    mem.SelectObject(old);
    EXPECT_TRUE(DeleteObject(section));
}

TEST(PlatformDcTest, HandlesAreCheckedBeforeUse) {
    ensure_app();
    HBITMAP b = CreateBitmap(2, 2, 1, 32, nullptr);
    CDC mem;
    mem.CreateCompatibleDC(nullptr);
    HGDIOBJ old = mem.SelectObject(b);
    // A selected object is not deleted, a deleted one is not read.
    EXPECT_FALSE(DeleteObject(b));
    mem.SelectObject(old);
    EXPECT_TRUE(DeleteObject(b));
    BITMAP bm;
    EXPECT_EQ(GetObject(b, sizeof bm, &bm), 0);
    EXPECT_FALSE(DeleteObject(b));
    EXPECT_FALSE(DeleteObject(GetStockObject(BLACK_BRUSH)));
    // A bitmap is in one memory context at a time.
    HBITMAP c = CreateBitmap(2, 2, 1, 32, nullptr);
    CDC other;
    other.CreateCompatibleDC(nullptr);
    HGDIOBJ o1 = mem.SelectObject(c);
    EXPECT_EQ(other.SelectObject(c), nullptr);
    mem.SelectObject(o1);
    DeleteObject(c);
}

// A picture larger than memory can hold is refused, not handed out as a bitmap without pixels
// (nor are the caller's rows copied into one).
TEST(PlatformDcTest, BitmapsTooLargeToMakeAreRefused) {
    ensure_app();
    CWindowDC screen(nullptr);
    const int huge = std::numeric_limits<int>::max();
    CBitmap compatible;
    EXPECT_FALSE(compatible.CreateCompatibleBitmap(&screen, huge, huge));
    EXPECT_EQ(compatible.m_hObject, nullptr);
    const unsigned rows[4] = {};
    EXPECT_EQ(CreateBitmap(huge, huge, 1, 32, rows), nullptr);
    EXPECT_EQ(CreateBitmap(huge, huge, 1, 1, rows), nullptr);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = huge;
    info.bmiHeader.biHeight = huge;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    void* bits = &info;
    EXPECT_EQ(CreateDIBSection(screen.m_hDC, &info, DIB_RGB_COLORS, &bits, nullptr, 0), nullptr);
    EXPECT_EQ(bits, &info);
}

// Header sizes beyond what a row stride or a row count can hold are refused, not computed with.
TEST(PlatformDcTest, DeviceIndependentHeadersBeyondIntSizesAreRefused) {
    ensure_app();
    CWindowDC screen(nullptr);
    MemoryDc target(4, 4, RGB(255, 255, 255));
    const unsigned char rows[16] = {};
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biWidth = 1;
    info.bmiHeader.biHeight = std::numeric_limits<int>::min();
    void* bits = nullptr;
    EXPECT_EQ(CreateDIBSection(screen.m_hDC, &info, DIB_RGB_COLORS, &bits, nullptr, 0), nullptr);
    EXPECT_EQ(target.dc.StretchDIBits(0, 0, 1, 1, 0, 0, 1, 1, rows, &info, DIB_RGB_COLORS, SRCCOPY),
              0);
    unsigned char out[16] = {};
    EXPECT_EQ(GetDIBits(screen.m_hDC, target.bitmap, 0, 1, out, &info, DIB_RGB_COLORS), 0);
    // A row of this many 24-bit pixels has more bytes than an int counts.
    info.bmiHeader.biWidth = std::numeric_limits<int>::max() / 24 + 1;
    info.bmiHeader.biHeight = 1;
    EXPECT_EQ(CreateDIBSection(screen.m_hDC, &info, DIB_RGB_COLORS, &bits, nullptr, 0), nullptr);
    EXPECT_EQ(target.dc.GetPixel(0, 0), RGB(255, 255, 255));
}

// The same, where the deleted objects' memory still holds what they were: only the check of
// the handle itself refuses them.
TEST(PlatformDcTest, DeletedHandlesAreRefusedWhileTheirMemoryStillLooksAlive) {
    ensure_app();
    HBITMAP bitmap = CreateBitmap(2, 2, 1, 32, nullptr);
    HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
    KeptMemory kept;
    EXPECT_TRUE(DeleteObject(bitmap));
    EXPECT_TRUE(DeleteObject(brush));
    BITMAP bm{};
    EXPECT_EQ(GetObject(bitmap, sizeof bm, &bm), 0);
    LOGBRUSH lb{};
    EXPECT_EQ(GetObject(brush, sizeof lb, &lb), 0);
    CDC mem;
    mem.CreateCompatibleDC(nullptr);
    EXPECT_EQ(mem.SelectObject(bitmap), nullptr);
    EXPECT_EQ(mem.SelectObject(brush), nullptr);
}

TEST(PlatformDcTest, TextIsDrawnInTheTextColourAndMeasured) {
    MemoryDc m(60, 20, RGB(255, 255, 255));
    m.dc.SetTextColor(RGB(0, 0, 255));
    m.dc.SetBkMode(TRANSPARENT);
    CRect r(0, 0, 60, 20);
    CRect calc = r;
    const int h = m.dc.DrawText("Hi", &calc, DT_CALCRECT | DT_SINGLELINE);
    EXPECT_GT(h, 5);
    EXPECT_GT(calc.Width(), 3);
    EXPECT_LT(calc.Width(), 40);
    m.dc.DrawText("Hi", &r, DT_LEFT | DT_SINGLELINE);
    int blue = 0;
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 60; ++x) {
            blue += m.dc.GetPixel(x, y) == RGB(0, 0, 255) ? 1 : 0;
        }
    }
    EXPECT_GT(blue, 10);
}

} // namespace

namespace {

TEST(PlatformDcTest, PaletteSectionsDrawThroughTheirColourTable) {
    // The shaded buttons' pictures: 8 bits a pixel through a palette, bottom-up rows.
    ensure_app();
    std::vector<unsigned char> buf(sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD));
    auto* info = reinterpret_cast<BITMAPINFO*>(buf.data());
    info->bmiHeader.biWidth = 3;
    info->bmiHeader.biHeight = 2;
    info->bmiHeader.biBitCount = 8;
    info->bmiHeader.biClrUsed = 256;
    info->bmiColors[0] = RGBQUAD{0, 0, 0, 0};
    info->bmiColors[7] = RGBQUAD{30, 20, 10, 0}; // blue, green, red
    void* raw = nullptr;
    HBITMAP section = CreateDIBSection(nullptr, info, DIB_RGB_COLORS, &raw, nullptr, 0);
    ASSERT_NE(section, nullptr);
    auto* bits = static_cast<unsigned char*>(raw);
    bits[0] = 7;     // bottom-left
    bits[4 + 2] = 7; // top-right (rows padded to 4 bytes)
    CDC src;
    src.CreateCompatibleDC(nullptr);
    HGDIOBJ old = src.SelectObject(section);
    MemoryDc dst(3, 2, RGB(255, 255, 255));
    dst.dc.BitBlt(0, 0, 3, 2, &src, 0, 0, SRCCOPY);
    EXPECT_EQ(dst.dc.GetPixel(0, 1), RGB(10, 20, 30));
    EXPECT_EQ(dst.dc.GetPixel(2, 0), RGB(10, 20, 30));
    EXPECT_EQ(dst.dc.GetPixel(1, 0), RGB(0, 0, 0));
    // Bytes written after selection show at the next copy.
    bits[1] = 7;
    dst.dc.BitBlt(0, 0, 3, 2, &src, 0, 0, SRCCOPY);
    EXPECT_EQ(dst.dc.GetPixel(1, 1), RGB(10, 20, 30));
    src.SelectObject(old);
    DeleteObject(section);

    // One- and four-bit rows.
    info->bmiHeader.biBitCount = 1;
    info->bmiHeader.biClrUsed = 2;
    info->bmiColors[0] = RGBQUAD{0, 0, 255, 0};
    info->bmiColors[1] = RGBQUAD{0, 255, 0, 0};
    const unsigned char mono[] = {0x40, 0, 0, 0, 0x80, 0, 0, 0}; // bottom: .X. top: X..
    MemoryDc m(3, 2, 0);
    m.dc.SetDIBitsToDevice(0, 0, 3, 2, 0, 0, 0, 2, mono, info, DIB_RGB_COLORS);
    EXPECT_EQ(m.dc.GetPixel(1, 1), RGB(0, 255, 0));
    EXPECT_EQ(m.dc.GetPixel(0, 1), RGB(255, 0, 0));
    EXPECT_EQ(m.dc.GetPixel(0, 0), RGB(0, 255, 0));
    // A format the layer does not read draws nothing.
    info->bmiHeader.biCompression = 1;
    EXPECT_EQ(m.dc.StretchDIBits(0, 0, 3, 2, 0, 0, 3, 2, mono, info, DIB_RGB_COLORS, SRCCOPY), 0);
}

TEST(PlatformDcTest, TheOriginMovesDrawing) {
    MemoryDc m(20, 20, RGB(255, 255, 255));
    m.dc.FillSolidRect(0, 0, 10, 10, RGB(0, 0, 0));
    m.dc.SetViewportOrg(10, 10);
    m.dc.FillSolidRect(0, 0, 2, 2, RGB(0, 255, 0));
    EXPECT_EQ(m.dc.GetPixel(0, 0), RGB(0, 255, 0)); // logical coordinates
    m.dc.SetViewportOrg(0, 0);
    EXPECT_EQ(m.dc.GetPixel(10, 10), RGB(0, 255, 0));
    EXPECT_EQ(m.dc.GetPixel(9, 9), RGB(0, 0, 0));
}

TEST(PlatformDcTest, DisabledIconsAreEmbossedInHighlightAndShadow) {
    MemoryDc m(12, 12, RGB(192, 192, 192));
    CWindowDC screen(nullptr);
    CBitmap colour, mask;
    colour.CreateCompatibleBitmap(&screen, 8, 8);
    mask.CreateBitmap(8, 8, 1, 1, nullptr); // all 0: every pixel opaque
    ICONINFO ii;
    ii.hbmColor = colour;
    ii.hbmMask = mask;
    HICON icon = CreateIconIndirect(&ii);
    ASSERT_NE(icon, nullptr);
    ASSERT_TRUE(m.dc.DrawState(CPoint(0, 0), CSize(8, 8), icon, DST_ICON | DSS_DISABLED));
    EXPECT_EQ(m.dc.GetPixel(3, 3), RGB(128, 128, 128)); // the shape in shadow
    EXPECT_EQ(m.dc.GetPixel(8, 8), RGB(255, 255, 255)); // highlight one pixel down-right
    EXPECT_EQ(m.dc.GetPixel(10, 10), RGB(192, 192, 192));
    ASSERT_TRUE(m.dc.DrawState(CPoint(0, 0), CSize(8, 8), icon, DST_ICON | DSS_NORMAL));
    EXPECT_EQ(m.dc.GetPixel(3, 3), RGB(0, 0, 0));
    DestroyIcon(icon);
}

} // namespace
