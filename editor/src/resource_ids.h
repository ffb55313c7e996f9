#pragma once
// Numbers of the program's resources and commands.

#include <zel/platform/platform.h>

namespace zel::editor {

// Document template, menu, accelerator table and the template's string.
constexpr UINT IDR_MAINFRAME = 128;
// Background picture of the view.
constexpr UINT IDB_BACKGROUND = 311;
// Button icons.
constexpr int IDI_EXIT_IN = 326, IDI_EXIT_OUT = 325, IDI_PRINT = 328, IDI_SAVE = 331,
              IDI_EDIT_FACE = 332, IDI_SAVE_OFF = 333, IDI_EDIT_FACE_OFF = 334, IDI_MAKE_FACE = 380,
              IDI_CHANGE_FACE = 381, IDI_ADD_BKGD = 382, IDI_ADD_BODY = 383;
// The application's own icon.
constexpr int IDI_APPLICATION_ICON = 128;

// Menu commands of the program.
constexpr UINT ID_REFRESH_BUTTONS = 32771, ID_PAGE_SETUP = 32777, ID_SAVE_FACE_FILE = 32778,
               ID_LOAD_CARICATURE = 32780, ID_AUX_BUTTONS = 32781, ID_EDIT_FACE = 32783,
               ID_ADD_BODY = 32785, ID_ADD_BKGD = 32786, ID_CHANGE_FACE = 32787,
               ID_MAKE_FACE = 32788;

// Buttons of the view: window ids (above 65535) and the commands their clicks arrive as.
constexpr UINT IDC_BTN_EDIT_FACE = 99001, IDC_BTN_PRINT = 99002, IDC_BTN_SAVE = 99003,
               IDC_BTN_EXIT = 99005, IDC_BTN_CHANGE_FACE = 99010, IDC_BTN_LOAD_CARICATURE = 99012,
               IDC_BTN_MAKE_FACE = 99015, IDC_BTN_ADD_BODY = 99020, IDC_BTN_ADD_BKGD = 99021;
constexpr UINT ID_CMD_MAKE_FACE_ALT = 33464, ID_CMD_EDIT_FACE = 33465, ID_CMD_PRINT = 33466,
               ID_CMD_SAVE = 33467, ID_CMD_EXIT = 33469, ID_CMD_CHANGE_FACE = 33474,
               ID_CMD_LOAD_PHOTO = 33475, ID_CMD_LOAD_CARICATURE = 33476, ID_CMD_MAKE_FACE = 33479,
               ID_CMD_ADD_BODY = 33484, ID_CMD_ADD_BKGD = 33485;

// Registers the menu, the accelerators and the strings with the platform (once per process).
void register_program_resources();

} // namespace zel::editor
