#pragma once
// The sizes a picture is delivered at, worked out from its stored size alone, so that a
// picture read already reduced ends at exactly the size the full picture would have.

namespace zel::imaging {

struct PictureSize {
    int cols = 0;
    int rows = 0;
};

// What Magick's zoom to the geometry "<cols>x<rows>" (aspect kept) makes of a picture of the
// stored size: scaled to fit, so one side may come out a pixel short of the box.
PictureSize zoomed_size(PictureSize stored, int cols, int rows);

// The size a picture of the stored size is shrunk to so that it fits maxCols x maxRows: the
// box is cut to the picture's aspect (width first, then height) and zoomed to; a picture that
// fits keeps its size. A picture far thinner than the box still gets one line.
PictureSize fitted_size(PictureSize stored, int maxCols, int maxRows);

} // namespace zel::imaging
