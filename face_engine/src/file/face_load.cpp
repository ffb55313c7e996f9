// Loading face files: the load driver (decipher with the default key, else the fallback key,
// or copy a plain file; probe the version) and the load exports.

#include "engine_codes.h"
#include "face_state.h"
#include "file/face_commit.h"
#include "file/face_file_io.h"
#include "file/face_file_limits.h"
#include "file/work_files.h"
#include "file/zel1_text.h"
#include "file/zel2_text.h"
#include "file/zel_cipher.h"

#include <cstring>
#include <string>

namespace zel::engine {
namespace {

void put_key(char* slot, const char* key) {
    std::memcpy(slot, key, sizeof kDefaultFaceKey);
}

// Deciphers (or copies) the face file that name stands for into the load work file and reads
// its plain text; name loses its extension, as the callers' strings always have. The key slot
// holds the default key before and after. 1 or 2 (the version), or 0 when the file cannot be
// read, is no regular file, is too large, or decodes to neither version under either key.
int face_load_zel(char* name, const std::string& temp, std::string& text) {
    const std::string source = face_file_path(name);
    take_off_ext(name);
    // A device or a pipe has no end the copy into the work file would stop at, and a pipe
    // gives its first byte to the version probe and never again.
    const long long size = file_size(source);
    if (size < 0 || size > static_cast<long long>(kMaxFaceFileBytes))
        return 0;
    const int enciphered = zel_is_enciphered(source);
    if (enciphered < 0)
        return 0;
    const std::string plain = zel_file_name(temp);
    char* key = face_object().faceobj_get_key();
    int version = 0;
    if (enciphered == 1) {
        if (zel_cipher_copy(source, plain, key) == kOk)
            version = zel_probe_version(temp.c_str());
        if (version == 0) {
            put_key(key, kFallbackFaceKey);
            if (zel_cipher_copy(source, plain, key) == kOk)
                version = zel_probe_version(temp.c_str());
            put_key(key, kDefaultFaceKey);
        }
    } else if (zel_copy_plain(plain, source) == kOk) {
        version = zel_probe_version(temp.c_str());
    }
    if (version == 0 || read_face_file(plain, text) != kOk)
        return 0;
    return version;
}

int load_zel2_text(const std::string& text, unsigned char** bw, int* w, int* h) {
    _zel_face parsed{};
    face_record_init(&parsed);
    BwBuffer edge;
    if (face_parse_zel2_text(text, parsed, edge) != kOk)
        return 0;
    const CurrentFaceBackup previous;
    if (commit_zel2(parsed, edge) != kOk)
        return 0;
    int cols = 0;
    int rows = 0;
    if (face_compose_bw(bw, &cols, &rows) != 1) {
        previous.restore();
        return 0;
    }
    if (w != nullptr)
        *w = cols;
    if (h != nullptr)
        *h = rows;
    return 1;
}

int load_zel1_text(const std::string& text, unsigned char** bw, int* w, int* h) {
    // A header word the file lacks keeps the face object's, as the first-use set-up left it
    // on a first load.
    if (face_alloc_clrimage() != 1)
        return 0;
    Zel1Content content;
    content.header = zel1_header_of(face_object());
    if (face_parse_zel1_text(text, content) != kOk || commit_zel1(content) != kOk)
        return 0;
    const FaceObject& object = face_object();
    if (w != nullptr)
        *w = object.colSize;
    if (h != nullptr)
        *h = object.rowSize;
    return object.drawing.bwimage_copy_flipped(bw) == kOk ? 1 : 0;
}

} // namespace
} // namespace zel::engine

int face_loadzel2(char* name, unsigned char** bw, _pixel** clr, int* w, int* h) {
    using namespace zel::engine;
    if (name == nullptr || bw == nullptr || clr == nullptr)
        return 0;
    const std::string temp = load_work_name();
    if (temp.empty())
        return 0;
    std::string text;
    const int version = face_load_zel(name, temp, text);
    const int loaded = version == 1   ? load_zel1_text(text, bw, w, h)
                       : version == 2 ? load_zel2_text(text, bw, w, h)
                                      : 0;
    // A failed load leaves the plain text in the work file for a look at what was refused.
    if (loaded == 0)
        return 0;
    write_whole_file(zel_file_name(temp), " ");
    int cols = 0;
    int rows = 0;
    return get_clrface(clr, w != nullptr ? w : &cols, h != nullptr ? h : &rows);
}

int face_loadzel2a(char* name, unsigned char** bw, _pixel** clr, int* w, int* h, int* kind) {
    const int result = face_loadzel2(name, bw, clr, w, h);
    if (kind != nullptr)
        *kind = zel::engine::current_face().nSex;
    return result;
}

int face_readzel2(char* name, char* second) {
    using namespace zel::engine;
    if (name == nullptr || second == nullptr)
        return 0;
    if (face_alloc_clrimage() != 1)
        return 0;
    unsigned char** scratch = pbm_allocarray(kCanvasCols, kCanvasRows);
    _pixel** colour = ppm_allocarray(kCanvasCols, kCanvasRows);
    int result = 0;
    if (scratch != nullptr && colour != nullptr) {
        int cols = 0;
        int rows = 0;
        result = face_loadzel2(name, scratch, colour, &cols, &rows);
        // The canvas takes the colour face as it was handed out, bottom row first.
        if (result == 1)
            pix_array_copy(current_face().clrImage, colour, cols, rows);
    }
    pbm_freearray(scratch, kCanvasRows);
    ppm_freearray(colour, kCanvasRows);
    return result;
}

int GetZELCartoon(char* name, unsigned char** bw, int* w, int* h) {
    using namespace zel::engine;
    if (name == nullptr || bw == nullptr)
        return 0;
    // As for face_loadzel2: a pipe would hold the open until a writer came.
    const std::string path = zel_file_name(name);
    if (file_size(path) < 0)
        return 0;
    std::string text;
    if (read_face_file(path, text) != kOk)
        return 0;
    return load_zel1_text(text, bw, w, h);
}
