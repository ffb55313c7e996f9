#include "zel/platform/wide_text.h"

#include <QString>

namespace zel::platform {

std::wstring widen(const char* utf8) {
    return utf8 != nullptr ? QString::fromUtf8(utf8).toStdWString() : std::wstring();
}

std::string narrow(const std::wstring& wide) {
    return QString::fromStdWString(wide).toStdString();
}

} // namespace zel::platform
