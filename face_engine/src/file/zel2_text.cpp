#include "file/zel2_text.h"

#include "engine_codes.h"
#include "file/bw_block.h"
#include "file/face_file_io.h"

#include <cmath>
#include <cstdio>
#include <cstring>

namespace zel::engine {
namespace {

// Identifier each slot must carry.
constexpr int kSlotIds[kZelFaceParts] = {4, 5, 2, 3, 6, 7, 0, 1, 20};

// A name the reader takes back as it was: at most 19 characters, no ':' and no line feed. (A
// CR inside a name reads back unchanged: only one that ends a line is taken for a line end,
// and a name is always followed by its ':'.)
bool name_writable(const char (&name)[20]) {
    const std::size_t length = strnlen(name, sizeof name);
    return length < sizeof name &&
           std::string_view(name, length).find_first_of(":\n") == std::string_view::npos;
}

bool names_writable(const _zel_face& face) {
    for (const _zel_object& part : face.parts) {
        if (!name_writable(part.name))
            return false;
    }
    if (face.bBackedUp != 0) {
        for (const auto& name : face.backupNames) {
            if (!name_writable(name))
                return false;
        }
    }
    return true;
}

// Reads one integer that must be followed by further fields on the line.
bool take_int(std::string_view line, std::size_t& pos, int& value) {
    return text_field_int(line, pos, value) == kFieldMore;
}

} // namespace

void zel_write_expression(std::string& out, const _zel_face& face) {
    text_put_int(out, face.nExpression);
    text_put_int(out, face.bBackedUp);
    if (face.bBackedUp != 0) {
        for (const auto& name : face.backupNames)
            text_put_str(out, std::string_view(name, strnlen(name, sizeof name)));
    }
    out += '\n';
}

void zel_write_part(std::string& out, const _zel_object& part) {
    text_put_str(out, std::string_view(part.name, strnlen(part.name, sizeof part.name)));
    text_put_double(out, part.Scale);
    out += '\n';
    for (const int value :
         {part.nOid, part.IsLoaded, part.lx, part.ly, part.aux1, part.aux2, part.aux3, part.Display,
          part.Gender, part.aux4, part.bmCols, part.bmRows})
        text_put_int(out, value);
    for (const unsigned char byte : {part.color.r, part.color.g, part.color.b, part.color.spare})
        text_put_int(out, byte);
    out += '\n';
}

int face_text_zel2(const _zel_face& face, std::string& out) {
    const _zel_object& edge = face.parts[kSlotFaceEdge];
    if (edge.bitmap == nullptr || face.colSize < 1 || face.colSize > kCanvasCols ||
        face.rowSize < 1 || face.rowSize > kCanvasRows || !names_writable(face))
        return kMissing;
    out += "2:0:0:";
    text_put_int(out, face.nSex);
    text_put_int(out, face.colSize);
    text_put_int(out, face.rowSize);
    out += '\n';
    zel_write_expression(out, face);
    for (const _zel_object& part : face.parts)
        zel_write_part(out, part);
    return zel_write_bwblock(out, edge.bitmap, face.colSize, face.rowSize);
}

int zel_read_expression(TextReader& reader, _zel_face& face) {
    if (!reader.good())
        return kFileError;
    std::string_view line;
    text_read_line(reader, line);
    std::size_t pos = 0;
    int expression = 0;
    if (!take_int(line, pos, expression))
        return kMissing;
    face.nExpression = expression;
    int backed_up = 0;
    if (text_field_int(line, pos, backed_up) == kFieldBad)
        return kMissing;
    face.bBackedUp = backed_up != 0 ? 1 : 0;
    if (face.bBackedUp != 0) {
        for (auto& name : face.backupNames) {
            if (text_field_str(line, pos, name, sizeof name) == kFieldBad)
                return kMissing;
        }
    }
    return kOk;
}

int zel_read_part(TextReader& reader, _zel_object& part, int slot_id) {
    if (!reader.good())
        return kFileError;
    std::string_view line;
    text_read_line(reader, line);
    std::size_t pos = 0;
    if (text_field_str(line, pos, part.name, sizeof part.name) != kFieldMore)
        return kMissing;
    double scale = 0.0;
    if (text_field_double(line, pos, scale) == kFieldBad)
        return kMissing;
    // Checked before anything converts it: a scale is a positive, finite magnification. There is
    // no upper bound: the scale steps of the editor have none, and the renderer clips a part
    // of any size, so every face the engine holds must read back.
    if (!std::isfinite(scale) || scale <= 0.0)
        return kMissing;
    part.Scale = scale;

    text_read_line(reader, line);
    pos = 0;
    int words[15] = {};
    for (int& word : words) {
        if (!take_int(line, pos, word))
            return kMissing;
    }
    int spare = 0;
    if (text_field_int(line, pos, spare) == kFieldBad)
        return kMissing;
    const auto [oid, loaded, lx, ly, aux1, aux2, aux3, display, gender, aux4, bmCols, bmRows, r, g,
                b] = words;
    // Any anchor is kept: the move steps of the editor hold it in the int range, and the
    // renderer clips a part placed far off the canvas.
    if (oid != slot_id || bmCols < 0 || bmCols > kCanvasCols || bmRows < 0 || bmRows > kCanvasRows)
        return kMissing;
    part.nOid = oid;
    part.IsLoaded = loaded != 0 ? 1 : 0;
    part.lx = lx;
    part.ly = ly;
    part.aux1 = aux1;
    part.aux2 = aux2;
    part.aux3 = aux3 != 0 ? 1 : 0;
    part.Display = display != 0 ? 1 : 0;
    part.Gender = gender;
    part.aux4 = aux4;
    part.bmCols = bmCols;
    part.bmRows = bmRows;
    part.color.r = static_cast<unsigned char>(r & 0xff);
    part.color.g = static_cast<unsigned char>(g & 0xff);
    part.color.b = static_cast<unsigned char>(b & 0xff);
    part.color.spare = static_cast<unsigned char>(spare & 0xff);
    return kOk;
}

int face_parse_zel2_text(std::string_view text, _zel_face& face, BwBuffer& edge) {
    TextReader reader(text);
    std::string_view line;
    text_read_line(reader, line);
    std::size_t pos = 0;
    int version = 0;
    int second = 0;
    int third = 0;
    int sex = 0;
    int cols = 0;
    int rows = 0;
    if (!take_int(line, pos, version))
        return kMissing;
    if (version != 2)
        return kRefused;
    if (!take_int(line, pos, second))
        return kMissing;
    if (second != 0)
        return kRefused;
    if (!take_int(line, pos, third) || !take_int(line, pos, sex) || !take_int(line, pos, cols))
        return kMissing;
    if (text_field_int(line, pos, rows) == kFieldBad)
        return kRefused;
    if (cols < 1 || cols > kCanvasCols || rows < 1 || rows > kCanvasRows)
        return kRefused;
    face.nSex = sex;
    face.colSize = cols;
    face.rowSize = rows;

    if (zel_read_expression(reader, face) != kOk)
        return kRefused;
    for (int slot = 0; slot < kZelFaceParts; ++slot) {
        if (zel_read_part(reader, face.parts[slot], kSlotIds[slot]) != kOk)
            return kRefused;
    }
    if (zel_read_bwblock(reader, edge, kMissing) != kOk)
        return kRefused;
    // The block carries the face edge at the face's own size; another size is a damaged file.
    if (edge.cols() != cols || edge.rows() != rows)
        return kRefused;
    face.parts[kSlotFaceEdge].bmCols = cols;
    face.parts[kSlotFaceEdge].bmRows = rows;
    face.bDrawn = 1;
    return kOk;
}

int zel_probe_version_text(std::string_view text) {
    TextReader reader(text);
    std::string_view line;
    text_read_line(reader, line);
    std::size_t pos = 0;
    int version = 0;
    if (text_field_int(line, pos, version) == kFieldBad)
        return 0;
    return version == 1 || version == 2 ? version : 0;
}

int zel_probe_version(const char* name) {
    // Only the first line is looked at; a longer one is no header of either version.
    std::FILE* in = std::fopen(zel_file_name(name).c_str(), "rb");
    if (in == nullptr)
        return 0;
    char head[kMaxLineLength + 2];
    const std::size_t got = std::fread(head, 1, sizeof head, in);
    std::fclose(in);
    return zel_probe_version_text(std::string_view(head, got));
}

} // namespace zel::engine
