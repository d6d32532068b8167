// SPDX-License-Identifier: GPL-3.0-or-later
#include "images_ui/PicturePreview.h"

#include "images/Picture.h"

#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>

namespace quillery {

namespace {

constexpr int ScrollStep = 16;

// Shows the bar with the range the image's overflow gives, or hides it and sets both
// ends to minus half the spare room, which draws the image centred.
void setScrollRange(QScrollBar *bar, int imageLength, int visibleLength)
{
    const int overflow = imageLength - visibleLength;
    if (overflow > 0) {
        bar->setRange(0, overflow);
        bar->setPageStep(visibleLength);
        bar->show();
    } else {
        bar->hide();
        bar->setRange(overflow / 2, overflow / 2);
    }
}

} // namespace

PicturePreview::PicturePreview(QWidget *parent)
    : QFrame(parent), m_hscroll(new QScrollBar(Qt::Horizontal, this)),
      m_vscroll(new QScrollBar(Qt::Vertical, this))
{
    setObjectName(QStringLiteral("Picture1"));
    m_hscroll->setObjectName(QStringLiteral("horizontalScrollBar"));
    m_vscroll->setObjectName(QStringLiteral("verticalScrollBar"));
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    setLineWidth(2);
    setBackgroundRole(QPalette::Dark);
    setAutoFillBackground(true);
    setMinimumSize(160, 120);
    for (QScrollBar *bar : {m_hscroll, m_vscroll}) {
        bar->setSingleStep(ScrollStep);
        bar->hide();
        connect(bar, &QScrollBar::valueChanged, this, qOverload<>(&QWidget::update));
    }
    setImage(nullptr);
}

void PicturePreview::setImage(const Picture *image)
{
    m_picture = image && !image->isNull() ? QPixmap::fromImage(image->toQImage()) : QPixmap();
    layoutPreview();
}

QRect PicturePreview::visibleArea() const
{
    QRect area = contentsRect();
    if (m_vscroll->isVisibleTo(this))
        area.setRight(m_vscroll->x() - 1);
    if (m_hscroll->isVisibleTo(this))
        area.setBottom(m_hscroll->y() - 1);
    return area;
}

void PicturePreview::layoutPreview()
{
    const QRect inside = contentsRect();
    const int barHeight = m_hscroll->sizeHint().height();
    const int barWidth = m_vscroll->sizeHint().width();
    int width = inside.width();
    int height = inside.height();
    // One bar takes room from the other direction, which may then need its bar too.
    bool across = m_picture.width() > width;
    if (across)
        height -= barHeight;
    const bool down = m_picture.height() > height;
    if (down) {
        width -= barWidth;
        if (!across && m_picture.width() > width) {
            across = true;
            height -= barHeight;
        }
    }
    setScrollRange(m_hscroll, m_picture.width(), std::max(0, width));
    setScrollRange(m_vscroll, m_picture.height(), std::max(0, height));
    m_hscroll->setGeometry(inside.left(), inside.top() + height, width, barHeight);
    m_vscroll->setGeometry(inside.left() + width, inside.top(), barWidth, height);
    update();
}

void PicturePreview::paintEvent(QPaintEvent *event)
{
    QFrame::paintEvent(event);
    if (m_picture.isNull())
        return;
    const QRect area = visibleArea();
    QPainter painter(this);
    painter.setClipRect(area);
    painter.drawPixmap(area.left() - m_hscroll->value(), area.top() - m_vscroll->value(),
                       m_picture);
}

void PicturePreview::resizeEvent(QResizeEvent *event)
{
    QFrame::resizeEvent(event);
    layoutPreview();
}

void PicturePreview::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    m_anchor = event->position().toPoint() + QPoint(m_hscroll->value(), m_vscroll->value());
    const bool across = m_hscroll->isVisibleTo(this);
    const bool down = m_vscroll->isVisibleTo(this);
    if (across && down)
        setCursor(Qt::SizeAllCursor);
    else if (across)
        setCursor(Qt::SizeHorCursor);
    else if (down)
        setCursor(Qt::SizeVerCursor);
}

void PicturePreview::mouseMoveEvent(QMouseEvent *event)
{
    if (!(event->buttons() & Qt::LeftButton))
        return;
    const QPoint position = m_anchor - event->position().toPoint();
    // setValue keeps each position within its bar's range; a centred image stays put.
    m_hscroll->setValue(position.x());
    m_vscroll->setValue(position.y());
}

void PicturePreview::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        unsetCursor();
}

} // namespace quillery
