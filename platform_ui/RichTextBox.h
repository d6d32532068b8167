// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Colours.h"

#include <QTextEdit>

#include <optional>

namespace quillery {

// The rich text box the viewer and the editor show text pages in: a QTextEdit with the
// members of the rich edit control that the program uses, reading and writing RTF.
//
// Positions and lengths count characters of text(), from 0. It ends its paragraphs the way
// the text last given to setText did ("\r\n" when it held one, "\n" otherwise), so a plain
// text page is saved with the line ends it came with; a paragraph mark then counts as one
// or two characters. Lengths beyond the end stop at the end, and a selection that reaches
// the end covers the final paragraph mark, whose format the next typed text takes.
//
// The selection... properties describe the selection; where it mixes values they have none. The
// indents are in twips: selectionIndent is where the first line starts, selectionHangingIndent how
// much further the other lines start, selectionRightIndent the right margin. Colours use the stored
// colour codes; SystemWindowText is "automatic", the text colour of the theme, and the background
// and automatic text are shown so that the page reads (see pageColours).
//
// setText or setRtf gives the box a new document(), so connect to the box's signals
// rather than to those of its document.
//
// Long runs and paragraphs take Qt long to lay out (see LongParagraphs). A read-only box
// shows text that is never saved from it: it cuts them, and selectedText and copying give the
// text as it was. A box that can be edited keeps the text it is given exactly; while that
// holds a run too long to break a line in, its lines break anywhere, even inside words.
class RichTextBox : public QTextEdit
{
    Q_OBJECT

public:
    enum Alignment { AlignLeft = 0, AlignRight = 1, AlignCentre = 2, AlignJustify = 3 };

    explicit RichTextBox(QWidget *parent = nullptr);

    QString text() const;
    // The length of text() without building it.
    int textLength() const;
    // Replaces the content with plain text in the format of the start of the box.
    void setText(const QString &text);
    QByteArray toRtf() const;
    // RTF replaces the content; other bytes are plain text (UTF-8, or else Windows-1252).
    void setRtf(const QByteArray &rtf);

    int selectionStart() const;
    void setSelectionStart(int start); // also makes selectionLength 0
    int selectionLength() const;
    void setSelectionLength(int length);
    QString selectedText() const;
    void setSelectedText(const QString &text);

    std::optional<QString> selectionFontName() const;
    void setSelectionFontName(const QString &name);
    std::optional<double> selectionFontSize() const;
    void setSelectionFontSize(double points);
    std::optional<bool> selectionBold() const;
    void setSelectionBold(bool on);
    std::optional<bool> selectionItalic() const;
    void setSelectionItalic(bool on);
    std::optional<bool> selectionUnderline() const;
    void setSelectionUnderline(bool on);
    std::optional<bool> selectionStrikeOut() const;
    void setSelectionStrikeOut(bool on);
    std::optional<ColourCode> selectionColour() const;
    void setSelectionColour(ColourCode colour);
    std::optional<int> selectionCharOffset() const; // twips, positive raises
    void setSelectionCharOffset(int twips);         // 0 also ends superscript and subscript

    std::optional<int> selectionAlignment() const;
    void setSelectionAlignment(int alignment);
    std::optional<bool> selectionBullet() const;
    void setSelectionBullet(bool on);
    std::optional<int> selectionIndent() const;
    void setSelectionIndent(int twips);
    std::optional<int> selectionRightIndent() const;
    void setSelectionRightIndent(int twips);
    std::optional<int> selectionHangingIndent() const;
    void setSelectionHangingIndent(int twips);

    ColourCode backColour() const { return m_backColour; }
    void setBackColour(ColourCode colour);

    // Writes the content as RTF; false with a message when the file cannot be written.
    bool saveRtfFile(const QString &path, QString *error = nullptr) const;

    // Document positions and positions in text().
    int textPosition(int documentPosition) const;
    int documentPosition(int textPosition) const;

Q_SIGNALS:
    void mouseMoved(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, const QPoint &pos);
    void mouseReleased(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, const QPoint &pos);
    void keyPressed(int key, Qt::KeyboardModifiers modifiers);
    void focusGained();

protected:
    QMimeData *createMimeDataFromSelection() const override;
    bool canInsertFromMimeData(const QMimeData *source) const override;
    void insertFromMimeData(const QMimeData *source) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    template <typename T, typename Value> std::optional<T> charValue(Value value) const;
    template <typename T, typename Value> std::optional<T> blockValue(Value value) const;
    void mergeSelCharFormat(const QTextCharFormat &format);
    void mergeSelBlockFormat(const QTextBlockFormat &format);
    // A paragraph's left and first-line indents, twips, as RTF has them (\li and \fi).
    struct Indents
    {
        int left;
        int first;
        bool operator==(const Indents &) const = default;
    };
    static Indents indents(const QTextBlock &block);
    // Gives each paragraph of the selection the indents change(its indents) returns.
    template <typename Change> void changeIndents(Change change);
    QTextDocument *newDocument() const;
    void showDocument(QTextDocument *doc);
    void applyPageColours();

    ColourCode m_backColour = SystemWindowBackground;
    bool m_crlf = false;
    bool m_cut = false; // the text shown has cut paragraphs
};

} // namespace quillery
