// SPDX-License-Identifier: GPL-3.0-or-later
// The page editor's text as the recovery snapshot takes it: a large rich page is written a
// part at a time between the event loop's turns, made again after a change meanwhile, and
// kept until the text changes.
#include "documents/PageKind.h"
#include "editor/EditorRecovery.h"
#include "platform_ui/RichTextBox.h"
#include "rtf/RtfWriter.h"

#include <QSignalSpy>
#include <QTest>
#include <QTextCursor>
#include <QTextDocument>

using namespace quillery;

namespace {

// Enough paragraphs that their RTF takes more than one part to write.
void fill(RichTextBox &box)
{
    QTextCursor cursor(box.document());
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    for (int i = 0; i < 20000; ++i) {
        cursor.insertText(QStringLiteral("Paragraph %1 with a few words ").arg(i), {});
        cursor.insertText(QStringLiteral("in bold"), bold);
        cursor.insertBlock();
    }
}

} // namespace

class tst_unsavedpagetext : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void aChangeWhileMakingStartsAgain()
    {
        RichTextBox box;
        fill(box);
        UnsavedPageText text(4, box, true);
        QSignalSpy ready(&text, &UnsavedEdit::ready);
        QVERIFY(!text.made());
        text.make();
        QVERIFY(!text.made()); // nothing is written before the event loop turns
        QCoreApplication::processEvents();
        QTextCursor(box.document()).insertText(QStringLiteral("Changed first. "));
        QVERIFY(!text.made());

        text.make();
        QTRY_VERIFY_WITH_TIMEOUT(text.made(), 20000);
        const EditedPage page = *text.made();
        QCOMPARE(page.position, 4);
        QCOMPARE(page.bytes, writeRtf(*box.document()));
        QVERIFY(page.bytes.contains("Changed first. Paragraph 0"));
        QVERIFY(ready.count() >= 1);

        // Kept, until the next change; then made at once when the program has to end.
        text.make();
        QCOMPARE(text.made()->bytes, page.bytes);
        box.setSelectionStart(0);
        box.insertPlainText(QStringLiteral("x"));
        QVERIFY(!text.made());
        const QByteArray now = text.makeNow().bytes;
        QVERIFY(now.contains("xChanged first."));
        QCOMPARE(now, writeRtf(*box.document()));
    }

    void plainTextAndColour()
    {
        RichTextBox box;
        box.setText(QStringLiteral("plain words"));
        box.setBackColour(0x00FF00);
        UnsavedPageText text(2, box, false);
        text.make();
        QTRY_VERIFY_WITH_TIMEOUT(text.made(), 20000);
        QCOMPARE(text.made()->bytes, QByteArray("plain words"));
        QCOMPARE(text.made()->colour, colourField(PageKind::TXT, QString::number(0x00FF00)));
        // A new colour is no change to the text, but the page would be saved with it.
        box.setBackColour(0x0000FF);
        QCOMPARE(text.made()->colour, colourField(PageKind::TXT, QString::number(0x0000FF)));
    }
};

QTEST_MAIN(tst_unsavedpagetext)
#include "tst_unsavedpagetext.moc"
