#include "zel/common/data_folder.h"

#include <climits>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

namespace zel {
namespace {

bool is_folder(const char* path) {
    struct stat st {};
    return ::stat(path, &st) == 0 && S_ISDIR(st.st_mode);
}

std::string without_trailing_slash(std::string path) {
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    return path;
}

// The share folder of the installed tree the running program belongs to (<prefix>/bin/..), so
// that an installation works wherever it was put; empty when there is none.
std::string beside_program() {
    char exe[PATH_MAX];
    const ssize_t n = ::readlink("/proc/self/exe", exe, sizeof exe - 1);
    if (n <= 0)
        return {};
    exe[n] = '\0';
    std::string candidate(exe);
    candidate.erase(candidate.rfind('/'));
    candidate += "/../share/zel-editor";
    char resolved[PATH_MAX];
    if (::realpath(candidate.c_str(), resolved) == nullptr || !is_folder(resolved))
        return {};
    return resolved;
}

} // namespace

std::string data_folder() {
    if (const char* dir = std::getenv("ZEL_DATA_DIR"); dir && *dir)
        return without_trailing_slash(dir);
    if (std::string beside = beside_program(); !beside.empty())
        return beside;
    if (is_folder(ZEL_DATA_INSTALL_DIR))
        return ZEL_DATA_INSTALL_DIR;
    return ZEL_DATA_BUILD_DIR;
}

std::string data_path(std::string_view relative) {
    std::string path = data_folder();
    path += '/';
    path += relative;
    return path;
}

} // namespace zel
