#pragma once
// The one composition the library keeps: the live layer records and their undo copies, the
// pixel arrays used while composing, and where each picture library stands in its variants.

#include "zel/composition.h"

#include <string>

namespace zel::composition {

// Every pixel array of the composer has the system's working size.
constexpr int array_cols = 720;
constexpr int array_rows = 960;
// The composed picture: the lower-left part of the canvas array.
constexpr int canvas_cols = 600;
constexpr int canvas_rows = 800;

constexpr int body_libraries = 5;
constexpr int bkgd_libraries = 10;
constexpr int no_variant = -1;

// A 720 x 960 colour array owned through the image library's allocate and free pair.
class PixelArray {
public:
    PixelArray() : m_rows(ppm_allocarray(array_cols, array_rows)) {}
    ~PixelArray() { ppm_freearray(m_rows, array_rows); }
    PixelArray(const PixelArray&) = delete;
    PixelArray& operator=(const PixelArray&) = delete;

    _pixel** rows() const { return m_rows; }

private:
    _pixel** m_rows;
};

struct ComposerState {
    zeleditObject head, body, bkgd, result;
    zeleditObject headUndo, bodyUndo, bkgdUndo, resultUndo;
    PixelArray headPixels, bodyPixels, sparePixels, canvas;
    int bodyVariant[body_libraries];
    int bkgdVariant[bkgd_libraries];
    // The deciphered picture of the last probe, read again for its key colour.
    std::string probePath;
};

// The state, set up (arrays allocated, composition reset) on first use.
ComposerState& state();

// The live record of layer id 50, 51, 52 or 56; null for any other id.
zeleditObject* layer(int id);

// n as text of kind 1 ("7"), 2 ("07") or 3 ("007") into out (4 bytes). 0; -1 when n is
// negative (whatever the kind) or too large for the kind; -43 for an unknown kind.
int num_text(int n, int kind, char* out);

} // namespace zel::composition
