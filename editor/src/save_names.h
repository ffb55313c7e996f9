#pragma once
// The names the view hands the libraries when loading and saving. Both libraries cut a name at
// its last '.' (anywhere in the path) and put their own extension on, so a chosen name is
// handed on ending in the extension they will cut: exactly the chosen file is then written.

#include <string>

namespace zel::editor {

// Whether the file name of path (the part after the last '/') has the extension ".zel", in
// any case; a name that is nothing but ".zel" has none.
bool names_face_file(const std::string& path);

// The name for face_savezel2: the chosen name when it ends in ".zel" (any case), else with
// ".zel" added.
std::string face_file_name(const std::string& chosen);

struct PictureName {
    std::string name;      // for save_pixels
    std::string extension; // the extension save_pixels puts back on
};

// The name and extension for save_pixels in `format` ("BMP", "JPG", "PSD" or "TGA"): the
// chosen name and its own extension when that is one of the format's (any case; "jpeg" too),
// else the name with the format's extension in lower case added.
PictureName picture_file_name(const std::string& chosen, const std::string& format);

// The format of a Save filter index (1 "ZEL", 2 "BMP", 3 "JPG", 4 "PSD", 5 "TGA"); empty for
// any other index.
std::string save_format(int filterIndex);

} // namespace zel::editor
