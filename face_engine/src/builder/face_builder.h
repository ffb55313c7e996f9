#pragma once
// The face builder's internal entry points beside its exports (face_record_build,
// face_build_from_parts, face_build_rebuild in <zel/face_engine.h>).

#include <zel/face_engine.h>

#include <string>

namespace zel::engine {

class FaceObject;

// Template names of the part codes (each code 1..3; any other code gives an empty name, which
// no template library holds).
std::string eye_template_name(const FaceMeasures& measures);
std::string brow_template_name(const FaceMeasures& measures);
std::string nose_template_name(const FaceMeasures& measures);
std::string mouth_template_name(const FaceMeasures& measures);

// Builds the part model of face from the face object: the object's drawing (the face edge
// alone) becomes the face edge's bitmap, the parts are placed from its box and measures and
// drawn into the drawing, and the colour canvas shows the drawing in grey 192 and black.
// 0; -1 when the object's size is past the canvas or face has no canvas or face-edge bitmap;
// -3 when the build failed (the canvas is then not filled).
int face_build_render(FaceObject& object, _zel_face& face);

} // namespace zel::engine
