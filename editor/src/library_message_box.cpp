// The libraries' messages shown in real message boxes owned by the main window.

#include "tessel_app.h"

#include <zel/imaging.h>

namespace zel::editor {
namespace {

void show_library_message(const char* caption, const char* text, MessageIcon icon) {
    CWnd* main = AfxGetMainWnd();
    MessageBox(main != nullptr ? main->m_hWnd : nullptr, text != nullptr ? text : "",
               caption != nullptr ? caption : "",
               MB_OK | (icon == MessageIcon::warning ? MB_ICONEXCLAMATION : 0U));
}

} // namespace

void install_library_message_box() {
    set_message_handler(show_library_message);
}

} // namespace zel::editor
