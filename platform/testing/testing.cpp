#include "zel/platform/testing.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>

namespace zel::platform::test {

void ensure_app() {
    if (QCoreApplication::instance() == nullptr) {
        static int argc = 1;
        static char name[] = "zel_tests";
        static char* argv[] = {name, nullptr};
        new QApplication(argc, argv);
        // No test reads or writes the person's own profile.
        set_profile_store(std::make_shared<MemoryProfileStore>());
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
} // namespace

void click(CWnd& wnd, CPoint p) {
    // Client coordinates start inside the window's border.
    POINT screen = p;
    wnd.ClientToScreen(&screen);
    QWidget* w = widget_of(wnd);
    const QPointF local = w->mapFromGlobal(QPointF(screen.x, screen.y));
    const QPointF global(screen.x, screen.y);
    QMouseEvent press(QEvent::MouseButtonPress, local, global, Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(w, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, local, global, Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(w, &release);
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

HookReset::~HookReset() {
    reset_hooks();
    set_profile_store(std::make_shared<MemoryProfileStore>());
}

} // namespace zel::platform::test
