#include "zel/common/file_replace.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zel {
namespace {

// How many links a target may lie behind, as the kernel allows when it follows them itself.
constexpr int kMaxLinks = 40;

std::string folder_of(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string name_of(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The file a save to path writes: path itself, or the file at the end of its links (which need
// not exist yet). Empty when the links go round or cannot be read.
std::string through_links(std::string path) {
    for (int hop = 0; hop <= kMaxLinks; ++hop) {
        struct stat st {};
        if (::lstat(path.c_str(), &st) != 0)
            return errno == ENOENT ? path : std::string();
        if (!S_ISLNK(st.st_mode))
            return path;
        char link[PATH_MAX];
        const ssize_t length = ::readlink(path.c_str(), link, sizeof link - 1);
        if (length <= 0)
            return {};
        const std::string to(link, static_cast<std::size_t>(length));
        path = to.front() == '/' ? to : folder_of(path) + '/' + to;
    }
    return {};
}

// The start of every sibling name of a target named name: "." and the name, cut so that a
// whole sibling name stays within the file system's limit.
std::string sibling_prefix(const std::string& name) {
    constexpr std::size_t kRoomForNumbers = 40;
    std::string prefix(1, '.');
    prefix.append(name, 0, NAME_MAX - kRoomForNumbers);
    prefix.append(".part-");
    return prefix;
}

bool same_file(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// True when the file open as fd is still the one named path.
bool still_named(int fd, const std::string& path) {
    struct stat held {};
    struct stat named {};
    return ::fstat(fd, &held) == 0 && ::lstat(path.c_str(), &named) == 0 && same_file(held, named);
}

// Removes the siblings of a target that no running save holds: a save holds its sibling locked
// until its rename, and the kernel lets the lock go however the save ends.
void remove_stale_siblings(const std::string& folder, const std::string& prefix) {
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr)
        return;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name.compare(0, prefix.size(), prefix) != 0)
            continue;
        const std::string path = folder + '/' + name;
        struct stat st {};
        if (::lstat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode) || st.st_uid != ::geteuid())
            continue;
        const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK);
        if (fd < 0)
            continue;
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && still_named(fd, path))
            ::unlink(path.c_str());
        ::close(fd);
    }
    ::closedir(dir);
}

// A new sibling of the target, created empty and locked by this process. The mode it was made
// with (what a plain write of a new file would give) is kept in `fresh_mode`; it is closed to
// everyone else until the save gives it its final mode.
struct Sibling {
    std::string path;
    int fd = -1;
    mode_t fresh_mode = 0;
};

Sibling create_sibling(const std::string& folder, const std::string& prefix) {
    const std::string start = folder + '/' + prefix + std::to_string(::getpid()) + '-';
    for (int attempt = 0; attempt < 100; ++attempt) {
        Sibling s;
        s.path = start + std::to_string(attempt);
        s.fd = ::open(s.path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
        if (s.fd < 0) {
            if (errno == EEXIST)
                continue;
            return {};
        }
        struct stat st {};
        // Another save's clean-up may take a new sibling away before it is locked.
        if (::fstat(s.fd, &st) == 0 && ::fchmod(s.fd, 0600) == 0 &&
            ::flock(s.fd, LOCK_EX | LOCK_NB) == 0 && still_named(s.fd, s.path)) {
            s.fresh_mode = st.st_mode & 0777;
            return s;
        }
        ::close(s.fd);
    }
    return {};
}

// Gives the written sibling the existing file's owner, group and permission bits.
void take_over_attributes(int fd, const struct stat& old) {
    mode_t mode = old.st_mode & 0777;
    if (::fchown(fd, old.st_uid, old.st_gid) != 0 &&
        ::fchown(fd, static_cast<uid_t>(-1), old.st_gid) != 0) {
        // The group the file was shared with cannot be kept: its rights are not handed to
        // the group the new file has instead.
        mode &= ~static_cast<mode_t>(070);
    }
    ::fchmod(fd, mode);
}

void flush_folder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace

bool replace_file(const std::string& target, const FileWriter& write) {
    if (target.empty() || !write)
        return false;
    const std::string file = through_links(target);
    if (file.empty())
        return false;
    struct stat old {};
    const bool exists = ::stat(file.c_str(), &old) == 0;
    if (!exists && errno != ENOENT)
        return false;
    // A rename needs only the folder's permission: the file's own is asked for here.
    if (exists &&
        (!S_ISREG(old.st_mode) || ::faccessat(AT_FDCWD, file.c_str(), W_OK, AT_EACCESS) != 0))
        return false;

    const std::string folder = folder_of(file);
    const std::string prefix = sibling_prefix(name_of(file));
    remove_stale_siblings(folder, prefix);
    Sibling sibling = create_sibling(folder, prefix);
    if (sibling.fd < 0)
        return false;
    bool saved =
        write(sibling.path) && still_named(sibling.fd, sibling.path) && ::fsync(sibling.fd) == 0;
    if (saved) {
        if (exists)
            take_over_attributes(sibling.fd, old);
        else
            ::fchmod(sibling.fd, sibling.fresh_mode);
        saved = std::rename(sibling.path.c_str(), file.c_str()) == 0;
    }
    if (saved)
        flush_folder(folder);
    else if (still_named(sibling.fd, sibling.path))
        ::unlink(sibling.path.c_str());
    ::close(sibling.fd);
    return saved;
}

} // namespace zel
