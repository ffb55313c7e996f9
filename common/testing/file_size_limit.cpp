#include "zel/testing/file_size_limit.h"

namespace zel::testing {

FileSizeLimit::FileSizeLimit(rlim_t bytes) {
    if (::getrlimit(RLIMIT_FSIZE, &m_old) != 0)
        return;
    m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    m_handled = true;
    rlimit tight = m_old;
    tight.rlim_cur = bytes;
    m_set = ::setrlimit(RLIMIT_FSIZE, &tight) == 0;
}

FileSizeLimit::~FileSizeLimit() {
    if (m_set)
        ::setrlimit(RLIMIT_FSIZE, &m_old);
    if (m_handled)
        std::signal(SIGXFSZ, m_oldHandler);
}

} // namespace zel::testing
