#include "zel/common/data_folder.h"

#include <climits>
#include <cstdlib>
#include <dlfcn.h>
#include <filesystem>
#include <link.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

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

std::string resolved(const std::string& path) {
    char out[PATH_MAX];
    return ::realpath(path.c_str(), out) == nullptr ? std::string() : std::string(out);
}

// The file of the shared library this copy of the lookup was linked into, empty when it is the
// program's own: every library carries its own copy, so a library finds the data of the
// installation it belongs to, whichever program loaded it.
std::string holding_library() {
    static const char anchor = 0;
    Dl_info info{};
    link_map* map = nullptr;
    if (::dladdr1(&anchor, &info, reinterpret_cast<void**>(&map), RTLD_DL_LINKMAP) == 0 ||
        map == nullptr || map->l_name == nullptr || *map->l_name == '\0')
        return {};
    return resolved(map->l_name);
}

// The data folder at `relative` from the folder of `file`, a resolved path, so that its ".."
// steps are undone by name alone; empty when there is none.
std::string share_beside(const std::string& file, const char* relative) {
    const std::filesystem::path folder = std::filesystem::path(file).parent_path() / relative;
    const std::string normal = without_trailing_slash(folder.lexically_normal().string());
    return is_folder(normal.c_str()) ? normal : std::string();
}

// The file holding this code, and where its tree's share folder lies from that file's folder.
struct OwnFile {
    std::string path;
    const char* toShare;
};

// Found once: a loaded library or a running program stays where it was found, and resolving
// it walks every link of its path, which the template lookups would otherwise repeat on each
// read of a table.
const OwnFile& own_file() {
    static const OwnFile file = [] {
        if (std::string library = holding_library(); !library.empty())
            return OwnFile{std::move(library), ZEL_DATA_FROM_LIBDIR};
        return OwnFile{resolved("/proc/self/exe"), ZEL_DATA_FROM_BINDIR};
    }();
    return file;
}

// The share folder of the installed tree that holds this code (<prefix>/share/zel-editor for
// <prefix>/bin/program or <prefix>/lib/library), so that an installation works wherever it was
// put; empty when there is none. Looked for on every call: the folder may come or go.
std::string beside_installation() {
    const OwnFile& own = own_file();
    return own.path.empty() ? std::string() : share_beside(own.path, own.toShare);
}

} // namespace

std::string data_folder() {
    if (const char* dir = std::getenv("ZEL_DATA_DIR"); dir && *dir)
        return without_trailing_slash(dir);
    if (std::string beside = beside_installation(); !beside.empty())
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
