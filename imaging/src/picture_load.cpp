// Loading a picture of any listed format with its bitmap header: what the editor calls to
// open a photo and to reload every work picture.

#include "bmp_header.h"
#include "extension.h"
#include "zel/common/work_folder.h"
#include "zel/imaging.h"

#include <cstdio>
#include <string>

using namespace zel::imaging;

int LoadImageFromFile(_pixel** arr, const char* path, int* cols, int* rows, _BmpHeader* hdr,
                      int maxCols, int maxRows) {
    if (path == nullptr || hdr == nullptr)
        return 0;
    try {
        const auto ext = extension_of(path);
        if (!ext)
            return 0;
        const int index = format_index(*ext);
        if (index < 0)
            return 0;
        std::string bmp = path;
        if (index != 0) {
            bmp = zel::work_path("zeledittmpx.bmp");
            if (bmp.empty() || imageFmtConvert(path, bmp.c_str(), bmp_magick_name) == 0)
                return 0;
        }
        std::FILE* file = std::fopen(bmp.c_str(), "rb");
        if (file == nullptr)
            return 0;
        bmp_header_read(hdr, file);
        std::fclose(file);
        return fget_pixels(arr, cols, rows, bmp.c_str(), maxCols, maxRows);
    } catch (...) {
        return 0;
    }
}

int LoadGeneralImage(_pixel** arr, const char* path, int* cols, int* rows, _BmpHeader* hdr) {
    return LoadImageFromFile(arr, path, cols, rows, hdr, 720, 960);
}
