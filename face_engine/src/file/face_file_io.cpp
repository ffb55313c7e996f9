#include "file/face_file_io.h"

#include "file/face_file_limits.h"

#include <zel/face_engine.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <memory>
#include <sys/stat.h>

namespace zel::engine {
namespace {

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

} // namespace

std::string zel_file_name(std::string_view name) {
    std::string path(name);
    path += ".zel";
    return path;
}

std::string face_file_path(const char* name) {
    std::string stem(name);
    take_off_ext(stem.data());
    stem.resize(std::strlen(stem.c_str()));
    const std::string_view extension = std::string_view(name).substr(stem.size());
    const bool zel = extension.size() == 4 &&
                     std::equal(extension.begin(), extension.end(), ".zel", [](char a, char b) {
                         return std::tolower(static_cast<unsigned char>(a)) == b;
                     });
    return zel ? std::string(name) : zel_file_name(stem);
}

long long file_size(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        return -1;
    return static_cast<long long>(st.st_size);
}

int read_face_file(const std::string& path, std::string& text) {
    text.clear();
    File in(std::fopen(path.c_str(), "rb"));
    if (!in)
        return -10;
    struct stat st {};
    if (::fstat(::fileno(in.get()), &st) == 0 && st.st_size > 0) {
        if (static_cast<unsigned long long>(st.st_size) > kMaxFaceFileBytes)
            return -11;
        text.reserve(static_cast<std::size_t>(st.st_size));
    }
    // The size is only a hint (a pipe, a file that grows): the bound holds for what is read.
    char chunk[1 << 16];
    std::size_t got = 0;
    while ((got = std::fread(chunk, 1, sizeof chunk, in.get())) > 0) {
        if (text.size() + got > kMaxFaceFileBytes) {
            text.clear();
            return -11;
        }
        text.append(chunk, got);
    }
    if (std::ferror(in.get())) {
        text.clear();
        return -10;
    }
    return 0;
}

int write_whole_file(const std::string& path, std::string_view data) {
    std::FILE* out = std::fopen(path.c_str(), "wb");
    if (out == nullptr)
        return -10;
    const bool written = std::fwrite(data.data(), 1, data.size(), out) == data.size();
    const bool closed = std::fclose(out) == 0;
    return written && closed ? 0 : -10;
}

} // namespace zel::engine
