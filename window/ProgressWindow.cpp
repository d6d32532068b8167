// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/ProgressWindow.h"

#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace quillery {

ProgressWindow::ProgressWindow(QWidget *parent)
    : QWidget(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      m_bar(new QProgressBar(this)), m_cancelButton(new QPushButton(tr("Cancel"), this))
{
    setObjectName(QStringLiteral("ProgressWindow"));
    m_bar->setObjectName(QStringLiteral("prg1"));
    m_cancelButton->setObjectName(QStringLiteral("cmdCancel"));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_bar);
    layout->addWidget(m_cancelButton, 0, Qt::AlignRight);
    setMinimumWidth(420);
    connect(m_cancelButton, &QPushButton::clicked, this, &ProgressWindow::cancel);
}

void ProgressWindow::start(const QString &caption, int maximum, bool cancellable)
{
    setWindowTitle(caption);
    // Work that cannot count its steps shows a busy bar.
    m_bar->setRange(0, qMax(maximum, 0));
    m_bar->setValue(0);
    m_cancelled = false;
    m_cancelButton->setEnabled(true);
    m_cancelButton->setVisible(cancellable);
    show();
    raise();
}

void ProgressWindow::setValue(int value)
{
    m_bar->setValue(qMin(value, m_bar->maximum()));
}

void ProgressWindow::cancel()
{
    m_cancelButton->setEnabled(false);
    m_cancelled = true;
}

} // namespace quillery
