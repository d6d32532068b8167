#include "support/EditorFixture.h"

#include "options/EditLaunch.h"
#include "platform/RunDoc.h"
#include "shell/Settings.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QTest>
#include <QTimer>

using namespace quillery;
using namespace quillery::test;

class tst_editlaunch : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void builtInEditorsByAssociation();
    void unreadablePageIsReported();
};

namespace {

// Launches the editor for the current page and returns the caption of the editor that
// opened ("" when none did), closing it at once.
QString launch(EditorFixture &f)
{
    QString caption;
    QTimer::singleShot(0, [&caption] {
        if (auto *editor = qobject_cast<frmEdit *>(QApplication::activeModalWidget())) {
            caption = editor->windowTitle().remove(QStringLiteral("[*]"));
            editor->close();
        }
    });
    EditLaunch(*f.workspace, f.binder);
    QCoreApplication::processEvents();
    return caption;
}

} // namespace

void tst_editlaunch::builtInEditorsByAssociation()
{
    EditorFixture f;
    Settings settings(f.path("settings.ini"));
    f.workspace->settings = &settings;
    f.addPage(PageKind::RTF, "{\\rtf1 x}", "Letter");
    QCOMPARE(launch(f), "Rich Text Editor for 'Letter'");
    QCOMPARE(f.workspace->editmode, 0);
    QVERIFY(!f.workspace->editpage);

    // A rich text page the user wants as plain text opens in plain mode.
    settings.SaveSetting(Settings::Associations, "PEAe1", Settings::PlainTextEditor);
    f.binder.setCurIndex(1);
    QCOMPARE(launch(f), "Plain Text Editor for 'Letter'");

    // Other kinds go to the desktop's program, never the built-in editor.
    QStringList opened;
    setRunDocHandler([&opened](const QString &path) {
        opened << QFileInfo(path).fileName();
        return true;
    });
    f.addPage(PageKind::PICTURE, "GIF89a", "photo");
    QCOMPARE(launch(f), "");
    setRunDocHandler({});
    QCOMPARE(opened, QStringList{"photo"});
}

void tst_editlaunch::unreadablePageIsReported()
{
    EditorFixture f;
    const int page = f.addPage(PageKind::TXT, "gone", "Lost");
    QFile::remove(f.binder.page(page).key.location);
    QCOMPARE(launch(f), "");
    QCOMPARE(f.messageTitles(), QStringList{"Page Editing Error"});
    QVERIFY(f.dialogs.lastText().startsWith(
        "An error occurred when attempting to launch the page 'Lost' - "));
    QVERIFY(!f.workspace->editpage);
}

QTEST_MAIN(tst_editlaunch)
#include "tst_editlaunch.moc"
