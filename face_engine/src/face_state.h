#pragma once
// The engine's process-wide state and the internal operations shared by its parts: the current
// part model, the face object, the face-edge holder, their set-up, the part-record operations
// and the render entry points. One current face per process, no locks: one caller thread.

#include "engine_codes.h"
#include "model/face_object.h"
#include "model/image_holders.h"
#include "render/pixel_ops.h"
#include "render/render.h"

#include <zel/face_engine.h>

namespace zel::engine {

// The current part model. All zero (no canvas) until the first face load or generation.
_zel_face& current_face();
// The current face object (measurement side and drawing).
FaceObject& face_object();
// The face-edge holder: its bitmap (720 x 960) becomes the face edge's bitmap at first use.
_zel_object& face_edge_holder();

// First use: allocates the drawing, the colour canvas and the face-edge holder (720 x 960)
// and sets the face object's image to set 1, 720 x 960. Runs once per process (while the
// canvas flag says "not yet"). 1 on success; 0 after "Out of memory!" was shown. Later calls
// tell whether that one set-up succeeded.
int face_alloc_clrimage();
// True while face_alloc_clrimage has not run yet.
bool face_canvas_pending();

// Default template name and colour by identifier; the face edge's bitmap (if any) is filled
// white over 720 x 960. aux1..aux3 are kept.
void part_object_init(_zel_object* object);
// Resets a whole part model: set 6, the nine identifiers in their slots, expression 50, no
// backup, size 0, canvas (if any) grey 192 over 720 x 960, not drawn.
void face_record_init(_zel_face* face);
// The current face's part record for an identifier, or null for any other value.
_zel_object* part_record_by_id(int id);
// That part record when the part is loaded; null otherwise (the edits' "not loaded", -41).
_zel_object* loaded_part_by_id(int id);
// Slot of an identifier in _zel_face::parts, or -1.
int part_slot_by_id(int id);
// Whether the part of that slot is drawn mirrored (right eye, right brow).
bool part_slot_mirrored(int slot);

// The record copies of the exchange exports: scalars and names; pixels only between records
// that both own the arrays, within 720 x 960. 0, or -1 for a null record.
int zel_face_copy(_zel_face* target, const _zel_face* source);
int part_copy(_zel_object* target, const _zel_object* source);

// Move (action 1) or scale (action 3) step on a part record. 0, or -43 for a bad step.
int part_edit_geometry(_zel_object* part, int action, int step);
// part_edit_geometry on the current face's part. -1 when the identifier names no part.
int part_edit_by_id(int id, int action, int step);

} // namespace zel::engine
