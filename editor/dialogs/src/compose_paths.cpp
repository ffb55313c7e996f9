#include "zel/dialogs/compose_paths.h"

namespace zel::dialogs {

std::string composed_backup_path(const std::string& composed) {
    const std::size_t slash = composed.find_last_of('/');
    const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    const std::size_t dot = composed.find_last_of('.');
    const bool hasExtension = dot != std::string::npos && dot > nameStart;
    return (hasExtension ? composed.substr(0, dot) : composed) + "_tmp.bmp";
}

} // namespace zel::dialogs
