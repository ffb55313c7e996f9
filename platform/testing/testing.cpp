#include "zel/platform/testing.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QProcess>
#include <QTimer>
#include <QWidget>

#include <cstring>

namespace zel::platform::test {

void ensure_app() {
    if (QCoreApplication::instance() == nullptr) {
        static int argc = 1;
        static char name[] = "zel_tests";
        static char* argv[] = {name, nullptr};
        new QApplication(argc, argv);
        // No test reads or writes the person's own profile; every sound is recorded.
        set_profile_store(std::make_shared<MemoryProfileStore>());
        set_sound_hook({});
    }
}

void pump(int ms, const std::function<bool()>& done) {
    QElapsedTimer t;
    t.start();
    do {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        if (done && done()) {
            return;
        }
    } while (t.elapsed() < ms);
}

namespace {
QWidget* widget_of(CWnd& wnd) {
    return reinterpret_cast<QWidget*>(wnd.m_hWnd);
}

void send_button(CWnd& wnd, CPoint p, bool press) {
    // Client coordinates start inside the window's border.
    POINT screen = p;
    wnd.ClientToScreen(&screen);
    QWidget* w = widget_of(wnd);
    const QPointF local = w->mapFromGlobal(QPointF(screen.x, screen.y));
    const QPointF global(screen.x, screen.y);
    QMouseEvent e(press ? QEvent::MouseButtonPress : QEvent::MouseButtonRelease, local, global,
                  Qt::LeftButton, press ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}
} // namespace

void click(CWnd& wnd, CPoint p) {
    send_button(wnd, p, true);
    send_button(wnd, p, false);
}

void mouse_press(CWnd& wnd, CPoint p) {
    send_button(wnd, p, true);
}

void mouse_release(CWnd& wnd, CPoint p) {
    send_button(wnd, p, false);
}

void mouse_move(CWnd& wnd, CPoint p, bool leftHeld) {
    POINT screen = p;
    wnd.ClientToScreen(&screen);
    QWidget* w = widget_of(wnd);
    const QPointF global(screen.x, screen.y);
    const QPointF local = w->mapFromGlobal(global);
    QMouseEvent move(QEvent::MouseMove, local, global, Qt::NoButton,
                     leftHeld ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(w, &move);
}

void mouse_leave(CWnd& wnd) {
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(widget_of(wnd), &leave);
}

void key(CWnd& wnd, int qtKey, int qtModifiers) {
    QWidget* w = widget_of(wnd);
    QKeyEvent press(QEvent::KeyPress, qtKey, Qt::KeyboardModifiers(qtModifiers));
    QApplication::sendEvent(w, &press);
    QKeyEvent release(QEvent::KeyRelease, qtKey, Qt::KeyboardModifiers(qtModifiers));
    QApplication::sendEvent(w, &release);
}

struct PopupChoice::Watch {
    QTimer timer;
    int answered = 0;
};

PopupChoice::PopupChoice(int index) : m_watch(std::make_unique<Watch>()) {
    Watch* w = m_watch.get();
    QObject::connect(&w->timer, &QTimer::timeout, [w, index] {
        auto* popup = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (popup == nullptr || index < 0 || index >= popup->actions().size()) {
            return;
        }
        ++w->answered;
        popup->actions().at(index)->trigger();
        popup->close();
    });
    w->timer.start(10);
}

PopupChoice::~PopupChoice() = default;

int PopupChoice::answered() const {
    return m_watch->answered;
}

std::string tool_tip(CWnd& wnd) {
    return widget_of(wnd)->toolTip().toStdString();
}

bool save_picture(CWnd& wnd, const std::string& path) {
    return widget_of(wnd)->grab().toImage().save(QString::fromStdString(path), "PNG");
}

COLORREF RasterPage::pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= width || y >= height) {
        return RGB(255, 255, 255);
    }
    const QRgb c = argb[std::size_t(y) * std::size_t(width) + std::size_t(x)];
    return RGB(qRed(c), qGreen(c), qBlue(c));
}

RasterPage rasterise_pdf(const std::string& path, int dotsPerInch, int page) {
    RasterPage out;
    const QString prefix = QString::fromStdString(path) + ".raster";
    QProcess p;
    p.start("pdftoppm",
            {"-r", QString::number(dotsPerInch), "-f", QString::number(page), "-l",
             QString::number(page), "-singlefile", "-png", QString::fromStdString(path), prefix});
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        return out;
    }
    const QImage img = QImage(prefix + ".png").convertToFormat(QImage::Format_RGB32);
    out.width = img.width();
    out.height = img.height();
    out.argb.resize(std::size_t(out.width) * std::size_t(out.height));
    for (int y = 0; y < out.height; ++y) {
        std::memcpy(&out.argb[std::size_t(y) * std::size_t(out.width)], img.constScanLine(y),
                    std::size_t(out.width) * sizeof(QRgb));
    }
    return out;
}

HookReset::~HookReset() {
    reset_hooks();
    set_profile_store(std::make_shared<MemoryProfileStore>());
}

} // namespace zel::platform::test
