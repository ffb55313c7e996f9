#pragma once
// A contact sheet of generated caricatures: per portrait the photo, the line drawing and the
// coloured caricature side by side, several portraits to a row.

#include <zel/imaging.h>

#include <string>
#include <vector>

namespace zelgen {

// One portrait's three pictures, each cols x rows, row 0 at the top.
struct SheetEntry {
    int cols = 0;
    int rows = 0;
    std::vector<_pixel> photo;
    std::vector<unsigned char> drawing; // 1 white, 0 ink
    std::vector<_pixel> caricature;
};

// Writes the entries as a PNG picture (a palette of 256 colours), perRow portraits to a row,
// each picture shrunk to cell pixels high. Throws on a write failure.
void write_contact_sheet(const std::string& path, const std::vector<SheetEntry>& entries,
                         int perRow, int cell);

} // namespace zelgen
