// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform_ui/ScreenFit.h"

#include <QApplication>
#include <QCursor>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabWidget>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <QtMath>

namespace quillery {

namespace {

// Menus, tool tips and the like place themselves.
bool placedByUs(const QWidget &widget)
{
    if (!widget.isWindow())
        return false;
    switch (widget.windowType()) {
    case Qt::Popup:
    case Qt::ToolTip:
    case Qt::Desktop:
        return false;
    default:
        return true;
    }
}

// Until the window manager has framed a new window its frame is unknown; the guess is
// generous, so that a title bar of any usual height stays on screen.
QMargins frameOf(const QWidget &window)
{
    const QWindow *handle = window.windowHandle();
    const QMargins known = handle ? handle->frameMargins() : QMargins();
    if (!known.isNull() || window.windowFlags().testFlag(Qt::FramelessWindowHint))
        return known;
    const qreal ratio = window.devicePixelRatioF();
    const int edge = qCeil(8 / ratio);
    return QMargins(edge, qCeil(40 / ratio), edge, edge);
}

QScreen *screenOf(const QWidget &window)
{
    if (const QWidget *parent = window.parentWidget()) {
        if (QScreen *screen = parent->window()->screen())
            return screen;
    }
    // A window put somewhere on purpose (a restored placement) stays on that screen.
    if (window.testAttribute(Qt::WA_Moved)) {
        if (QScreen *screen = QGuiApplication::screenAt(window.geometry().center()))
            return screen;
    }
    if (QScreen *screen = QGuiApplication::screenAt(QCursor::pos()))
        return screen;
    return window.screen();
}

// Without placement the window is only made small enough.
void fit(QWidget &window, bool placement)
{
    if (window.windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen | Qt::WindowMinimized))
        return;
    const QRect room = screenRoomFor(window).marginsRemoved(frameOf(window));
    if (room.isEmpty())
        return;
    const QSize size = window.size().boundedTo(room.size()).expandedTo(window.minimumSize());
    if (!placement) {
        if (size != window.size())
            window.resize(size);
        return;
    }
    QRect client(window.geometry().topLeft(), size);
    client.moveLeft(qMax(room.left(), qMin(client.left(), room.right() + 1 - size.width())));
    client.moveTop(qMax(room.top(), qMin(client.top(), room.bottom() + 1 - size.height())));
    if (client != window.geometry())
        window.setGeometry(client);
}

const char *const FramePending = "quilleryFramePending";

// Fits each window as it is shown, and once more when the window manager has framed it
// and its real frame is known.
class ScreenKeeper : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        const QEvent::Type type = event->type();
        if ((type != QEvent::Show && type != QEvent::Move) || !watched->isWidgetType())
            return false;
        auto *window = static_cast<QWidget *>(watched);
        if (!placedByUs(*window))
            return false;
        if (type == QEvent::Show && !event->spontaneous()) {
            // A window nobody has placed yet is the window manager's to place.
            fit(*window, window->testAttribute(Qt::WA_Moved));
            window->setProperty(FramePending, true);
            // A window manager that never reports a frame leaves the guess standing.
            QTimer::singleShot(2000, window, [window] { window->setProperty(FramePending, {}); });
        } else if (type == QEvent::Move && window->property(FramePending).toBool() &&
                   window->windowHandle() && !window->windowHandle()->frameMargins().isNull()) {
            window->setProperty(FramePending, {});
            fitToScreen(*window);
        }
        return false;
    }
};

} // namespace

void keepWindowsOnScreen(QApplication &application)
{
    application.installEventFilter(new ScreenKeeper(&application));
}

QRect screenRoomFor(const QWidget &window)
{
    const QScreen *screen = screenOf(window);
    return screen ? screen->availableGeometry() : QRect();
}

void fitToScreen(QWidget &window)
{
    fit(window, true);
}

namespace {

// Asks for room for all of its content, so that on a screen big enough nothing scrolls,
// and for its scroll bar, so that where the page does scroll it scrolls one way only.
class ScrollingPage : public QScrollArea
{
public:
    using QScrollArea::QScrollArea;

    QSize sizeHint() const override
    {
        const int frame = 2 * frameWidth();
        return widget()->sizeHint() + QSize(frame + verticalScrollBar()->sizeHint().width(), frame);
    }
};

} // namespace

void scrollingTabs(QTabWidget &tabs)
{
    const int current = tabs.currentIndex();
    for (int index = 0; index < tabs.count(); ++index) {
        QWidget *page = tabs.widget(index);
        const QString label = tabs.tabText(index);
        const QIcon icon = tabs.tabIcon(index);
        tabs.removeTab(index);
        auto *area = new ScrollingPage(&tabs);
        area->setFrameShape(QFrame::NoFrame);
        area->setWidgetResizable(true);
        area->setWidget(page);
        // The page's own controls take the focus, and the area keeps the focused one in
        // view; the area itself is no stop of its own, and a screen reader names it as its tab.
        area->setFocusPolicy(Qt::NoFocus);
        area->setAccessibleName(QString(label).remove(u'&'));
        // The tab's own panel shows through, as it did behind the page.
        area->viewport()->setAutoFillBackground(false);
        page->setAutoFillBackground(false);
        tabs.insertTab(index, area, icon, label);
    }
    tabs.setCurrentIndex(current);
}

} // namespace quillery
