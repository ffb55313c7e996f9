// Small utilities the editor uses around its pictures.

#include "face_state.h"

#include <cstdint>
#include <cstring>

namespace {

// Moves the three colour bytes of every pixel round in place: new byte i is old byte from[i].
// The spare byte stays.
void rotate_channels(_pixel** arr, int cols, int rows, const int (&from)[3]) {
    if (arr == nullptr) {
        return;
    }
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < cols; ++c) {
            _pixel& p = arr[r][c];
            const unsigned char old[3] = {p.r, p.g, p.b};
            p.r = old[from[0]];
            p.g = old[from[1]];
            p.b = old[from[2]];
        }
    }
}

} // namespace

void init_bmpheader(_BmpHeader* header, int width, int height) {
    if (header == nullptr) {
        return;
    }
    const std::int64_t rowBytes = (3 * static_cast<std::int64_t>(width) + 3) / 4 * 4;
    // The size field holds 32 bits: the product is taken modulo 2^64, which keeps those bits
    // where a signed product of the widest sizes would overflow.
    const auto imageSize = static_cast<std::uint32_t>(static_cast<std::uint64_t>(rowBytes) *
                                                      static_cast<std::uint64_t>(height));
    header->type = 19778; // "BM"
    // This system's screen copies count 58 header bytes and start the data at 56.
    header->file_size = imageSize + 58;
    header->reserved1 = 0;
    header->reserved2 = 0;
    header->data_offset = 56;
    header->info_size = 40;
    header->width = width;
    header->height = height;
    header->planes = 1;
    header->bit_count = 24;
    header->compression = 0;
    header->image_size = imageSize;
    header->x_resolution = 0;
    header->y_resolution = 0;
    header->colors_used = 0;
    header->colors_important = 0;
}

void pix_array_copy(_pixel** target, _pixel** source, int cols, int rows) {
    zel::engine::pixel_array_copy(target, source, cols, rows);
}

void shift_clr_rgb2brg(_pixel** arr, int cols, int rows) {
    rotate_channels(arr, cols, rows, {2, 0, 1});
}

void shift_clr_brg2rgb(_pixel** arr, int cols, int rows) {
    rotate_channels(arr, cols, rows, {1, 2, 0});
}

void take_off_ext(char* path) {
    if (path == nullptr) {
        return;
    }
    // Only a dot in the file's own name starts an extension, and not its first character: a
    // dot in a folder's name would cut the folder short and lose the file name, so that a face
    // saved in "/home/me/my.faces/smile" went to "/home/me/my.zel".
    char* slash = std::strrchr(path, '/');
    char* name = slash != nullptr ? slash + 1 : path;
    char* dot = std::strrchr(name, '.');
    if (dot != nullptr && dot != name) {
        *dot = '\0';
    }
}
