// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform_ui/RichTextBox.h"

#include "pagetext/LongParagraphs.h"
#include "pagetext/SealedDocument.h"
#include "platform/PlainText.h"
#include "platform_ui/PageColours.h"
#include "platform_ui/ParagraphDirection.h"
#include "platform_ui/ParagraphLayout.h"
#include "rtf/RtfReader.h"
#include "rtf/RtfWriter.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPointer>
#include <QSaveFile>
#include <QSignalBlocker>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextDocumentFragment>

namespace quillery {

namespace {

const QString RtfMime = QStringLiteral("text/rtf");
const QStringList RtfMimeTypes = {RtfMime, QStringLiteral("application/rtf"),
                                  QStringLiteral("text/richtext")};

// The selection as RTF, made at once because the writer is quick and needs the document's
// pictures; HTML and plain text are made only when a program asks for them.
class SelectionMimeData : public QMimeData
{
public:
    SelectionMimeData(const QTextDocumentFragment &fragment, const QByteArray &rtf)
        : m_fragment(fragment)
    {
        setData(RtfMime, rtf);
    }

    QStringList formats() const override
    {
        return {QStringLiteral("text/plain"), QStringLiteral("text/html"), RtfMime};
    }

protected:
    QVariant retrieveData(const QString &mimeType, QMetaType type) const override
    {
        if (mimeType == QLatin1String("text/plain"))
            return m_fragment.toPlainText();
        if (mimeType == QLatin1String("text/html"))
            return m_fragment.toHtml();
        return QMimeData::retrieveData(mimeType, type);
    }

private:
    const QTextDocumentFragment m_fragment;
};

} // namespace

RichTextBox::RichTextBox(QWidget *parent) : QTextEdit(parent)
{
    viewport()->setMouseTracking(true);
    applyPageColours();
}

QString RichTextBox::text() const
{
    const QString raw = document()->toRawText();
    QString text;
    text.reserve(raw.size() + (m_crlf ? document()->blockCount() : 0));
    for (QChar c : raw) {
        switch (c.unicode()) {
        case QChar::ParagraphSeparator:
        case 0xFDD0: // table and frame boundaries end paragraphs too
        case 0xFDD1:
            if (m_crlf)
                text += u'\r';
            text += u'\n';
            break;
        case QChar::LineSeparator:
            text += u'\n';
            break;
        default:
            text += c;
            break;
        }
    }
    return text;
}

int RichTextBox::textLength() const
{
    const int characters = document()->characterCount() - 1;
    return textPosition(characters);
}

void RichTextBox::setText(const QString &text)
{
    QTextCursor start(document());
    const QTextCharFormat charFormat = start.charFormat();
    QTextBlockFormat blockFormat = start.blockFormat();
    blockFormat.clearProperty(QTextFormat::ObjectIndex); // the old content's list goes with it
    QTextDocument *doc = newDocument();
    QTextCursor cursor(doc);
    cursor.setBlockFormat(blockFormat);
    cursor.setBlockCharFormat(charFormat);
    cursor.insertText(text, charFormat);
    m_crlf = text.contains(QLatin1String("\r\n"));
    showDocument(doc);
}

QByteArray RichTextBox::toRtf() const
{
    return writeRtf(*document());
}

void RichTextBox::setRtf(const QByteArray &rtf)
{
    if (!isRtf(rtf)) {
        setText(decodePlainText(rtf));
        return;
    }
    QTextDocument *doc = newDocument();
    readRtf(rtf, doc);
    m_crlf = false;
    showDocument(doc);
}

// New content is built in a document of its own and then shown: the box lays a new document
// out as it comes into view, where building in the shown document would lay out all of it
// at once, seconds for a large page.
QTextDocument *RichTextBox::newDocument() const
{
    auto *doc = new QTextDocument(const_cast<RichTextBox *>(this));
    doc->setDefaultFont(font());
    doc->setDocumentMargin(document()->documentMargin());
    doc->setUndoRedoEnabled(false);
    // No page size, no layout: the box lays the document out once, at its own width, when it
    // is shown. Until then every change of it would lay out again at no width in particular.
    doc->setPageSize(QSizeF(0, 0));
    return doc;
}

void RichTextBox::showDocument(QTextDocument *doc)
{
    // The box's first document belongs to the text control, which deletes it; later ones
    // belong to the box.
    const QPointer<QTextDocument> old = document();
    setExtraSelections({});
    m_cut = isReadOnly() && cutLongParagraphs(*doc) > 0;
    const QTextOption::WrapMode wrap = !isReadOnly() && hasLongRuns(*doc)
                                           ? QTextOption::WrapAnywhere
                                           : QTextOption::WrapAtWordBoundaryOrAnywhere;
    if (wrap != wordWrapMode()) {
        // Wrapping another way lays out the text shown again; the old one is let go first.
        const QSignalBlocker quiet(this);
        old->clear();
        setWordWrapMode(wrap);
    }
    doc->setUndoRedoEnabled(true);
    const bool leftToRight = settleParagraphDirection(doc);
    // Given after the direction, which would otherwise have the new layout clear every
    // paragraph's lines for nothing.
    doc->setDocumentLayout(new ParagraphLayout(doc));
    setDocument(doc);
    if (leftToRight)
        watchForRightToLeft(doc);
    if (old && old->parent() == this)
        delete old;
    setTextCursor(QTextCursor(doc));
    // The new page's own colours decide whether it reads on the theme's background.
    applyPageColours();
}

int RichTextBox::textPosition(int documentPosition) const
{
    if (!m_crlf)
        return documentPosition;
    return documentPosition + document()->findBlock(documentPosition).blockNumber();
}

int RichTextBox::documentPosition(int textPosition) const
{
    const QTextDocument *doc = document();
    const int end = doc->characterCount() - 1;
    if (!m_crlf)
        return std::clamp(textPosition, 0, end);
    if (textPosition <= 0)
        return 0;
    // The last paragraph whose text starts at or before the position.
    int low = 0;
    int high = doc->blockCount() - 1;
    while (low < high) {
        const int middle = (low + high + 1) / 2;
        if (doc->findBlockByNumber(middle).position() + middle <= textPosition)
            low = middle;
        else
            high = middle - 1;
    }
    const QTextBlock block = doc->findBlockByNumber(low);
    const int offset = std::min(textPosition - block.position() - low, block.length() - 1);
    return std::min(block.position() + offset, end);
}

int RichTextBox::selectionStart() const
{
    return textPosition(textCursor().selectionStart());
}

void RichTextBox::setSelectionStart(int start)
{
    QTextCursor cursor = textCursor();
    cursor.setPosition(documentPosition(start));
    setTextCursor(cursor);
}

int RichTextBox::selectionLength() const
{
    const QTextCursor cursor = textCursor();
    return textPosition(cursor.selectionEnd()) - textPosition(cursor.selectionStart());
}

void RichTextBox::setSelectionLength(int length)
{
    QTextCursor cursor = textCursor();
    const int start = cursor.selectionStart();
    cursor.setPosition(start);
    cursor.setPosition(documentPosition(textPosition(start) + std::max(length, 0)),
                       QTextCursor::KeepAnchor);
    setTextCursor(cursor);
}

QString RichTextBox::selectedText() const
{
    QString text = m_cut ? uncutText(textCursor()) : textCursor().selectedText();
    const QString lineEnd = m_crlf ? QStringLiteral("\r\n") : QStringLiteral("\n");
    text.replace(QChar::ParagraphSeparator, lineEnd);
    text.replace(QChar(0xFDD0), lineEnd);
    text.replace(QChar(0xFDD1), lineEnd);
    text.replace(QChar::LineSeparator, u'\n');
    return text;
}

void RichTextBox::setSelectedText(const QString &text)
{
    QTextCursor cursor = textCursor();
    cursor.insertText(text);
    setTextCursor(cursor);
}

void RichTextBox::setBackColour(ColourCode colour)
{
    m_backColour = colour;
    applyPageColours();
}

void RichTextBox::applyPageColours()
{
    // A system colour is the theme's, never the colour this box was given before.
    const PageColours colours = pageColours(m_backColour, *document(), QApplication::palette(this));
    QPalette palette = this->palette();
    palette.setColor(QPalette::Base, colours.base);
    palette.setColor(QPalette::Text, colours.text);
    setPalette(palette);
}

void RichTextBox::changeEvent(QEvent *event)
{
    QTextEdit::changeEvent(event);
    // A system colour follows the theme.
    if (event->type() == QEvent::ApplicationPaletteChange && isSystemColour(m_backColour))
        applyPageColours();
}

bool RichTextBox::saveRtfFile(const QString &path, QString *error) const
{
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly)) {
        file.write(toRtf());
        if (file.commit())
            return true;
    }
    if (error)
        *error = file.errorString();
    return false;
}

QMimeData *RichTextBox::createMimeDataFromSelection() const
{
    const QTextCursor cursor = textCursor();
    if (m_cut) {
        SealedDocument uncut;
        QTextCursor(&uncut).insertFragment(cursor.selection());
        joinCutParagraphs(uncut);
        return new SelectionMimeData(QTextDocumentFragment(&uncut), writeRtf(uncut));
    }
    return new SelectionMimeData(
        cursor.selection(), writeRtf(*document(), cursor.selectionStart(), cursor.selectionEnd()));
}

bool RichTextBox::canInsertFromMimeData(const QMimeData *source) const
{
    if (acceptRichText()) {
        for (const QString &type : RtfMimeTypes) {
            if (source->hasFormat(type))
                return true;
        }
    }
    return QTextEdit::canInsertFromMimeData(source);
}

void RichTextBox::insertFromMimeData(const QMimeData *source)
{
    if (acceptRichText() && !isReadOnly()) {
        for (const QString &type : RtfMimeTypes) {
            if (!source->hasFormat(type))
                continue;
            QTextCursor cursor = textCursor();
            if (insertRtf(source->data(type), cursor)) {
                setTextCursor(cursor);
                ensureCursorVisible();
                return;
            }
        }
    }
    QTextEdit::insertFromMimeData(source);
}

void RichTextBox::mouseMoveEvent(QMouseEvent *event)
{
    QTextEdit::mouseMoveEvent(event);
    Q_EMIT mouseMoved(event->buttons(), event->modifiers(), event->position().toPoint());
}

void RichTextBox::mouseReleaseEvent(QMouseEvent *event)
{
    QTextEdit::mouseReleaseEvent(event);
    Q_EMIT mouseReleased(event->button(), event->modifiers(), event->position().toPoint());
}

void RichTextBox::keyPressEvent(QKeyEvent *event)
{
    Q_EMIT keyPressed(event->key(), event->modifiers());
    QTextEdit::keyPressEvent(event);
}

void RichTextBox::focusInEvent(QFocusEvent *event)
{
    QTextEdit::focusInEvent(event);
    Q_EMIT focusGained();
}

} // namespace quillery
