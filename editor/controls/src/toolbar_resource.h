#pragma once
// A toolbar resource: the standard record (version 1, button width, button height, count, one
// command per button with 0 for a separator) and its picture strip, the bitmap of the same
// number.

#include "zel/platform/platform.h"

#include <vector>

namespace zel::controls {

struct ToolbarResource {
    int width = 0;
    int height = 0;
    std::vector<UINT> commands; // without separators: index = image index in the strip
    HBITMAP bitmap = nullptr;   // owned by the caller, also when loading fails

    ToolbarResource() = default;
    ~ToolbarResource();
    ToolbarResource(const ToolbarResource&) = delete;
    ToolbarResource& operator=(const ToolbarResource&) = delete;
};

// Reads toolbar `id` of the program's resources; false when the record or its strip is missing
// or unusable.
bool load_toolbar(UINT id, ToolbarResource& out);

} // namespace zel::controls
