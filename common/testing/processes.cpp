#include "zel/testing/processes.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
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

std::string run_unprivileged(const std::vector<std::string>& argv,
                             const std::vector<std::string>& env) {
    return in_child([&]() -> std::string {
        if (std::string dropped = become_unprivileged(); !dropped.empty())
            return dropped;
        for (const std::string& setting : env)
            ::putenv(const_cast<char*>(setting.c_str()));
        int out[2];
        if (::pipe(out) != 0)
            return "no pipe";
        const pid_t program = ::fork();
        if (program == 0) {
            ::dup2(out[1], STDOUT_FILENO);
            ::close(out[0]);
            ::close(out[1]);
            std::vector<char*> args;
            for (const std::string& arg : argv)
                args.push_back(const_cast<char*>(arg.c_str()));
            args.push_back(nullptr);
            ::execv(args[0], args.data());
            ::_exit(127);
        }
        ::close(out[1]);
        std::string output;
        char chunk[512];
        for (ssize_t got; (got = ::read(out[0], chunk, sizeof chunk)) > 0;)
            output.append(chunk, static_cast<std::size_t>(got));
        ::close(out[0]);
        int status = 0;
        ::waitpid(program, &status, 0);
        // 127: the program or its libraries cannot be read by that user (a build in a private
        // home folder).
        if (WIFEXITED(status) && WEXITSTATUS(status) == 127)
            return "skip: " + argv.front() + " cannot be run as another user here";
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
            output += " (" + argv.front() + " did not end normally)";
        return output;
    });
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

UnprivilegedFolder::UnprivilegedFolder(const std::string& name) {
    if (!unprivileged_ids(m_uid, m_gid))
        return;
    std::string pattern = "/tmp/" + name + "-XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr)
        return;
    if (::chown(pattern.c_str(), m_uid, m_gid) != 0) {
        ::rmdir(pattern.c_str());
        return;
    }
    m_path = pattern;
}

UnprivilegedFolder::~UnprivilegedFolder() {
    if (made()) {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
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
