#pragma once
// The bilevel block of a face file: a size line (cols, rows and the first pixel) and the
// run lengths of the picture taken row after row, the runs alternating between 0 and 1.

#include <string>

#include "engine_codes.h"
#include "file/bw_buffer.h"
#include "file/text_fields.h"

namespace zel::engine {

// Appends the block of `cols` x `rows` bytes: -21 when there are no rows or no size, else 0.
int zel_write_bwblock(std::string& out, unsigned char* const* pixels, int cols, int rows);

// Appends the run lines only: 20 runs a line, the last line holding the rest.
void zel_write_array(std::string& out, unsigned char* const* pixels, int cols, int rows);

// Reads a block into `image`, sized by its size line. -10 when the reader is already bad;
// `size_refusal` when the cols or rows field used up its line (the two versions give
// different codes); -21 for a size outside the canvas or a body that failed; -20 for a first
// value other than 0 or 1.
int zel_read_bwblock(TextReader& reader, BwBuffer& image, int size_refusal);

// Decodes the runs into `image` (already sized), starting with `first`. -20 for a first value
// other than 0 or 1, a run that is not a positive number or runs past the picture, runs that
// stop short, or anything but blanks after the last run. Runs that stop exactly at the start
// of the last row leave that row in the value then in force, as older files expect.
int zel_read_bwarray(BwBuffer& image, TextReader& reader, int first);

} // namespace zel::engine
