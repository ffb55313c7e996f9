#pragma once
// The slots that hold the hooks the layer asks when something waits for a person. Each starts
// with the real Qt implementation (hooks.cpp); the testing library puts scripted answers in.

#include "zel/platform/hooks.h"

#include <memory>

namespace zel::platform::detail {

MessageBoxHook& message_box_hook();
ModalDialogHook& modal_hook();
FileDialogHook& file_dialog_hook();
ColorDialogHook& color_dialog_hook();
FontDialogHook& font_dialog_hook();
PrintDialogHook& print_dialog_hook();
PrintOutputHook& print_output_hook();
PrintPreviewHook& print_preview_hook();
ShellOpenHook& shell_open_hook();
SoundHook& sound_hook();
std::shared_ptr<ProfileStore>& profile_slot();

} // namespace zel::platform::detail
