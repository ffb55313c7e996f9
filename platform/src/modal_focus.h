#pragma once
// The keyboard focus around a modal dialog. A window manager hands the focus back to a dialog's
// owner when the dialog closes; without one (a kiosk session, some remote desktops, a test
// display) no window would have it, and the menu keys and accelerators would do nothing until
// the person clicked somewhere.

#include "zel/platform/types.h"

#include <QPointer>
#include <QWidget>

namespace zel::platform::detail {

// Made before a modal dialog runs; when it goes, the owner's window is active again, with the
// keyboard focus where it was before the dialog.
class FocusReturn {
public:
    // `owner` is any window of the owner (null: the window that is active now).
    explicit FocusReturn(HWND owner);
    ~FocusReturn();
    FocusReturn(const FocusReturn&) = delete;
    FocusReturn& operator=(const FocusReturn&) = delete;

private:
    QPointer<QWidget> m_window;
    QPointer<QWidget> m_focus;
};

} // namespace zel::platform::detail
