// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform_ui/InkIcon.h"

#include <QFile>
#include <QGuiApplication>
#include <QIconEngine>
#include <QPainter>
#include <QPalette>
#include <QSvgRenderer>

namespace quillery {

namespace {

const QByteArray Ink = QByteArrayLiteral("#1f2630");

class InkIconEngine : public QIconEngine
{
public:
    explicit InkIconEngine(QByteArray svg) : m_svg(std::move(svg)) {}

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State) override
    {
        const QPalette::ColorGroup group =
            mode == QIcon::Disabled ? QPalette::Disabled : QPalette::Active;
        const QColor ink = QGuiApplication::palette().color(group, QPalette::ButtonText);
        QSvgRenderer(QByteArray(m_svg).replace(Ink, ink.name().toLatin1())).render(painter, rect);
    }

    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        QImage image(size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        paint(&painter, image.rect(), mode, state);
        painter.end();
        return QPixmap::fromImage(image);
    }

    QIconEngine *clone() const override { return new InkIconEngine(m_svg); }

private:
    const QByteArray m_svg;
};

} // namespace

QIcon inkIcon(const QString &svgPath)
{
    QFile file(svgPath);
    if (!file.open(QIODevice::ReadOnly))
        return QIcon();
    return QIcon(new InkIconEngine(file.readAll()));
}

} // namespace quillery
