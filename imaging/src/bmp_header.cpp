#include "bmp_header.h"

#include <cstdint>

namespace zel::imaging {
namespace {

// Little-endian reads that give 0 for whatever lies beyond the end of the file.
std::uint32_t bmp_read(std::FILE* file, int bytes) {
    std::uint32_t value = 0;
    for (int i = 0; i < bytes; ++i) {
        const int c = std::fgetc(file);
        if (c == EOF)
            return 0;
        value |= static_cast<std::uint32_t>(c) << (8 * i);
    }
    return value;
}

std::uint16_t bmp_read_u16(std::FILE* file) {
    return static_cast<std::uint16_t>(bmp_read(file, 2));
}
std::uint32_t bmp_read_u32(std::FILE* file) {
    return bmp_read(file, 4);
}

} // namespace

void bmp_header_read(_BmpHeader* hdr, std::FILE* file) {
    hdr->type = bmp_read_u16(file);
    hdr->file_size = bmp_read_u32(file);
    hdr->reserved1 = bmp_read_u16(file);
    hdr->reserved2 = bmp_read_u16(file);
    hdr->data_offset = bmp_read_u32(file);
    hdr->info_size = bmp_read_u32(file);
    hdr->width = static_cast<std::int32_t>(bmp_read_u32(file));
    hdr->height = static_cast<std::int32_t>(bmp_read_u32(file));
    hdr->planes = 1;
    hdr->bit_count = 32;
    hdr->compression = 0;
    hdr->image_size = 0;
    hdr->x_resolution = 0;
    hdr->y_resolution = 0;
    hdr->colors_used = 0;
    hdr->colors_important = 0;
}

} // namespace zel::imaging
