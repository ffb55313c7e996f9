#include "zel/common/work_folder.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <mutex>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

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

// What a choice of private folder is found to be; every answer but usable refuses it.
enum class FolderState {
    usable,
    not_absolute,
    cannot_create,
    link,
    not_folder,
    not_owned,
    open_to_others,
};

// A folder is private when it is a real directory (not a link to one), ours, and closed to
// group and others.
FolderState examine_existing(const std::string& path) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0)
        return FolderState::cannot_create;
    if (S_ISLNK(st.st_mode))
        return FolderState::link;
    if (!S_ISDIR(st.st_mode))
        return FolderState::not_folder;
    if (st.st_uid != ::geteuid())
        return FolderState::not_owned;
    return (st.st_mode & 077) == 0 ? FolderState::usable : FolderState::open_to_others;
}

bool is_private_folder(const std::string& path) {
    return examine_existing(path) == FolderState::usable;
}

// Examines a choice of private folder, making it (owner-only) when it does not exist. errno
// tells why it could not be made.
FolderState examine(const std::string& path) {
    if (path.empty() || path.front() != '/')
        return FolderState::not_absolute;
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0 && !make_folders(path))
        return FolderState::cannot_create;
    return examine_existing(path);
}

// The person's words for a refused choice; error is errno as examine left it.
std::string refusal(FolderState state, int error) {
    switch (state) {
    case FolderState::not_absolute:
        return "it is not an absolute path";
    case FolderState::cannot_create:
        return std::string("it does not exist and cannot be made (") + std::strerror(error) + ")";
    case FolderState::link:
        return "it is a symbolic link";
    case FolderState::not_folder:
        return "it is not a folder";
    case FolderState::not_owned:
        return "it belongs to another user";
    case FolderState::open_to_others:
        return "its group or other users may enter it";
    case FolderState::usable:
        break;
    }
    return {};
}

// A work space held by this process. The lock lives as long as its descriptor stays open,
// which is the rest of the process's life; the kernel lets it go when the process ends, however
// it ends, so a crashed editor never keeps its space.
struct Claim {
    std::string folder;
    std::string space;
    pid_t owner;
};

std::mutex g_claims_mutex;
std::vector<Claim> g_claims;

std::string decimal(pid_t pid) {
    return std::to_string(static_cast<long>(pid));
}

// Each library links its own copy of this code, and each copy keeps its own claims; what makes
// them agree on one space per process is the lock file, which names the process that holds it.
// Taking a free lock writes our process number into it; a lock that is held and names us is
// held by another copy in this process. A lock named by a process that has ended is free, so
// a stale number never counts; a child made by fork shares its parent's locks but not its
// number, so it claims a space of its own.
bool own_space(const std::string& space, pid_t self) {
    const std::string lock = space + "/space.lock";
    const int fd = ::open(lock.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0)
        return false;
    const std::string number = decimal(self);
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
        // Kept open for the rest of the process's life: closing it would free the space.
        const bool named =
            ::ftruncate(fd, 0) == 0 &&
            ::pwrite(fd, number.data(), number.size(), 0) == static_cast<ssize_t>(number.size());
        if (!named)
            ::close(fd);
        return named;
    }
    char holder[32] = {};
    const ssize_t got = ::pread(fd, holder, sizeof holder - 1, 0);
    ::close(fd);
    return got > 0 && number == holder;
}

std::string claim_space(const std::string& folder, pid_t self) {
    for (int n = 1; n <= work_space_count; ++n) {
        const std::string space = folder + '/' + std::to_string(n);
        if (::mkdir(space.c_str(), 0700) != 0 && errno != EEXIST)
            continue;
        if (is_private_folder(space) && own_space(space, self))
            return space;
    }
    return {};
}

} // namespace

std::string private_folder() {
    // A folder the person named is the only choice: another one in its place would hide
    // that the named one cannot serve.
    if (const std::string named = without_trailing_slash(env("ZEL_WORKDIR")); !named.empty())
        return examine(named) == FolderState::usable ? named : std::string();
    std::string candidates[2];
    if (const std::string runtime = env("XDG_RUNTIME_DIR"); !runtime.empty())
        candidates[0] = without_trailing_slash(runtime) + "/zel-editor";
    if (const std::string home = env("HOME"); !home.empty())
        candidates[1] = without_trailing_slash(home) + "/.cache/zel-editor";
    for (const std::string& candidate : candidates) {
        if (examine(candidate) == FolderState::usable)
            return candidate;
    }
    return {};
}

std::string work_folder() {
    const std::string folder = private_folder();
    if (folder.empty())
        return {};
    const pid_t self = ::getpid();
    const std::lock_guard<std::mutex> hold(g_claims_mutex);
    for (auto claim = g_claims.begin(); claim != g_claims.end(); ++claim) {
        if (claim->folder != folder || claim->owner != self)
            continue;
        if (is_private_folder(claim->space))
            return claim->space;
        // The space was taken away (removed, replaced by a link, opened to others): a space is
        // claimed again, with a lock on a file of its own, as on the first call.
        g_claims.erase(claim);
        break;
    }
    std::string space = claim_space(folder, self);
    if (!space.empty())
        g_claims.push_back(Claim{folder, space, self});
    return space;
}

namespace {

// Why no space of a usable private folder could be claimed.
std::string space_problem(const std::string& folder) {
    for (int n = 1; n <= work_space_count; ++n) {
        const std::string space = folder + '/' + std::to_string(n);
        if (::mkdir(space.c_str(), 0700) != 0 && errno != EEXIST)
            return std::string("no work space can be made in it (") + std::strerror(errno) + ")";
        if (!is_private_folder(space))
            return "its work space " + space + " is not a private folder";
        // Opened and closed again without a lock of its own: the locks this process holds on
        // other descriptions stay.
        const int fd = ::open((space + "/space.lock").c_str(),
                              O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
        if (fd < 0)
            return std::string("no work space in it can be locked (") + std::strerror(errno) + ")";
        ::close(fd);
    }
    return "all " + std::to_string(work_space_count) +
           " of its work spaces are held by other running editors";
}

} // namespace

std::string work_folder_problem() {
    if (!work_folder().empty())
        return {};
    std::string folder = without_trailing_slash(env("ZEL_WORKDIR"));
    if (!folder.empty()) {
        const FolderState state = examine(folder);
        const int error = errno;
        if (state != FolderState::usable)
            return "The work folder ZEL_WORKDIR names, " + folder +
                   ", cannot serve as a private folder: " + refusal(state, error) + ".";
    } else {
        folder = private_folder();
        if (folder.empty())
            return "No private folder for work files can be used ($XDG_RUNTIME_DIR/zel-editor "
                   "or ~/.cache/zel-editor).";
    }
    return "The work folder " + folder + " cannot be used: " + space_problem(folder) + ".";
}

std::string work_path(std::string_view name) {
    std::string folder = work_folder();
    if (folder.empty())
        return {};
    folder += '/';
    folder += name;
    return folder;
}

bool is_work_file(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos || slash + 1 == path.size())
        return false;
    const std::string space = work_folder();
    struct stat folder {};
    struct stat own {};
    return !space.empty() && ::stat(path.substr(0, slash).c_str(), &folder) == 0 &&
           ::stat(space.c_str(), &own) == 0 && folder.st_dev == own.st_dev &&
           folder.st_ino == own.st_ino;
}

} // namespace zel
