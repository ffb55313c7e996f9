#pragma once
// A library file loaded for its resources (pictures, strings, raw resources), with a status
// code after every call. Calls into the loaded library run under the object's lock, so one
// object may serve several threads.

#include "zel/platform/platform.h"

#include <atomic>
#include <mutex>

class CResourceLibrary {
public:
    // Status codes.
    enum : int {
        kLibraryOk = 0,
        kLibraryNotLoaded = 1, // no library, or loading failed for another reason
        kLibraryAlreadyLoaded = 2,
        kLibraryNotFound = 3, // the file, its path or a module it needs is missing
        kLibraryNotFreed = 4,
        kLibraryResourceFailed = 5,
        kLibraryNoString = 6,
    };
    // The longest text LoadString reads into a string: a string resource holds at most 65535
    // characters.
    static constexpr int kLongestString = 65536;

    // With a file name, loads it at once.
    explicit CResourceLibrary(LPCTSTR fileName = nullptr, DWORD flags = 0);
    virtual ~CResourceLibrary();
    CResourceLibrary(const CResourceLibrary&) = delete;
    CResourceLibrary& operator=(const CResourceLibrary&) = delete;

    int Load(LPCTSTR fileName, DWORD flags);
    int Free();

    HANDLE LoadImage(LPCTSTR name, UINT type, int width, int height, UINT flags);
    HICON LoadIcon(LPCTSTR name, int width, int height);
    // Characters copied into `buffer` of `size` bytes (always terminated).
    int LoadString(UINT id, LPTSTR buffer, int size);
    // The whole text into `text`; returns its length.
    int LoadString(UINT id, CString* text);
    HRSRC FindResource(LPCTSTR name, LPCTSTR type);
    HGLOBAL LoadResource(HRSRC resource);
    HGLOBAL LoadResource(LPCTSTR name, LPCTSTR type);
    HGLOBAL LoadDialogResource(WORD id);

    int GetStatus() const { return m_status; }

protected:
    std::mutex m_lock;
    std::atomic<int> m_status{kLibraryOk};
    HMODULE m_module = nullptr;
};
