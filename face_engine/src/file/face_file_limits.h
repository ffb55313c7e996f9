#pragma once
// Bounds a face file's values must keep. They are far beyond anything the editor or the
// generator writes; they exist so that a crafted file cannot make the engine read past its
// arrays, overflow a conversion, or hold an unbounded file in memory.

#include <zel/face_engine.h>

#include <cstddef>

namespace zel::engine {

// Largest face file (and plain text) a load takes in, as callers are told; a full 720 x 960
// drawing of alternating pixels stays well below it.
inline constexpr std::size_t kMaxFaceFileBytes = kZelMaxFaceFileBytes;

// Proportions of a face's measures (fractions of the face box or of the eye line).
inline constexpr double kMaxMeasure = 8.0;

// Part codes that become one digit of a template name.
inline constexpr int kMinPartCode = 1;
inline constexpr int kMaxPartCode = 3;

} // namespace zel::engine
