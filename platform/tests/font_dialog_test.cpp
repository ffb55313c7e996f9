// The font dialog a person answers (the default hook): it opens at the family asked for, or the
// installed stand-in fontconfig gives for it, and at the size asked for, in points.

#include "zel/platform/testing.h"

#include <QApplication>
#include <QFontDialog>
#include <QTimer>

#include <gtest/gtest.h>

#include <cstring>

using namespace zel::platform::test;

namespace {

struct FontDialogTest : ::testing::Test {
    void SetUp() override {
        ensure_app();
        zel::platform::reset_hooks();
    }
    // The font the dialog shows when it opens for `initial`; the dialog is then cancelled.
    QFont opened_at(const LOGFONT& initial) {
        QFont shown;
        QTimer::singleShot(0, [&] {
            QFontDialog* dialog = nullptr;
            pump(5000, [&] {
                dialog = qobject_cast<QFontDialog*>(QApplication::activeModalWidget());
                return dialog != nullptr && dialog->isVisible();
            });
            ASSERT_NE(dialog, nullptr) << "no font dialog showed";
            shown = dialog->currentFont();
            dialog->reject();
        });
        LOGFONT start = initial;
        CFontDialog fonts(&start, CF_SCREENFONTS | CF_EFFECTS | CF_INITTOLOGFONTSTRUCT);
        EXPECT_EQ(fonts.DoModal(), IDCANCEL);
        return shown;
    }
    HookReset reset;
};

LOGFONT font(const char* face, int height) {
    LOGFONT lf{};
    lf.lfHeight = height;
    std::strncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
    return lf;
}

TEST_F(FontDialogTest, AFamilyThatIsNotInstalledOpensAsItsMetricCompatibleStandIn) {
    // fonts-liberation2 (installed by the set-up) stands in for Arial with the same metrics.
    const QFont shown = opened_at(font("Arial", -16));
    EXPECT_EQ(shown.family().toStdString(), "Liberation Sans");
    EXPECT_EQ(shown.pointSize(), 12);
}

TEST_F(FontDialogTest, AnInstalledFamilyOpensAsItself) {
    const QFont shown = opened_at(font("DejaVu Serif", -32));
    EXPECT_EQ(shown.family().toStdString(), "DejaVu Serif");
    EXPECT_EQ(shown.pointSize(), 24);
}

} // namespace
