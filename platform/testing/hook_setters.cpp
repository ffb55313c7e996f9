#include "zel/platform/test_hooks.h"

#include "hook_slots.h"

namespace zel::platform {

namespace {

// The real hooks, as the slots held them before a test put anything in.
struct Defaults {
    MessageBoxHook messageBox = detail::message_box_hook();
    FileDialogHook file = detail::file_dialog_hook();
    ColorDialogHook color = detail::color_dialog_hook();
    FontDialogHook font = detail::font_dialog_hook();
    PrintDialogHook print = detail::print_dialog_hook();
    PrintOutputHook output = detail::print_output_hook();
    PrintPreviewHook preview = detail::print_preview_hook();
    ShellOpenHook shell = detail::shell_open_hook();
    SoundHook sound = detail::sound_hook();
    std::shared_ptr<ProfileStore> profile = detail::profile_slot();
};
Defaults& defaults() {
    static auto* d = new Defaults;
    return *d;
}

template <class Hook> void install(Hook& slot, Hook hook, const Hook& fallback) {
    slot = hook ? std::move(hook) : fallback;
}

std::vector<SoundRequest>& sound_log() {
    static auto* log = new std::vector<SoundRequest>;
    return *log;
}

} // namespace

void set_message_box_hook(MessageBoxHook hook) {
    install(detail::message_box_hook(), std::move(hook), defaults().messageBox);
}
void set_modal_dialog_hook(ModalDialogHook hook) {
    detail::modal_hook() = std::move(hook);
}
void set_file_dialog_hook(FileDialogHook hook) {
    install(detail::file_dialog_hook(), std::move(hook), defaults().file);
}
void set_color_dialog_hook(ColorDialogHook hook) {
    install(detail::color_dialog_hook(), std::move(hook), defaults().color);
}
void set_font_dialog_hook(FontDialogHook hook) {
    install(detail::font_dialog_hook(), std::move(hook), defaults().font);
}
void set_print_dialog_hook(PrintDialogHook hook) {
    install(detail::print_dialog_hook(), std::move(hook), defaults().print);
}
void set_print_output_hook(PrintOutputHook hook) {
    install(detail::print_output_hook(), std::move(hook), defaults().output);
}
void set_print_preview_hook(PrintPreviewHook hook) {
    install(detail::print_preview_hook(), std::move(hook), defaults().preview);
}
void set_shell_open_hook(ShellOpenHook hook) {
    install(detail::shell_open_hook(), std::move(hook), defaults().shell);
}
void set_sound_hook(SoundHook hook) {
    const SoundHook play = hook ? std::move(hook) : defaults().sound;
    detail::sound_hook() = [play](const SoundRequest& r) {
        sound_log().push_back(r);
        play(r);
    };
}
const std::vector<SoundRequest>& recorded_sounds() {
    return sound_log();
}
void clear_recorded_sounds() {
    sound_log().clear();
}

void set_profile_store(std::shared_ptr<ProfileStore> store) {
    // The user's profile is kept aside before the first store takes its slot.
    const Defaults& real = defaults();
    detail::profile_slot() = store ? std::move(store) : real.profile;
}

bool MemoryProfileStore::read(const std::string& section, const std::string& entry,
                              std::string& value) {
    auto it = values.find({section, entry});
    if (it == values.end()) {
        return false;
    }
    value = it->second;
    return true;
}
void MemoryProfileStore::write(const std::string& section, const std::string& entry,
                               const std::string& value) {
    values[{section, entry}] = value;
}
void MemoryProfileStore::remove(const std::string& section, const std::string& entry) {
    values.erase({section, entry});
}

void reset_hooks() {
    set_message_box_hook({});
    set_modal_dialog_hook({});
    set_file_dialog_hook({});
    set_color_dialog_hook({});
    set_font_dialog_hook({});
    set_print_dialog_hook({});
    set_print_output_hook({});
    set_print_preview_hook({});
    set_shell_open_hook({});
    set_sound_hook({});
}

} // namespace zel::platform
