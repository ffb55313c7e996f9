#pragma once
// Reading and writing picture files through Magick++ without letting Magick interpret the
// path: the bytes are moved by the library itself and Magick only decodes and encodes them,
// so names such as "|cmd", "x[0]" or "label:x" are plain file names here.

#include <Magick++.h>

#include <string>

namespace zel::imaging {

// Reads the picture file at path into image, decoded as decoder_for chooses. False when the
// file cannot be read, is in no format decoded here, or Magick reports any error or warning.
bool read_picture(const std::string& path, Magick::Image& image);

// read_picture, and when it fails a box captioned caption with the path as its text and an
// OK button.
bool read_picture_or_report(const std::string& path, Magick::Image& image, const char* caption);

// Encodes image in the Magick format magick and writes it to path. False on any failure.
bool write_picture(Magick::Image& image, const std::string& magick, const std::string& path);

// The Magick format for writing to path: the listed format of its extension, else the
// extension itself in upper case, else the image's own format.
std::string magick_for_path(const Magick::Image& image, const std::string& path);

} // namespace zel::imaging
