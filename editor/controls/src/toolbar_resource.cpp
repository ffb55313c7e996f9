#include "toolbar_resource.h"

#include <algorithm>

namespace zel::controls {

ToolbarResource::~ToolbarResource() {
    if (bitmap != nullptr) {
        ::DeleteObject(bitmap);
    }
}

bool load_toolbar(UINT id, ToolbarResource& out) {
    HMODULE module = AfxGetResourceHandle();
    HRSRC found = ::FindResource(module, MAKEINTRESOURCE(id), RT_TOOLBAR);
    if (found == nullptr) {
        return false;
    }
    const auto* data = static_cast<const BYTE*>(::LockResource(::LoadResource(module, found)));
    const DWORD size = ::SizeofResource(module, found);
    auto word = [&](DWORD i) { return UINT(data[2 * i]) | (UINT(data[2 * i + 1]) << 8); };
    if (data == nullptr || size < 8 || word(0) != 1) {
        return false;
    }
    out.width = int(word(1));
    out.height = int(word(2));
    // A count beyond the record's end reads only what is there.
    const DWORD count = std::min<DWORD>(word(3), size / 2 - 4);
    for (DWORD i = 0; i < count; ++i) {
        if (const UINT command = word(4 + i); command != 0) {
            out.commands.push_back(command);
        }
    }
    out.bitmap = ::LoadBitmap(module, MAKEINTRESOURCE(id));
    return out.bitmap != nullptr && out.width > 0 && out.height > 0;
}

} // namespace zel::controls
