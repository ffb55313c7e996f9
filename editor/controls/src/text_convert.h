#pragma once
// Between the program's code page (UTF-8) and the wide texts of the menus.

#include <string>

namespace zel::controls {

std::wstring widen(const char* text);
std::string narrow(const std::wstring& text);

// A wide copy of a text for the wide form of an operation; a null text stays null.
class WideText {
public:
    explicit WideText(const char* text) : m_null(text == nullptr), m_text(widen(text)) {}
    operator const wchar_t*() const { return m_null ? nullptr : m_text.c_str(); }

private:
    bool m_null;
    std::wstring m_text;
};

} // namespace zel::controls
