#pragma once
// Picture arrays of the document's working size that a load reads into apart from the
// document's own, so that only a file read whole replaces what the document shows.

#include "tessel_doc.h"

#include <zel/imaging.h>

#include <memory>
#include <utility>

namespace zel::editor {

struct ColourRowsFree {
    void operator()(_pixel** rows) const { ppm_freearray(rows, CTesselDoc::kMaxRows); }
};
struct BilevelRowsFree {
    void operator()(unsigned char** rows) const { pbm_freearray(rows, CTesselDoc::kMaxRows); }
};
// Empty when memory runs out.
using ColourRows = std::unique_ptr<_pixel*, ColourRowsFree>;
using BilevelRows = std::unique_ptr<unsigned char*, BilevelRowsFree>;

inline ColourRows colour_rows() {
    return ColourRows(ppm_allocarray(CTesselDoc::kMaxCols, CTesselDoc::kMaxRows));
}
inline BilevelRows bilevel_rows() {
    return BilevelRows(pbm_allocarray(CTesselDoc::kMaxCols, CTesselDoc::kMaxRows));
}

// The document's array takes the rows read; `read` takes the document's old rows and frees
// them. Arrays of the same size change hands: nothing is copied.
template <class Row, class Free>
void take_rows(Row**& documentRows, std::unique_ptr<Row*, Free>& read) {
    Row** previous = documentRows;
    documentRows = read.release();
    read.reset(previous);
}

} // namespace zel::editor
