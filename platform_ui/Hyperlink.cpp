// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform_ui/Hyperlink.h"

#include "platform_ui/RichTextBox.h"

#include <QAbstractTextDocumentLayout>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTextBlock>

#include <algorithm>

namespace quillery {

Hyperlink::Hyperlink(QObject *parent) : QObject(parent)
{
}

QList<Hyperlink::Link> Hyperlink::findLinks(QStringView text)
{
    static const QRegularExpression address(
        QStringLiteral(R"((?<![\w@.])(?:(?:https?|ftp|file)://|mailto:|www\.)[^\s<>"]+)"),
        QRegularExpression::CaseInsensitiveOption);
    QList<Link> links;
    for (auto it = address.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        QStringView found = match.capturedView();
        // Punctuation that ends a sentence is not part of the address, nor is a closing
        // bracket that has no opening one inside it.
        while (!found.isEmpty()) {
            const QChar last = found.back();
            if (QStringView(u".,;:!?'").contains(last) ||
                (last == u')' && found.count(u'(') < found.count(u')')) ||
                (last == u']' && !found.contains(u'[')))
                found.chop(1);
            else
                break;
        }
        if (found.size() <= 7 && found.endsWith(u':'))
            continue;
        QString target = found.toString();
        if (target.startsWith(QLatin1String("www."), Qt::CaseInsensitive))
            target.prepend(QLatin1String("http://"));
        links.append({int(match.capturedStart()), int(found.size()), target});
    }
    return links;
}

void Hyperlink::attach(RichTextBox *box)
{
    m_box = box;
    m_links.clear();
    setAddress(QString());
    if (!box)
        return;
    const QTextDocument *doc = box->document();
    // Positions in the raw text are document positions.
    m_links = findLinks(doc->toRawText());
    for (QTextBlock block = doc->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            if (!format.isAnchor() || format.anchorHref().isEmpty())
                continue;
            Link link{it.fragment().position(), it.fragment().length(), format.anchorHref()};
            // A hyperlink broken into runs of different formats is one link.
            if (!m_links.isEmpty() && m_links.last().address == link.address &&
                m_links.last().start + m_links.last().length == link.start)
                m_links.last().length += link.length;
            else
                m_links.append(link);
        }
    }
    std::sort(m_links.begin(), m_links.end(),
              [](const Link &a, const Link &b) { return a.start < b.start; });

    QList<QTextEdit::ExtraSelection> marks;
    for (const Link &link : std::as_const(m_links)) {
        QTextEdit::ExtraSelection mark;
        mark.cursor = QTextCursor(box->document());
        mark.cursor.setPosition(link.start);
        mark.cursor.setPosition(link.start + link.length, QTextCursor::KeepAnchor);
        mark.format.setFontUnderline(true);
        mark.format.setForeground(box->palette().link());
        marks.append(mark);
    }
    box->setExtraSelections(marks);
}

void Hyperlink::trackMouse(RichTextBox *box, const QPoint &pos)
{
    if (box != m_box)
        attach(box);
    if (!box)
        return;
    const QPointF inDocument(pos.x() + box->horizontalScrollBar()->value(),
                             pos.y() + box->verticalScrollBar()->value());
    const int position = box->document()->documentLayout()->hitTest(inDocument, Qt::ExactHit);
    QString found;
    if (position >= 0) {
        auto it = std::upper_bound(m_links.cbegin(), m_links.cend(), position,
                                   [](int p, const Link &link) { return p < link.start; });
        if (it != m_links.cbegin()) {
            --it;
            if (position < it->start + it->length)
                found = it->address;
        }
    }
    setAddress(found);
    const bool selectable =
        box->textInteractionFlags() & (Qt::TextEditable | Qt::TextSelectableByMouse);
    box->viewport()->setCursor(!found.isEmpty() ? Qt::PointingHandCursor
                               : selectable     ? Qt::IBeamCursor
                                                : Qt::ArrowCursor);
}

void Hyperlink::setAddress(const QString &address)
{
    if (address == m_address)
        return;
    m_address = address;
    Q_EMIT linkChanged(address);
}

} // namespace quillery
