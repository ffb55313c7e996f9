// The byte cipher of the body and background picture libraries. It streams through fixed
// buffers rather than a byte at a time; the bytes written are the same.

#include "zel/imaging.h"

#include <cstdio>
#include <memory>
#include <new>

namespace {

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

constexpr std::size_t chunk_bytes = 1 << 20;

int cipher_copy(const char* src, const char* dst, const char* key, int keyLen) {
    if (src == nullptr || dst == nullptr || key == nullptr || keyLen < 1)
        return -11;
    File in(std::fopen(src, "rb"));
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
