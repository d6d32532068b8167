// SPDX-License-Identifier: GPL-3.0-or-later
#include "XSession.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/extensions/Xdamage.h>

#include <poll.h>

#include <cmath>
#include <cstring>

namespace quillery {

namespace {

Display *dpy(void *display)
{
    return static_cast<Display *>(display);
}

QByteArray windowTitle(Display *display, Window window)
{
    const Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
    const Atom netName = XInternAtom(display, "_NET_WM_NAME", False);
    Atom type = 0;
    int format = 0;
    unsigned long items = 0;
    unsigned long after = 0;
    unsigned char *data = nullptr;
    QByteArray title;
    if (XGetWindowProperty(display, window, netName, 0, 1024, False, utf8, &type, &format, &items,
                           &after, &data) == Success &&
        data) {
        title = QByteArray(reinterpret_cast<const char *>(data), int(items));
        XFree(data);
    }
    return title;
}

bool anyTitled(Display *display, Window window, const QByteArray &title)
{
    if (windowTitle(display, window).contains(title)) {
        XWindowAttributes attributes;
        if (XGetWindowAttributes(display, window, &attributes) &&
            attributes.map_state == IsViewable)
            return true;
    }
    Window root = 0;
    Window parent = 0;
    Window *children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(display, window, &root, &parent, &children, &count))
        return false;
    bool found = false;
    for (unsigned int n = 0; n < count && !found; ++n)
        found = anyTitled(display, children[n], title);
    if (children)
        XFree(children);
    return found;
}

// Windows come and go while the session looks at them; a request about one that has just
// gone fails, which is no reason to end the benchmark.
int ignoreError(Display *, XErrorEvent *)
{
    return 0;
}

// The pixels of an area of the screen, as the 24-bit screen of the private server keeps
// them in 32 bits each.
QImage screenArea(Display *display, const QRect &area)
{
    XImage *image = XGetImage(display, DefaultRootWindow(display), area.x(), area.y(),
                              unsigned(area.width()), unsigned(area.height()), AllPlanes, ZPixmap);
    if (!image)
        return {};
    QImage copy(area.size(), QImage::Format_RGB32);
    if (image->bits_per_pixel == 32) {
        for (int y = 0; y < area.height(); ++y)
            std::memcpy(copy.scanLine(y), image->data + qsizetype(y) * image->bytes_per_line,
                        size_t(area.width()) * 4);
    }
    XDestroyImage(image);
    return copy;
}

} // namespace

XSession::XSession(const QByteArray &display)
{
    XSetErrorHandler(ignoreError);
    m_clock.start();
    Display *d = XOpenDisplay(display.constData());
    m_display = d;
    if (!d) {
        m_missing = "cannot open display " + display;
        return;
    }
    int event = 0;
    int error = 0;
    int major = 0;
    int minor = 0;
    if (!XTestQueryExtension(d, &event, &error, &major, &minor))
        m_missing += "XTEST ";
    if (!XDamageQueryExtension(d, &m_damageEvent, &error))
        m_missing += "DAMAGE ";
    if (!m_missing.isEmpty())
        return;
    // Damage to the root window takes in every window on the screen.
    m_damage = XDamageCreate(d, DefaultRootWindow(d), XDamageReportRawRectangles);
    XSync(d, False);
}

XSession::~XSession()
{
    if (!m_display)
        return;
    if (m_damage)
        XDamageDestroy(dpy(m_display), m_damage);
    XCloseDisplay(dpy(m_display));
}

double XSession::key(const QByteArray &chord)
{
    Display *d = dpy(m_display);
    QList<KeyCode> held;
    for (const QByteArray &part : chord.split('+')) {
        QByteArray name = part;
        if (name == "ctrl")
            name = "Control_L";
        else if (name == "shift")
            name = "Shift_L";
        else if (name == "alt")
            name = "Alt_L";
        held.append(XKeysymToKeycode(d, XStringToKeysym(name.constData())));
    }
    const double sent = nowMs();
    for (KeyCode code : held)
        XTestFakeKeyEvent(d, code, True, CurrentTime);
    for (qsizetype n = held.size() - 1; n >= 0; --n)
        XTestFakeKeyEvent(d, held.at(n), False, CurrentTime);
    XFlush(d);
    return sent;
}

void XSession::type(const QByteArray &text)
{
    for (char letter : text) {
        QByteArray name(1, letter);
        if (letter == ' ')
            name = "space";
        else if (letter == '.')
            name = "period";
        key(name);
        settle(30, nowMs() + 1000);
    }
}

std::optional<Damage> XSession::nextDamage(double deadlineMs)
{
    Display *d = dpy(m_display);
    for (;;) {
        while (XPending(d)) {
            XEvent event;
            XNextEvent(d, &event);
            if (event.type == m_damageEvent + XDamageNotify) {
                const auto &notify = reinterpret_cast<const XDamageNotifyEvent &>(event);
                return Damage{nowMs(), QRect(notify.area.x, notify.area.y, notify.area.width,
                                             notify.area.height)};
            }
        }
        const double left = deadlineMs - nowMs();
        if (left <= 0)
            return std::nullopt;
        pollfd connection{ConnectionNumber(d), POLLIN, 0};
        poll(&connection, 1, int(std::ceil(left)));
    }
}

void XSession::drain()
{
    XSync(dpy(m_display), False);
    while (nextDamage(nowMs())) {
    }
}

bool XSession::settle(double quietMs, double deadlineMs)
{
    for (;;) {
        const double quietUntil = std::min(nowMs() + quietMs, deadlineMs);
        if (!nextDamage(quietUntil))
            return nowMs() < deadlineMs;
    }
}

bool XSession::windowTitled(const QByteArray &title)
{
    Display *d = dpy(m_display);
    return anyTitled(d, DefaultRootWindow(d), title);
}

void XSession::copyScreen()
{
    Display *d = dpy(m_display);
    m_screen = screenArea(
        d, QRect(0, 0, DisplayWidth(d, DefaultScreen(d)), DisplayHeight(d, DefaultScreen(d))));
}

bool XSession::changed(const QRect &area)
{
    const QRect inside = area & m_screen.rect();
    if (inside.isEmpty())
        return false;
    const QImage now = screenArea(dpy(m_display), inside);
    if (now.isNull())
        return false;
    bool differ = false;
    const size_t rowBytes = size_t(inside.width()) * 4;
    for (int y = 0; y < inside.height(); ++y) {
        uchar *kept = m_screen.scanLine(inside.y() + y) + qsizetype(inside.x()) * 4;
        if (std::memcmp(kept, now.constScanLine(y), rowBytes) != 0) {
            std::memcpy(kept, now.constScanLine(y), rowBytes);
            differ = true;
        }
    }
    return differ;
}

} // namespace quillery
