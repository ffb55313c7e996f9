#pragma once
// Wide texts, as the editor's owner-drawn menus keep their labels, to and from the program's
// UTF-8 text. Bytes that are no UTF-8 become U+FFFD.

#include <string>

namespace zel::platform {

// A null text gives an empty one.
std::wstring widen(const char* utf8);
std::string narrow(const std::wstring& wide);

} // namespace zel::platform
