#include "picture_io.h"

#include "bmp_reduce.h"
#include "extension.h"
#include "picture_format.h"
#include "picture_header.h"
#include "zel/imaging.h"

#include <zel/common/file_replace.h>
#include <zel/common/work_folder.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <fcntl.h>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace zel::imaging {
namespace {

// No picture file of this system comes near this; a larger file is refused unread.
constexpr std::uint64_t max_file_bytes = 256ull * 1024 * 1024;

// The longest header any check here looks at before the file is read whole.
constexpr std::size_t head_bytes = 64;

// An open picture file of a usable size. It is opened without waiting, so that a pipe is
// refused as no regular file instead of holding the open until a writer comes.
class PictureFile {
public:
    explicit PictureFile(const std::string& path)
        : m_fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK)) {
        struct stat st {};
        if (m_fd >= 0 && ::fstat(m_fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size > 0 &&
            static_cast<std::uint64_t>(st.st_size) <= max_file_bytes)
            m_size = static_cast<std::uint64_t>(st.st_size);
    }
    ~PictureFile() {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    PictureFile(const PictureFile&) = delete;
    PictureFile& operator=(const PictureFile&) = delete;

    bool usable() const { return m_size > 0; }
    int fd() const { return m_fd; }
    std::uint64_t size() const { return m_size; }

    // The first count bytes (fewer when the file is shorter); false on a read error.
    bool read(std::size_t count, std::vector<char>& bytes) const {
        bytes.resize(static_cast<std::size_t>(std::min<std::uint64_t>(count, m_size)));
        std::size_t done = 0;
        while (done < bytes.size()) {
            const ssize_t got =
                ::pread(m_fd, bytes.data() + done, bytes.size() - done, static_cast<off_t>(done));
            if (got <= 0)
                return false;
            done += static_cast<std::size_t>(got);
        }
        return true;
    }

private:
    int m_fd;
    std::uint64_t m_size = 0;
};

struct ExceptionHolder {
    ExceptionHolder() : info(MagickCore::AcquireExceptionInfo()) {}
    ~ExceptionHolder() { MagickCore::DestroyExceptionInfo(info); }
    ExceptionHolder(const ExceptionHolder&) = delete;
    ExceptionHolder& operator=(const ExceptionHolder&) = delete;
    MagickCore::ExceptionInfo* info;
};

// The size a picture of the stored size is needed at; {0, 0} when every pixel is.
PictureSize needed_size(const ReadRequest& request, PictureSize stored) {
    switch (request.use) {
    case ReadRequest::Use::fit:
        return fitted_size(stored, request.cols, request.rows);
    case ReadRequest::Use::zoom:
        return zoomed_size(stored, request.cols, request.rows);
    case ReadRequest::Use::size_only:
        return {1, 1};
    case ReadRequest::Use::whole:
        break;
    }
    return {};
}

// The size a picture is read at when it is larger: twice the size it is needed at, so that
// the zoom that follows still has the detail its filter works from. Read at the needed size
// itself, sharp lines came out up to 30 levels (a JPEG) and 72 levels (a BMP) away from a
// zoom of the whole picture; at twice the size, 5 and 11.
//
// A picture not larger than that is read whole: asked for more than its stored size, Magick's
// JPEG decoder takes the smallest scale that reaches it, which is twice the size. A 600 x 800
// JPEG was decoded at 1200 x 1600 and zoomed back down, in 60 ms instead of 10.
PictureSize reading_size(const ReadRequest& request, PictureSize stored) {
    const PictureSize needed = needed_size(request, stored);
    const PictureSize cover{2 * needed.cols, 2 * needed.rows};
    if (cover.cols > stored.cols || cover.rows > stored.rows)
        return {};
    return cover;
}

// Decodes bytes with the named decoder, straight from the caller's memory. A JPEG larger than
// cover is decoded at the smallest of the decoder's scales (1/2, 1/4, 1/8) that still covers
// it: the scaled decoder reads every byte of the file all the same, so damage is found as it
// would be at full size.
bool decode(std::string_view bytes, const std::string& decoder, PictureSize cover,
            Magick::Image& image) {
    Magick::Image decoded;
    // Named explicitly, the decoder is used as it is: Magick does not look at the bytes
    // again to pick another one.
    decoded.magick(decoder);
    // Only a file's first picture is ever used; a PSD's layers are not decoded for nothing.
    decoded.subImage(0);
    decoded.subRange(1);
    if (cover.cols > 0 && cover.rows > 0)
        decoded.defineValue("jpeg", "size",
                            std::to_string(cover.cols) + "x" + std::to_string(cover.rows));
    ExceptionHolder exception;
    MagickCore::Image* read =
        MagickCore::BlobToImage(decoded.imageInfo(), bytes.data(), bytes.size(), exception.info);
    if (read == nullptr)
        return false;
    if (read->next != nullptr)
        MagickCore::DestroyImageList(MagickCore::SplitImageList(read));
    // Decoders leave their complaints on the read picture as well as in the exception handed
    // to them. A corrupt-picture warning means pixels are missing (a cut file is grey where its
    // data ended); any other warning is about something beside the pixels (damaged metadata,
    // say), and the picture stands.
    const auto damaged = [](MagickCore::ExceptionType severity) {
        return severity == MagickCore::CorruptImageWarning ||
               severity >= MagickCore::ErrorException;
    };
    const bool refused = damaged(exception.info->severity) || damaged(read->exception.severity);
    decoded.replaceImage(read);
    if (refused)
        return false;
    if (decoded.columns() == 0 || decoded.rows() == 0)
        return false;
    image = decoded;
    return true;
}

// Turns a JPEG as its EXIF orientation says it is shown, as every viewer shows it: a photo
// taken with the camera held sideways is stored as the camera lay. True when it was turned a
// quarter, so that its stored size is now its rows by its columns.
bool show_upright(Magick::Image& image) {
    const Magick::OrientationType orientation = image.orientation();
    if (orientation == Magick::UndefinedOrientation || orientation == Magick::TopLeftOrientation)
        return false;
    image.autoOrient();
    return orientation == Magick::LeftTopOrientation ||
           orientation == Magick::RightTopOrientation ||
           orientation == Magick::RightBottomOrientation ||
           orientation == Magick::LeftBottomOrientation;
}

bool larger_than(PictureSize size, int maxCols, int maxRows) {
    return (maxCols > 0 && size.cols > maxCols) || (maxRows > 0 && size.rows > maxRows);
}

bool write_bytes(const std::string& path, const Magick::Blob& blob) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr)
        return false;
    const bool written = std::fwrite(blob.data(), 1, blob.length(), file) == blob.length();
    return (std::fclose(file) == 0) && written;
}

// The system's work files are written in place. A picture saved to a person's file replaces it
// whole, as a face file does: a full disk or a crash during the save leaves the old picture.
bool write_file(const std::string& path, const Magick::Blob& blob) {
    if (zel::is_work_file(path))
        return write_bytes(path, blob);
    return zel::replace_file(
        path, [&blob](const std::string& sibling) { return write_bytes(sibling, blob); });
}

// Magick asked to write in a format it has no encoder for writes the picture in the format it
// already has, without a word: a conversion to a misspelt format came out a copy, reported made.
bool has_encoder(const std::string& magick) {
    if (magick.empty())
        return false;
    ExceptionHolder exception;
    const MagickCore::MagickInfo* info = MagickCore::GetMagickInfo(magick.c_str(), exception.info);
    return info != nullptr && MagickCore::GetImageEncoder(info) != nullptr;
}

enum class ReadResult { read, refused, too_large };

ReadResult read_file_picture(const std::string& path, Magick::Image& image,
                             const ReadRequest& request, PictureSize& stored) {
    // Holding a file of up to max_file_bytes may itself fail for memory.
    try {
        const PictureFile file(path);
        std::vector<char> bytes;
        if (!file.usable() || !file.read(head_bytes, bytes))
            return ReadResult::refused;
        const auto decoder = decoder_for(std::string_view(bytes.data(), bytes.size()), path);
        if (!decoder)
            return ReadResult::refused;
        if (*decoder == "BMP" && request.use != ReadRequest::Use::whole) {
            const PictureClaim head = picture_claim(*decoder, {bytes.data(), bytes.size()});
            if (head.cols > 0 &&
                !larger_than({head.cols, head.rows}, request.maxCols, request.maxRows)) {
                const PictureSize cover = reading_size(request, {head.cols, head.rows});
                switch (read_bmp_reduced(file.fd(), {bytes.data(), bytes.size()}, file.size(),
                                         cover, image, stored)) {
                case Reduction::done:
                    return ReadResult::read;
                case Reduction::failed:
                    return ReadResult::refused;
                case Reduction::not_taken:
                    break;
                }
            }
        }
        if (!file.read(static_cast<std::size_t>(file.size()), bytes))
            return ReadResult::refused;
        const std::string_view all(bytes.data(), bytes.size());
        const PictureClaim claim = picture_claim(*decoder, all);
        if (!claim.fits)
            return ReadResult::refused;
        // Sizes are those of the picture as it is shown; the decoder's scale is asked for the
        // picture as it is stored.
        const PictureSize shown = claim.turned ? PictureSize{claim.rows, claim.cols}
                                               : PictureSize{claim.cols, claim.rows};
        if (larger_than(shown, request.maxCols, request.maxRows)) {
            stored = shown;
            return ReadResult::too_large;
        }
        PictureSize cover;
        if (claim.cols > 0 && request.use != ReadRequest::Use::whole)
            cover = reading_size(request, shown);
        if (claim.turned)
            cover = {cover.rows, cover.cols};
        if (!decode(all, *decoder, cover, image))
            return ReadResult::refused;
        // A JPEG decoded at a reduced scale knows its stored size as its base size.
        stored = {static_cast<int>(image.baseColumns()), static_cast<int>(image.baseRows())};
        if (stored.cols <= 0 || stored.rows <= 0)
            stored = {static_cast<int>(image.columns()), static_cast<int>(image.rows())};
        if (*decoder == "JPEG" && show_upright(image))
            stored = {stored.rows, stored.cols};
        // Every reader hands over red, green and blue: a picture stored in printing inks (a
        // CMYK JPEG or PSD) is converted, instead of its ink amounts being taken for them.
        if (image.colorSpace() == Magick::CMYKColorspace)
            image.colorSpace(Magick::sRGBColorspace);
        return larger_than(stored, request.maxCols, request.maxRows) ? ReadResult::too_large
                                                                     : ReadResult::read;
    } catch (...) {
        return ReadResult::refused;
    }
}

} // namespace

bool read_picture(const std::string& path, Magick::Image& image, const ReadRequest& request,
                  PictureSize& stored) {
    return read_file_picture(path, image, request, stored) == ReadResult::read;
}

bool read_picture(const std::string& path, Magick::Image& image) {
    PictureSize stored;
    return read_picture(path, image, ReadRequest{}, stored);
}

bool read_picture_or_report(const std::string& path, Magick::Image& image,
                            const ReadRequest& request, PictureSize& stored, const char* caption) {
    // A picture that reads but is larger than asked for is no reading error.
    const ReadResult result = read_file_picture(path, image, request, stored);
    if (result == ReadResult::refused)
        show_message(caption, path.c_str(), MessageIcon::none);
    return result == ReadResult::read;
}

std::FILE* open_for_reading(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return nullptr;
    std::FILE* file = ::fdopen(fd, "rb");
    if (file == nullptr)
        ::close(fd);
    return file;
}

bool write_picture(Magick::Image& image, const std::string& magick, const std::string& path) {
    try {
        if (!has_encoder(magick))
            return false;
        Magick::Blob blob;
        // Magick's PSD encoder writes a palette picture in indexed mode, which its own decoder
        // then refuses as an improper header, and a picture read from fewer than 8 bits a
        // sample with packed bits under a header of 8: either copy would be reported written
        // and never read again. A PSD is always written in whole colours of 8 bits. Its TGA
        // encoder, handed fewer than 8 bits a sample, writes two-byte pixels under a header of
        // four, which no reader takes either; a TGA too is written with samples of 8 bits.
        if (magick == "PSD" && image.classType() == Magick::PseudoClass)
            image.type(Magick::TrueColorType);
        if ((magick == "PSD" || magick == "TGA") && image.depth() < 8)
            image.depth(8);
        image.magick(magick);
        image.write(&blob);
        return write_file(path, blob);
    } catch (...) {
        return false;
    }
}

std::optional<std::string> magick_for_path(const Magick::Image& image, const std::string& path) {
    const auto ext = extension_of(path);
    if (!ext)
        return image.magick();
    if (const char* listed = format_magick_name(format_index(*ext)))
        return listed;
    return std::nullopt;
}

} // namespace zel::imaging
