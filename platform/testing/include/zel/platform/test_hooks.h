#pragma once
// Scripted answers for everything that waits for a person: tests put their own functions in the
// layer's hooks (hooks.h). An empty function puts the real one back. While the testing library
// runs, every sound request is also recorded.

#include "zel/platform/hooks.h"

#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace zel::platform {

void set_message_box_hook(MessageBoxHook hook);
void set_modal_dialog_hook(ModalDialogHook hook);
void set_file_dialog_hook(FileDialogHook hook);
void set_color_dialog_hook(ColorDialogHook hook);
void set_font_dialog_hook(FontDialogHook hook);
void set_print_dialog_hook(PrintDialogHook hook);
void set_print_output_hook(PrintOutputHook hook);
void set_print_preview_hook(PrintPreviewHook hook);
void set_shell_open_hook(ShellOpenHook hook);
void set_sound_hook(SoundHook hook);
const std::vector<SoundRequest>& recorded_sounds();
void clear_recorded_sounds();

// A null store puts the user's profile back.
void set_profile_store(std::shared_ptr<ProfileStore> store);
// A profile kept in memory.
class MemoryProfileStore : public ProfileStore {
public:
    bool read(const std::string& section, const std::string& entry, std::string& value) override;
    void write(const std::string& section, const std::string& entry,
               const std::string& value) override;
    void remove(const std::string& section, const std::string& entry) override;
    std::map<std::pair<std::string, std::string>, std::string> values;
};

// Puts every real hook back (sounds are still recorded).
void reset_hooks();

} // namespace zel::platform
