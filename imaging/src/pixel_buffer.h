#pragma once
// A pixel array owned by the library for the length of one call: one block of pixels with
// the row table the exports expect (row 0 at the bottom).

#include "zel/imaging.h"

#include <cstddef>
#include <vector>

namespace zel::imaging {

class PixelBuffer {
public:
    // Throws std::bad_alloc when the pixels cannot be allocated.
    PixelBuffer(int cols, int rows)
        : m_pixels(static_cast<std::size_t>(cols) * static_cast<std::size_t>(rows)),
          m_rows(static_cast<std::size_t>(rows)) {
        for (int r = 0; r < rows; ++r)
            m_rows[static_cast<std::size_t>(r)] =
                m_pixels.data() + static_cast<std::size_t>(r) * cols;
    }

    _pixel** rows() { return m_rows.data(); }

private:
    std::vector<_pixel> m_pixels;
    std::vector<_pixel*> m_rows;
};

} // namespace zel::imaging
