#pragma once
// Reading and writing picture files through Magick++ without letting Magick interpret the
// path: the bytes are moved by the library itself and Magick only decodes and encodes them,
// so names such as "|cmd", "x[0]" or "label:x" are plain file names here.

#include "picture_size.h"

#include <Magick++.h>

#include <cstdio>
#include <optional>
#include <string>

namespace zel::imaging {

// What the caller does with a picture once it is read, so that a large one can be read
// already reduced: decoding a camera-sized picture whole only to shrink it costs ten times
// more than decoding it at a fraction of its size.
struct ReadRequest {
    enum class Use {
        whole,     // every pixel is needed
        fit,       // shrunk to fit cols x rows (fitted_size)
        zoom,      // zoomed to cols x rows, aspect kept (zoomed_size)
        size_only, // only the stored size is needed; the file is still decoded whole
    };
    Use use = Use::whole;
    int cols = 0;
    int rows = 0;
    // When positive, a picture stored larger than this is refused before it is decoded.
    int maxCols = 0;
    int maxRows = 0;
};

// Reads the picture file at path into image, decoded as decoder_for chooses, and its stored
// size into stored; a JPEG comes turned as its EXIF orientation shows it, and its stored size
// is then the size shown. For a fit or zoom the image may come reduced but still at least twice as
// large as the size the caller goes on to (so a zoom of it to that size, worked out from
// stored, gives nearly what the whole picture would); for size_only it may come at any size. False
// when the file cannot be read, is in no format decoded here, claims more than it holds, is larger
// than maxCols x maxRows, or Magick reports any error or warning.
bool read_picture(const std::string& path, Magick::Image& image, const ReadRequest& request,
                  PictureSize& stored);

// read_picture of every pixel.
bool read_picture(const std::string& path, Magick::Image& image);

// read_picture, and when it fails a box captioned caption with the path as its text and an
// OK button.
bool read_picture_or_report(const std::string& path, Magick::Image& image,
                            const ReadRequest& request, PictureSize& stored, const char* caption);

// Opens the file at path for reading in "rb" mode without waiting: a pipe (or a device) named
// like a picture has no writer, and a plain open would hold the caller until one came. Null
// when it cannot be opened.
std::FILE* open_for_reading(const std::string& path);

// Encodes image in the Magick format magick and writes it to path: in place for a work file,
// through zel::replace_file for any other (a person's picture). False on any failure.
bool write_picture(Magick::Image& image, const std::string& magick, const std::string& path);

// The Magick format for writing to path: the listed format of its extension, or the image's own
// format when it has none. Nullopt for any other extension: Magick's encoder of that name could
// write no picture (a text dump, a web page), write other files beside it or hand the picture
// to an outside program.
std::optional<std::string> magick_for_path(const Magick::Image& image, const std::string& path);

} // namespace zel::imaging
