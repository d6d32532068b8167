// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QUrl>
#include <QWidget>

class QTextBrowser;

namespace quillery {

// The help: our HTML pages in a window of their own, with Back, Forward and Contents.
class HelpWindow : public QWidget
{
    Q_OBJECT

public:
    explicit HelpWindow(QWidget *parent = nullptr);

    // Shows the start page, or the section named by anchor ("kinds", "file-menu",
    // "edit-menu", "window-menu", "several", "passwords", "import-export", "recent",
    // "keys").
    void showTopic(const QString &anchor = QString());
    QTextBrowser *browser() const { return m_browser; }

    // The program's one help window, made on first use, raised and showing the topic.
    static HelpWindow *showHelp(const QString &anchor = QString());

    // The copy installed beside the program when there is one (share/quillery/help),
    // else the one built into the program.
    static QUrl startPage();

private:
    QTextBrowser *m_browser;
};

} // namespace quillery
