#pragma once
// Cases a test makes in a process of its own: a save by a user who is not root, a file system
// that is full. Each runs in a child made by fork, so what it changes (its user, its mounts)
// goes when it ends.

#include <sys/types.h>

#include <functional>
#include <string>
#include <vector>

namespace zel::testing {

// Runs body in a child process and hands back its answer: empty when every check held, else
// what went wrong; an answer starting with "skip:" tells that the machine cannot make the case.
// A child that dies gives an answer saying so.
std::string in_child(const std::function<std::string()>& body);

// In a child: a process running as root becomes the unprivileged user "nobody" with groups as
// its supplementary groups; any other process stays as it is. Empty, or a "skip:" answer.
std::string become_unprivileged(const std::vector<gid_t>& groups = {});

// Runs the program argv[0] with its arguments as become_unprivileged's user, with the
// environment variables `env` ("NAME=value") added, and hands back what it wrote to its standard
// output; a "skip:" answer when there is no such user. For code that must not run in a child
// made by fork alone (a library with threads of its own).
std::string run_unprivileged(const std::vector<std::string>& argv,
                             const std::vector<std::string>& env = {});

// The user and group ids become_unprivileged gives (this process's own when it is not root);
// false when there is no such user.
bool unprivileged_ids(uid_t& uid, gid_t& gid);

// A fresh folder below /tmp that become_unprivileged's user owns, for the files of a case that
// runs as that user (root's private work folder is no such place); removed with all it holds
// when the object goes. made() is false when there is no such user.
class UnprivilegedFolder {
public:
    explicit UnprivilegedFolder(const std::string& name);
    ~UnprivilegedFolder();
    UnprivilegedFolder(const UnprivilegedFolder&) = delete;
    UnprivilegedFolder& operator=(const UnprivilegedFolder&) = delete;

    bool made() const { return !m_path.empty(); }
    const std::string& path() const { return m_path; }
    uid_t uid() const { return m_uid; }
    gid_t gid() const { return m_gid; }

private:
    std::string m_path;
    uid_t m_uid = 0;
    gid_t m_gid = 0;
};

// In a child: a file system of `bytes` mounted on folder (which must exist), in a mount
// namespace of the child's own. Empty, or a "skip:" answer when mounting is not allowed here.
std::string mount_small_file_system(const std::string& folder, std::size_t bytes);

} // namespace zel::testing
