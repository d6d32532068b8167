// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform_ui/ParagraphDirection.h"

#include <QTextCursor>
#include <QTextDocument>
#include <QTextOption>

namespace quillery {

namespace {

// Hebrew, the first right-to-left script; every character below it reads left to right or
// has no direction of its own.
constexpr char32_t FirstRightToLeft = 0x0590;

void setDefaultDirection(QTextDocument *doc, Qt::LayoutDirection direction)
{
    QTextOption option = doc->defaultTextOption();
    option.setTextDirection(direction);
    doc->setDefaultTextOption(option);
}

} // namespace

bool mayReadRightToLeft(QStringView text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        char32_t c = text[i].unicode();
        if (c < FirstRightToLeft)
            continue;
        if (QChar::isHighSurrogate(c) && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            c = QChar::surrogateToUcs4(char16_t(c), text[++i].unicode());
        switch (QChar::direction(c)) {
        case QChar::DirR:
        case QChar::DirAL:
        case QChar::DirRLE:
        case QChar::DirRLO:
        case QChar::DirRLI:
        case QChar::DirFSI:
            return true;
        default:
            break;
        }
    }
    return false;
}

bool settleParagraphDirection(QTextDocument *doc)
{
    if (doc->defaultTextOption().textDirection() != Qt::LayoutDirectionAuto ||
        mayReadRightToLeft(doc->toRawText()))
        return false;
    setDefaultDirection(doc, Qt::LeftToRight);
    return true;
}

void watchForRightToLeft(QTextDocument *doc)
{
    // The document tells of every change before it lays the changed text out, so the
    // paragraphs take their own directions before any of them is drawn.
    auto *watch = new QObject(doc);
    QObject::connect(doc, &QTextDocument::contentsChange, watch,
                     [doc, watch](int from, int, int added) {
                         if (added <= 0)
                             return;
                         QTextCursor range(doc);
                         range.setPosition(from);
                         range.setPosition(std::min(from + added, doc->characterCount() - 1),
                                           QTextCursor::KeepAnchor);
                         if (!mayReadRightToLeft(range.selectedText()))
                             return;
                         setDefaultDirection(doc, Qt::LayoutDirectionAuto);
                         delete watch;
                     });
}

} // namespace quillery
