// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QTimer>
#include <QWidget>

class QLabel;

namespace quillery {

// The splash window shown while the program starts. It stays in front of the program's
// windows and closes itself 2.5 seconds after it was shown, or earlier when the user
// clicks it or presses a key; a command that needs the screen closes it first.
class SplashWindow : public QWidget
{
    Q_OBJECT

public:
    static constexpr int Interval = 2500;

    explicit SplashWindow(QWidget *parent = nullptr);

    // Shows the program's one splash window (not modal).
    static SplashWindow *showSplash();
    // Closes it when it is open; does nothing otherwise.
    static void closeSplash();
    static bool isOpen();

protected:
    void showEvent(QShowEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    QLabel *imgBook;
    QLabel *lblTitle;
    QLabel *lblVersion;
    QLabel *lblName;
    QLabel *lblWebsite;
    QTimer Timer;
};

} // namespace quillery
