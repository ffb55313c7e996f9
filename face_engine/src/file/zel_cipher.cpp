#include "file/zel_cipher.h"

#include "engine_codes.h"
#include "file/face_file_io.h"

#include <zel/common/file_replace.h>
#include <zel/imaging.h>

#include <cstdio>

namespace zel::engine {
namespace {

constexpr int kKeyLength = 4;

} // namespace

int zel_is_enciphered(const std::string& path) {
    std::FILE* in = std::fopen(path.c_str(), "rb");
    if (in == nullptr)
        return kRefused;
    const int first = std::fgetc(in);
    std::fclose(in);
    return first == '1' || first == '2' ? 0 : 1;
}

int zel_cipher_copy(const std::string& source, const std::string& target, const char* key) {
    if (zic_decypt(source.c_str(), target.c_str(), key, kKeyLength) != 0)
        return kRefused;
    // The cipher stops at a read error as at the end of the file: only a whole copy counts.
    return file_size(source) == file_size(target) ? kOk : kRefused;
}

int zel_copy_plain(const std::string& target, const std::string& source) {
    std::string text;
    if (read_face_file(source, text) != kOk)
        return kRefused;
    return write_whole_file(target, text) == kOk ? kOk : kRefused;
}

int zel_encipher_replace(const std::string& plainPath, const std::string& targetPath,
                         const char* key) {
    const bool saved = zel::replace_file(targetPath, [&](const std::string& sibling) {
        return zic_encypt(plainPath.c_str(), sibling.c_str(), key, kKeyLength) == 0 &&
               file_size(sibling) == file_size(plainPath);
    });
    return saved ? kOk : kRefused;
}

} // namespace zel::engine
