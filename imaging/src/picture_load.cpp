// Loading a picture of any listed format with its bitmap header: what the editor calls to
// open a photo and to reload every work picture.

#include "bmp_header.h"
#include "extension.h"
#include "magick_pixels.h"
#include "picture_format.h"
#include "picture_io.h"
#include "zel/common/work_folder.h"
#include "zel/imaging.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <string_view>

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

// Whether the picture at path, named as a BMP, is another listed format by its content (a JPEG
// renamed, say): it is then converted as that format is, so that its header is not read from
// bytes that are no BMP header.
bool other_format_named_bmp(const char* path) {
    std::FILE* file = open_for_reading(path);
    if (file == nullptr)
        return false;
    char head[4] = {};
    const std::size_t got = std::fread(head, 1, sizeof head, file);
    std::fclose(file);
    const auto decoder = decoder_for(std::string_view(head, got), path);
    return decoder && *decoder != "BMP";
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
        const bool converted = index != 0 || other_format_named_bmp(path);
        if (converted) {
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
        if (converted) {
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
