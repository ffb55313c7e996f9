// The program's menu 128, accelerator table 128 and string table, registered in code.

#include "resource_ids.h"

#include <mutex>

namespace zel::editor {
namespace {

void register_menu() {
    using Item = MenuItemTemplate;
    const Item separator{"", 0, MF_SEPARATOR, {}};
    zel::platform::register_menu(
        IDR_MAINFRAME,
        {Item{"&File",
              0,
              MF_POPUP,
              {Item{"Load &Caricature in ZEL Format...", ID_LOAD_CARICATURE, 0, {}}, separator,
               Item{"&Save...\tCtrl+S", ID_FILE_SAVE, 0, {}},
               Item{"Save Face in Z&EL Format...", ID_SAVE_FACE_FILE, 0, {}}, separator,
               Item{"Page Layout...", ID_PAGE_SETUP, 0, {}},
               Item{"Print Set&up...", ID_FILE_PRINT_SETUP, 0, {}},
               Item{"Print Pre&view", ID_FILE_PRINT_PREVIEW, 0, {}},
               Item{"&Print...\tCtrl+P", ID_FILE_PRINT, 0, {}}, separator,
               Item{"E&xit", ID_APP_EXIT, 0, {}}}},
         Item{"&Edit",
              0,
              MF_POPUP,
              {Item{"Edit Face...", ID_EDIT_FACE, 0, {}}, Item{"Make Face...", ID_MAKE_FACE, 0, {}},
               Item{"Change Face...", ID_CHANGE_FACE, 0, {}},
               Item{"Add Body...", ID_ADD_BODY, 0, {}},
               Item{"Add Background...", ID_ADD_BKGD, 0, {}}}},
         Item{"&Help", 0, MF_POPUP, {Item{"&About ZEL Editor...", ID_APP_ABOUT, 0, {}}}}});
}

void register_accelerators() {
    constexpr BYTE ctrl = FVIRTKEY | FCONTROL;
    constexpr BYTE shift = FVIRTKEY | FSHIFT;
    constexpr BYTE alt = FVIRTKEY | FALT;
    // The editing keys are the framework's usual ones; nothing handles them.
    zel::platform::register_accelerators(IDR_MAINFRAME, {{ctrl, 'O', WORD(ID_FILE_OPEN)},
                                                         {ctrl, 'S', WORD(ID_FILE_SAVE)},
                                                         {ctrl, 'P', WORD(ID_FILE_PRINT)},
                                                         {ctrl, 'R', WORD(ID_REFRESH_BUTTONS)},
                                                         {ctrl, 'N', WORD(ID_FILE_NEW)},
                                                         {ctrl, 'C', WORD(ID_EDIT_COPY)},
                                                         {ctrl, VK_INSERT, WORD(ID_EDIT_COPY)},
                                                         {ctrl, 'V', WORD(ID_EDIT_PASTE)},
                                                         {shift, VK_INSERT, WORD(ID_EDIT_PASTE)},
                                                         {ctrl, 'X', WORD(ID_EDIT_CUT)},
                                                         {shift, VK_DELETE, WORD(ID_EDIT_CUT)},
                                                         {ctrl, 'Z', WORD(ID_EDIT_UNDO)},
                                                         {alt, VK_BACK, WORD(ID_EDIT_UNDO)},
                                                         {FVIRTKEY, VK_F6, WORD(ID_NEXT_PANE)},
                                                         {shift, VK_F6, WORD(ID_PREV_PANE)}});
}

void register_strings() {
    zel::platform::register_strings(
        {{IDR_MAINFRAME, "ZEL Editor\n\nZEL Editor\nZEL Editor Files (*.bmp)\n.BMP\nZEL "
                         "Editor.Document\nZEL Editor Document"},
         {ID_REFRESH_BUTTONS, "Generate caricature for the loaded bitmap"},
         {ID_SAVE_FACE_FILE, "Save in ZEL format for editing"},
         {ID_LOAD_CARICATURE, "Load an existing Caricature in ZEL format."},
         {ID_EDIT_FACE, "Edit generated black and white caricature "},
         {ID_ADD_BODY, "Add or change body"},
         {ID_ADD_BKGD, "Add or change background."},
         {ID_MAKE_FACE, "Make face"},
         {ID_FILE_OPEN, "Load a caricature in ZEL format\nLoad"},
         {57344, "ZEL Editor"}});
}

} // namespace

void register_program_resources() {
    static std::once_flag once;
    std::call_once(once, [] {
        register_menu();
        register_accelerators();
        register_strings();
    });
}

} // namespace zel::editor
