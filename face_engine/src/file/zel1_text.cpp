#include "file/zel1_text.h"

#include "engine_codes.h"
#include "file/bw_block.h"
#include "file/zel1_sections.h"
#include "model/face_object.h"

namespace zel::engine {
namespace {

// The box the builder places every part from: inside the picture, its centre inside it and its
// extents those of its own sides.
bool box_fits(const FaceBox& box, int cols, int rows) {
    return box.minx >= 0 && box.minx <= box.maxx && box.maxx < cols && box.miny >= 0 &&
           box.miny <= box.maxy && box.maxy < rows && box.width == box.maxx - box.minx + 1 &&
           box.height == box.maxy - box.miny + 1 && box.centerx >= box.minx &&
           box.centerx <= box.maxx && box.centery >= box.miny && box.centery <= box.maxy;
}

} // namespace

int face_text_zel1(const Zel1Header& header, const FaceBox& box, const FaceLandmarks& marks,
                   const FaceMeasures& measures, unsigned char* const* drawing, int cols, int rows,
                   std::string& out) {
    if (drawing == nullptr || cols != header.colSize || rows != header.rowSize || cols < 1 ||
        cols > kCanvasCols || rows < 1 || rows > kCanvasRows)
        return kMissing;
    text_put_int(out, header.version);
    text_put_int(out, header.Reserved);
    text_put_int(out, header.Encyption != 0 ? 1 : 0);
    text_put_int(out, header.sex);
    text_put_int(out, header.colSize);
    text_put_int(out, header.rowSize);
    out += '\n';
    out += "1:";
    outline_write(box, out);
    positions_write(marks, out);
    out += "3:";
    measures_write(measures, out);
    return zel_write_bwblock(out, drawing, cols, rows);
}

Zel1Header zel1_header_of(const FaceObject& object) {
    return Zel1Header{object.version, object.Reserved, object.Encyption,
                      object.sex,     object.colSize,  object.rowSize};
}

int face_text_zel1(const FaceObject& object, std::string& out) {
    return face_text_zel1(zel1_header_of(object), object.box, object.landmarks, object.measures,
                          object.drawing.pixels, object.drawing.cols, object.drawing.rows, out);
}

int face_parse_zel1_text(std::string_view text, Zel1Content& content) {
    TextReader reader(text);
    std::string_view line;
    text_read_line(reader, line);
    std::size_t pos = 0;
    Zel1Header& header = content.header;
    int flag = header.Encyption;
    if (text_field_int(line, pos, header.version) == kFieldBad || header.version != 1)
        return kRefused;
    if (text_field_int(line, pos, header.Reserved) == kFieldBad || header.Reserved != 0)
        return kRefused;
    if (text_field_int(line, pos, flag) == kFieldBad ||
        text_field_int(line, pos, header.sex) == kFieldBad ||
        text_field_int(line, pos, header.colSize) == kFieldBad ||
        text_field_int(line, pos, header.rowSize) == kFieldBad)
        return kRefused;
    header.Encyption = flag != 0 ? 1 : 0;
    if (header.colSize < 1 || header.colSize > kCanvasCols || header.rowSize < 1 ||
        header.rowSize > kCanvasRows)
        return kRefused;

    if (outline_read(content.box, reader) != kOk ||
        positions_read(content.landmarks, reader) != kOk ||
        measures_read(content.measures, reader) != kOk)
        return kRefused;
    if (!box_fits(content.box, header.colSize, header.rowSize))
        return kRefused;
    if (zel_read_bwblock(reader, content.drawing, kBadBlock) != kOk)
        return kRefused;
    if (content.drawing.cols() != header.colSize || content.drawing.rows() != header.rowSize)
        return kRefused;
    return kOk;
}

} // namespace zel::engine
