// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFrame>
#include <QPixmap>
#include <QPoint>

class QScrollBar;

namespace quillery {

class Picture;

// The scanner window's preview (Picture1): shows an image at full size inside a sunken
// border, with the scroll bars horizontalScrollBar and verticalScrollBar along its edges when the
// image is larger than the visible area, centred when it is smaller, and panned by dragging.
class PicturePreview : public QFrame
{
    Q_OBJECT
public:
    explicit PicturePreview(QWidget *parent = nullptr);

    // Shows the image (none when null or empty) and lays the preview out for its size.
    void setImage(const Picture *image);

    QScrollBar *horizontalScrollBar() const { return m_hscroll; }
    QScrollBar *verticalScrollBar() const { return m_vscroll; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void layoutPreview();
    // The part of the preview the image shows in, left of and above the scroll bars.
    QRect visibleArea() const;

    QPixmap m_picture;
    QScrollBar *m_hscroll;
    QScrollBar *m_vscroll;
    QPoint m_anchor;
};

} // namespace quillery
