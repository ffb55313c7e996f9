#include "file/zel_cipher.h"

#include "engine_codes.h"
#include "file/face_file_io.h"

#include <zel/imaging.h>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace zel::engine {
namespace {

constexpr int kKeyLength = 4;

// Creates a new, empty file beside target that nobody else holds. Empty string on failure.
std::string create_sibling(const std::string& target) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string sibling =
            target + ".part-" + std::to_string(::getpid()) + "-" + std::to_string(attempt);
        const int fd = ::open(sibling.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            ::close(fd);
            return sibling;
        }
        if (errno != EEXIST)
            break;
    }
    return {};
}

bool flush_to_disk(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool synced = ::fsync(fd) == 0;
    return ::close(fd) == 0 && synced;
}

} // namespace

int zel_is_enciphered(const char* name) {
    std::FILE* in = std::fopen(zel_file_name(name).c_str(), "rb");
    if (in == nullptr)
        return kRefused;
    const int first = std::fgetc(in);
    std::fclose(in);
    return first == '1' || first == '2' ? 0 : 1;
}

int zel_cipher_copy(const char* source, const char* target, const char* key) {
    const std::string from = zel_file_name(source);
    const std::string to = zel_file_name(target);
    if (zic_decypt(from.c_str(), to.c_str(), key, kKeyLength) != 0)
        return kRefused;
    // The cipher stops at a read error as at the end of the file: only a whole copy counts.
    return file_size(from) == file_size(to) ? kOk : kRefused;
}

int zel_copy_plain(const char* target, const char* source) {
    std::string text;
    if (read_face_file(zel_file_name(source), text) != kOk)
        return kRefused;
    return write_whole_file(zel_file_name(target), text) == kOk ? kOk : kRefused;
}

int zel_encipher_replace(const std::string& plainPath, const std::string& targetPath,
                         const char* key) {
    const std::string sibling = create_sibling(targetPath);
    if (sibling.empty())
        return kRefused;
    const bool whole = zic_encypt(plainPath.c_str(), sibling.c_str(), key, kKeyLength) == 0 &&
                       file_size(sibling) == file_size(plainPath) && flush_to_disk(sibling);
    if (!whole || std::rename(sibling.c_str(), targetPath.c_str()) != 0) {
        std::remove(sibling.c_str());
        return kRefused;
    }
    return kOk;
}

} // namespace zel::engine
