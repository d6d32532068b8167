// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QTimer>
#include <QtGui/private/qtextdocumentlayout_p.h>

namespace quillery {

// Qt's document layout for a text box that wraps at its width, made fast for typing in a
// long document. After every change Qt's layout walks each paragraph below it to move it,
// about 13 ms a keystroke at the top of a 35,000-paragraph page. When an edit stays inside
// one paragraph of the page's own flow and leaves it with lines of the same number, heights
// and widths, in the same direction, nothing below moves, so this layout lays out that
// paragraph alone.
//
// Qt's layout also keeps marks of where the text stands every so often down the page, and
// an insertion laid out alone leaves the marks below it behind. A mark behind makes drawing
// and hit testing start a paragraph early, which is harmless; a layout pass started from
// one would put paragraphs in the wrong place, so the marks are brought up to date in the
// next pass Qt makes, before it lays anything out. Nothing runs between keystrokes.
// Deletions, which would leave marks ahead of the text, take Qt's way.
//
// A page shown before all of it is laid out (a large page just opened) is laid out to its end
// in stretches of about a millisecond between events, where Qt's own steps grow to 200,000
// characters, some 30 ms in a large page, which a key pressed meanwhile would wait for.
class ParagraphLayout : public QTextDocumentLayout
{
    Q_OBJECT

public:
    explicit ParagraphLayout(QTextDocument *document);

    // How many edits were laid out alone, for tests.
    int paragraphsLaidOutAlone() const { return m_alone; }

protected:
    void documentChanged(int from, int oldLength, int length) override;
    void timerEvent(QTimerEvent *event) override;

private:
    bool layOutAlone(int from, int oldLength, int length);
    void layOutFurther();

    int m_blockCount = 0;
    // Where the first insertion laid out alone since Qt's last pass starts; -1 for none.
    int m_behindFrom = -1;
    int m_alone = 0;
    QTimer m_further;
};

} // namespace quillery
