// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class QProgressBar;
class QPushButton;

namespace quillery {

// The small progress window of long loops over pages or files. Cancel only sets a flag
// that the loop reads between items.
class ProgressWindow : public QWidget
{
    Q_OBJECT
public:
    explicit ProgressWindow(QWidget *parent = nullptr);

    void start(const QString &caption, int maximum, bool cancellable);
    void setValue(int value);
    bool cancelled() const { return m_cancelled; }

private:
    void cancel();

    QProgressBar *m_bar;
    QPushButton *m_cancelButton;
    bool m_cancelled = false;
};

} // namespace quillery
