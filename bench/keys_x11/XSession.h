// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QImage>
#include <QList>
#include <QRect>

#include <optional>

namespace quillery {

// A paint as the X server saw it: what was drawn and when, in ms on the session's clock.
struct Damage
{
    double ms;
    QRect area;
};

// A connection to an X server that sends keys through the X test extension, as a keyboard
// does, and sees every paint on the screen through the damage extension. It times what a
// user waits for from outside the program: nothing of the program's own clock is used.
class XSession
{
public:
    explicit XSession(const QByteArray &display);
    ~XSession();
    XSession(const XSession &) = delete;
    XSession &operator=(const XSession &) = delete;

    // Empty when both extensions are there; otherwise what is missing.
    QByteArray missing() const { return m_missing; }
    double nowMs() const { return m_clock.nsecsElapsed() / 1e6; }

    // Presses and releases a key chord as xdotool names it ("x", "Return", "ctrl+End");
    // returns the time the press went out.
    double key(const QByteArray &chord);
    // Types the letters of text one after another.
    void type(const QByteArray &text);

    // The next paint before the deadline (ms on the session's clock), if any.
    std::optional<Damage> nextDamage(double deadlineMs);
    // Forgets the paints seen so far.
    void drain();
    // Waits until nothing has painted for quietMs, or until the deadline; false at the
    // deadline.
    bool settle(double quietMs, double deadlineMs);
    // Whether a top-level window whose title contains the text is shown.
    bool windowTitled(const QByteArray &title);

    // Takes a copy of the whole screen, for changed() to compare with.
    void copyScreen();
    // Whether the pixels of the area differ from the copy, which then takes them.
    bool changed(const QRect &area);

private:
    void *m_display = nullptr;
    unsigned long m_damage = 0;
    int m_damageEvent = 0;
    QByteArray m_missing;
    QElapsedTimer m_clock;
    QImage m_screen;
};

} // namespace quillery
