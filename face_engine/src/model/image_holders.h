#pragma once
// Image holders: a pixel array of the image library paired with its size. A holder owns its
// rows and frees them only when asked (its owner frees it explicitly); copying a holder copies
// the row pointer. Rows keep whatever order they were copied in.
//
// Results: 0 success, -2 out of memory, -10 no file name, -20 missing size or pointer,
// -21 missing size, source or rows, or an unreadable picture.

#include <zel/face_engine.h>

#include <cstdint>

namespace zel::engine {

// Content kinds of a colour holder.
inline constexpr int kClrKindRgb = 1;
inline constexpr int kClrKindHsv = 2;

class ClrImage {
public:
    std::int32_t cols = 0;
    std::int32_t rows = 0;
    // Extent of the rows the holder allocated itself (clrimage_alloc, or a copy-in or read
    // that had to allocate), else 0. The free uses it, and copies refuse an extent past it, so
    // a size changed after the allocation never frees or writes rows that are not there.
    std::int32_t alloc_cols = 0;
    std::int32_t alloc_rows = 0;
    std::uint8_t maxval = 0;
    std::int32_t kind = 0;
    std::int32_t loaded = 0;
    _pixel** pixels = nullptr;

    void clrimage_clear();
    void clrimage_init(int c, int r, int maxv);
    void clrimage_set_size(int c, int r, int maxv);
    _pixel** clrimage_alloc(int c, int r);
    void clrimage_free();
    int clrimage_copy_in(int k, _pixel** source);
    // Row i takes source row rows - 1 - i.
    int clrimage_copy_in_flipped(int k, _pixel** source);
    int clrimage_read(int k, const char* name);
    int clrimage_write(const char* name);
    int clrimage_is_loaded() const { return loaded != 0 && pixels != nullptr ? 1 : 0; }

private:
    int copy_in(int k, _pixel** source, bool flipped);
};

class GreyImage {
public:
    unsigned char** pixels = nullptr;
    std::int32_t cols = 0;
    std::int32_t rows = 0;
    std::uint8_t maxval = 0;
    std::int32_t loaded = 0;

    void greyimage_clear();
    void greyimage_init(int c, int r, int maxv);
    void greyimage_free();
    int greyimage_copy_in(unsigned char** source);
    int greyimage_read(const char* name);
    int greyimage_write(const char* name);
    int greyimage_is_loaded() const { return loaded != 0 && pixels != nullptr ? 1 : 0; }
};

class BwImage {
public:
    unsigned char** pixels = nullptr;
    std::int32_t cols = 0;
    std::int32_t rows = 0;
    std::int32_t loaded = 0;

    void bwimage_clear();
    void bwimage_init(int c, int r);
    void bwimage_init_alloc(int c, int r, int allocate);
    int bwimage_set_size(int c, int r);
    int bwimage_set_rows(unsigned char** rowsPointer);
    int bwimage_alloc();
    void bwimage_free();
    int bwimage_copy_in(unsigned char** source);
    // With a null target only the allocation of a cols x rows array is tried (and released):
    // -2 when it fails, else 0.
    int bwimage_copy_out(unsigned char** target) const;
    // Target row i takes holder row rows - 1 - i.
    int bwimage_copy_flipped(unsigned char** target) const;
    int bwimage_read(const char* name);
    int bwimage_is_loaded() const { return loaded != 0 && pixels != nullptr ? 1 : 0; }

    // True when the rows hold at least cols x rows bytes: the holder was allocated by itself
    // at its present extent or larger. Copies refuse extents past the allocation.
    bool covers_extent() const {
        return pixels != nullptr && cols <= alloc_cols && rows <= alloc_rows;
    }

    std::int32_t alloc_cols = 0; // extent of rows the holder allocated or was given
    std::int32_t alloc_rows = 0;

private:
    int copy_out(unsigned char** target, bool flipped) const;
};

// The face-edge holder: a record laid out as a part record of which only bmCols, bmRows and
// bitmap are used. bwimage_alloc_rows sets the extent and allocates bitmap (the caller tests
// bitmap); bwimage_free_rows frees it over bmRows rows.
void bwimage_alloc_rows(_zel_object& holder, int cols, int rows);
void bwimage_free_rows(_zel_object& holder);

} // namespace zel::engine
