// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Colours.h"

#include <QTextEdit>

#include <optional>

namespace quillery {

// The rich text box the viewer and the editor show text pages in: a QTextEdit with the
// members of the rich edit control that the program uses, reading and writing RTF.
//
// Positions and lengths count characters of Text, from 0. Text ends its paragraphs the way
// the text last given to setText did ("\r\n" when it held one, "\n" otherwise), so a plain
// text page is saved with the line ends it came with; a paragraph mark then counts as one
// or two characters. Lengths beyond the end stop at the end, and a selection that reaches
// the end covers the final paragraph mark, whose format the next typed text takes.
//
// The Sel... properties describe the selection; where it mixes values they have none. The
// indents are in twips: SelIndent is where the first line starts, SelHangingIndent how much
// further the other lines start, SelRightIndent the right margin. Colours use the stored
// colour codes; SystemWindowText is "automatic", the text colour of the theme.
//
// Setting Text or TextRTF gives the box a new document(), so connect to the box's signals
// rather than to those of its document.
//
// Long runs and paragraphs take Qt long to lay out (see LongParagraphs). A read-only box
// shows text that is never saved from it: it cuts them, and SelText and copying give the
// text as it was. A box that can be edited keeps the text it is given exactly; while that
// holds a run too long to break a line in, its lines break anywhere, even inside words.
class RichTextBox : public QTextEdit
{
    Q_OBJECT

public:
    enum Alignment { AlignLeft = 0, AlignRight = 1, AlignCentre = 2, AlignJustify = 3 };

    explicit RichTextBox(QWidget *parent = nullptr);

    QString Text() const;
    // The length of Text without building it.
    int TextLength() const;
    // Replaces the content with plain text in the format of the start of the box.
    void setText(const QString &text);
    QByteArray TextRTF() const;
    // RTF replaces the content; other bytes are plain text (UTF-8, or else Windows-1252).
    void setTextRTF(const QByteArray &rtf);

    int SelStart() const;
    void setSelStart(int start); // also makes SelLength 0
    int SelLength() const;
    void setSelLength(int length);
    QString SelText() const;
    void setSelText(const QString &text);

    std::optional<QString> SelFontName() const;
    void setSelFontName(const QString &name);
    std::optional<double> SelFontSize() const;
    void setSelFontSize(double points);
    std::optional<bool> SelBold() const;
    void setSelBold(bool on);
    std::optional<bool> SelItalic() const;
    void setSelItalic(bool on);
    std::optional<bool> SelUnderline() const;
    void setSelUnderline(bool on);
    std::optional<bool> SelStrikeThru() const;
    void setSelStrikeThru(bool on);
    std::optional<ColourCode> SelColor() const;
    void setSelColor(ColourCode colour);
    std::optional<int> SelCharOffset() const; // twips, positive raises
    void setSelCharOffset(int twips);         // 0 also ends superscript and subscript

    std::optional<int> SelAlignment() const;
    void setSelAlignment(int alignment);
    std::optional<bool> SelBullet() const;
    void setSelBullet(bool on);
    std::optional<int> SelIndent() const;
    void setSelIndent(int twips);
    std::optional<int> SelRightIndent() const;
    void setSelRightIndent(int twips);
    std::optional<int> SelHangingIndent() const;
    void setSelHangingIndent(int twips);

    ColourCode BackColor() const { return m_backColour; }
    void setBackColor(ColourCode colour);

    // Writes the content as RTF; false with a message when the file cannot be written.
    bool SaveFile(const QString &path, QString *error = nullptr) const;

    // Document positions and positions in Text.
    int textPosition(int documentPosition) const;
    int documentPosition(int textPosition) const;

Q_SIGNALS:
    void MouseMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, const QPoint &pos);
    void MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, const QPoint &pos);
    void KeyDown(int key, Qt::KeyboardModifiers modifiers);
    void KeyUp(int key, Qt::KeyboardModifiers modifiers);
    void GotFocus();

protected:
    QMimeData *createMimeDataFromSelection() const override;
    bool canInsertFromMimeData(const QMimeData *source) const override;
    void insertFromMimeData(const QMimeData *source) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
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
    void applyBackColour();
    int lineEndLength() const { return m_crlf ? 2 : 1; }

    ColourCode m_backColour = SystemWindowBackground;
    bool m_crlf = false;
    bool m_cut = false; // the text shown has cut paragraphs
};

} // namespace quillery
