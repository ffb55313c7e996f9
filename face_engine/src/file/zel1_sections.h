#pragma once
// The three text sections of a version-1 face file: the outline (face box), the positions
// (landmarks and seven colours) and the measures (proportions and part codes).
//
// Writers append to a text; readers take one line each from a TextReader. Results: 0; -10 the
// reader was bad or at its end when the section began; -11 a line of the wrong shape (a value
// missing, or a value that does not fit).

#include "file/text_fields.h"

#include <zel/face_engine.h>

#include <string>

namespace zel::engine {

// Halves of an eye or mouth line.
inline constexpr int kHalfFirst = 1;  // in/out corners (eye), left/right corners (mouth)
inline constexpr int kHalfSecond = 2; // top and bottom points
inline constexpr int kHalfBoth = 100;

void outline_write(const FaceBox& box, std::string& out);
int outline_read(FaceBox& box, TextReader& reader);

void positions_write(const FaceLandmarks& marks, std::string& out);
int positions_read(FaceLandmarks& marks, TextReader& reader);

// R, G and B of one colour of the colour line (index 1 brow .. 7 face; 7 ends the line).
// -11 for an index outside 1..7, else 0.
int colour_write(std::string& out, int index, _pixel colour);
int colours_read(FaceLandmarks& marks, TextReader& reader);

void measures_write(const FaceMeasures& measures, std::string& out);
int measures_read(FaceMeasures& measures, TextReader& reader);

void eye_write(std::string& out, const FaceLandmarks::Eye& eye, int half);
int eye_read(TextReader& reader, FaceLandmarks::Eye& eye, int half);
void mouth_write(std::string& out, const FaceLandmarks::Mouth& mouth, int half);
int mouth_read(TextReader& reader, FaceLandmarks::Mouth& mouth, int half);
void brow_write(std::string& out, const FaceLandmarks::Brow& brow);
int brow_read(TextReader& reader, FaceLandmarks::Brow& brow);
void nose_write(std::string& out, const FaceLandmarks::Nose& nose);
int nose_read(TextReader& reader, FaceLandmarks::Nose& nose);

} // namespace zel::engine
