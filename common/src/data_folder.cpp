#include "zel/common/data_folder.h"

#include <cstdlib>
#include <sys/stat.h>

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

} // namespace

std::string data_folder() {
    if (const char* dir = std::getenv("ZEL_DATA_DIR"); dir && *dir)
        return without_trailing_slash(dir);
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
