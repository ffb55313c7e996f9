// Text on device contexts: the selected font, text colour, and the background colour when the
// background mode is opaque. "&" marks an access key unless DT_NOPREFIX is given.

#include "dc_state.h"

#include <QFontMetrics>
#include <QPainter>

using namespace zel::platform::detail;

namespace {

DcState* state(const CDC* dc) {
    return dc != nullptr ? live_dc(dc->m_hDC) : nullptr;
}

QFont font_of(DcState* s) {
    QFont f = s->font != nullptr ? s->font->qfont() : QFont("DejaVu Sans");
    f.setStyleStrategy(QFont::NoAntialias);
    return f;
}

int qt_flags(UINT format) {
    int f = 0;
    f |= (format & DT_CENTER) ? Qt::AlignHCenter
                              : ((format & DT_RIGHT) ? Qt::AlignRight : Qt::AlignLeft);
    if (format & DT_SINGLELINE) {
        f |= (format & DT_VCENTER) ? Qt::AlignVCenter
                                   : ((format & DT_BOTTOM) ? Qt::AlignBottom : Qt::AlignTop);
        f |= Qt::TextSingleLine;
    } else {
        f |= Qt::AlignTop;
    }
    if (format & DT_WORDBREAK) {
        f |= Qt::TextWordWrap;
    }
    if (format & DT_EXPANDTABS) {
        f |= Qt::TextExpandTabs;
    }
    f |= (format & DT_NOPREFIX) ? 0 : Qt::TextShowMnemonic;
    return f;
}

} // namespace

int CDC::DrawText(LPCTSTR text, int count, LPRECT rect, UINT format) {
    DcState* s = state(this);
    if (s == nullptr || text == nullptr || rect == nullptr) {
        return 0;
    }
    const QString str = count < 0 ? QString::fromUtf8(text) : QString::fromUtf8(text, count);
    const QFont font = font_of(s);
    const QFontMetrics fm(font);
    const QRect box(rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top);
    const int flags = qt_flags(format);
    QRect used = fm.boundingRect(
        box.width() > 0 ? box : QRect(box.topLeft(), QSize(100000, 100000)), flags, str);
    if (format & DT_CALCRECT) {
        // The rectangle keeps its left and top; right and bottom follow the text.
        const int w = (format & DT_WORDBREAK) != 0 && box.width() > 0
                          ? std::min(used.width(), box.width())
                          : used.width();
        rect->right = rect->left + w;
        rect->bottom = rect->top + used.height();
        return used.height();
    }
    // The clip is read before the painter starts (reading it refreshes a section's picture).
    QRegion clip = s->effectiveClip();
    if (!(format & DT_NOCLIP)) {
        clip &= QRegion(box.translated(s->origin));
    }
    QImage* img = s->image();
    if (img == nullptr) {
        return 0;
    }
    {
        QPainter p(img);
        p.setClipRegion(clip);
        p.translate(s->origin);
        p.setFont(font);
        if (s->bkMode == OPAQUE) {
            p.fillRect(used.intersected(box), qcolor(s->bk));
        }
        p.setPen(qcolor(s->text));
        p.drawText(box, flags, str);
    }
    s->touched(box.translated(s->origin));
    return used.height();
}

int CDC::DrawText(const CString& text, LPRECT rect, UINT format) {
    return DrawText(text.GetString(), text.GetLength(), rect, format);
}

BOOL CDC::TextOut(int x, int y, const CString& text) {
    DcState* s = state(this);
    QImage* img = s != nullptr ? s->image() : nullptr;
    if (img == nullptr) {
        return FALSE;
    }
    const QString str = QString::fromUtf8(text.GetString());
    const QFont font = font_of(s);
    const QFontMetrics fm(font);
    const QRect box(x, y, fm.horizontalAdvance(str), fm.height());
    // The clip is read before the painter starts (reading it refreshes a section's picture).
    const QRegion clip = s->effectiveClip();
    img = s->image();
    {
        QPainter p(img);
        p.setClipRegion(clip);
        p.translate(s->origin);
        p.setFont(font);
        if (s->bkMode == OPAQUE) {
            p.fillRect(box, qcolor(s->bk));
        }
        p.setPen(qcolor(s->text));
        p.drawText(QPoint(x, y + fm.ascent()), str);
    }
    s->touched(box.translated(s->origin));
    return TRUE;
}

CSize CDC::GetTextExtent(LPCTSTR text, int count) const {
    DcState* s = state(this);
    if (s == nullptr || text == nullptr) {
        return {};
    }
    const QFontMetrics fm(font_of(s));
    const QString str = count < 0 ? QString::fromUtf8(text) : QString::fromUtf8(text, count);
    return {fm.horizontalAdvance(str), fm.height()};
}

CSize CDC::GetTextExtent(const CString& text) const {
    return GetTextExtent(text.GetString(), text.GetLength());
}

BOOL CDC::GetTextMetrics(TEXTMETRIC* tm) const {
    DcState* s = state(this);
    if (s == nullptr || tm == nullptr) {
        return FALSE;
    }
    const QFontMetrics fm(font_of(s));
    tm->tmHeight = fm.height();
    tm->tmAscent = fm.ascent();
    tm->tmDescent = fm.descent();
    tm->tmInternalLeading = 0;
    tm->tmExternalLeading = fm.leading();
    tm->tmAveCharWidth = fm.averageCharWidth();
    tm->tmMaxCharWidth = fm.maxWidth();
    return TRUE;
}
