// imaging_save_picture <path>...
//
// Saves a small picture with save_pixels to each path, in the format of its extension, and
// prints 1 for each save that was made and 0 for each refused. The tests run it as another
// user than their own.

#include "zel/imaging.h"

#include <cstdio>
#include <string>

int main(int argc, char** argv) {
    _pixel** arr = ppm_allocarray(8, 6);
    if (arr == nullptr)
        return 2;
    for (int i = 1; i < argc; ++i) {
        const std::string path = argv[i];
        const std::size_t dot = path.rfind('.');
        const std::string ext = dot == std::string::npos ? "" : path.substr(dot + 1);
        std::printf("%d", save_pixels(arr, 8, 6, path.c_str(), ext.c_str()));
    }
    ppm_freearray(arr, 6);
    return 0;
}
