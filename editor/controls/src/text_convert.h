#pragma once
// Between the program's code page (UTF-8) and the wide texts of the menus.

#include <string>

namespace zel::controls {
std::wstring widen(const char* text);
std::string narrow(const std::wstring& text);
} // namespace zel::controls
