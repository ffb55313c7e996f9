// Composing the layers into one 600 x 800 picture.

#include "composer_state.h"
#include "work_paths.h"

using namespace zel::composition;

namespace {

_pixel key_of(const zeleditObject& record) {
    return _pixel{record.bgClr[0], record.bgClr[1], record.bgClr[2], 0};
}

// The target size must fit the composer's arrays: a record with a larger one is refused
// rather than read past them.
bool target_fits(const zeleditObject& record) {
    return record.tCol > 0 && record.tCol <= array_cols && record.tRow > 0 &&
           record.tRow <= array_rows;
}

// Reads the picture at path into pixels at the layer's target size and angle and pastes it
// onto the canvas by the layer's key colour at its offsets.
bool paste_layer(const zeleditObject& record, const char* path, _pixel** pixels) {
    ComposerState& s = state();
    return target_fits(record) &&
           fget_set_pixels(pixels, path, record.tCol, record.tRow, record.nAngle) == 1 &&
           imageCompose(s.canvas.rows(), canvas_cols, canvas_rows, pixels, record.tCol, record.tRow,
                        key_of(record), record.colOffset, record.rowOffset) == 1;
}

} // namespace

int zel2_compose_save(int flagBkgd, int flagBody, const char* out) {
    ComposerState& s = state();
    if (out == nullptr)
        return 0;
    if (set_imgcolor(s.canvas.rows(), canvas_cols, canvas_rows, key_of(s.bkgd)) != 1)
        return 0;

    // A background that cannot be read leaves the plain key colour: not a failure.
    if (flagBkgd && s.bkgd.IsLoaded) {
        const std::string picture = decipher_layer(s.bkgd, "zif_bkgd");
        if (!picture.empty())
            fget_set_pixels(s.canvas.rows(), picture.c_str(), canvas_cols, canvas_rows, 0);
    }

    if (flagBody) {
        const std::string picture = decipher_layer(s.body, "zif_body");
        if (picture.empty() || !paste_layer(s.body, picture.c_str(), s.bodyPixels.rows()))
            return 0;
    }

    // The head is the editor's own plain picture, pasted last so that it lies on top.
    if (s.head.csPath[0] == '\0' || !paste_layer(s.head, s.head.csPath, s.headPixels.rows()))
        return 0;

    return save_pixels(s.canvas.rows(), canvas_cols, canvas_rows, out, "bmp");
}
