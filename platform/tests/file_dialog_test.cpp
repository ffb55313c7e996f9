// The file dialog a person answers (the default hook), driven from inside its own loop: the
// initial name shows in the name field, a wildcard entered there filters the list and keeps the
// dialog open, for opening and for saving alike, and a file name then answers it.

#include "zel/platform/testing.h"
#include "zel/testing/test_env.h"

#include <QApplication>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QTimer>

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <string>
#include <sys/stat.h>

using namespace zel::platform::test;

namespace {

struct FileDialogTest : ::testing::Test {
    void SetUp() override {
        ensure_app();
        zel::platform::reset_hooks();
        folder = zel::testing::work_dir() + "/pictures";
        ::mkdir(folder.c_str(), 0700);
        for (const char* name : {"a.bmp", "b.jpg", "c.jpg", "d.zel", "e.txt"}) {
            std::ofstream(folder + "/" + name) << "x";
        }
        // A box the dialog raises would wait for a person: it is noted and closed.
        boxWatch.setInterval(20);
        QObject::connect(&boxWatch, &QTimer::timeout, [this] {
            for (QWidget* w : QApplication::topLevelWidgets()) {
                if (auto* box = qobject_cast<QMessageBox*>(w); box != nullptr && box->isVisible()) {
                    boxes.push_back(box->text().toStdString());
                    box->done(QMessageBox::Ok);
                }
            }
        });
        boxWatch.start();
    }

    // Runs `script` on the dialog once it shows, from inside its loop.
    void when_shown(std::function<void(QFileDialog&)> script) {
        QTimer::singleShot(0, [script = std::move(script)] {
            QFileDialog* dialog = nullptr;
            pump(5000, [&] {
                dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
                return dialog != nullptr && dialog->isVisible();
            });
            ASSERT_NE(dialog, nullptr) << "no file dialog showed";
            script(*dialog);
            if (dialog->isVisible()) {
                dialog->reject();
            }
        });
    }

    static QLineEdit& name_field(QFileDialog& dialog) {
        auto* edit = dialog.findChild<QLineEdit*>("fileNameEdit");
        EXPECT_NE(edit, nullptr);
        return *edit;
    }

    // Types `text` into the name field and presses Enter there.
    static void enter(QFileDialog& dialog, const QString& text) {
        QLineEdit& edit = name_field(dialog);
        edit.setText(text);
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QApplication::sendEvent(&edit, &press);
        pump(50);
    }

    // The names the list shows, sorted, once it has them (the folder is read in the background).
    static std::string listed(QFileDialog& dialog, const std::string& expected) {
        auto* list = dialog.findChild<QListView*>("listView");
        EXPECT_NE(list, nullptr);
        std::string names;
        pump(5000, [&] {
            QStringList shown;
            const QModelIndex root = list->rootIndex();
            for (int row = 0; row < list->model()->rowCount(root); ++row) {
                shown << list->model()->index(row, 0, root).data().toString();
            }
            shown.sort();
            names = shown.join(' ').toStdString();
            return names == expected;
        });
        return names;
    }

    std::string folder;
    QTimer boxWatch;
    std::vector<std::string> boxes;
    HookReset reset;
};

TEST_F(FileDialogTest, AWildcardInTheNameFieldFiltersTheOpenList) {
    CFileDialog dialog(TRUE, nullptr, "*.bmp", OFN_HIDEREADONLY, "Windows Bitmap||");
    dialog.m_ofn.lpstrInitialDir = folder.c_str();
    bool stayedOpen = false;
    when_shown([&](QFileDialog& d) {
        EXPECT_EQ(name_field(d).text().toStdString(), "*.bmp");
        EXPECT_EQ(listed(d, "a.bmp"), "a.bmp");
        enter(d, "*.jpg");
        stayedOpen = d.isVisible();
        EXPECT_EQ(listed(d, "b.jpg c.jpg"), "b.jpg c.jpg");
        // Several patterns at once, and a folder before them.
        enter(d, "../pictures/*.zel;*.txt");
        EXPECT_EQ(listed(d, "d.zel e.txt"), "d.zel e.txt");
        enter(d, "c.jpg");
    });
    ASSERT_EQ(dialog.DoModal(), IDOK);
    EXPECT_TRUE(stayedOpen);
    EXPECT_TRUE(boxes.empty()) << boxes.front();
    EXPECT_EQ(dialog.GetPathName().str(), folder + "/c.jpg");
}

TEST_F(FileDialogTest, AWildcardInTheNameFieldOfASaveDialogIsNoFileName) {
    CFileDialog dialog(FALSE, nullptr, "*.zel", OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                       "ZEL File (*.zel)||");
    dialog.m_ofn.lpstrInitialDir = folder.c_str();
    bool stayedOpen = false;
    when_shown([&](QFileDialog& d) {
        EXPECT_EQ(listed(d, "d.zel"), "d.zel");
        enter(d, "*.t?t");
        stayedOpen = d.isVisible();
        EXPECT_EQ(listed(d, "e.txt"), "e.txt");
        enter(d, "new.zel");
    });
    ASSERT_EQ(dialog.DoModal(), IDOK);
    EXPECT_TRUE(stayedOpen);
    EXPECT_TRUE(boxes.empty()) << boxes.front();
    EXPECT_EQ(dialog.GetPathName().str(), folder + "/new.zel");
    struct stat st {};
    EXPECT_NE(::stat((folder + "/*.t?t").c_str(), &st), 0);
}

} // namespace
