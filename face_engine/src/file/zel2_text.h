#pragma once
// The version-2 face-file text: the part model (_zel_face) with its expression state and the
// face-edge drawing. Readers fill a record the caller holds apart from the current face, so
// that a refused file changes nothing the editor sees.

#include "file/bw_buffer.h"
#include "file/text_fields.h"

#include <zel/face_engine.h>

#include <string>
#include <string_view>

namespace zel::engine {

// Appends the version-2 text of face; its face edge's bitmap is written as the bilevel block
// with the face's colSize x rowSize. -21 (nothing appended) when the face has no face-edge
// bitmap, a size outside the 720 x 960 canvas, or a name (a part's, or a backed-up one while
// the backup flag is set) of 20 characters or holding ':' or a line feed: such a text could
// never be read back as it was.
int face_text_zel2(const _zel_face& face, std::string& out);

// Line 2: the expression, the backup flag and, when it is set, the six backed-up names.
void zel_write_expression(std::string& out, const _zel_face& face);
// The two lines of one part entry.
void zel_write_part(std::string& out, const _zel_object& part);

// Reads a version-2 text into face (kept apart from the current face) and its face-edge
// drawing into edge. Fields the text does not carry keep the values face came with.
// 0; -21 a header field that used up its line; -11 a refused header (version not 2, second
// value not 0, size outside 1..720 x 1..960) or any refused section or block.
int face_parse_zel2_text(std::string_view text, _zel_face& face, BwBuffer& edge);

// Section readers. 0, -10 when the reader is already bad, -21 a field missing, out of its
// range, or (for a part) an identifier that is not its slot's.
int zel_read_expression(TextReader& reader, _zel_face& face);
int zel_read_part(TextReader& reader, _zel_object& part, int slot_id);

// 1 or 2 when the first value of the text's first line is 1 or 2, else 0.
int zel_probe_version_text(std::string_view text);
// The same for the file "<name>.zel" (0 when it cannot be read).
int zel_probe_version(const char* name);

} // namespace zel::engine
