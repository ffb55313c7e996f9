#pragma once
// The state behind a device context: its target (a window's surface, a memory bitmap, a
// printer page), the selected objects and the drawing modes.

#include "gdi_objects.h"
#include "zel/platform/dc.h"

#include <QMargins>
#include <QPointer>
#include <QRegion>

#include <memory>
#include <optional>

namespace zel::platform::detail {

struct WindowRecord;

struct DcState {
    enum class Target { Screen, Window, Memory, Printer };
    explicit DcState(Target t);
    ~DcState();
    DcState(const DcState&) = delete;
    DcState& operator=(const DcState&) = delete;

    Target target;
    QPointer<WindowRecord> wnd;        // Window
    BitmapObject* bitmap = nullptr;    // Memory and Printer: the picture drawn on
    BitmapObject* ownBitmap = nullptr; // the 1 x 1 default, or the printer page
    PenObject* pen = nullptr;
    BrushObject* brush = nullptr;
    FontObject* font = nullptr;
    PaletteObject* palette = nullptr;
    COLORREF text = 0;
    COLORREF bk = RGB(255, 255, 255);
    int bkMode = OPAQUE;
    int stretchMode = BLACKONWHITE;
    QPoint pos;
    QPoint origin;
    std::optional<QRegion> clip;      // device coordinates
    std::optional<QRegion> paintClip; // the invalid area of a paint context
    int dpi = 96;
    bool printing = false;
    QSize printerPage;                // Printer: the printable page, in pixels
    QMargins paperMargins;            // Printer: the paper around it
    CDC* wrapper = nullptr;           // the CDC that speaks for this state, if any
    bool ownedByWrapper = false;      // deleted with its wrapper
    std::unique_ptr<CDC> tempWrapper; // made by CDC::FromHandle for bare handles

    // The picture drawn on (null when there is none).
    QImage* image();
    bool isMono();
    // Where drawing may land, in device coordinates.
    QRegion effectiveClip();
    // After drawing into `deviceRect`: shows it on screen / writes sections back.
    void touched(const QRect& deviceRect);
    template <class T> void select(T*& slot, T* object) {
        if (slot != nullptr && live_object(slot) != nullptr) {
            --slot->selections;
        }
        slot = object;
        if (slot != nullptr) {
            ++slot->selections;
        }
    }
};

DcState* live_dc(HDC dc);
void register_dc(DcState* s);
void unregister_dc(DcState* s);

} // namespace zel::platform::detail
