// SPDX-License-Identifier: GPL-3.0-or-later
#include "pagetext/TextSheets.h"

#include "pagetext/TextParts.h"

#include <QAbstractTextDocumentLayout>
#include <QCoreApplication>
#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QTextDocument>

#include <cmath>

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

// Sheets with their marks, the text drawn on them part after part, each part going on from
// where the one before it ended.
class SheetWriter
{
public:
    SheetWriter(QPainter &painter, QPagedPaintDevice &device, const QRectF &body,
                const QString &title, const QString &date)
        : m_painter(painter), m_device(device), m_sheet(device), m_body(body), m_title(title),
          m_date(date)
    {
        m_context.palette.setColor(QPalette::Text, Qt::black);
    }

    // The height the text fills on the last sheet; 0 when the next part starts a sheet.
    qreal filled() const { return m_filled; }
    int sheets() const { return m_sheets; }

    // Draws a part laid out on pages of the body's size, below filled() on its first.
    void draw(QTextDocument &part)
    {
        const int pages = qMax(1, part.pageCount());
        for (int page = 0; page < pages; ++page) {
            if (page > 0 || m_filled == 0)
                startSheet();
            drawPage(part, page);
        }
        m_filled = std::fmod(part.documentLayout()->documentSize().height(), m_body.height());
    }

private:
    void startSheet()
    {
        if (m_sheets > 0)
            m_device.newPage();
        ++m_sheets;
        const QString number = QStringLiteral("- %1 -").arg(m_sheets);
        drawLine(m_painter, m_body.right() - textWidth(m_painter, number),
                 m_sheet.printable.top() + m_sheet.px(NumberDrop), number);
        // Half of each margin that lies inside the printable area holds the title and date.
        const double topGap = qMax(0.0, m_body.top() - m_sheet.printable.top());
        const double bottomGap = qMax(0.0, m_sheet.printable.bottom() - m_body.bottom());
        centred(m_title, m_sheet.printable.top() + topGap / 2);
        centred(m_date, m_sheet.printable.bottom() - bottomGap / 2);
    }

    void centred(const QString &line, double y)
    {
        if (!line.isEmpty())
            drawLine(m_painter,
                     m_sheet.printable.left() +
                         (m_sheet.printable.width() - textWidth(m_painter, line)) / 2,
                     y, line);
    }

    void drawPage(QTextDocument &part, int page)
    {
        const QRectF view(0, page * m_body.height(), m_body.width(), m_body.height());
        m_painter.save();
        m_painter.translate(m_body.left(), m_body.top() - view.top());
        m_painter.setClipRect(view);
        // A line starting on the seam belongs to the next sheet only: drawn on both, its
        // text would print twice where the clip hides nothing from a PDF reader.
        m_context.clip = view.adjusted(0, 0.5, 0, -0.5);
        part.documentLayout()->draw(&m_painter, m_context);
        m_painter.restore();
    }

    QPainter &m_painter;
    QPagedPaintDevice &m_device;
    const Sheet m_sheet;
    const QRectF m_body;
    const QString m_title;
    const QString m_date;
    QAbstractTextDocumentLayout::PaintContext m_context;
    int m_sheets = 0;
    qreal m_filled = 0;
};

QString tr(const char *text)
{
    return QCoreApplication::translate("quillery", text);
}

} // namespace

int printText(QPainter &painter, QPagedPaintDevice &device, QTextDocument &text,
              const PrintMargins &margins, const QString &title, const QString &date,
              QString *error)
{
    const Sheet sheet(device);
    const QRectF body(sheet.px(margins.left), sheet.px(margins.top),
                      sheet.paper.width() - sheet.px(margins.left) - sheet.px(margins.right),
                      sheet.paper.height() - sheet.px(margins.top) - sheet.px(margins.bottom));
    if (body.width() <= 0 || body.height() <= 0) {
        if (error)
            *error = tr("The margins leave no room for the text.");
        return 0;
    }
    SheetWriter writer(painter, device, body, title, date);
    TextParts parts(text, device, body.size());
    while (const auto part = parts.next(writer.filled()))
        writer.draw(*part);
    if (parts.failed()) {
        if (error)
            *error = tr("A paragraph or table is too long to lay out on sheets.");
        return 0;
    }
    return writer.sheets();
}

} // namespace quillery
