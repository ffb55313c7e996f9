#pragma once
// One input of the picture fuzzer: which reader a user's file reaches, under which name, and
// the file's bytes. Shared by the fuzzer and by the tool that times its corpus.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace zel::imaging::fuzz {

enum class Reader {
    load_general,   // LoadGeneralImage: the photo command
    load_from_file, // LoadImageFromFile with a small maximum
    set_pixels,     // fget_set_pixels to a small exact size, with a rotation
    available,      // image_available
    background,     // image_get_bkgnd_color
    copy,           // imagefile_copy
};

struct PictureCase {
    Reader reader = Reader::load_general;
    // The name's extension: one of the listed ones in either case, or an unlisted one.
    std::string extension;
    // The rotation fget_set_pixels is asked for.
    int angle = 0;
    // The extension imagefile_copy writes to.
    std::string copyExtension;
    std::string_view file;
};

// How many bytes the choices take at the front of an input.
inline constexpr std::size_t choice_bytes = 2;

// The case an input stands for: byte 0 chooses the reader (and the rotation), byte 1 the
// extensions, the rest is the file.
PictureCase picture_case(const std::uint8_t* data, std::size_t size);

// The two choice bytes that make picture_case give this reader and extension index (into
// "bmp", "jpg", "jpeg", "psd", "tga", "BMP", "JPG", "Tga", "png").
std::string choice_prefix(Reader reader, int extension);
inline constexpr int extension_choices = 9;

enum class Outcome { read, refused };

// Where run_case writes the case's file: in the process's work space, under its name.
std::string case_path(const PictureCase& input);

// Writes the case's file to case_path; aborts when it cannot.
void write_case(const PictureCase& input);

// Hands the file at case_path to the case's reader. Aborts the process when a picture that
// reads breaks what the reader promises (a delivered size outside what was asked for, a copy
// that does not read back at the size of its source).
Outcome read_case(const PictureCase& input);

// write_case, then read_case.
Outcome run_case(const PictureCase& input);

// The reader's name, for reports.
const char* reader_name(Reader reader);

} // namespace zel::imaging::fuzz
