// The process-wide state of the engine: one current part model, one face object and the
// face-edge holder, created at library load and released at unload.

#include "face_state.h"

namespace zel::engine {
namespace {

struct EngineState {
    _zel_face face{}; // all zero until the first load or generation
    FaceObject object;
    _zel_object edge{}; // face-edge holder: only bmCols, bmRows and bitmap are used
    bool canvasPending = true;

    EngineState() = default;
    EngineState(const EngineState&) = delete;
    EngineState& operator=(const EngineState&) = delete;
    ~EngineState() {
        bwimage_free_rows(edge);
        face.parts[kSlotFaceEdge].bitmap = nullptr;
        if (face.clrImage != nullptr) {
            ppm_freearray(face.clrImage, kCanvasRows);
            face.clrImage = nullptr;
        }
    }
};

EngineState& state() {
    static EngineState engine;
    return engine;
}

} // namespace

_zel_face& current_face() {
    return state().face;
}

FaceObject& face_object() {
    return state().object;
}

_zel_object& face_edge_holder() {
    return state().edge;
}

bool face_canvas_pending() {
    return state().canvasPending;
}

int face_alloc_clrimage() {
    EngineState& s = state();
    if (!s.canvasPending) {
        // A set-up that failed half-way stays failed for every later caller.
        const bool ready = s.object.drawing.pixels != nullptr && s.face.clrImage != nullptr &&
                           s.edge.bitmap != nullptr;
        return ready ? 1 : 0;
    }
    // Never retried: a failed set-up keeps what it managed to allocate.
    s.canvasPending = false;
    s.object.face_set_image(1, kCanvasCols, kCanvasRows);
    bool ok = s.object.drawing.bwimage_alloc() == kOk;
    if (ok) {
        s.face.clrImage = ppm_allocarray(kCanvasCols, kCanvasRows);
        ok = s.face.clrImage != nullptr;
    }
    if (ok) {
        bwimage_alloc_rows(s.edge, kCanvasCols, kCanvasRows);
        ok = s.edge.bitmap != nullptr;
    }
    if (!ok) {
        vyMessage("Out of memory!");
        return 0;
    }
    s.face.parts[kSlotFaceEdge].bitmap = s.edge.bitmap;
    return 1;
}

} // namespace zel::engine
