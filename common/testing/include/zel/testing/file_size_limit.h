#pragma once
// A disk that fills up, for as long as the object lives: no file of this process grows past a
// number of bytes (a write beyond it fails with EFBIG instead of ending the process).

#include <sys/resource.h>

#include <csignal>

namespace zel::testing {

class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

    // False when the limit could not be set (the test cannot make its case).
    bool set() const { return m_set; }

private:
    rlimit m_old{};
    void (*m_oldHandler)(int) = SIG_DFL;
    bool m_handled = false;
    bool m_set = false;
};

} // namespace zel::testing
