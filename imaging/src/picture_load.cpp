// Loading a picture of any listed format with its bitmap header: what the editor calls to
// open a photo and to reload every work picture.

#include "bmp_header.h"
#include "extension.h"
#include "magick_pixels.h"
#include "picture_io.h"
#include "zel/common/work_folder.h"
#include "zel/imaging.h"

#include <algorithm>
#include <cstdio>
#include <string>

using namespace zel::imaging;

namespace {

// Converts the picture at path into the BMP work file, already shrunk to the size it is
// delivered at: a camera-sized photograph is decoded reduced (a JPEG by its decoder's own
// scaling) and zoomed once, instead of being written whole and decoded twice more. stored
// takes the picture's stored size.
bool convert_shrunk(const char* path, const std::string& bmp, int maxCols, int maxRows,
                    PictureSize& stored) {
    Magick::Image image;
    const ReadRequest fit{ReadRequest::Use::fit, std::max(maxCols, 1), std::max(maxRows, 1)};
    if (!read_picture(path, image, fit, stored))
        return false;
    zoom_to(image, fitted_size(stored, std::max(maxCols, 1), std::max(maxRows, 1)));
    return write_picture(image, bmp_magick_name, bmp);
}

} // namespace

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
        PictureSize stored;
        if (index != 0) {
            bmp = zel::work_path("zeledittmpx.bmp");
            if (bmp.empty() || !convert_shrunk(path, bmp, maxCols, maxRows, stored))
                return 0;
        }
        std::FILE* file = open_for_reading(bmp);
        if (file == nullptr)
            return 0;
        bmp_header_read(hdr, file);
        std::fclose(file);
        // The header promises the size of the picture the user chose, not of the work file.
        if (index != 0) {
            hdr->width = stored.cols;
            hdr->height = stored.rows;
        }
        return fget_pixels(arr, cols, rows, bmp.c_str(), maxCols, maxRows);
    } catch (...) {
        return 0;
    }
}

int LoadGeneralImage(_pixel** arr, const char* path, int* cols, int* rows, _BmpHeader* hdr) {
    return LoadImageFromFile(arr, path, cols, rows, hdr, 720, 960);
}
