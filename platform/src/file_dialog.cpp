#include "file_dialog.h"

#include "window_record.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QShowEvent>

namespace zel::platform::detail {
namespace {

bool has_wildcard(const QString& name) {
    return name.contains('*') || name.contains('?');
}

// A filter without patterns lists what the wildcard in the name field matches. A description
// that already ends with its patterns in brackets, "ZEL Files (*.zel)" or "JPEG (*.JPG;*.JPEG)",
// shows them once, in the form the dialog filters by, rather than a second time.
QString qt_filters(const std::vector<std::pair<std::string, std::string>>& filters,
                   const QString& initialName) {
    const QString wildcard = has_wildcard(initialName) ? initialName : QString("*");
    QStringList list;
    for (const auto& f : filters) {
        QString patterns = QString::fromStdString(f.second);
        patterns.replace(';', ' ');
        if (patterns.isEmpty()) {
            patterns = wildcard;
        }
        QString desc = QString::fromStdString(f.first).trimmed();
        const qsizetype open = desc.lastIndexOf('(');
        if (open >= 0 && desc.endsWith(')')) {
            QString named = desc.mid(open + 1, desc.size() - open - 2);
            named.replace(';', ' ');
            if (named.compare(patterns, Qt::CaseInsensitive) == 0) {
                desc = desc.left(open).trimmed();
            }
        }
        list << desc + " (" + patterns + ")";
    }
    return list.join(";;");
}

// Qt's file dialog takes whatever the name field holds for a file name, so "*.jpg" entered
// there is a file that does not exist (or, saving, a file to be made under that name). Here it
// filters the list, as the filters of the type list do, and the dialog stays open.
class WildcardFileDialog : public QFileDialog {
public:
    using QFileDialog::QFileDialog;

    void accept() override {
        const QString typed = nameField() != nullptr ? nameField()->text().trimmed() : QString();
        if (has_wildcard(typed) && !QFileInfo::exists(directory().absoluteFilePath(typed))) {
            filterBy(typed);
            return;
        }
        QFileDialog::accept();
    }

protected:
    void showEvent(QShowEvent* e) override {
        QFileDialog::showEvent(e);
        if (m_prepared || nameField() == nullptr) {
            return;
        }
        m_prepared = true;
        // Typing replaces the initial name ("*.zel") rather than adding to it.
        nameField()->selectAll();
        // The dialog's own check disables its button for a name that is no file; a wildcard is
        // something the button does, so it stays enabled. (Connected after the dialog's own
        // check, so it has the last word.)
        connect(nameField(), &QLineEdit::textChanged, this, [this](const QString& text) {
            if (has_wildcard(text) && acceptButton() != nullptr) {
                acceptButton()->setEnabled(true);
            }
        });
    }

private:
    QLineEdit* nameField() const { return findChild<QLineEdit*>("fileNameEdit"); }
    QPushButton* acceptButton() const {
        auto* box = findChild<QDialogButtonBox*>("buttonBox");
        if (box == nullptr) {
            return nullptr;
        }
        return box->button(acceptMode() == AcceptOpen ? QDialogButtonBox::Open
                                                      : QDialogButtonBox::Save);
    }

    // "*.jpg", "*.jpg;*.jpeg", "photos/*.jpg": a leading folder is opened first.
    void filterBy(const QString& typed) {
        QString patterns = typed;
        const qsizetype slash = typed.lastIndexOf('/');
        if (slash >= 0) {
            const QString folder = typed.left(slash + 1);
            patterns = typed.mid(slash + 1);
            const QDir target(directory().absoluteFilePath(folder));
            if (!has_wildcard(folder) && target.exists()) {
                setDirectory(target.absolutePath());
            }
        }
        QStringList list = patterns.split(QRegularExpression("[; ]+"), Qt::SkipEmptyParts);
        if (list.isEmpty()) {
            return;
        }
        if (auto* model = findChild<QFileSystemModel*>()) {
            model->setNameFilters(list);
        }
        nameField()->setText(patterns);
        nameField()->selectAll();
    }

    bool m_prepared = false;
};

} // namespace

FileDialogAnswer qt_file_dialog(const FileDialogRequest& r) {
    ensure_application();
    const QString name = QString::fromStdString(r.initialName);
    const QString filters = qt_filters(r.filters, name);
    const QStringList names = filters.split(";;");
    const QString dir = QString::fromStdString(r.initialDir);

    WildcardFileDialog dialog(owner_widget(r.owner), QString(), dir, filters);
    // The name field's wildcard is this dialog's own; a desktop's dialog would not filter.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(r.open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    dialog.setFileMode(r.open ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    if (r.filterIndex >= 1 && r.filterIndex <= names.size()) {
        dialog.selectNameFilter(names[r.filterIndex - 1]);
    }
    if (!name.isEmpty()) {
        dialog.selectFile(name);
    }

    FileDialogAnswer a;
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return a;
    }
    a.ok = true;
    a.path = dialog.selectedFiles().constFirst().toStdString();
    a.filterIndex = std::max(1, int(names.indexOf(dialog.selectedNameFilter())) + 1);
    return a;
}

} // namespace zel::platform::detail
