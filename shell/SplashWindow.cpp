// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/SplashWindow.h"

#include "shell/AppInfo.h"
#include "shell/Icons.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPointer>
#include <QVBoxLayout>

namespace quillery {

namespace {

QPointer<SplashWindow> &theSplash()
{
    static QPointer<SplashWindow> splash;
    return splash;
}

QLabel *label(const QString &text, const char *name, QWidget *parent)
{
    auto *l = new QLabel(text, parent);
    l->setObjectName(QLatin1String(name));
    l->setAlignment(Qt::AlignCenter);
    return l;
}

} // namespace

SplashWindow::SplashWindow(QWidget *parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("SplashWindow"));
    // Closing only hides the window: a message box shown while it was in front may have
    // it as its parent, and must not go with it.
    setFocusPolicy(Qt::StrongFocus);
    // It has no title bar to name it.
    setAccessibleName(AppInfo::productName());
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, QColor(0xf7, 0xf4, 0xec));
    colours.setColor(QPalette::WindowText, QColor(0x1d, 0x3c, 0x5e));
    setPalette(colours);

    imgBook = label(QString(), "imgBook", this);
    imgBook->setPixmap(binderIcon().pixmap(96, 96));
    lblTitle = label(AppInfo::productName(), "lblTitle", this);
    QFont title = lblTitle->font();
    title.setPointSizeF(title.pointSizeF() * 2.4);
    title.setBold(true);
    lblTitle->setFont(title);
    lblVersion = label(AppInfo::version(), "lblVersion", this);
    lblName = label(AppInfo::contactLine() + u'\n' + AppInfo::companyName(), "lblName", this);
    lblWebsite = label(AppInfo::projectAddress(), "lblWebsite", this);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(40, 28, 40, 24);
    for (QLabel *l : {imgBook, lblTitle, lblVersion, lblName, lblWebsite})
        layout->addWidget(l);
    // The labels pass mouse presses on to the window, so a click anywhere closes it.
    setWindowFlag(Qt::WindowStaysOnTopHint);

    Timer.setSingleShot(true);
    Timer.setInterval(Interval);
    connect(&Timer, &QTimer::timeout, this, &QWidget::close);
}

SplashWindow *SplashWindow::showSplash()
{
    QPointer<SplashWindow> &splash = theSplash();
    if (!splash) {
        splash = new SplashWindow;
        QObject::connect(qApp, &QCoreApplication::aboutToQuit, [] { delete theSplash(); });
    }
    splash->show();
    return splash;
}

void SplashWindow::closeSplash()
{
    if (SplashWindow *splash = theSplash())
        splash->close();
}

bool SplashWindow::isOpen()
{
    return theSplash() && theSplash()->isVisible();
}

void SplashWindow::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    Timer.start();
    setFocus();
}

void SplashWindow::mousePressEvent(QMouseEvent *)
{
    close();
}

void SplashWindow::keyPressEvent(QKeyEvent *)
{
    close();
}

} // namespace quillery
