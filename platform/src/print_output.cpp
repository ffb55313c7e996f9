// The Qt side of printing. Pages arrive as pictures drawn at the page resolution of the
// settings; they are painted onto a QPrinter (a printer, or a PDF file for people without one)
// or shown in a preview window.

#include "print_output.h"

#include "gdi_objects.h"
#include "window_record.h"
#include "zel/common/file_replace.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QPageLayout>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace zel::platform::detail {

namespace {

// One page picture of 600 dots per inch already takes 140 MB for A4; finer printers get
// pages of that resolution, which they print as sharply as the eye can tell.
constexpr int kMaximumPageDpi = 600;

std::unique_ptr<QPrinter> make_printer(const PrinterSettings& s) {
    auto p = std::make_unique<QPrinter>(QPrinter::HighResolution);
    if (!s.outputFile.empty()) {
        p->setOutputFormat(QPrinter::PdfFormat);
        p->setOutputFileName(QString::fromStdString(s.outputFile));
    } else if (!s.printerName.empty()) {
        p->setPrinterName(QString::fromStdString(s.printerName));
    }
    p->setPageOrientation(s.orientation == 2 ? QPageLayout::Landscape : QPageLayout::Portrait);
    p->setPageSize(QPageSize(QSizeF(s.pageWidthMm, s.pageHeightMm), QPageSize::Millimeter));
    p->setFullPage(true);
    return p;
}

// The printer's own resolution, kept between the sharpness pages need and what memory allows.
// A PDF file has no resolution of its own and gets the sharp minimum.
int page_resolution(const QPrinter& p) {
    if (p.outputFormat() == QPrinter::PdfFormat) {
        return kMinimumPrintDpi;
    }
    const QList<int> supported = p.supportedResolutions();
    const int best = supported.isEmpty() ? kMinimumPrintDpi
                                         : *std::max_element(supported.begin(), supported.end());
    return std::clamp(best, kMinimumPrintDpi, kMaximumPageDpi);
}

PrinterSettings settings_of(const QPrinter& p, const PrinterSettings& base) {
    PrinterSettings s = base;
    s.printerName =
        p.outputFormat() == QPrinter::PdfFormat ? std::string() : p.printerName().toStdString();
    s.outputFile = p.outputFileName().toStdString();
    s.orientation = p.pageLayout().orientation() == QPageLayout::Landscape ? 2 : 1;
    const QSizeF mm = p.pageLayout().pageSize().size(QPageSize::Millimeter);
    s.pageWidthMm = mm.width();
    s.pageHeightMm = mm.height();
    s.dotsPerInch = page_resolution(p);
    // What a printer cannot reach; a PDF file reaches every edge.
    QPageLayout layout = p.pageLayout();
    layout.setUnits(QPageLayout::Millimeter);
    const QMarginsF m =
        p.outputFormat() == QPrinter::PdfFormat ? QMarginsF() : layout.minimumMargins();
    s.marginLeftMm = m.left();
    s.marginTopMm = m.top();
    s.marginRightMm = m.right();
    s.marginBottomMm = m.bottom();
    return s;
}

bool is_paper(QRgb c) {
    return (c & 0xFFFFFF) == 0xFFFFFF;
}

// The parts of a page picture that hold something other than white paper: runs of rows with
// ink, each cut to the columns its ink spans, top to bottom.
std::vector<QRect> inked_blocks(const QImage& page) {
    const QImage img = page.convertToFormat(QImage::Format_RGB32); // shared when it already is
    std::vector<QRect> blocks;
    int top = -1, left = 0, right = 0;
    for (int y = 0; y <= img.height(); ++y) {
        int first = -1, last = -1;
        if (y < img.height()) {
            const auto* row = reinterpret_cast<const QRgb*>(img.constScanLine(y));
            const QRgb* end = row + img.width();
            const QRgb* f = std::find_if_not(row, end, is_paper);
            if (f != end) {
                first = int(f - row);
                last = int(std::find_if_not(std::make_reverse_iterator(end),
                                            std::make_reverse_iterator(f), is_paper)
                               .base() -
                           row) -
                       1;
            }
        }
        if (first >= 0) {
            if (top < 0) {
                top = y;
                left = first;
                right = last;
            } else {
                left = std::min(left, first);
                right = std::max(right, last);
            }
        } else if (top >= 0) {
            blocks.emplace_back(QPoint(left, top), QPoint(right, y - 1));
            top = -1;
        }
    }
    return blocks;
}

// Paints rendered pages onto the printer, each filling the printable area. Pictures go into PDF
// files without loss, so that the footer's letters and one-pixel lines stay sharp; white paper
// is left out, which keeps a mostly empty page quick to write.
bool paint_pages(QPrinter* printer, const PrintJob& job) {
    QPainter painter;
    if (!painter.begin(printer)) {
        return false;
    }
    painter.setRenderHint(QPainter::LosslessImageRendering);
    // The pages are pictures of the printable area, inside the paper's margins.
    const double mm = printer->resolution() / 25.4;
    const PrinterSettings& paper = job.settings;
    const QRectF full = QRectF(printer->pageLayout().fullRectPixels(printer->resolution()))
                            .adjusted(paper.marginLeftMm * mm, paper.marginTopMm * mm,
                                      -paper.marginRightMm * mm, -paper.marginBottomMm * mm);
    for (int page = job.firstPage; page <= job.lastPage; ++page) {
        if (page > job.firstPage) {
            printer->newPage();
        }
        HBITMAP bmp = job.renderPage ? job.renderPage(page) : nullptr;
        auto* b = live<BitmapObject>(bmp, GdiObject::Kind::Bitmap);
        if (b != nullptr && !b->image.isNull()) {
            const double sx = full.width() / b->image.width();
            const double sy = full.height() / b->image.height();
            for (const QRect& r : inked_blocks(b->image)) {
                painter.drawImage(QRectF(full.x() + r.x() * sx, full.y() + r.y() * sy,
                                         r.width() * sx, r.height() * sy),
                                  b->image.copy(r));
            }
        }
        ::DeleteObject(bmp);
    }
    painter.end();
    return true;
}

// Whether the PDF file at path reaches its end mark. Qt's PDF writer says it finished even
// when a full disk took none of its last bytes.
bool pdf_complete(const std::string& path) {
    constexpr std::streamoff kTail = 64;
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    const std::streamoff size = in ? static_cast<std::streamoff>(in.tellg()) : 0;
    if (size <= 0) {
        return false;
    }
    const std::streamoff n = std::min(size, kTail);
    std::string tail(static_cast<std::size_t>(n), '\0');
    in.seekg(size - n);
    in.read(tail.data(), n);
    return in && tail.find("%%EOF") != std::string::npos;
}

} // namespace

PrintDialogAnswer qt_print_dialog(const PrintDialogRequest& r) {
    ensure_application();
    PrintDialogAnswer a;
    std::unique_ptr<QPrinter> printer = make_printer(r.current);
    QPrintDialog dialog(printer.get(), owner_widget(r.owner));
    if (r.setupOnly) {
        // Printer, paper and orientation only: nothing is printed from here.
        dialog.setWindowTitle("Print Setup");
        dialog.setOptions(QAbstractPrintDialog::PrintToFile |
                          QAbstractPrintDialog::PrintShowPageSize);
        if (auto* box = dialog.findChild<QDialogButtonBox*>()) {
            if (QPushButton* ok = box->button(QDialogButtonBox::Ok)) {
                ok->setText("OK");
            }
        }
    } else {
        dialog.setMinMax(r.minPage, r.maxPage);
    }
    a.ok = dialog.exec() == QDialog::Accepted;
    a.settings = settings_of(*printer, r.current);
    a.fromPage = printer->fromPage() > 0 ? printer->fromPage() : r.minPage;
    a.toPage = printer->toPage() > 0 ? printer->toPage() : r.maxPage;
    return a;
}

bool qt_print_output(const PrintJob& job) {
    std::unique_ptr<QPrinter> printer = make_printer(job.settings);
    printer->setDocName(QString::fromStdString(job.title));
    if (job.settings.outputFile.empty()) {
        return paint_pages(printer.get(), job);
    }
    // A PDF file is the person's own, as a saved picture is: a print that fails on the way
    // leaves the file that was there before as it was.
    return zel::replace_file(job.settings.outputFile, [&](const std::string& part) {
        printer->setOutputFileName(QString::fromStdString(part));
        return paint_pages(printer.get(), job) && pdf_complete(part);
    });
}

// The preview window. Its Print button only closes it with "print": the framework then prints
// through its own print dialog, so a page is never printed twice.
bool qt_print_preview(const PrintJob& job) {
    ensure_application();
    std::unique_ptr<QPrinter> printer = make_printer(job.settings);
    QDialog dialog;
    dialog.setWindowTitle("Print Preview");
    auto* preview = new QPrintPreviewWidget(printer.get(), &dialog);
    QObject::connect(preview, &QPrintPreviewWidget::paintRequested, &dialog,
                     [&job](QPrinter* p) { paint_pages(p, job); });
    auto* buttons = new QHBoxLayout;
    auto add = [&](const char* text, const char* name, auto action) {
        auto* b = new QPushButton(text, &dialog);
        b->setObjectName(name);
        b->setAutoDefault(false);
        QObject::connect(b, &QPushButton::clicked, &dialog, action);
        buttons->addWidget(b);
    };
    add("&Print...", "print", [&dialog] { dialog.accept(); });
    add("Zoom &In", "zoomIn", [preview] { preview->zoomIn(); });
    add("Zoom &Out", "zoomOut", [preview] { preview->zoomOut(); });
    buttons->addStretch();
    add("&Close", "close", [&dialog] { dialog.reject(); });
    auto* layout = new QVBoxLayout(&dialog);
    layout->addLayout(buttons);
    layout->addWidget(preview, 1);
    dialog.resize(720, 880);
    return dialog.exec() == QDialog::Accepted;
}

} // namespace zel::platform::detail
