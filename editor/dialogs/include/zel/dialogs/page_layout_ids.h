#pragma once
// The numbers of the page-layout dialog: its template (OK and Cancel are the standard buttons).

#include <zel/platform/platform.h>

namespace zel::dialogs {

struct PageLayoutIds {
    enum { IDD = 246 };
};

} // namespace zel::dialogs
