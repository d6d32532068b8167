// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPoint>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace quillery::test {

// The real program on an X server with a window manager, driven by real key events, as a
// user drives it. A test runs itself again under xvfb-run (runUnderXvfb) and, there, makes
// a desktop: openbox starts, the program starts with a home of its own, and xdotool sends
// keys to whatever window has the focus, so a window that takes the focus away is caught.
class XDesktop
{
public:
    // Whether xvfb-run, openbox and xdotool are installed; why not when they are not.
    static QString missingTools();
    // Runs this test program again under a new X server, with variable set to 1; returns
    // its output when it fails, empty text when it passes. The screen is as Xvfb names it.
    static QString runUnderXvfb(const char *variable,
                                const QString &screen = QStringLiteral("1280x900x24"));

    // Starts the window manager.
    XDesktop();
    ~XDesktop();
    XDesktop(const XDesktop &) = delete;
    XDesktop &operator=(const XDesktop &) = delete;

    // Starts the program on a file, its author name already known, and waits for its main
    // window.
    bool startProgram(const QString &program, const QString &file);
    // Keys as xdotool names them ("ctrl+s", "F2", "Right"), one after another.
    void keys(const QStringList &keys);
    void type(const QString &text);
    // Drags with the left button from one point to another, in small steps as a hand
    // does; the points are inside the program's main window, from its top left corner.
    void drag(const QPoint &from, const QPoint &to);
    // Waits until a window whose title matches the pattern is shown, or until none is.
    bool waitForWindow(const QString &titlePattern, int timeoutMs = 15000);
    bool waitForNoWindow(const QString &titlePattern, int timeoutMs = 15000);
    // Until the window manager has given the focus to a window of that title: keys sent
    // while it is still moving (after a window closes) would go nowhere.
    bool waitForActiveWindow(const QString &titlePattern, int timeoutMs = 15000);
    // Waits for the program to end by itself; its exit code, -1 if it did not end.
    int waitForExit(int timeoutMs = 15000);
    // What the program wrote to its error output so far.
    QString programErrors();

private:
    QStringList windows(const QString &titlePattern);

    QTemporaryDir m_home;
    QProcess m_windowManager;
    QProcess m_program;
};

} // namespace quillery::test
