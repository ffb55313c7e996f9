#include "modal_focus.h"

#include "window_record.h"

#include <QApplication>

namespace zel::platform::detail {

FocusReturn::FocusReturn(HWND owner) {
    QWidget* window = owner_widget(owner);
    if (window == nullptr) {
        window = QApplication::activeWindow();
    }
    if (window == nullptr) {
        return;
    }
    m_window = window;
    QWidget* focus = QApplication::focusWidget();
    m_focus = focus != nullptr && focus->window() == window ? focus : window->focusWidget();
}

FocusReturn::~FocusReturn() {
    if (m_window.isNull() || !m_window->isVisible() || m_window->isMinimized()) {
        return;
    }
    // Asked of the window system even when Qt still counts the window active: with no window
    // manager the window system may have given the focus to nobody.
    m_window->activateWindow();
    if (!m_focus.isNull() && m_focus->window() == m_window && m_focus->isEnabled() &&
        m_focus->isVisible()) {
        m_focus->setFocus(Qt::ActiveWindowFocusReason);
    }
}

} // namespace zel::platform::detail
