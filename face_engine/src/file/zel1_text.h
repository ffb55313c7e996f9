#pragma once
// The version-1 face-file text: the face object (picture size, template set, face box,
// landmarks, measures and the drawing of the face edge). Readers fill a Zel1Content the caller
// holds apart from the face object, so that a refused file changes nothing.

#include "file/bw_buffer.h"
#include "file/text_fields.h"

#include <zel/face_engine.h>

#include <cstdint>
#include <string>
#include <string_view>

namespace zel::engine {

class FaceObject;

// The header words of a version-1 text.
struct Zel1Header {
    std::int32_t version = 0;
    std::int32_t Reserved = 0;
    std::int32_t Encyption = 0;
    std::int32_t sex = 0;
    std::int32_t colSize = 0;
    std::int32_t rowSize = 0;
};

// Everything a version-1 text carries.
struct Zel1Content {
    Zel1Header header;
    FaceBox box;
    FaceLandmarks landmarks;
    FaceMeasures measures;
    BwBuffer drawing;
};

// Appends the version-1 text: header, "1:" and the outline, the positions, "3:" and the
// measures, then the drawing of cols x rows as the bilevel block. -21 (nothing appended) when
// there is no drawing or its size is not the header's: such a text could never be read back.
int face_text_zel1(const Zel1Header& header, const FaceBox& box, const FaceLandmarks& marks,
                   const FaceMeasures& measures, unsigned char* const* drawing, int cols, int rows,
                   std::string& out);

// The header words of the face object.
Zel1Header zel1_header_of(const FaceObject& object);

// face_text_zel1 of the face object, its drawing included.
int face_text_zel1(const FaceObject& object, std::string& out);

// Reads a version-1 text. A header word that its line lacks keeps the value content.header
// came with (the loader starts from the face object's words). 0; -11 for a refused header
// (version not 1, Reserved not 0, size outside 1..720 x 1..960), a section or block that
// failed, a face box outside the picture or not matching its own sides, or a drawing whose
// size is not the header's.
int face_parse_zel1_text(std::string_view text, Zel1Content& content);

} // namespace zel::engine
