// The byte cipher of the body and background picture libraries. It streams through fixed
// buffers rather than a byte at a time; the bytes written are the same.

#include "zel/imaging.h"

#include <cstdio>
#include <fcntl.h>
#include <memory>
#include <new>
#include <sys/stat.h>
#include <unistd.h>

namespace {

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

constexpr std::size_t chunk_bytes = 1 << 20;

// Opens src for reading when it is a regular file that is not dst itself. Opening dst with "wb"
// empties it before a byte of src is read, so a src that is dst (under any name or link) would
// be lost and reported enciphered; a folder or a pipe would empty dst and give nothing, or hold
// the caller until a writer came. Such a src is refused before dst is touched.
File open_source(const char* src, const char* dst) {
    const int fd = ::open(src, O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return nullptr;
    struct stat in {};
    struct stat out {};
    const bool usable =
        ::fstat(fd, &in) == 0 && S_ISREG(in.st_mode) &&
        !(::stat(dst, &out) == 0 && out.st_dev == in.st_dev && out.st_ino == in.st_ino);
    std::FILE* file = usable ? ::fdopen(fd, "rb") : nullptr;
    if (file == nullptr)
        ::close(fd);
    return File(file);
}

int cipher_copy(const char* src, const char* dst, const char* key, int keyLen) {
    if (src == nullptr || dst == nullptr || key == nullptr || keyLen < 1)
        return -11;
    File in = open_source(src, dst);
    if (!in)
        return -11;
    std::FILE* out = std::fopen(dst, "wb");
    if (out == nullptr)
        return -11;
    const std::unique_ptr<unsigned char[]> buffer(new (std::nothrow) unsigned char[chunk_bytes]);
    if (!buffer) {
        std::fclose(out);
        return -11;
    }
    const auto* keyBytes = reinterpret_cast<const unsigned char*>(key);
    const std::size_t keySize = static_cast<std::size_t>(keyLen);
    std::size_t position = 0;
    bool written = true;
    // A read error ends the stream as the end of the file does (and is reported below).
    for (std::size_t got;
         written && (got = std::fread(buffer.get(), 1, chunk_bytes, in.get())) > 0;) {
        for (std::size_t i = 0; i < got; ++i) {
            buffer[i] = static_cast<unsigned char>(~buffer[i] ^ keyBytes[position]);
            if (++position == keySize)
                position = 0;
        }
        written = std::fwrite(buffer.get(), 1, got, out) == got;
    }
    // A read error or a full disk must not pass for a finished file.
    const bool read = std::ferror(in.get()) == 0;
    const bool closed = std::fclose(out) == 0;
    return read && written && closed ? 0 : -11;
}

} // namespace

int zic_encypt(const char* src, const char* dst, const char* key, int keyLen) {
    return cipher_copy(src, dst, key, keyLen);
}

int zic_decypt(const char* src, const char* dst, const char* key, int keyLen) {
    return cipher_copy(src, dst, key, keyLen);
}
