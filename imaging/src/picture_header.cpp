#include "picture_header.h"

#include <cstdint>
#include <limits>

namespace zel::imaging {
namespace {

using u64 = std::uint64_t;

// Bounds-checked reads; a read past the end gives 0 and marks the reader short.
class Bytes {
public:
    explicit Bytes(std::string_view bytes) : m_bytes(bytes) {}

    std::size_t size() const { return m_bytes.size(); }
    bool has(u64 at, u64 count) const { return at <= size() && count <= size() - at; }

    u64 le(u64 at, int count) const { return read(at, count, false); }
    u64 be(u64 at, int count) const { return read(at, count, true); }
    unsigned byte(u64 at) const { return has(at, 1) ? static_cast<unsigned char>(m_bytes[at]) : 0; }

private:
    u64 read(u64 at, int count, bool bigEndian) const {
        if (!has(at, static_cast<u64>(count)))
            return 0;
        u64 value = 0;
        for (int i = 0; i < count; ++i) {
            const u64 b = static_cast<unsigned char>(m_bytes[at + static_cast<u64>(i)]);
            value |= bigEndian ? b << (8 * (count - 1 - i)) : b << (8 * i);
        }
        return value;
    }

    std::string_view m_bytes;
};

PictureClaim sized(u64 cols, u64 rows) {
    constexpr u64 most = std::numeric_limits<int>::max();
    PictureClaim claim;
    if (cols > 0 && rows > 0 && cols <= most && rows <= most) {
        claim.cols = static_cast<int>(cols);
        claim.rows = static_cast<int>(rows);
    }
    return claim;
}

PictureClaim refused(PictureClaim claim) {
    claim.fits = false;
    return claim;
}

// --- BMP ---------------------------------------------------------------------------------

// Walks a run-length stream (8 or 4 bits a pixel) to its end-of-picture mark or its last
// row, counting rows and skipping the pixel bytes; false when the file ends first.
bool bmp_runs_complete(const Bytes& b, u64 at, u64 rows, bool fourBits) {
    u64 row = 0;
    while (row < rows) {
        if (!b.has(at, 2))
            return false;
        const unsigned count = b.byte(at);
        const unsigned code = b.byte(at + 1);
        at += 2;
        if (count != 0)
            continue; // a run of count pixels of one value
        if (code == 0) {
            ++row; // end of line
        } else if (code == 1) {
            return true; // end of picture: the rest is left to the background
        } else if (code == 2) {
            if (!b.has(at, 2))
                return false;
            row += b.byte(at + 1);
            at += 2;
        } else {
            const u64 bytes = fourBits ? (code + 1) / 2 : code;
            at += bytes + (bytes & 1); // literal pixels, padded to a word
        }
    }
    return true;
}

PictureClaim bmp_claim(const Bytes& b) {
    const u64 infoSize = b.le(14, 4);
    u64 cols = 0;
    u64 rows = 0;
    u64 bits = 0;
    u64 compression = 0;
    if (infoSize == 12) {
        cols = b.le(18, 2);
        rows = b.le(20, 2);
        bits = b.le(24, 2);
    } else if (infoSize >= 40 && b.has(14, 40)) {
        const auto width = static_cast<std::int32_t>(b.le(18, 4));
        const auto height = static_cast<std::int32_t>(b.le(22, 4));
        if (width <= 0 || height == 0 || height == std::numeric_limits<std::int32_t>::min())
            return {};
        cols = static_cast<u64>(width);
        rows = static_cast<u64>(height < 0 ? -static_cast<std::int64_t>(height) : height);
        bits = b.le(28, 2);
        compression = b.le(30, 4);
    } else {
        return {};
    }
    PictureClaim claim = sized(cols, rows);
    if (claim.cols == 0)
        return claim;
    // Pixel data can only follow the file header; how far after it the header may not say
    // truthfully, so only the whole rest of the file is held against the claim.
    const u64 available = b.size() - 14;
    constexpr u64 rgb = 0;
    constexpr u64 rle8 = 1;
    constexpr u64 rle4 = 2;
    constexpr u64 bitfields = 3;
    constexpr u64 alphaBitfields = 6;
    if (compression == rgb || compression == bitfields || compression == alphaBitfields) {
        if (bits == 0 || bits > 64)
            return claim;
        const u64 stride = (cols * bits + 31) / 32 * 4;
        if (stride > available / rows)
            return refused(claim);
    } else if (compression == rle8 || compression == rle4) {
        const u64 offset = b.le(10, 4);
        if (offset < 14 + infoSize || offset >= b.size() ||
            !bmp_runs_complete(b, offset, rows, compression == rle4))
            return refused(claim);
    }
    return claim;
}

// --- TGA ---------------------------------------------------------------------------------

// Walks run-length packets until count pixels are covered; false when the file ends first.
bool tga_runs_complete(const Bytes& b, u64 at, u64 count, u64 pixelBytes) {
    while (count > 0) {
        if (!b.has(at, 1))
            return false;
        const unsigned header = b.byte(at);
        const u64 run = (header & 0x7f) + 1u;
        at += 1 + ((header & 0x80) != 0 ? pixelBytes : run * pixelBytes);
        count = run >= count ? 0 : count - run;
    }
    return b.has(0, at);
}

PictureClaim tga_claim(const Bytes& b) {
    if (!b.has(0, 18))
        return {};
    const u64 idLength = b.byte(0);
    const u64 mapType = b.byte(1);
    const unsigned type = b.byte(2);
    const u64 mapLength = b.le(5, 2);
    const u64 mapEntryBits = b.byte(7);
    PictureClaim claim = sized(b.le(12, 2), b.le(14, 2));
    const u64 pixelBytes = (b.byte(16) + 7u) / 8;
    if (claim.cols == 0 || pixelBytes == 0)
        return claim;
    const u64 start = 18 + idLength + (mapType == 1 ? mapLength * ((mapEntryBits + 7) / 8) : 0);
    const u64 pixels = static_cast<u64>(claim.cols) * static_cast<u64>(claim.rows);
    const bool uncompressed = type == 1 || type == 2 || type == 3;
    const bool runLength = type == 9 || type == 10 || type == 11;
    if (uncompressed && (!b.has(0, start) || pixels * pixelBytes > b.size() - start))
        return refused(claim);
    if (runLength && !tga_runs_complete(b, start, pixels, pixelBytes))
        return refused(claim);
    return claim;
}

// --- PSD ---------------------------------------------------------------------------------

// The layer section holds a layer list of its own length, which starts with the number of
// layers; every layer record takes at least 34 bytes (its bounds, channel count, blend mode,
// opacity, flags and extra-data length), so a list holds no more layers than that. Magick's
// decoder sets aside some 1.3 KB for every layer the count claims before reading any of them:
// a 1.4 KB file claiming 16384 layers made it clear 21 MB for each read.
bool psd_layers_fit(const Bytes& b, u64 at, u64 length, u64 version) {
    const int lengthBytes = version == 2 ? 8 : 4;
    if (length < static_cast<u64>(lengthBytes))
        return true;
    const u64 listLength = b.be(at, lengthBytes);
    if (listLength == 0)
        return true;
    if (listLength > length - static_cast<u64>(lengthBytes) || listLength < 2)
        return false;
    const auto signedCount = static_cast<std::int16_t>(b.be(at + lengthBytes, 2));
    const u64 count = static_cast<u64>(signedCount < 0 ? -signedCount : signedCount);
    constexpr u64 smallest_record = 34;
    return count <= (listLength - 2) / smallest_record;
}

PictureClaim psd_claim(const Bytes& b) {
    const u64 version = b.be(4, 2);
    if (!b.has(0, 26) || (version != 1 && version != 2))
        return {};
    const u64 channels = b.be(12, 2);
    const u64 depth = b.be(22, 2);
    PictureClaim claim = sized(b.be(18, 4), b.be(14, 4));
    if (claim.cols == 0 || channels == 0 || depth == 0)
        return claim;
    // Colour mode data, image resources, then the layers (a 64-bit length in the large
    // format): each must lie inside the file.
    u64 at = 26;
    for (int section = 0; section < 3; ++section) {
        const int lengthBytes = section == 2 && version == 2 ? 8 : 4;
        const u64 length = b.be(at, lengthBytes);
        if (!b.has(at, lengthBytes) || !b.has(at + lengthBytes, length))
            return refused(claim);
        if (section == 2 && !psd_layers_fit(b, at + lengthBytes, length, version))
            return refused(claim);
        at += lengthBytes + length;
    }
    // The merged picture: channel planes, raw or run-length with a table of row lengths.
    const u64 rows = static_cast<u64>(claim.rows) * channels;
    const u64 rowBytes = depth == 1 ? (static_cast<u64>(claim.cols) + 7) / 8
                                    : static_cast<u64>(claim.cols) * ((depth + 7) / 8);
    if (!b.has(at, 2))
        return refused(claim);
    // Raw, run-length, or zip with or without prediction: anything else cannot be decoded,
    // and Magick's decoder set aside 30 MB for such a file of a few hundred bytes.
    const u64 compression = b.be(at, 2);
    if (compression > 3)
        return refused(claim);
    at += 2;
    const u64 left = b.size() - at;
    if (compression == 0 && rowBytes > left / rows)
        return refused(claim);
    if (compression == 1) {
        const u64 countBytes = version == 2 ? 4 : 2;
        if (rows > left / countBytes)
            return refused(claim);
        u64 total = 0;
        for (u64 r = 0; r < rows; ++r)
            total += b.be(at + r * countBytes, static_cast<int>(countBytes));
        if (total > left - rows * countBytes)
            return refused(claim);
    }
    return claim;
}

// --- JPEG --------------------------------------------------------------------------------

// Whether the EXIF block of the APP1 segment at at (its marker) turns the picture a quarter for
// viewing: orientations 5 to 8 of the first directory's orientation tag. Nothing read lies
// outside the segment.
bool exif_turns(const Bytes& b, u64 at, u64 length) {
    const u64 end = at + 2 + length;
    const u64 tiff = at + 10;
    if (length < 8 + 8 || !b.has(at, 2 + length) || b.be(at + 4, 4) != 0x45786966 ||
        b.be(at + 8, 2) != 0)
        return false; // not "Exif\0\0" and a TIFF header
    const u64 order = b.be(tiff, 2);
    if (order != 0x4949 && order != 0x4d4d)
        return false;
    const bool big = order == 0x4d4d;
    const auto read = [&](u64 where, int count) {
        return where + static_cast<u64>(count) <= end
                   ? (big ? b.be(where, count) : b.le(where, count))
                   : 0;
    };
    const u64 directory = tiff + read(tiff + 4, 4);
    const u64 entries = read(directory, 2);
    for (u64 i = 0; i < entries; ++i) {
        const u64 entry = directory + 2 + 12 * i;
        if (entry + 12 > end)
            return false;
        if (read(entry, 2) == 0x0112) {
            const u64 orientation = read(entry + 8, 2);
            return orientation >= 5 && orientation <= 8;
        }
    }
    return false;
}

// The frame size from the first start-of-frame segment, and whether an EXIF segment before it
// turns the picture; the marker walk stops at the first scan, whose data the decoder checks
// itself.
PictureClaim jpeg_claim(const Bytes& b) {
    bool turned = false;
    bool exifSeen = false;
    u64 at = 2;
    while (b.has(at, 4)) {
        if (b.byte(at) != 0xff)
            return {};
        const unsigned marker = b.byte(at + 1);
        if (marker == 0xff) {
            ++at; // fill byte
            continue;
        }
        const u64 length = b.be(at + 2, 2);
        const bool frame =
            marker >= 0xc0 && marker <= 0xcf && marker != 0xc4 && marker != 0xc8 && marker != 0xcc;
        if (frame) {
            PictureClaim claim = sized(b.be(at + 7, 2), b.be(at + 5, 2));
            claim.turned = turned;
            return claim;
        }
        if (marker == 0xda || length < 2)
            return {};
        // Only the first EXIF block counts.
        if (marker == 0xe1 && !exifSeen && b.be(at + 4, 4) == 0x45786966) {
            exifSeen = true;
            turned = exif_turns(b, at, length);
        }
        at += 2 + length;
    }
    return {};
}

} // namespace

PictureClaim picture_claim(std::string_view decoder, std::string_view bytes) {
    const Bytes b(bytes);
    if (decoder == "BMP")
        return bmp_claim(b);
    if (decoder == "TGA")
        return tga_claim(b);
    if (decoder == "PSD")
        return psd_claim(b);
    if (decoder == "JPEG")
        return jpeg_claim(b);
    return {};
}

} // namespace zel::imaging
