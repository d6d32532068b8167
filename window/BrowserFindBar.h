// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFrame>

class QLineEdit;

namespace quillery {

class BrowserView;

// The browser's own find: a small bar over the top of the browser that finds as the
// user types; Enter finds the next occurrence, Shift+Enter the one before, Escape closes.
class BrowserFindBar : public QFrame
{
    Q_OBJECT
public:
    explicit BrowserFindBar(QWidget *parent);

    // Shows the bar over the browser with its text selected, ready for typing.
    void open(BrowserView *browser);
    void dismiss();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void find(bool backward);
    void place();

    QLineEdit *m_text;
    BrowserView *m_browser = nullptr;
};

} // namespace quillery
