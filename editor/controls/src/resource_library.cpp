// The resource library: loading and releasing the library, and its resource calls, each under
// the lock.

#include "zel/controls/resource_library.h"

#include <algorithm>

namespace {
constexpr int kStringStep = 256;
// A string buffer must keep this many bytes free, or the text may have been cut: a cut text
// fills the buffer but for its terminator and the up to three bytes of a letter that did not
// fit whole.
constexpr int kStringSlack = 5;
} // namespace

CResourceLibrary::CResourceLibrary(LPCTSTR fileName, DWORD flags) {
    if (fileName != nullptr) {
        Load(fileName, flags);
    }
}

CResourceLibrary::~CResourceLibrary() {
    Free();
}

// Loading takes the lock too, so that a thread never sees the module half written.
int CResourceLibrary::Load(LPCTSTR fileName, DWORD flags) {
    std::lock_guard<std::mutex> guard(m_lock);
    if (m_module != nullptr) {
        return m_status = kLibraryAlreadyLoaded;
    }
    m_module = ::LoadLibraryEx(fileName, nullptr, flags);
    if (m_module != nullptr) {
        return m_status = kLibraryOk;
    }
    switch (::GetLastError()) {
    case 2:   // file not found
    case 3:   // path not found
    case 126: // module not usable
        return m_status = kLibraryNotFound;
    default:
        return m_status = kLibraryNotLoaded;
    }
}

int CResourceLibrary::Free() {
    std::lock_guard<std::mutex> guard(m_lock);
    if (m_module != nullptr) {
        if (!::FreeLibrary(m_module)) {
            return m_status = kLibraryNotFreed;
        }
        m_module = nullptr;
    }
    return m_status = kLibraryOk;
}

HANDLE CResourceLibrary::LoadImage(LPCTSTR name, UINT type, int width, int height, UINT flags) {
    std::lock_guard<std::mutex> guard(m_lock);
    if (m_module == nullptr) {
        m_status = kLibraryNotLoaded;
        return nullptr;
    }
    HANDLE image = ::LoadImage(m_module, name, type, width, height, flags);
    m_status = image != nullptr ? kLibraryOk : kLibraryResourceFailed;
    return image;
}

HICON CResourceLibrary::LoadIcon(LPCTSTR name, int width, int height) {
    return static_cast<HICON>(LoadImage(name, IMAGE_ICON, width, height, 0));
}

int CResourceLibrary::LoadString(UINT id, LPTSTR buffer, int size) {
    std::lock_guard<std::mutex> guard(m_lock);
    if (m_module == nullptr) {
        m_status = kLibraryNotLoaded;
        return 0;
    }
    const int copied = ::LoadString(m_module, id, buffer, size);
    m_status = copied > 0 ? kLibraryOk : kLibraryResourceFailed;
    return copied;
}

// A text that fills its buffer may be longer: it is read again into a larger one. The growth
// stops at the longest string a resource can hold, so a text without end cannot keep it going.
int CResourceLibrary::LoadString(UINT id, CString* text) {
    std::lock_guard<std::mutex> guard(m_lock);
    if (m_module == nullptr) {
        m_status = kLibraryNotLoaded;
        return 0;
    }
    if (text == nullptr) {
        m_status = kLibraryNoString;
        return 0;
    }
    char first[kStringStep];
    int length = ::LoadString(m_module, id, first, kStringStep);
    if (length <= 0) {
        text->Empty();
        m_status = kLibraryResourceFailed;
        return 0;
    }
    int size = kStringStep;
    if (size - length >= kStringSlack) {
        *text = CString(std::string_view(first, std::size_t(length)));
    } else {
        do {
            size = std::min(size + kStringStep, kLongestString);
            length =
                std::clamp(::LoadString(m_module, id, text->GetBuffer(size), size), 0, size - 1);
            text->ReleaseBuffer(length);
        } while (size - length < kStringSlack && size < kLongestString);
    }
    // A text that still fills the largest buffer was cut: it is no string resource.
    m_status = size - length < kStringSlack ? kLibraryResourceFailed : kLibraryOk;
    return length;
}

HRSRC CResourceLibrary::FindResource(LPCTSTR name, LPCTSTR type) {
    std::lock_guard<std::mutex> guard(m_lock);
    if (m_module == nullptr) {
        m_status = kLibraryNotLoaded;
        return nullptr;
    }
    HRSRC found = ::FindResource(m_module, name, type);
    m_status = found != nullptr ? kLibraryOk : kLibraryResourceFailed;
    return found;
}

HGLOBAL CResourceLibrary::LoadResource(HRSRC resource) {
    std::lock_guard<std::mutex> guard(m_lock);
    if (m_module == nullptr) {
        m_status = kLibraryNotLoaded;
        return nullptr;
    }
    HGLOBAL data = resource != nullptr ? ::LoadResource(m_module, resource) : nullptr;
    m_status = data != nullptr ? kLibraryOk : kLibraryResourceFailed;
    return data;
}

HGLOBAL CResourceLibrary::LoadResource(LPCTSTR name, LPCTSTR type) {
    HRSRC found = FindResource(name, type);
    return found != nullptr ? LoadResource(found) : nullptr;
}

HGLOBAL CResourceLibrary::LoadDialogResource(WORD id) {
    return LoadResource(MAKEINTRESOURCE(id), RT_DIALOG);
}
