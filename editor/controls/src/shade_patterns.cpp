// The relief patterns of the shade button's picture. The arithmetic is integer throughout, as
// the relief must come out the same everywhere; divisions by a size or a band width that can be
// 0 on tiny buttons are guarded.

#include "zel/controls/shade_button.h"

#include <algorithm>
#include <cstdint>

namespace zel::controls {

namespace {

int cube_scaled(int c) {
    return c * c * c / 128 / 128;
}

class PatternFill {
public:
    PatternFill(CDibImage& picture, int granularity)
        : m_picture(picture), m_w(picture.GetWidth()), m_h(picture.GetHeight()), m_g(granularity),
          m_s(zel::platform::kRandMax / std::max(2 * granularity, 1)) {}

    // Noise of -g..+g.
    int noise() const { return zel::platform::rand() / m_s - m_g; }

    template <class Value> void each(Value value) {
        BYTE* bits = m_picture.GetBits();
        for (int r = 0; r < m_h; ++r) {
            BYTE* row = bits + std::size_t(r) * m_picture.GetLineWidth();
            for (int x = 0; x < m_w; ++x) {
                row[x] = BYTE(value(r, x, int(row[x])));
            }
        }
    }

    void flat() {
        each([&](int, int, int) { return 128 + noise(); });
    }
    void diagonal_ramp() {
        const int half = (255 - 2 * m_g) / 2;
        each([&](int r, int x, int) {
            return (half * r) / m_h + (half * (m_w - x)) / m_w + m_g + noise();
        });
    }
    void vertical_ramp() {
        const int l = 255 - 2 * m_g;
        each([&](int r, int, int) { return m_g + (l * r) / m_h + noise(); });
    }
    void horizontal_ramp() {
        const int l = 255 - 2 * m_g;
        each([&](int, int x, int) { return m_g + (l * (m_w - x)) / m_w + noise(); });
    }
    int d_of(int r) const { return (255 * r) / m_h - 127; }
    int e_of(int x) const { return (255 * (m_w - x)) / m_w - 127; }
    void horizontal_bump() {
        each([&](int r, int, int) {
            return (cube_scaled(d_of(r)) * (128 - m_g)) / 128 + 128 + noise();
        });
    }
    void vertical_bump() {
        each([&](int, int x, int) {
            return (cube_scaled(e_of(x)) * (128 - m_g)) / 128 + 128 + noise();
        });
    }
    void soft_bump() {
        each([&](int r, int x, int) {
            int v = ((cube_scaled(d_of(r)) + cube_scaled(e_of(x))) * (128 - m_g)) / 128 + 128;
            v = std::max(v, m_g);
            v = std::min(v, 255 - m_g);
            return v + noise();
        });
    }
    void hard_bump() {
        each([&](int r, int, int) {
            return (cube_scaled(d_of(r)) * (64 - m_g) * 2) / 128 + 128 + noise();
        });
        const int c = std::min(m_w / 6, 16);
        // The squares of a row count pass an int from about 23,000 rows on.
        const std::int64_t q = std::int64_t(m_h) * m_h / 4;
        const int h = m_h / 2;
        // Bands need a width to fall off over and at least two rows to narrow along.
        const bool bands = c > 0 && q > 0;
        each([&](int r, int x, int v) {
            if (bands) {
                const std::int64_t dr = r - h;
                const std::int64_t gate = (c * dr * dr) / q - c + m_w / 2;
                const int xc = x - m_w / 2;
                if (xc > gate) {
                    v = m_g + (128 * (m_w - x)) / c;
                }
                if (gate + xc < 0) {
                    v = (255 - m_g) - (128 * x) / c;
                }
            }
            return v + noise();
        });
    }
    void brushed() {
        m_picture.Clear(0);
        // A divisor of 0 (pictures wider or taller than the generator's range) would fault.
        auto step = [](int extent) { return std::max(zel::platform::kRandMax / extent, 1); };
        for (int n = 0; n < 200; ++n) {
            const int x0 = zel::platform::rand() / step(m_w);
            const int y0 = zel::platform::rand() / step(m_h);
            const int k = zel::platform::rand() / step(std::min(m_w, m_h)) / 2;
            const BYTE value = BYTE(zel::platform::rand() / 819);
            for (int i = 0; i < k; ++i) {
                if (x0 - i > 0 && y0 + i < m_h) {
                    m_picture.SetPixelIndex(x0 - i, y0 + i, value);
                }
                if (x0 + i < m_w && y0 - i > 0) {
                    m_picture.SetPixelIndex(m_w - x0 + i, y0 - i, value);
                }
            }
        }
        const int d = (215 - 2 * m_g) / 2;
        each([&](int r, int x, int v) {
            return v + (d * r) / m_h + (d * (m_w - x)) / m_w + zel::platform::rand() / m_s;
        });
    }

private:
    CDibImage& m_picture;
    int m_w;
    int m_h;
    int m_g;
    int m_s;
};

} // namespace

void fill_shade_pattern(CDibImage& picture, UINT pattern, int granularity) {
    if (picture.GetBits() == nullptr || picture.GetBitCount() != 8 || picture.GetWidth() <= 0 ||
        picture.GetHeight() <= 0) {
        return;
    }
    PatternFill fill(picture, granularity);
    switch (pattern) {
    case CShadeButton::kDiagonalRamp:
        fill.diagonal_ramp();
        break;
    case CShadeButton::kVerticalRamp:
        fill.vertical_ramp();
        break;
    case CShadeButton::kHorizontalRamp:
        fill.horizontal_ramp();
        break;
    case CShadeButton::kHorizontalBump:
        fill.horizontal_bump();
        break;
    case CShadeButton::kVerticalBump:
        fill.vertical_bump();
        break;
    case CShadeButton::kSoftBump:
        fill.soft_bump();
        break;
    case CShadeButton::kHardBump:
        fill.hard_bump();
        break;
    case CShadeButton::kBrushed:
        fill.brushed();
        break;
    default:
        fill.flat();
        break;
    }
}

} // namespace zel::controls
