// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/BinderFixture.h"
#include "support/TestSupport.h"
#include "support/TextDocumentSupport.h"

#include "documents/CompanionFiles.h"
#include "editor/FormatToolbar.h"
#include "editor/frmEdit.h"
#include "editor/frmReplace.h"
#include "platform_ui/RichTextBox.h"
#include "rtf/RtfReader.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <QTextDocument>
#include <QTextList>

using namespace quillery;
using namespace quillery::test;

// Pages edited in the editor and saved with the binder come back from disk as edited.

namespace {

void select(RichTextBox &box, const QString &text)
{
    const int at = int(box.Text().indexOf(text));
    QVERIFY2(at >= 0, qPrintable(text));
    box.setSelStart(at);
    box.setSelLength(int(text.size()));
}

std::unique_ptr<QTextDocument> pageDocument(const Binder &binder, int position)
{
    auto doc = std::make_unique<QTextDocument>();
    [&] {
        QVERIFY(readRtf(GetLumpString(binder, QString::number(position)), doc.get()));
    }();
    return doc;
}

} // namespace

class tst_editorendtoend : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void editSaveAndReopen()
    {
        BinderFixture f;
        const QString path =
            f.makeBinder("trip.qly", {{"letter.rtf", "{\\rtf1\\ansi Hello world\\par}"},
                                      {"notes.txt", "plain text"},
                                      {"sample.rtf", rtfSample("lo-sample.rtf")}});
        auto binder = f.open(path);
        QVERIFY(binder);

        // The rich page: bold, a named colour, centred, bulleted.
        binder->setCurIndex(1);
        f.workspace->editmode = EditMode::Rich;
        {
            frmEdit editor(*f.workspace, *binder, 1, nullptr);
            editor.show();
            RichTextBox &box = *editor.rtfEdit();
            select(box, "Hello");
            QTest::keyClick(&box, Qt::Key_B, Qt::ControlModifier);
            select(box, "world");
            editor.tbFormat()->buttonMenu(FormatToolbar::Colour)->actions().at(9)->trigger();
            editor.tbFormat()->button(FormatToolbar::Centre)->trigger();
            editor.tbFormat()->button(FormatToolbar::Bullet)->trigger();
            QVERIFY(editor.SavePage());
        }

        // The plain page.
        f.workspace->editmode = EditMode::Plain;
        {
            frmEdit editor(*f.workspace, *binder, 2, nullptr);
            editor.show();
            QTest::keyClicks(editor.rtfEdit(), "more ");
            QVERIFY(editor.SavePage());
        }

        // LibreOffice's page: one word changed, then the page and the binder saved together.
        f.workspace->editmode = EditMode::Rich;
        {
            frmEdit editor(*f.workspace, *binder, 3, nullptr);
            frmReplace &replace = editor.replaceDialog();
            replace.txtFind()->setText("Normal");
            replace.txtReplace()->setText("Usual");
            replace.cmdAll_Click();
            // "Save Page and Quillery" keeps the editor open and shows no progress window.
            const int progressWindows = f.ui.progressWindows;
            editor.show();
            editor.menuItem("mnuSaveQLY")->trigger();
            QVERIFY(!binder->Changed());
            QVERIFY(editor.isVisible());
            QCOMPARE(f.ui.progressWindows, progressWindows);
        }
        binder.reset();
        removeCompanions(path);

        BinderFixture reader;
        auto reopened = reader.open(path);
        QVERIFY(reopened);

        const auto letter = pageDocument(*reopened, 1);
        QCOMPARE(formatOf(*letter, "Hello").fontWeight(), int(QFont::Bold));
        QCOMPARE(formatOf(*letter, "world").fontWeight(), int(QFont::Normal));
        QCOMPARE(formatOf(*letter, "world").foreground().color(), QColor(255, 0, 0));
        const QTextBlock line = blockOf(*letter, "Hello");
        QCOMPARE(line.blockFormat().alignment() & Qt::AlignHorizontal_Mask,
                 Qt::Alignment(Qt::AlignHCenter));
        QVERIFY(line.textList());
        QCOMPARE(line.textList()->format().style(), QTextListFormat::ListDisc);

        QCOMPARE(GetLumpString(*reopened, "2"), "more plain text");

        const auto sample = pageDocument(*reopened, 3);
        const QStringList text = paragraphs(*sample);
        QVERIFY(text.join('\n').contains("Usual bold italic underlined"));
        QVERIFY(!text.join('\n').contains("Normal"));
        QVERIFY(GetLumpString(*reopened, "3").contains("\\pict"));
    }
};

QTEST_MAIN(tst_editorendtoend)
#include "tst_editorendtoend.moc"
