// Raster copies between contexts: the three-operand raster operations on pattern (the selected
// brush), source and destination, with the classic monochrome conversions:
// a colour source copied into a monochrome picture gives white where it has the source's
// background colour and black elsewhere; a monochrome source copied into a colour picture
// gives the destination's text colour for black and its background colour for white.

#include "dc_state.h"
#include "window_record.h"

#include <QPainter>

#include <cstring>
#include <limits>
#include <unordered_map>

using namespace zel::platform::detail;

namespace {

DcState* state(const CDC* dc) {
    return dc != nullptr ? live_dc(dc->m_hDC) : nullptr;
}

QRgb apply_rop(DWORD rop, QRgb p, QRgb s, QRgb d) {
    const BYTE code = BYTE(rop >> 16);
    switch (code) {
    case 0xCC:
        return s;
    case 0x88:
        return s & d;
    case 0xEE:
        return s | d;
    case 0x66:
        return s ^ d;
    case 0x33:
        return ~s;
    case 0x55:
        return ~d;
    case 0xF0:
        return p;
    case 0x00:
        return 0;
    case 0xFF:
        return 0xFFFFFFFF;
    default:
        break;
    }
    QRgb r = 0;
    for (int i = 0; i < 8; ++i) {
        if (code & (1 << i)) {
            r |= ((i & 4) ? p : ~p) & ((i & 2) ? s : ~s) & ((i & 1) ? d : ~d);
        }
    }
    return r;
}

bool uses_source(DWORD rop) {
    const BYTE code = BYTE(rop >> 16);
    return ((code >> 2) & 0x33) != (code & 0x33);
}

// Writes `src` (already the size of `dest`, logical coordinates) into the context with `rop`.
void blend(DcState* d, const QRect& dest, const QImage& src, bool srcMono, COLORREF srcBk,
           DWORD rop) {
    QImage* img = d->image();
    if (img == nullptr) {
        return;
    }
    const QRect device = dest.translated(d->origin);
    const QRegion clip = d->effectiveClip() & QRegion(device);
    const bool destMono = d->isMono();
    const QRgb pattern =
        d->brush != nullptr && d->brush->style != BS_NULL
            ? (destMono ? ((d->brush->color & 0xFFFFFF) == 0xFFFFFF ? 0xFFFFFF : 0)
                        : (qRgb(GetRValue(d->brush->color), GetGValue(d->brush->color),
                                GetBValue(d->brush->color)) &
                           0xFFFFFF))
            : 0;
    const QRgb fg = qRgb(GetRValue(d->text), GetGValue(d->text), GetBValue(d->text)) & 0xFFFFFF;
    const QRgb bg = qRgb(GetRValue(d->bk), GetGValue(d->bk), GetBValue(d->bk)) & 0xFFFFFF;
    const QRgb srcKey = qRgb(GetRValue(srcBk), GetGValue(srcBk), GetBValue(srcBk)) & 0xFFFFFF;
    for (const QRect& r : clip) {
        for (int y = r.top(); y <= r.bottom(); ++y) {
            QRgb* row = reinterpret_cast<QRgb*>(img->scanLine(y));
            const QRgb* srow =
                src.isNull() ? nullptr
                             : reinterpret_cast<const QRgb*>(src.constScanLine(y - device.top()));
            for (int x = r.left(); x <= r.right(); ++x) {
                QRgb s = srow != nullptr ? (srow[x - device.left()] & 0xFFFFFF) : 0;
                if (srow != nullptr && srcMono && !destMono) {
                    s = s != 0 ? bg : fg;
                } else if (srow != nullptr && !srcMono && destMono) {
                    s = s == srcKey ? 0xFFFFFF : 0;
                }
                QRgb out = apply_rop(rop, pattern, s, row[x] & 0xFFFFFF) & 0xFFFFFF;
                if (destMono) {
                    out = out != 0 ? 0xFFFFFF : 0;
                }
                row[x] = 0xFF000000 | out;
            }
        }
    }
    d->touched(device);
}

// The source picture of a copy, cut to (x, y, w, h) and scaled to `size` by the stretch mode.
// Negative sizes mirror.
QImage source_part(const QImage& src, int x, int y, int w, int h, QSize size, int stretchMode) {
    const bool mirrorX = (w < 0) != (size.width() < 0);
    const bool mirrorY = (h < 0) != (size.height() < 0);
    QRect r = QRect(x, y, w, h).normalized();
    if (w < 0) {
        r.translate(1, 0);
    }
    if (h < 0) {
        r.translate(0, 1);
    }
    // Parts outside the source read as black, as uncovered source pixels do.
    QImage part(r.size(), QImage::Format_RGB32);
    part.fill(Qt::black);
    {
        QPainter p(&part);
        p.setCompositionMode(QPainter::CompositionMode_Source);
        p.drawImage(QPoint(0, 0), src, r);
    }
    const QSize target(std::abs(size.width()), std::abs(size.height()));
    if (part.size() != target) {
        part = part.scaled(target, Qt::IgnoreAspectRatio,
                           stretchMode == HALFTONE ? Qt::SmoothTransformation
                                                   : Qt::FastTransformation);
    }
    if (mirrorX || mirrorY) {
        part = part.mirrored(mirrorX, mirrorY);
    }
    return part.convertToFormat(QImage::Format_RGB32);
}

QRect dest_rect(int x, int y, int w, int h) {
    QRect r = QRect(x, y, w, h).normalized();
    if (w < 0) {
        r.translate(1, 0);
    }
    if (h < 0) {
        r.translate(0, 1);
    }
    return r;
}

// The index of a colour in an 8-bit picture's table. A picture of more than 256 colours (a
// smoothed text's shades) has its further colours drawn in the nearest one of the table, not in
// its first colour; each is looked up once.
BYTE table_index(std::unordered_map<QRgb, BYTE>& table, const RGBQUAD* colors, std::size_t used,
                 QRgb c) {
    if (const auto it = table.find(c); it != table.end()) {
        return it->second;
    }
    BYTE nearest = 0;
    int least = std::numeric_limits<int>::max();
    for (std::size_t i = 0; i < used; ++i) {
        const int dr = qRed(c) - colors[i].rgbRed, dg = qGreen(c) - colors[i].rgbGreen,
                  db = qBlue(c) - colors[i].rgbBlue;
        if (const int d = dr * dr + dg * dg + db * db; d < least) {
            least = d;
            nearest = BYTE(i);
        }
    }
    table.emplace(c, nearest);
    return nearest;
}

} // namespace

BOOL CDC::StretchBlt(int x, int y, int width, int height, CDC* source, int xSrc, int ySrc,
                     int srcWidth, int srcHeight, DWORD rop) {
    DcState* d = state(this);
    if (d == nullptr || width == 0 || height == 0) {
        return d != nullptr;
    }
    if (!uses_source(rop)) {
        return PatBlt(x, y, width, height, rop);
    }
    DcState* s = state(source);
    QImage* simg = s != nullptr ? s->image() : nullptr;
    if (simg == nullptr || srcWidth == 0 || srcHeight == 0) {
        return FALSE;
    }
    // The source is cut before drawing, so a context may copy onto itself.
    const QImage part = source_part(*simg, xSrc + s->origin.x(), ySrc + s->origin.y(), srcWidth,
                                    srcHeight, QSize(width, height), d->stretchMode);
    blend(d, dest_rect(x, y, width, height), part, s->isMono(), s->bk, rop);
    return TRUE;
}

BOOL CDC::BitBlt(int x, int y, int width, int height, CDC* source, int xSrc, int ySrc, DWORD rop) {
    return StretchBlt(x, y, width, height, source, xSrc, ySrc, width, height, rop);
}

BOOL CDC::PatBlt(int x, int y, int width, int height, DWORD rop) {
    DcState* d = state(this);
    if (d == nullptr) {
        return FALSE;
    }
    blend(d, dest_rect(x, y, width, height), QImage(), false, 0, rop);
    return TRUE;
}

int CDC::StretchDIBits(int x, int y, int width, int height, int xSrc, int ySrc, int srcWidth,
                       int srcHeight, const void* bits, const BITMAPINFO* info, UINT, DWORD rop) {
    DcState* d = state(this);
    const QImage img = image_from_dib(info, bits);
    if (d == nullptr || img.isNull()) {
        return 0;
    }
    // Source rows are counted from the bottom line for bottom-up pictures.
    const int top = info->bmiHeader.biHeight > 0 ? img.height() - ySrc - srcHeight : ySrc;
    const QImage part =
        source_part(img, xSrc, top, srcWidth, srcHeight, QSize(width, height), d->stretchMode);
    blend(d, dest_rect(x, y, width, height), part, false, 0, rop);
    return std::abs(srcHeight);
}

int CDC::SetDIBitsToDevice(int x, int y, DWORD width, DWORD height, int xSrc, int ySrc,
                           UINT startScan, UINT scanLines, const void* bits, const BITMAPINFO* info,
                           UINT usage) {
    (void)startScan;
    (void)scanLines;
    return StretchDIBits(x, y, int(width), int(height), xSrc, ySrc, int(width), int(height), bits,
                         info, usage, SRCCOPY) != 0
               ? int(height)
               : 0;
}

int GetDIBits(HDC, HBITMAP bitmap, UINT start, UINT lines, void* bits, BITMAPINFO* info, UINT) {
    auto* b = live<BitmapObject>(bitmap, GdiObject::Kind::Bitmap);
    if (b == nullptr || info == nullptr) {
        return 0;
    }
    b->syncFromDib();
    const QImage& img = b->image;
    BITMAPINFOHEADER& h = info->bmiHeader;
    if (bits == nullptr && h.biBitCount == 0) {
        h.biWidth = img.width();
        h.biHeight = img.height();
        h.biPlanes = 1;
        h.biBitCount = b->mono ? 1 : 32;
        h.biCompression = BI_RGB;
        h.biSizeImage = DWORD(dib_stride(img.width(), h.biBitCount) * img.height());
        return 1;
    }
    const int bpp = h.biBitCount;
    if ((bpp != 8 && bpp != 24 && bpp != 32) ||
        (h.biHeight != 0 &&
         !dib_size_fits(h.biWidth > 0 ? h.biWidth : img.width(), h.biHeight, bpp))) {
        return 0;
    }
    // The caller's header gives the size of the rows it has room for (the picture is cut or
    // filled with black to it); without one, the bitmap's own size.
    const int w = h.biWidth > 0 ? int(h.biWidth) : img.width();
    const int rows = h.biHeight != 0 ? std::abs(int(h.biHeight)) : img.height();
    const bool topDown = h.biHeight < 0;
    h.biWidth = w;
    h.biHeight = topDown ? -rows : rows;
    h.biPlanes = 1;
    h.biSizeImage = DWORD(dib_stride(w, bpp) * rows);
    // Whole pictures are read here (a face drawing on Done): walk the rows as words.
    const QImage words =
        img.format() == QImage::Format_RGB32 || img.format() == QImage::Format_ARGB32
            ? img
            : img.convertToFormat(QImage::Format_RGB32);
    // A row of the picture (null below its last one) and a pixel of it (black beyond its end).
    auto row_of = [&words](int y) -> const QRgb* {
        return y < words.height() ? reinterpret_cast<const QRgb*>(words.constScanLine(y)) : nullptr;
    };
    const int width = words.width();
    auto pixel = [width](const QRgb* in, int x) -> QRgb {
        return in != nullptr && x < width ? in[x] & 0xFFFFFF : 0;
    };
    // An 8-bit picture gets a colour table of the colours it uses (the first 256). Runs of one
    // colour are the rule, so the last colour is looked at before the table.
    std::unordered_map<QRgb, BYTE> table;
    if (bpp == 8) {
        QRgb last = 0xFFFFFFFF;
        for (int y = 0; y < rows && table.size() < 256; ++y) {
            const QRgb* in = row_of(y);
            for (int x = 0; x < w && table.size() < 256; ++x) {
                const QRgb c = pixel(in, x);
                if (c == last) {
                    continue;
                }
                last = c;
                if (table.count(c) == 0) {
                    const auto index = BYTE(table.size());
                    table.emplace(c, index);
                    info->bmiColors[index] =
                        RGBQUAD{BYTE(qBlue(c)), BYTE(qGreen(c)), BYTE(qRed(c)), 0};
                }
            }
        }
        for (std::size_t i = table.size(); i < 256; ++i) {
            info->bmiColors[i] = RGBQUAD{};
        }
        h.biClrUsed = 0;
    }
    const std::size_t used = table.size();
    if (bits == nullptr) {
        return rows;
    }
    const int stride = dib_stride(w, bpp);
    auto* out = static_cast<unsigned char*>(bits);
    int copied = 0;
    for (UINT line = start; line < start + lines && int(line) < rows; ++line, ++copied) {
        // `line` counts stored rows: from the bottom for bottom-up pictures.
        const int y = topDown ? int(line) : rows - 1 - int(line);
        unsigned char* row = out + std::size_t(line - start) * std::size_t(stride);
        std::memset(row, 0, std::size_t(stride));
        const QRgb* in = row_of(y);
        QRgb last = 0xFFFFFFFF;
        BYTE lastIndex = 0;
        for (int x = 0; x < w; ++x) {
            const QRgb c = pixel(in, x);
            if (bpp == 8) {
                if (c != last) {
                    last = c;
                    lastIndex = table_index(table, info->bmiColors, used, c);
                }
                row[x] = lastIndex;
            } else {
                row[x * (bpp / 8)] = BYTE(qBlue(c));
                row[x * (bpp / 8) + 1] = BYTE(qGreen(c));
                row[x * (bpp / 8) + 2] = BYTE(qRed(c));
            }
        }
    }
    return copied;
}

int SetDIBits(HDC, HBITMAP bitmap, UINT start, UINT lines, const void* bits, const BITMAPINFO* info,
              UINT) {
    auto* b = live<BitmapObject>(bitmap, GdiObject::Kind::Bitmap);
    const QImage img = image_from_dib(info, bits);
    if (b == nullptr || img.isNull()) {
        return 0;
    }
    const int rows = img.height();
    const bool topDown = info->bmiHeader.biHeight < 0;
    int copied = 0;
    for (UINT line = start; line < start + lines && int(line) < rows; ++line, ++copied) {
        const int y = topDown ? int(line) : rows - 1 - int(line);
        if (y >= b->image.height()) {
            continue;
        }
        const auto* in = reinterpret_cast<const QRgb*>(img.constScanLine(y));
        auto* outRow = reinterpret_cast<QRgb*>(b->image.scanLine(y));
        for (int x = 0; x < img.width() && x < b->image.width(); ++x) {
            QRgb c = in[x] | 0xFF000000;
            if (b->mono) {
                c = qGray(c) >= 128 ? 0xFFFFFFFF : 0xFF000000;
            }
            outRow[x] = c;
        }
    }
    b->syncToDib();
    return copied;
}
