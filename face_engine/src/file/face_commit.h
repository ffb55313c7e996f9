#pragma once
// Making a face that a face file brought the current face. The readers fill records kept apart
// from the current face; only a file that was read and checked whole (and, for version 1,
// built) is committed, so a refused file leaves the face, the face object and the pictures the
// editor shows exactly as they were.

#include "file/bw_buffer.h"
#include "file/zel1_text.h"

#include <zel/face_engine.h>

#include <vector>

namespace zel::engine {

// The current face as it stands: its part model, its face-edge drawing and its colour canvas.
// A version-2 face is only found wanting when it is drawn (a template the library does not
// hold), after its commit; the load then puts the face back as it was.
class CurrentFaceBackup {
public:
    CurrentFaceBackup();
    void restore() const;

private:
    _zel_face m_record{};
    BwBuffer m_edge;
    std::vector<_pixel> m_canvas;
};

// Resets the current face and takes over the parsed part model and face-edge drawing.
// 0, or -1 when the first-use set-up of the canvas failed (nothing changed).
int commit_zel2(const _zel_face& parsed, const BwBuffer& edge);

// Builds the part model of a version-1 face apart from the current face, then makes it and the
// face object current: the drawing as read is the face edge, the drawing with the parts drawn
// becomes the face object's drawing and, in grey 192 and black, the colour canvas.
// 0; -1 when the canvas set-up failed; -3 when the build failed (a template missing; nothing
// changed).
int commit_zel1(const Zel1Content& content);

} // namespace zel::engine
