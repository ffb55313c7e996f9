#include "zel/platform/cstring.h"

#include "zel/platform/resources.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <strings.h>
#include <vector>

void CString::FormatV(const char* format, va_list args) {
    if (format == nullptr) {
        m_text.clear();
        return;
    }
    va_list copy;
    va_copy(copy, args);
    const int n = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    if (n < 0) {
        m_text.clear();
        return;
    }
    std::vector<char> buf(std::size_t(n) + 1);
    std::vsnprintf(buf.data(), buf.size(), format, args);
    m_text.assign(buf.data(), std::size_t(n));
}

void CString::Format(const char* format, ...) {
    va_list args;
    va_start(args, format);
    FormatV(format, args);
    va_end(args);
}

BOOL CString::LoadString(UINT id) {
    char buf[4096];
    const int n = ::LoadString(AfxGetResourceHandle(), id, buf, int(sizeof buf));
    if (n <= 0) {
        return FALSE;
    }
    m_text.assign(buf, std::size_t(n));
    return TRUE;
}

int CString::Find(const char* what, int start) const {
    if (what == nullptr || start < 0 || start > GetLength()) {
        return -1;
    }
    const auto p = m_text.find(what, std::size_t(start));
    return p == std::string::npos ? -1 : int(p);
}

int CString::Find(char c, int start) const {
    if (start < 0 || start > GetLength()) {
        return -1;
    }
    const auto p = m_text.find(c, std::size_t(start));
    return p == std::string::npos ? -1 : int(p);
}

int CString::ReverseFind(char c) const {
    const auto p = m_text.rfind(c);
    return p == std::string::npos ? -1 : int(p);
}

CString CString::Left(int count) const {
    return m_text.substr(0, std::size_t(std::clamp(count, 0, GetLength())));
}

CString CString::Mid(int first, int count) const {
    first = std::clamp(first, 0, GetLength());
    const int rest = GetLength() - first;
    return m_text.substr(std::size_t(first), std::size_t(count < 0 ? rest : std::min(count, rest)));
}

CString CString::Right(int count) const {
    count = std::clamp(count, 0, GetLength());
    return m_text.substr(std::size_t(GetLength() - count));
}

int CString::CompareNoCase(const char* other) const {
    return ::strcasecmp(m_text.c_str(), other != nullptr ? other : "");
}

char* CString::GetBuffer(int minLength) {
    if (minLength > GetLength()) {
        m_text.resize(std::size_t(minLength));
    }
    return m_text.data();
}

void CString::ReleaseBuffer(int newLength) {
    if (newLength < 0) {
        m_text.resize(std::char_traits<char>::length(m_text.c_str()));
    } else {
        m_text.resize(std::size_t(newLength));
    }
}
