// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/ProgressWindow.h"

#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace quillery {

ProgressWindow::ProgressWindow(QWidget *parent)
    : QWidget(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      prg1(new QProgressBar(this)), cmdCancel(new QPushButton(tr("Cancel"), this))
{
    setObjectName(QStringLiteral("ProgressWindow"));
    prg1->setObjectName(QStringLiteral("prg1"));
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(prg1);
    layout->addWidget(cmdCancel, 0, Qt::AlignRight);
    setMinimumWidth(420);
    connect(cmdCancel, &QPushButton::clicked, this, &ProgressWindow::cancel);
}

void ProgressWindow::start(const QString &caption, int maximum, bool cancellable)
{
    setWindowTitle(caption);
    prg1->setRange(0, qMax(maximum, 1));
    prg1->setValue(0);
    m_cancelled = false;
    cmdCancel->setEnabled(true);
    cmdCancel->setVisible(cancellable);
    show();
    raise();
}

void ProgressWindow::setValue(int value)
{
    prg1->setValue(qMin(value, prg1->maximum()));
}

void ProgressWindow::cancel()
{
    cmdCancel->setEnabled(false);
    m_cancelled = true;
}

} // namespace quillery
