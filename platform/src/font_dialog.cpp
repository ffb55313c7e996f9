#include "font_dialog.h"

#include "gdi_objects.h"
#include "window_record.h"

#include <QFontDatabase>
#include <QFontDialog>

#include <fontconfig/fontconfig.h>

#include <cstring>
#include <memory>

namespace zel::platform::detail {
namespace {

// The layer's screen resolution: a font's pixel height to points and back.
constexpr int kScreenDpi = 96;

struct PatternFree {
    void operator()(FcPattern* p) const { FcPatternDestroy(p); }
};
using Pattern = std::unique_ptr<FcPattern, PatternFree>;

} // namespace

QString installed_family(const QString& family) {
    if (family.isEmpty() || QFontDatabase::hasFamily(family)) {
        return family;
    }
    // The dialog lists installed families only: a family that is not one would open at
    // whatever the list starts with. fontconfig's own substitution rules name its stand-in.
    const QByteArray name = family.toUtf8();
    Pattern pattern(FcPatternCreate());
    if (!pattern ||
        FcPatternAddString(pattern.get(), FC_FAMILY,
                           reinterpret_cast<const FcChar8*>(name.constData())) == 0 ||
        FcConfigSubstitute(nullptr, pattern.get(), FcMatchPattern) == 0) {
        return family;
    }
    FcDefaultSubstitute(pattern.get());
    FcResult result = FcResultNoMatch;
    const Pattern match(FcFontMatch(nullptr, pattern.get(), &result));
    FcChar8* found = nullptr;
    if (!match || FcPatternGetString(match.get(), FC_FAMILY, 0, &found) != FcResultMatch ||
        found == nullptr) {
        return family;
    }
    return QString::fromUtf8(reinterpret_cast<const char*>(found));
}

FontDialogAnswer qt_font_dialog(const FontDialogRequest& r) {
    ensure_application();
    QFont start("DejaVu Sans", 9);
    if (r.hasInitial) {
        FontObject initial;
        initial.lf = r.initial;
        start = initial.qfont();
        start.setFamily(installed_family(start.family()));
        // The dialog shows sizes in points; a font given in pixels would show rounded down.
        start.setPointSizeF(start.pixelSize() * 72.0 / kScreenDpi);
    }
    bool ok = false;
    const QFont f = QFontDialog::getFont(&ok, start, owner_widget(r.owner));
    FontDialogAnswer a;
    a.ok = ok;
    a.font = r.initial;
    if (ok) {
        a.font.lfHeight =
            -(f.pixelSize() > 0 ? f.pixelSize() : MulDiv(f.pointSize(), kScreenDpi, 72));
        a.font.lfWeight = f.bold() ? FW_BOLD : FW_NORMAL;
        a.font.lfItalic = f.italic() ? 1 : 0;
        a.font.lfUnderline = f.underline() ? 1 : 0;
        a.font.lfStrikeOut = f.strikeOut() ? 1 : 0;
        std::memset(a.font.lfFaceName, 0, LF_FACESIZE);
        std::strncpy(a.font.lfFaceName, f.family().toUtf8().constData(), LF_FACESIZE - 1);
    }
    return a;
}

} // namespace zel::platform::detail
