#include "zel/testing/processes.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

namespace zel::testing {
namespace {

bool write_text(const char* path, const std::string& text) {
    const int fd = ::open(path, O_WRONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool written = ::write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size());
    return ::close(fd) == 0 && written;
}

std::string reason(const char* what) {
    return std::string("skip: ") + what + ": " + std::strerror(errno);
}

} // namespace

std::string in_child(const std::function<std::string()>& body) {
    int pipe_ends[2];
    if (::pipe(pipe_ends) != 0)
        return "no pipe";
    const pid_t child = ::fork();
    if (child < 0)
        return "no child process";
    if (child == 0) {
        ::close(pipe_ends[0]);
        const std::string answer = body();
        const bool told = ::write(pipe_ends[1], answer.data(), answer.size()) ==
                          static_cast<ssize_t>(answer.size());
        ::_exit(told ? 0 : 1);
    }
    ::close(pipe_ends[1]);
    std::string answer;
    char chunk[512];
    for (ssize_t got; (got = ::read(pipe_ends[0], chunk, sizeof chunk)) > 0;)
        answer.append(chunk, static_cast<std::size_t>(got));
    ::close(pipe_ends[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        answer += " (the child process did not end normally)";
    return answer;
}

bool unprivileged_ids(uid_t& uid, gid_t& gid) {
    if (::geteuid() != 0) {
        uid = ::geteuid();
        gid = ::getegid();
        return true;
    }
    const passwd* nobody = ::getpwnam("nobody");
    if (nobody == nullptr || nobody->pw_uid == 0)
        return false;
    uid = nobody->pw_uid;
    gid = nobody->pw_gid;
    return true;
}

std::string become_unprivileged(const std::vector<gid_t>& groups) {
    if (::geteuid() != 0)
        return {};
    uid_t uid = 0;
    gid_t gid = 0;
    if (!unprivileged_ids(uid, gid))
        return "skip: no unprivileged user \"nobody\" to run as";
    if (::setgroups(groups.size(), groups.data()) != 0)
        return reason("setgroups");
    if (::setgid(gid) != 0)
        return reason("setgid");
    if (::setuid(uid) != 0)
        return reason("setuid");
    return ::geteuid() != 0 ? std::string() : "skip: still root";
}

std::string mount_small_file_system(const std::string& folder, std::size_t bytes) {
    if (::geteuid() == 0) {
        if (::unshare(CLONE_NEWNS) != 0)
            return reason("unshare");
    } else {
        // A user namespace of its own lets an ordinary user mount, where the system allows it.
        const std::string uid = std::to_string(::geteuid());
        const std::string gid = std::to_string(::getegid());
        if (::unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0)
            return reason("unshare");
        if (!write_text("/proc/self/uid_map", "0 " + uid + " 1\n") ||
            !write_text("/proc/self/setgroups", "deny") ||
            !write_text("/proc/self/gid_map", "0 " + gid + " 1\n"))
            return reason("user namespace maps");
    }
    if (::mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
        return reason("private mounts");
    const std::string options = "size=" + std::to_string(bytes) + ",mode=0755";
    if (::mount("tmpfs", folder.c_str(), "tmpfs", 0, options.c_str()) != 0)
        return reason("mount tmpfs");
    return {};
}

} // namespace zel::testing
