#include "text_convert.h"

namespace zel::controls {

std::wstring widen(const char* text) {
    std::wstring out;
    if (text == nullptr) {
        return out;
    }
    const auto* p = reinterpret_cast<const unsigned char*>(text);
    while (*p != 0) {
        unsigned c = *p;
        int extra = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : 0;
        if (c >= 0x80 && c < 0xC0) {
            out += L'?'; // a stray continuation byte
            ++p;
            continue;
        }
        unsigned code = extra == 0 ? c : (c & (0x3Fu >> extra));
        ++p;
        for (; extra > 0; --extra, ++p) {
            if ((*p & 0xC0) != 0x80) {
                break; // cut short: keep what was read, never step past the terminator
            }
            code = (code << 6) | (*p & 0x3Fu);
        }
        out += wchar_t(code);
    }
    return out;
}

std::string narrow(const std::wstring& text) {
    std::string out;
    for (wchar_t wc : text) {
        const auto c = static_cast<unsigned long>(wc);
        if (c < 0x80) {
            out += char(c);
        } else if (c < 0x800) {
            out += char(0xC0 | (c >> 6));
            out += char(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += char(0xE0 | (c >> 12));
            out += char(0x80 | ((c >> 6) & 0x3F));
            out += char(0x80 | (c & 0x3F));
        } else {
            out += char(0xF0 | ((c >> 18) & 0x07));
            out += char(0x80 | ((c >> 12) & 0x3F));
            out += char(0x80 | ((c >> 6) & 0x3F));
            out += char(0x80 | (c & 0x3F));
        }
    }
    return out;
}

} // namespace zel::controls
