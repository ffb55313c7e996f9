#include "file/face_commit.h"

#include "builder/face_builder.h"
#include "engine_codes.h"
#include "face_state.h"

#include <algorithm>

namespace zel::engine {
namespace {

// A part model reset as every load resets the current face, but without arrays of its own.
_zel_face fresh_record() {
    _zel_face record{};
    face_record_init(&record);
    return record;
}

// Every word and name of source into the current face; the current face keeps its own canvas
// and face-edge bitmap.
void take_record(_zel_face& live, const _zel_face& source) {
    _pixel** const canvas = live.clrImage;
    unsigned char** bitmaps[kZelFaceParts];
    for (int slot = 0; slot < kZelFaceParts; ++slot)
        bitmaps[slot] = live.parts[slot].bitmap;
    live = source;
    live.clrImage = canvas;
    for (int slot = 0; slot < kZelFaceParts; ++slot)
        live.parts[slot].bitmap = bitmaps[slot];
}

// Runs the first-use set-up when it has not run; true when the canvas is there.
bool canvas_ready() {
    return face_alloc_clrimage() == 1 && current_face().clrImage != nullptr &&
           current_face().parts[kSlotFaceEdge].bitmap != nullptr;
}

} // namespace

CurrentFaceBackup::CurrentFaceBackup() : m_record(current_face()) {
    if (unsigned char** edge = m_record.parts[kSlotFaceEdge].bitmap; edge != nullptr)
        m_edge.copy_from(edge, kCanvasCols, kCanvasRows, false);
    if (m_record.clrImage != nullptr) {
        m_canvas.resize(static_cast<std::size_t>(kCanvasCols) * kCanvasRows);
        for (int r = 0; r < kCanvasRows; ++r)
            std::copy_n(m_record.clrImage[r], kCanvasCols, m_canvas.data() + r * kCanvasCols);
    }
}

void CurrentFaceBackup::restore() const {
    _zel_face& live = current_face();
    take_record(live, m_record);
    if (!m_edge.empty() && live.parts[kSlotFaceEdge].bitmap != nullptr)
        m_edge.copy_to(live.parts[kSlotFaceEdge].bitmap, false);
    if (!m_canvas.empty() && live.clrImage != nullptr) {
        for (int r = 0; r < kCanvasRows; ++r)
            std::copy_n(m_canvas.data() + r * kCanvasCols, kCanvasCols, live.clrImage[r]);
    }
}

int commit_zel2(const _zel_face& parsed, const BwBuffer& edge) {
    if (!canvas_ready())
        return kFail;
    _zel_face& live = current_face();
    face_record_init(&live);
    take_record(live, parsed);
    edge.copy_to(live.parts[kSlotFaceEdge].bitmap, false);
    return kOk;
}

int commit_zel1(const Zel1Content& content) {
    const Zel1Header& header = content.header;
    _zel_face built = fresh_record();
    BwBuffer withParts = content.drawing;
    if (face_record_build(&built, withParts.row_table(), header.colSize, header.rowSize, header.sex,
                          &content.box, &content.measures, 0) != kOk)
        return kBuildFailed;
    if (!canvas_ready())
        return kFail;

    _zel_face& live = current_face();
    face_record_init(&live);
    take_record(live, built);
    content.drawing.copy_to(live.parts[kSlotFaceEdge].bitmap, false);
    live.parts[kSlotFaceEdge].bmReady = 1;

    FaceObject& object = face_object();
    object.version = header.version;
    object.Reserved = header.Reserved;
    object.Encyption = header.Encyption;
    object.face_set_image(header.sex, header.colSize, header.rowSize);
    object.box = content.box;
    object.landmarks = content.landmarks;
    object.measures = content.measures;
    object.face_set_bwimage(withParts.row_table());
    object.drawing.loaded = 1;
    object.bRead = 1;

    face_bw_to_clr(withParts.row_table(), live.clrImage, header.colSize, header.rowSize);
    live.bDrawn = 1;
    return kOk;
}

} // namespace zel::engine
