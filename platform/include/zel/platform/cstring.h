#pragma once
// The text string of the editor's window code: an owned byte string (UTF-8) with the few
// operations the window code uses, convertible to a C string wherever one is expected.

#include "zel/platform/types.h"

#include <cstdarg>
#include <string>
#include <string_view>

class CString {
public:
    CString() = default;
    CString(const char* s) : m_text(s != nullptr && !IS_INTRESOURCE(s) ? s : "") {}
    CString(std::string s) : m_text(std::move(s)) {}
    CString(std::string_view s) : m_text(s) {}
    CString(char c, int count) : m_text(count > 0 ? std::size_t(count) : 0, c) {}

    int GetLength() const { return int(m_text.size()); }
    bool IsEmpty() const { return m_text.empty(); }
    void Empty() { m_text.clear(); }
    char GetAt(int i) const { return m_text.at(std::size_t(i)); }
    operator LPCTSTR() const { return m_text.c_str(); }
    LPCTSTR GetString() const { return m_text.c_str(); }
    const std::string& str() const { return m_text; }

    // printf-style formatting; the result replaces the string.
    void Format(const char* format, ...) __attribute__((format(printf, 2, 3)));
    void FormatV(const char* format, va_list args);
    // Loads string resource `id` of the program; FALSE when there is none.
    BOOL LoadString(UINT id);

    int Find(const char* what, int start = 0) const;
    int Find(char c, int start = 0) const;
    int ReverseFind(char c) const;
    CString Left(int count) const;
    CString Mid(int first, int count = -1) const;
    CString Right(int count) const;
    int CompareNoCase(const char* other) const;

    CString& operator=(const char* s) { return *this = CString(s); }
    CString& operator+=(const CString& s) {
        m_text += s.m_text;
        return *this;
    }
    CString& operator+=(const char* s) { return *this += CString(s); }
    CString& operator+=(char c) {
        m_text += c;
        return *this;
    }
    friend CString operator+(CString a, const CString& b) { return a += b; }
    friend CString operator+(CString a, const char* b) { return a += b; }
    friend CString operator+(const char* a, const CString& b) { return CString(a) += b; }
    bool operator==(const CString& o) const { return m_text == o.m_text; }
    bool operator==(const char* o) const { return m_text == (o != nullptr ? o : ""); }
    bool operator<(const CString& o) const { return m_text < o.m_text; }

    // Direct writing into the buffer, for callers that fill a C buffer.
    char* GetBuffer(int minLength);
    void ReleaseBuffer(int newLength = -1);

private:
    std::string m_text;
};
