// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/BrowserFindBar.h"

#include "window/BrowserView.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>

namespace quillery {

BrowserFindBar::BrowserFindBar(QWidget *parent) : QFrame(parent), m_text(new QLineEdit(this))
{
    setObjectName(QStringLiteral("findBar"));
    setFrameShape(QFrame::StyledPanel);
    setAutoFillBackground(true);
    m_text->setObjectName(QStringLiteral("txtFindBar"));
    m_text->setPlaceholderText(tr("Find"));
    auto *previous = new QToolButton(this);
    previous->setArrowType(Qt::UpArrow);
    previous->setToolTip(tr("Previous"));
    auto *next = new QToolButton(this);
    next->setArrowType(Qt::DownArrow);
    next->setToolTip(tr("Next"));
    auto *done = new QToolButton(this);
    done->setText(QStringLiteral("×"));
    done->setToolTip(tr("Close"));
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 2, 4, 2);
    layout->addWidget(m_text);
    layout->addWidget(previous);
    layout->addWidget(next);
    layout->addWidget(done);

    connect(m_text, &QLineEdit::textChanged, this, [this] { find(false); });
    connect(previous, &QToolButton::clicked, this, [this] { find(true); });
    connect(next, &QToolButton::clicked, this, [this] { find(false); });
    connect(done, &QToolButton::clicked, this, &BrowserFindBar::dismiss);
    m_text->installEventFilter(this);
    parent->installEventFilter(this);
    hide();
}

void BrowserFindBar::open(BrowserView *browser)
{
    m_browser = browser;
    place();
    show();
    raise();
    m_text->setFocus();
    m_text->selectAll();
}

void BrowserFindBar::dismiss()
{
    if (m_browser)
        m_browser->findText(QString(), false);
    hide();
    if (m_browser)
        m_browser->widget()->setFocus();
}

void BrowserFindBar::find(bool backward)
{
    if (!m_browser)
        return;
    m_browser->findText(m_text->text(), backward);
}

void BrowserFindBar::place()
{
    adjustSize();
    const QWidget *area = parentWidget();
    move(qMax(0, area->width() - width() - 16), 0);
}

bool BrowserFindBar::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == parentWidget() && event->type() == QEvent::Resize && isVisible())
        place();
    if (watched == m_text && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Escape) {
            dismiss();
            return true;
        }
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            find(key->modifiers() & Qt::ShiftModifier);
            return true;
        }
    }
    return QFrame::eventFilter(watched, event);
}

} // namespace quillery
