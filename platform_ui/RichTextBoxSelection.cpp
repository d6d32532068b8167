// SPDX-License-Identifier: GPL-3.0-or-later
// The Sel... formatting properties of RichTextBox.

#include "platform_ui/RichTextBox.h"

#include "platform/Twips.h"
#include "rtf/RtfFormat.h"

#include <QTextBlock>
#include <QTextDocument>
#include <QTextList>

#include <cmath>

namespace quillery {

namespace {

int toTwips(double pixels)
{
    return int(std::lround(pixelsToTwips(pixels)));
}

QString familyOf(const QTextCharFormat &format, const QTextDocument *doc)
{
    const QStringList families = format.fontFamilies().toStringList();
    return families.isEmpty() || families.first().isEmpty() ? doc->defaultFont().family()
                                                            : families.first();
}

double pointsOf(const QTextCharFormat &format, const QTextDocument *doc)
{
    if (format.hasProperty(QTextFormat::FontPointSize))
        return format.fontPointSize();
    return doc->defaultFont().pointSizeF();
}

} // namespace

// The value of every character in the selection, or of the insertion point.
template <typename T, typename Value> std::optional<T> RichTextBox::charValue(Value value) const
{
    const QTextCursor cursor = textCursor();
    if (!cursor.hasSelection())
        return value(currentCharFormat());
    const int start = cursor.selectionStart();
    const int end = cursor.selectionEnd();
    std::optional<T> result;
    for (QTextBlock block = document()->findBlock(start); block.isValid() && block.position() < end;
         block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.isValid() || fragment.position() >= end ||
                fragment.position() + fragment.length() <= start)
                continue;
            const T current = value(fragment.charFormat());
            if (!result)
                result = current;
            else if (!(*result == current))
                return std::nullopt;
        }
    }
    if (!result) // only paragraph marks are selected
        return value(cursor.charFormat());
    return result;
}

// The value of every paragraph the selection touches.
template <typename T, typename Value> std::optional<T> RichTextBox::blockValue(Value value) const
{
    const QTextCursor cursor = textCursor();
    const int end = cursor.selectionEnd();
    std::optional<T> result;
    for (QTextBlock block = document()->findBlock(cursor.selectionStart()); block.isValid();
         block = block.next()) {
        const T current = value(block);
        if (!result)
            result = current;
        else if (!(*result == current))
            return std::nullopt;
        if (block.position() + block.length() > end)
            break;
    }
    return result;
}

void RichTextBox::mergeSelCharFormat(const QTextCharFormat &format)
{
    QTextCursor cursor = textCursor();
    const int start = cursor.selectionStart();
    const int end = cursor.selectionEnd();
    const QTextDocument *doc = document();
    // The paragraph marks the selection covers take the format too, so an empty line keeps
    // its height and text typed at the end of the paragraph follows the format. A selection
    // reaching the end covers the final mark; an empty paragraph is its own mark.
    const QTextBlock first = doc->findBlock(start);
    QTextBlock last;
    if (start == end) {
        if (first.length() == 1)
            last = first;
    } else if (end == doc->characterCount() - 1) {
        last = doc->lastBlock();
    } else {
        const QTextBlock block = doc->findBlock(end - 1);
        last = block.position() + block.length() - 1 == end - 1 ? block : block.previous();
    }
    cursor.beginEditBlock();
    if (cursor.hasSelection())
        cursor.mergeCharFormat(format);
    if (last.isValid() && last.blockNumber() >= first.blockNumber()) {
        QTextCursor marks(first);
        marks.setPosition(last.position(), QTextCursor::KeepAnchor);
        marks.mergeBlockCharFormat(format);
    }
    cursor.endEditBlock();
    if (!cursor.hasSelection())
        mergeCurrentCharFormat(format);
}

void RichTextBox::mergeSelBlockFormat(const QTextBlockFormat &format)
{
    QTextCursor cursor = textCursor();
    cursor.mergeBlockFormat(format);
}

std::optional<QString> RichTextBox::selectionFontName() const
{
    return charValue<QString>([this](const QTextCharFormat &f) { return familyOf(f, document()); });
}

void RichTextBox::setSelectionFontName(const QString &name)
{
    QTextCharFormat format;
    format.setFontFamilies(QStringList{name});
    mergeSelCharFormat(format);
}

std::optional<double> RichTextBox::selectionFontSize() const
{
    return charValue<double>([this](const QTextCharFormat &f) { return pointsOf(f, document()); });
}

void RichTextBox::setSelectionFontSize(double points)
{
    if (!(points > 0))
        return;
    QTextCharFormat format;
    format.setFontPointSize(points);
    mergeSelCharFormat(format);
}

std::optional<bool> RichTextBox::selectionBold() const
{
    return charValue<bool>(
        [](const QTextCharFormat &f) { return f.fontWeight() >= QFont::DemiBold; });
}

void RichTextBox::setSelectionBold(bool on)
{
    QTextCharFormat format;
    format.setFontWeight(on ? QFont::Bold : QFont::Normal);
    mergeSelCharFormat(format);
}

std::optional<bool> RichTextBox::selectionItalic() const
{
    return charValue<bool>([](const QTextCharFormat &f) { return f.fontItalic(); });
}

void RichTextBox::setSelectionItalic(bool on)
{
    QTextCharFormat format;
    format.setFontItalic(on);
    mergeSelCharFormat(format);
}

std::optional<bool> RichTextBox::selectionUnderline() const
{
    return charValue<bool>([](const QTextCharFormat &f) {
        return f.underlineStyle() != QTextCharFormat::NoUnderline &&
               f.underlineStyle() != QTextCharFormat::SpellCheckUnderline;
    });
}

void RichTextBox::setSelectionUnderline(bool on)
{
    QTextCharFormat format;
    format.setUnderlineStyle(on ? QTextCharFormat::SingleUnderline : QTextCharFormat::NoUnderline);
    mergeSelCharFormat(format);
}

std::optional<bool> RichTextBox::selectionStrikeOut() const
{
    return charValue<bool>([](const QTextCharFormat &f) { return f.fontStrikeOut(); });
}

void RichTextBox::setSelectionStrikeOut(bool on)
{
    QTextCharFormat format;
    format.setFontStrikeOut(on);
    mergeSelCharFormat(format);
}

std::optional<ColourCode> RichTextBox::selectionColour() const
{
    return charValue<ColourCode>([](const QTextCharFormat &f) {
        const QBrush brush = f.foreground();
        return brush.style() == Qt::NoBrush ? SystemWindowText : codeFromColour(brush.color());
    });
}

void RichTextBox::setSelectionColour(ColourCode colour)
{
    QTextCharFormat format;
    // Window text is "automatic": no colour of its own, so it follows the theme.
    if (colour == SystemWindowText)
        format.setForeground(QBrush());
    else
        format.setForeground(colourFromCode(colour, palette()));
    mergeSelCharFormat(format);
    // Black text typed on a dark theme's page would vanish.
    applyPageColours();
}

std::optional<int> RichTextBox::selectionCharOffset() const
{
    return charValue<int>(
        [](const QTextCharFormat &f) { return f.intProperty(rtf::CharOffsetTwips); });
}

void RichTextBox::setSelectionCharOffset(int twips)
{
    QTextCharFormat format;
    format.setProperty(rtf::CharOffsetTwips, twips);
    const double points = selectionFontSize().value_or(12);
    format.setBaselineOffset(points > 0 ? 100.0 * twips / 20.0 / points : 0);
    if (twips == 0)
        format.setVerticalAlignment(QTextCharFormat::AlignNormal);
    mergeSelCharFormat(format);
}

std::optional<int> RichTextBox::selectionAlignment() const
{
    return blockValue<int>([](const QTextBlock &block) {
        const Qt::Alignment alignment = block.blockFormat().alignment();
        if (alignment & Qt::AlignRight)
            return int(AlignRight);
        if (alignment & Qt::AlignHCenter)
            return int(AlignCentre);
        if (alignment & Qt::AlignJustify)
            return int(AlignJustify);
        return int(AlignLeft);
    });
}

void RichTextBox::setSelectionAlignment(int alignment)
{
    QTextBlockFormat format;
    switch (alignment) {
    case AlignRight:
        format.setAlignment(Qt::AlignRight);
        break;
    case AlignCentre:
        format.setAlignment(Qt::AlignHCenter);
        break;
    case AlignJustify:
        format.setAlignment(Qt::AlignJustify);
        break;
    default:
        format.setAlignment(Qt::AlignLeft);
        break;
    }
    mergeSelBlockFormat(format);
}

std::optional<bool> RichTextBox::selectionBullet() const
{
    return blockValue<bool>([](const QTextBlock &block) { return block.textList() != nullptr; });
}

void RichTextBox::setSelectionBullet(bool on)
{
    if (selectionBullet() == std::optional<bool>(on))
        return;
    QTextCursor cursor = textCursor();
    cursor.beginEditBlock();
    const int end = cursor.selectionEnd();
    // Lists keep the first-line indent aside (Qt draws the bullet in it); taking paragraphs
    // out of their lists gives it back.
    for (QTextBlock block = document()->findBlock(cursor.selectionStart()); block.isValid();
         block = block.next()) {
        if (QTextList *list = block.textList()) {
            list->remove(block);
            QTextBlockFormat format = block.blockFormat();
            format.setIndent(0);
            format.setTextIndent(twipsToPixels(format.intProperty(rtf::ListFirstIndentTwips)));
            format.clearProperty(rtf::ListFirstIndentTwips);
            QTextCursor(block).setBlockFormat(format);
        }
        if (block.position() + block.length() > end)
            break;
    }
    if (on) {
        const Indents first = indents(document()->findBlock(cursor.selectionStart()));
        QTextListFormat list;
        list.setStyle(QTextListFormat::ListDisc);
        list.setIndent(first.left > 0 ? 0 : 1);
        cursor.createList(list);
        for (QTextBlock block = document()->findBlock(cursor.selectionStart()); block.isValid();
             block = block.next()) {
            QTextBlockFormat format = block.blockFormat();
            format.setProperty(rtf::ListFirstIndentTwips, toTwips(format.textIndent()));
            format.setTextIndent(0);
            QTextCursor(block).setBlockFormat(format);
            if (block.position() + block.length() > end)
                break;
        }
    }
    cursor.endEditBlock();
}

RichTextBox::Indents RichTextBox::indents(const QTextBlock &block)
{
    const QTextBlockFormat format = block.blockFormat();
    const int first = block.textList() ? format.intProperty(rtf::ListFirstIndentTwips)
                                       : toTwips(format.textIndent());
    return {toTwips(format.leftMargin()), first};
}

template <typename Change> void RichTextBox::changeIndents(Change change)
{
    QTextCursor cursor = textCursor();
    cursor.beginEditBlock();
    const int end = cursor.selectionEnd();
    QTextBlock block = document()->findBlock(cursor.selectionStart());
    // Paragraphs in a row that end up alike change in one step.
    while (block.isValid()) {
        const Indents from = indents(block);
        const bool listed = block.textList() != nullptr;
        QTextCursor run(block);
        QTextBlock last = block;
        for (QTextBlock next = block.next();
             next.isValid() && last.position() + last.length() <= end &&
             (next.textList() != nullptr) == listed && indents(next) == from;
             next = next.next())
            last = next;
        run.setPosition(last.position(), QTextCursor::KeepAnchor);
        const Indents to = change(from);
        QTextBlockFormat format;
        format.setLeftMargin(twipsToPixels(to.left));
        if (listed)
            format.setProperty(rtf::ListFirstIndentTwips, to.first);
        else
            format.setTextIndent(twipsToPixels(to.first));
        run.mergeBlockFormat(format);
        if (QTextList *list = last.textList()) {
            // Keep the bullet in sight when the list moves to the margin.
            QTextListFormat listFormat = list->format();
            listFormat.setIndent(to.left > 0 ? 0 : 1);
            list->setFormat(listFormat);
        }
        if (last.position() + last.length() > end)
            break;
        block = last.next();
    }
    cursor.endEditBlock();
}

std::optional<int> RichTextBox::selectionIndent() const
{
    return blockValue<int>([](const QTextBlock &block) {
        const Indents i = indents(block);
        return i.left + i.first;
    });
}

void RichTextBox::setSelectionIndent(int twips)
{
    changeIndents([twips](Indents i) { return Indents{twips - i.first, i.first}; });
}

std::optional<int> RichTextBox::selectionHangingIndent() const
{
    return blockValue<int>([](const QTextBlock &block) { return -indents(block).first; });
}

void RichTextBox::setSelectionHangingIndent(int twips)
{
    changeIndents([twips](Indents i) { return Indents{i.left + i.first + twips, -twips}; });
}

std::optional<int> RichTextBox::selectionRightIndent() const
{
    return blockValue<int>(
        [](const QTextBlock &block) { return toTwips(block.blockFormat().rightMargin()); });
}

void RichTextBox::setSelectionRightIndent(int twips)
{
    QTextBlockFormat format;
    format.setRightMargin(twipsToPixels(twips));
    mergeSelBlockFormat(format);
}

} // namespace quillery
