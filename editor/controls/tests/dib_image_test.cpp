// The DIB image: block layout, palette operations, pixel addressing, drawing and saving.

#include "zel/controls/dib_image.h"

#include "controls_test_support.h"
#include "zel/common/work_folder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <vector>

using namespace zel::controls::test;

namespace {

std::vector<BYTE> palette_entry(const CDibImage& image, int index) {
    const BYTE* p = image.GetBits() - image.GetPaletteSize() + index * 4;
    return {p[0], p[1], p[2], p[3]};
}

} // namespace

TEST(DibImage, BlockHoldsHeaderPaletteAndRows) {
    CDibImage image;
    ASSERT_NE(image.Create(13, 5, 8), nullptr);
    EXPECT_EQ(image.GetLineWidth(), 16u); // rows are whole 4-byte words
    EXPECT_EQ(image.GetPaletteCount(), 256u);
    EXPECT_EQ(image.GetPaletteSize(), 1024u);
    EXPECT_EQ(image.GetSize(), 40u + 1024u + 16u * 5u);
    EXPECT_EQ(image.GetWidth(), 13);
    EXPECT_EQ(image.GetHeight(), 5);
    EXPECT_EQ(image.GetBitCount(), 8);

    CDibImage mono, colour;
    mono.Create(9, 2, 1);
    colour.Create(3, 3, 24);
    EXPECT_EQ(mono.GetPaletteCount(), 2u);
    EXPECT_EQ(mono.GetLineWidth(), 4u);
    EXPECT_EQ(colour.GetPaletteCount(), 0u);
    EXPECT_EQ(colour.GetLineWidth(), 12u);
}

TEST(DibImage, RefusesSizesWithoutPixelsOrBeyondReason) {
    CDibImage image;
    EXPECT_EQ(image.Create(0, 10, 8), nullptr);
    EXPECT_EQ(image.Create(10, -1, 8), nullptr);
    EXPECT_EQ(image.Create(1 << 20, 1 << 20, 32), nullptr);
    // Everything after a refused Create does nothing.
    image.SetPaletteIndex(0, 1, 2, 3);
    image.BlendPalette(RGB(1, 2, 3), 50);
    image.Clear(7);
    image.SetPixelIndex(0, 0, 1);
    EXPECT_EQ(image.GetBits(), nullptr);
    EXPECT_EQ(image.GetSize(), 0u);
    EXPECT_EQ(image.SaveBmp(zel::work_path("none.bmp").c_str()), 0);
}

TEST(DibImage, PaletteIndexOutsideThePaletteChangesNothing) {
    CDibImage mono;
    mono.Create(4, 4, 1);
    mono.Clear(0x5A);
    mono.SetPaletteIndex(0, 10, 20, 30);
    mono.SetPaletteIndex(1, 40, 50, 60);
    mono.SetPaletteIndex(2, 1, 1, 1); // would land on the first row
    EXPECT_EQ(palette_entry(mono, 0), (std::vector<BYTE>{30, 20, 10, 0}));
    EXPECT_EQ(palette_entry(mono, 1), (std::vector<BYTE>{60, 50, 40, 0}));
    for (DWORD i = 0; i < 4 * mono.GetLineWidth(); ++i) {
        EXPECT_EQ(mono.GetBits()[i], 0x5A);
    }
}

TEST(DibImage, BlendPaletteMovesEveryEntryAndCapsAtAHundredPercent) {
    CDibImage image;
    image.Create(2, 2, 8);
    for (int i = 0; i < 256; ++i) {
        image.SetPaletteIndex(BYTE(i), BYTE(i), BYTE(255 - i), 100);
    }
    image.BlendPalette(RGB(255, 255, 255), 10);
    // (255 * 10 + 40 * 90) / 100 = 61; (255 * 10 + 215 * 90) / 100 = 219; (2550 + 9000) / 100.
    EXPECT_EQ(palette_entry(image, 40), (std::vector<BYTE>{115, 219, 61, 0}));
    image.BlendPalette(RGB(7, 8, 9), 150);
    for (int i = 0; i < 256; ++i) {
        ASSERT_EQ(palette_entry(image, i), (std::vector<BYTE>{9, 8, 7, 0}));
    }
}

TEST(DibImage, PixelIndexCountsFromTheTopLineAndIgnoresOutsiders) {
    CDibImage image;
    image.Create(5, 3, 8);
    image.Clear(0);
    image.SetPixelIndex(0, 0, 11);
    image.SetPixelIndex(4, 2, 22);
    image.SetPixelIndex(5, 0, 99);
    image.SetPixelIndex(-1, 1, 99);
    image.SetPixelIndex(0, 3, 99);
    const BYTE* bits = image.GetBits();
    EXPECT_EQ(bits[2 * 8 + 0], 11); // first byte of the last stored row
    EXPECT_EQ(bits[0 * 8 + 4], 22);
    for (DWORD i = 0; i < 3 * 8; ++i) {
        EXPECT_NE(bits[i], 99) << i;
    }
}

TEST(DibImage, PixelIndexOnPicturesOfFewerBitsWritesNothing) {
    // A byte at column x of a 1-bit picture would land past its rows; nothing is written.
    CDibImage mono;
    mono.Create(64, 1, 1);
    mono.Clear(0);
    mono.SetPixelIndex(63, 0, 0xFF);
    for (DWORD i = 0; i < mono.GetLineWidth(); ++i) {
        EXPECT_EQ(mono.GetBits()[i], 0);
    }
}

TEST(DibImage, CloneCopiesTheWholeBlock) {
    CDibImage a, b;
    a.Create(6, 4, 8);
    a.SetGreyPalette();
    a.Clear(3);
    a.SetPixelIndex(2, 1, 200);
    b.Clone(a);
    ASSERT_EQ(b.GetSize(), a.GetSize());
    EXPECT_EQ(std::memcmp(b.GetBits() - b.GetPaletteSize() - 40,
                          a.GetBits() - a.GetPaletteSize() - 40, a.GetSize()),
              0);
    EXPECT_EQ(palette_entry(b, 0), (std::vector<BYTE>{0, 0, 0, 0}));
    EXPECT_EQ(palette_entry(b, 255), (std::vector<BYTE>{255, 255, 255, 0}));
    EXPECT_EQ(palette_entry(b, 77), (std::vector<BYTE>{77, 77, 77, 0}));
}

TEST(DibImage, DrawCopiesThePaletteColoursAndFollowsLaterChanges) {
    ensure_app();
    CDibImage image;
    image.Create(4, 2, 8);
    image.SetPaletteIndex(1, 200, 10, 10);
    image.SetPaletteIndex(2, 10, 10, 200);
    image.Clear(1);
    image.SetPixelIndex(3, 0, 2);
    HBITMAP target = make_bitmap(10, 10, [&](CDC& dc) {
        dc.FillSolidRect(0, 0, 10, 10, RGB(0, 255, 0));
        image.Draw(&dc, 2, 3);
    });
    EXPECT_EQ(pixel(target, 2, 3), RGB(200, 10, 10));
    EXPECT_EQ(pixel(target, 5, 3), RGB(10, 10, 200)); // (3, 0) is on the top line
    EXPECT_EQ(pixel(target, 5, 4), RGB(200, 10, 10));
    EXPECT_EQ(pixel(target, 1, 3), RGB(0, 255, 0));
    EXPECT_EQ(pixel(target, 6, 3), RGB(0, 255, 0));
    // The cached section takes the pixels of each draw anew.
    image.Clear(2);
    HBITMAP again = make_bitmap(4, 2, [&](CDC& dc) { image.Draw(&dc, 0, 0); });
    EXPECT_EQ(pixel(again, 0, 1), RGB(10, 10, 200));
    ::DeleteObject(target);
    ::DeleteObject(again);
}

TEST(DibImage, SaveBmpWritesFileHeaderAndBlock) {
    CDibImage image;
    image.Create(3, 2, 8);
    image.SetGreyPalette();
    image.Clear(9);
    const std::string path = zel::work_path("dib.bmp");
    ASSERT_EQ(image.SaveBmp(path.c_str()), 1);
    std::FILE* f = std::fopen(path.c_str(), "rb");
    ASSERT_NE(f, nullptr);
    std::vector<BYTE> bytes(4096);
    bytes.resize(std::fread(bytes.data(), 1, bytes.size(), f));
    std::fclose(f);
    ASSERT_EQ(bytes.size(), 14u + image.GetSize());
    EXPECT_EQ(bytes[0], 'B');
    EXPECT_EQ(bytes[1], 'M');
    auto u32 = [&](int at) {
        return DWORD(bytes[at]) | DWORD(bytes[at + 1]) << 8 | DWORD(bytes[at + 2]) << 16 |
               DWORD(bytes[at + 3]) << 24;
    };
    EXPECT_EQ(u32(2), 14u + image.GetSize());
    EXPECT_EQ(u32(6), 0u);
    EXPECT_EQ(u32(10), 14u + 40u + 1024u);
    EXPECT_EQ(u32(14), 40u);
    EXPECT_EQ(bytes.back(), 9);
    EXPECT_EQ(image.SaveBmp(""), 0);
    EXPECT_EQ(image.SaveBmp(zel::work_path("missing/folder/x.bmp").c_str()), 0);
}
