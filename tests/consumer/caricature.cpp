// What the README shows of using the libraries, between the marks below (a test of the
// project's build checks that the README quotes it as it stands here).
#include "caricature.h"

// [readme-example begin]
#include <zel/face_engine.h>
#include <zel/imaging.h>

#include <string>

// Reads a portrait (BMP, JPEG, PSD or TGA, shrunk to at most 720 x 960) and makes its
// caricature the face engine's current face, with the man's part templates. The marks are what
// a user picks on the photo: the skin and background colours, the chin and the top of the head
// (x from the left, y from the top).
bool make_caricature(const char* photoFile, _pixel skin, _pixel background, vyPointTag chin,
                     vyPointTag headTop) {
    const int maxCols = 720, maxRows = 960;
    _pixel** photo = ppm_allocarray(maxCols, maxRows);
    int cols = 0, rows = 0;
    bool made = false;
    if (photo != nullptr && fget_pixels(photo, &cols, &rows, photoFile, maxCols, maxRows) == 1) {
        std::string name = photoFile;
        vyPointSetTag points{}; // none placed: the engine finds eyes, nose and mouth itself
        made = GetCartoon(1, name.data(), photo, cols, rows, skin, background, chin, headTop,
                          points, nullptr) == 1;
    }
    ppm_freearray(photo, maxRows);
    return made;
}
// [readme-example end]
