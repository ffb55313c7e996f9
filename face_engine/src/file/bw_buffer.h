#pragma once
// A bilevel picture held by a face-file reader until the whole file has been checked: one
// contiguous block of bytes (1 white, 0 ink) with the row table the engine's drawing
// operations take. Row 0 is the top of the face.

#include <vector>

namespace zel::engine {

class BwBuffer {
public:
    BwBuffer() = default;
    BwBuffer(int cols, int rows, unsigned char fill = 1) { reset(cols, rows, fill); }

    BwBuffer(const BwBuffer& other) { *this = other; }
    BwBuffer& operator=(const BwBuffer& other);
    BwBuffer(BwBuffer&&) = default;
    BwBuffer& operator=(BwBuffer&&) = default;

    void reset(int cols, int rows, unsigned char fill = 1);

    int cols() const { return m_cols; }
    int rows() const { return m_rows; }
    bool empty() const { return m_pixels.empty(); }
    unsigned char* pixels() { return m_pixels.data(); }
    const unsigned char* pixels() const { return m_pixels.data(); }
    unsigned char** row_table() { return m_rowTable.data(); }

    // Copies rows of `cols` x `rows` bytes from a row table into this image, with the rows in
    // reverse order when `flip` is set.
    void copy_from(unsigned char* const* source, int cols, int rows, bool flip);
    // Copies this image into a caller's row table, with the rows in reverse order when `flip`.
    void copy_to(unsigned char** target, bool flip) const;

private:
    void link_rows();

    int m_cols = 0;
    int m_rows = 0;
    std::vector<unsigned char> m_pixels;
    std::vector<unsigned char*> m_rowTable;
};

} // namespace zel::engine
