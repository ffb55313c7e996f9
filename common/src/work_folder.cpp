#include "zel/common/work_folder.h"

#include <cerrno>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

namespace zel {
namespace {

std::string env(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::string(value) : std::string();
}

std::string without_trailing_slash(std::string path) {
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    return path;
}

// Creates every missing folder of path; the last one owner-only, the parents with the
// default mode (they are the user's own, like ~/.cache).
bool make_folders(const std::string& path) {
    for (std::size_t slash = path.find('/', 1); slash != std::string::npos;
         slash = path.find('/', slash + 1)) {
        const std::string parent = path.substr(0, slash);
        if (::mkdir(parent.c_str(), 0755) != 0 && errno != EEXIST)
            return false;
    }
    return ::mkdir(path.c_str(), 0700) == 0 || errno == EEXIST;
}

// A folder is private when it is a real directory (not a link to one), ours, and closed to
// group and others.
bool is_private_folder(const std::string& path) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0)
        return false;
    return S_ISDIR(st.st_mode) && st.st_uid == ::geteuid() && (st.st_mode & 077) == 0;
}

bool usable(const std::string& path) {
    if (path.empty() || path.front() != '/')
        return false;
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0 && !make_folders(path))
        return false;
    return is_private_folder(path);
}

} // namespace

std::string work_folder() {
    std::string candidates[3];
    candidates[0] = without_trailing_slash(env("ZEL_WORKDIR"));
    if (const std::string runtime = env("XDG_RUNTIME_DIR"); !runtime.empty())
        candidates[1] = without_trailing_slash(runtime) + "/zel-editor";
    if (const std::string home = env("HOME"); !home.empty())
        candidates[2] = without_trailing_slash(home) + "/.cache/zel-editor";
    for (const std::string& candidate : candidates) {
        if (usable(candidate))
            return candidate;
    }
    return {};
}

std::string work_path(std::string_view name) {
    std::string folder = work_folder();
    if (folder.empty())
        return {};
    folder += '/';
    folder += name;
    return folder;
}

} // namespace zel
