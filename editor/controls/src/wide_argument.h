#pragma once
// A wide copy of a text for the wide form of a menu operation.

#include "zel/platform/wide_text.h"

#include <string>

namespace zel::controls {

// A null text stays null.
class WideText {
public:
    explicit WideText(const char* text)
        : m_null(text == nullptr), m_text(zel::platform::widen(text)) {}
    operator const wchar_t*() const { return m_null ? nullptr : m_text.c_str(); }

private:
    bool m_null;
    std::wstring m_text;
};

} // namespace zel::controls
