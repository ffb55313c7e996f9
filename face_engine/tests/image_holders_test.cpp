// Colour, grey and bilevel image holders.

#include "test_templates.h"

namespace zel::engine::testing {
namespace {

TEST(ImageHolders, ColourCopyInFlippedReversesRowsAndLeavesSpareBytes) {
    _pixel** source = ppm_allocarray(2, 3);
    for (int r = 0; r < 3; ++r) {
        source[r][0] = _pixel{static_cast<unsigned char>(r), 0, 0, 50};
        source[r][1] = _pixel{static_cast<unsigned char>(r), 1, 2, 50};
    }
    ClrImage holder;
    holder.clrimage_init(2, 3, 255);
    holder.clrimage_alloc(2, 3);
    holder.pixels[0][0].spare = 7;
    ASSERT_EQ(holder.clrimage_copy_in_flipped(kClrKindHsv, source), kOk);
    EXPECT_EQ(holder.pixels[0][0].r, 2);
    EXPECT_EQ(holder.pixels[2][1].r, 0);
    EXPECT_EQ(holder.pixels[0][0].spare, 7);
    EXPECT_EQ(holder.kind, kClrKindHsv);
    EXPECT_EQ(holder.clrimage_is_loaded(), 1);

    // Kind is stored first even when the copy is refused.
    EXPECT_EQ(holder.clrimage_copy_in(kClrKindRgb, nullptr), kMissing);
    EXPECT_EQ(holder.kind, kClrKindRgb);
    // An extent past the allocated rows is refused.
    holder.clrimage_set_size(2, 4, 255);
    EXPECT_EQ(holder.clrimage_copy_in(kClrKindRgb, source), kMissing);
    holder.clrimage_free();
    holder.clrimage_free();
    EXPECT_EQ(holder.pixels, nullptr);

    // Rows the copy-in allocated itself are guarded the same way, and freed over the rows
    // they have, whatever size was set afterwards.
    ClrImage own;
    own.clrimage_init(2, 3, 255);
    ASSERT_EQ(own.clrimage_copy_in(kClrKindRgb, source), kOk);
    own.clrimage_set_size(2, 5, 255);
    EXPECT_EQ(own.clrimage_copy_in_flipped(kClrKindRgb, source), kMissing);
    own.clrimage_free();
    EXPECT_EQ(own.pixels, nullptr);
    ppm_freearray(source, 3);
}

TEST(ImageHolders, BilevelFlippedCopiesRoundTrip) {
    unsigned char** source = pbm_allocarray(2, 3);
    for (int r = 0; r < 3; ++r) {
        source[r][0] = static_cast<unsigned char>(r % 2);
        source[r][1] = static_cast<unsigned char>(r == 0);
    }
    BwImage holder;
    holder.bwimage_init(2, 3);
    ASSERT_EQ(holder.bwimage_copy_in(source), kOk);
    unsigned char** flipped = pbm_allocarray(2, 3);
    ASSERT_EQ(holder.bwimage_copy_flipped(flipped), kOk);
    EXPECT_EQ(flipped[2][1], 1);
    EXPECT_EQ(flipped[0][1], 0);

    BwImage second;
    second.bwimage_init(2, 3);
    ASSERT_EQ(second.bwimage_copy_in(flipped), kOk);
    unsigned char** back = pbm_allocarray(2, 3);
    ASSERT_EQ(second.bwimage_copy_flipped(back), kOk);
    EXPECT_EQ(as_art(back, 2, 3), as_art(source, 2, 3));
    EXPECT_EQ(second.bwimage_copy_out(nullptr), kOk);

    holder.bwimage_free();
    second.bwimage_free();
    pbm_freearray(source, 3);
    pbm_freearray(flipped, 3);
    pbm_freearray(back, 3);
}

TEST(ImageHolders, BilevelAllocationAndItsRefusals) {
    BwImage holder;
    holder.bwimage_init(0, 5);
    EXPECT_EQ(holder.bwimage_alloc(), kBadBlock);
    EXPECT_EQ(holder.pixels, nullptr);
    holder.bwimage_free(); // nothing to free

    holder.bwimage_init_alloc(4, 4, 1);
    unsigned char** rows = holder.pixels;
    EXPECT_EQ(holder.bwimage_alloc(), kOk);
    EXPECT_EQ(holder.pixels, rows);
    EXPECT_EQ(holder.bwimage_set_rows(nullptr), kBadBlock);
    EXPECT_EQ(holder.bwimage_is_loaded(), 0);

    // Growing the extent past the rows: copies in and out are refused, not overrun.
    holder.bwimage_set_size(5, 4);
    unsigned char** source = pbm_allocarray(5, 4);
    EXPECT_EQ(holder.bwimage_copy_in(source), kMissing);
    EXPECT_EQ(holder.bwimage_copy_out(source), kMissing);
    holder.bwimage_free();
    pbm_freearray(source, 4);
}

} // namespace
} // namespace zel::engine::testing
