// SPDX-License-Identifier: GPL-3.0-or-later
#include "pagetext/TextSheets.h"

#include <QAbstractTextDocumentLayout>
#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QTextDocument>
#include <QTextFrame>

namespace quillery {

namespace {

constexpr int NumberDrop = 360; // the page number's distance below the printable top, twips

class Sheet
{
public:
    explicit Sheet(QPagedPaintDevice &device)
        : m_scale(device.logicalDpiY() / double(PrintMargins::Inch))
    {
        // Where the device can put ink, from the paper's corner.
        const int resolution = device.logicalDpiY();
        QPageLayout layout = device.pageLayout();
        layout.setMargins(layout.minimumMargins());
        printable = QRectF(layout.paintRectPixels(resolution));
        paper =
            QRectF(QPointF(0, 0), QSizeF(device.pageLayout().fullRectPixels(resolution).size()));
    }

    double px(int twips) const { return twips * m_scale; }

    QRectF paper;
    QRectF printable;

private:
    double m_scale;
};

void drawLine(QPainter &painter, double x, double y, const QString &text)
{
    const QFontMetricsF metrics(painter.font(), painter.device());
    painter.drawText(QPointF(x, y + metrics.ascent()), text);
}

double textWidth(const QPainter &painter, const QString &text)
{
    return QFontMetricsF(painter.font(), painter.device()).horizontalAdvance(text);
}

} // namespace

int printText(QPainter &painter, QPagedPaintDevice &device, QTextDocument &text,
              const PrintMargins &margins, const QString &title, const QString &date)
{
    const Sheet sheet(device);
    const QRectF body(sheet.px(margins.left), sheet.px(margins.top),
                      sheet.paper.width() - sheet.px(margins.left) - sheet.px(margins.right),
                      sheet.paper.height() - sheet.px(margins.top) - sheet.px(margins.bottom));
    if (body.width() <= 0 || body.height() <= 0)
        return 0;
    // Half of each margin that lies inside the printable area holds the title and date.
    const double topGap = qMax(0.0, body.top() - sheet.printable.top());
    const double bottomGap = qMax(0.0, sheet.printable.bottom() - body.bottom());

    QTextDocument *doc = &text;
    doc->documentLayout()->setPaintDevice(&device);
    QTextFrameFormat frame = doc->rootFrame()->frameFormat();
    frame.setMargin(0);
    doc->rootFrame()->setFrameFormat(frame);
    doc->setPageSize(body.size());
    const int sheets = qMax(1, doc->pageCount());

    QAbstractTextDocumentLayout::PaintContext context;
    context.palette.setColor(QPalette::Text, Qt::black);
    for (int n = 1; n <= sheets; ++n) {
        if (n > 1)
            device.newPage();
        const QRectF view(0, (n - 1) * body.height(), body.width(), body.height());
        painter.save();
        painter.translate(body.left(), body.top() - view.top());
        painter.setClipRect(view);
        // A line starting on the seam belongs to the next sheet only: drawn on both, its
        // text would print twice where the clip hides nothing from a PDF reader.
        context.clip = view.adjusted(0, 0.5, 0, -0.5);
        doc->documentLayout()->draw(&painter, context);
        painter.restore();

        const QString number = QStringLiteral("- %1 -").arg(n);
        drawLine(painter, body.right() - textWidth(painter, number),
                 sheet.printable.top() + sheet.px(NumberDrop), number);
        const auto centred = [&](const QString &line, double y) {
            if (!line.isEmpty())
                drawLine(painter,
                         sheet.printable.left() +
                             (sheet.printable.width() - textWidth(painter, line)) / 2,
                         y, line);
        };
        centred(title, sheet.printable.top() + topGap / 2);
        centred(date, sheet.printable.bottom() - bottomGap / 2);
    }
    return sheets;
}

} // namespace quillery
