// Saving face files: the plain text goes to the save work file, then is enciphered into the
// person's file through zel::replace_file, so a save that fails halfway never destroys the
// previous file and the file stays as the person had it (its mode, its group, its links).

#include "engine_codes.h"
#include "face_state.h"
#include "file/bw_buffer.h"
#include "file/face_file_io.h"
#include "file/work_files.h"
#include "file/zel1_text.h"
#include "file/zel2_text.h"
#include "file/zel_cipher.h"

#include <string>

namespace zel::engine {
namespace {

// A face the engine holds may carry what no face file can: a template name with ':' or of 20
// characters, a part identifier off its slot (both only through the record copy of a caller).
// Its text would be written and reported saved, yet never load; it is refused instead.
bool zel2_reads_back(const std::string& text) {
    _zel_face check{};
    face_record_init(&check);
    BwBuffer edge;
    return face_parse_zel2_text(text, check, edge) == kOk;
}

// The same for the face object: a face box outside the picture or measures out of range, as a
// generator might leave them.
bool zel1_reads_back(const std::string& text) {
    Zel1Content check;
    return face_parse_zel1_text(text, check) == kOk;
}

// Writes the plain text to the save work file and enciphers it into the face file at target.
int save_enciphered(const std::string& text, const std::string& target) {
    const std::string work = save_work_name();
    if (work.empty() || write_whole_file(zel_file_name(work), text) != kOk)
        return 0;
    return zel_encipher_replace(zel_file_name(work), target, face_object().faceobj_get_key()) == kOk
               ? 1
               : 0;
}

} // namespace
} // namespace zel::engine

int face_savezel2(char* name) {
    using namespace zel::engine;
    if (name == nullptr)
        return 0;
    const std::string target = face_file_path(name);
    take_off_ext(name);
    std::string text;
    text.reserve(1 << 16);
    if (face_text_zel2(current_face(), text) != kOk || !zel2_reads_back(text))
        return 0;
    return save_enciphered(text, target);
}

int SaveCartoonInZEL(unsigned char** bw, char* name) {
    using namespace zel::engine;
    FaceObject& object = face_object();
    const int cols = object.colSize;
    const int rows = object.rowSize;
    if (bw == nullptr || name == nullptr || cols < 1 || cols > kCanvasCols || rows < 1 ||
        rows > kCanvasRows)
        return 0;
    // The file stores the face edge alone: the reader draws the parts again from the measures.
    BwBuffer drawing;
    drawing.copy_from(bw, cols, rows, /*flip=*/true);
    if (face_build_rebuild(drawing.row_table(), cols, rows, object.sex, &object.box,
                           &object.measures) != kOk)
        return 0;
    object.face_set_bwimage(drawing.row_table());
    std::string text;
    text.reserve(1 << 16);
    if (face_text_zel1(object, text) != kOk || !zel1_reads_back(text))
        return 0;
    return save_enciphered(text, zel_file_name(name));
}
