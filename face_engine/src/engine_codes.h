#pragma once
// Result codes used inside the face engine. The exports fold them into their own results
// (1 or 0 for files and pictures, 0 or a negative code for edits).

namespace zel::engine {

inline constexpr int kOk = 0;
inline constexpr int kFail = -1;        // null record or a failed check of the input
inline constexpr int kNoMemory = -2;    // out of memory, or a template bitmap missing
inline constexpr int kBuildFailed = -3; // a build failed
inline constexpr int kFileError = -10;  // file cannot be opened, or stream in error
inline constexpr int kRefused = -11;    // face-file header or section refused, cipher file
inline constexpr int kEndOfFile = -12;  // a line read met the end of the file
inline constexpr int kUpsideDown = -13; // upside-down search window, region-list overflow
inline constexpr int kBadBlock = -20;   // refused bilevel block, head and chin marks
inline constexpr int kMissing = -21;    // missing source, size, resource entry or template
inline constexpr int kNotLoaded = -41;  // part not loaded (or no such part)
inline constexpr int kBadStep = -43;    // unknown step or direction

// The working size of every canvas, drawing and face-edge bitmap of the engine.
inline constexpr int kCanvasCols = 720;
inline constexpr int kCanvasRows = 960;

} // namespace zel::engine
