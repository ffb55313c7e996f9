// The hooks' slots and their defaults: real Qt dialogs, the printer, QSettings, the desktop's
// opener and sounds.

#include "file_dialog.h"
#include "font_dialog.h"
#include "gdi_objects.h"
#include "hook_slots.h"
#include "print_output.h"
#include "window_record.h"

#include "zel/platform/dialog.h"
#include "zel/platform/hooks.h"
#include "zel/platform/system.h"

#include <QByteArray>
#include <QColorDialog>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QSoundEffect>
#include <QUrl>

namespace zel::platform {

namespace {

// The profile in the user's configuration folder.
class SettingsProfileStore : public ProfileStore {
public:
    bool read(const std::string& section, const std::string& entry, std::string& value) override {
        QSettings s(QSettings::IniFormat, QSettings::UserScope, "zel-editor", "zel-editor");
        const QString key = QString::fromStdString(section + "/" + entry);
        if (!s.contains(key)) {
            return false;
        }
        // A text gives its UTF-8 bytes, a value kept as bytes gives them as they were.
        value = s.value(key).toByteArray().toStdString();
        return true;
    }
    void write(const std::string& section, const std::string& entry,
               const std::string& value) override {
        QSettings s(QSettings::IniFormat, QSettings::UserScope, "zel-editor", "zel-editor");
        const QString text = QString::fromStdString(value);
        // A file name is bytes: one that is no UTF-8 (a name from a Latin-1 folder) would come
        // back as another name through a text, so it is kept as its bytes.
        if (text.toStdString() == value) {
            s.setValue(QString::fromStdString(section + "/" + entry), text);
        } else {
            s.setValue(QString::fromStdString(section + "/" + entry),
                       QByteArray::fromStdString(value));
        }
    }
    void remove(const std::string& section, const std::string& entry) override {
        QSettings s(QSettings::IniFormat, QSettings::UserScope, "zel-editor", "zel-editor");
        s.remove(QString::fromStdString(section + "/" + entry));
    }
};

} // namespace

namespace detail {

namespace {

int default_message_box(const MessageBoxRequest& r) {
    ensure_application();
    QMessageBox box(owner_widget(r.owner));
    box.setWindowTitle(QString::fromStdString(r.caption));
    box.setText(QString::fromStdString(r.text));
    switch (r.type & MB_ICONMASK) {
    case MB_ICONSTOP:
        box.setIcon(QMessageBox::Critical);
        break;
    case MB_ICONQUESTION:
        box.setIcon(QMessageBox::Question);
        break;
    case MB_ICONEXCLAMATION:
        box.setIcon(QMessageBox::Warning);
        break;
    case MB_ICONINFORMATION:
        box.setIcon(QMessageBox::Information);
        break;
    default:
        break;
    }
    std::vector<std::pair<QPushButton*, int>> buttons;
    auto add = [&](const char* text, int id, QMessageBox::ButtonRole role) {
        buttons.emplace_back(box.addButton(text, role), id);
    };
    switch (r.type & MB_TYPEMASK) {
    case MB_OKCANCEL:
        add("OK", IDOK, QMessageBox::AcceptRole);
        add("Cancel", IDCANCEL, QMessageBox::RejectRole);
        break;
    case MB_ABORTRETRYIGNORE:
        add("&Abort", IDABORT, QMessageBox::RejectRole);
        add("&Retry", IDRETRY, QMessageBox::AcceptRole);
        add("&Ignore", IDIGNORE, QMessageBox::AcceptRole);
        break;
    case MB_YESNOCANCEL:
        add("&Yes", IDYES, QMessageBox::YesRole);
        add("&No", IDNO, QMessageBox::NoRole);
        add("Cancel", IDCANCEL, QMessageBox::RejectRole);
        break;
    case MB_YESNO:
        add("&Yes", IDYES, QMessageBox::YesRole);
        add("&No", IDNO, QMessageBox::NoRole);
        break;
    case MB_RETRYCANCEL:
        add("&Retry", IDRETRY, QMessageBox::AcceptRole);
        add("Cancel", IDCANCEL, QMessageBox::RejectRole);
        break;
    default:
        add("OK", IDOK, QMessageBox::AcceptRole);
        break;
    }
    const std::size_t def = (r.type & MB_DEFBUTTON3) ? 2 : ((r.type & MB_DEFBUTTON2) ? 1 : 0);
    if (def < buttons.size()) {
        box.setDefaultButton(buttons[def].first);
    }
    box.exec();
    for (const auto& b : buttons) {
        if (box.clickedButton() == b.first) {
            return b.second;
        }
    }
    return (r.type & MB_TYPEMASK) == MB_OK ? IDOK : IDCANCEL;
}

int default_shell_open(const std::string&, const std::string& target) {
    ensure_application();
    if (target.empty()) {
        return SE_ERR_FNF;
    }
    const QString t = QString::fromStdString(target);
    const QUrl url = QUrl::fromUserInput(t, QString(), QUrl::AssumeLocalFile);
    if (url.isLocalFile()) {
        const QFileInfo file(url.toLocalFile());
        if (!file.exists()) {
            return file.dir().exists() ? SE_ERR_FNF : SE_ERR_PNF;
        }
        if (!file.isReadable()) {
            return SE_ERR_ACCESSDENIED;
        }
    }
    return QDesktopServices::openUrl(url) ? 33 : SE_ERR_NOASSOC;
}

void default_sound(const SoundRequest& r) {
    // Sound files play when an audio output exists; resources and beeps stay silent here.
    if (r.name.empty() || r.name[0] == '#' || r.name.rfind("beep:", 0) == 0 ||
        !QFileInfo::exists(QString::fromStdString(r.name))) {
        return;
    }
    ensure_application();
    auto* effect = new QSoundEffect(QCoreApplication::instance());
    effect->setSource(QUrl::fromLocalFile(QString::fromStdString(r.name)));
    QObject::connect(effect, &QSoundEffect::playingChanged, effect, [effect] {
        if (!effect->isPlaying()) {
            effect->deleteLater();
        }
    });
    effect->play();
}

} // namespace

MessageBoxHook& message_box_hook() {
    static auto* h = new MessageBoxHook(default_message_box);
    return *h;
}
ModalDialogHook& modal_hook() {
    static auto* h = new ModalDialogHook;
    return *h;
}
FileDialogHook& file_dialog_hook() {
    static auto* h = new FileDialogHook(qt_file_dialog);
    return *h;
}
ColorDialogHook& color_dialog_hook() {
    static auto* h = new ColorDialogHook([](const ColorDialogRequest& r) {
        ensure_application();
        for (int i = 0; i < 16; ++i) {
            QColorDialog::setCustomColor(i, qcolor(r.custom[i]));
        }
        ColorDialogAnswer a;
        const QColor c = QColorDialog::getColor(qcolor(r.initial), owner_widget(r.owner));
        a.ok = c.isValid();
        a.color = a.ok ? RGB(c.red(), c.green(), c.blue()) : r.initial;
        for (int i = 0; i < 16; ++i) {
            const QColor k = QColorDialog::customColor(i);
            a.custom[i] = RGB(k.red(), k.green(), k.blue());
        }
        return a;
    });
    return *h;
}
FontDialogHook& font_dialog_hook() {
    static auto* h = new FontDialogHook(qt_font_dialog);
    return *h;
}
PrintDialogHook& print_dialog_hook() {
    static auto* h = new PrintDialogHook(qt_print_dialog);
    return *h;
}
PrintOutputHook& print_output_hook() {
    static auto* h = new PrintOutputHook(qt_print_output);
    return *h;
}
PrintPreviewHook& print_preview_hook() {
    static auto* h = new PrintPreviewHook(qt_print_preview);
    return *h;
}
ShellOpenHook& shell_open_hook() {
    static auto* h = new ShellOpenHook(default_shell_open);
    return *h;
}
SoundHook& sound_hook() {
    static auto* h = new SoundHook(default_sound);
    return *h;
}
std::shared_ptr<ProfileStore>& profile_slot() {
    static auto* s = new std::shared_ptr<ProfileStore>(std::make_shared<SettingsProfileStore>());
    return *s;
}

} // namespace detail

ProfileStore& profile_store() {
    return *detail::profile_slot();
}

} // namespace zel::platform
