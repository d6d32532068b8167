// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/TestSupport.h"
#include "support/ui/EditorFixture.h"

#include "documents/BinderSaver.h"
#include "options/EditLaunch.h"
#include "options/RunDoc.h"
#include "platform/RegString.h"
#include "platform/Settings.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
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
    void initTestCase();
    void defaultProgramRoundTrip();
    void namedProgramRunsInItsStartInFolder();
    void unchangedFileAsksNothing();
    void missingStartInFolderOpensAssociations();
    void missingProgramChangesNothing();
    void noProgramForTheTypeIsSaidAtOnce();

private:
    QTemporaryDir m_desktop; // a private desktop: its applications and default programs
};

namespace {

// Launches the editor for the current page and returns the caption of the editor that
// opened ("" when none did), closing it at once.
QString launch(EditorFixture &f, Settings &settings)
{
    QString caption;
    QTimer::singleShot(0, [&caption] {
        if (auto *editor = qobject_cast<frmEdit *>(QApplication::activeModalWidget())) {
            caption = editor->windowTitle().remove(QStringLiteral("[*]"));
            editor->close();
        }
    });
    EditLaunch(*f.workspace, f.binder, settings, nullptr);
    QCoreApplication::processEvents();
    return caption;
}

} // namespace

void tst_editlaunch::builtInEditorsByAssociation()
{
    EditorFixture f;
    Settings settings(f.path("settings.ini"));
    f.addPage(PageKind::RTF, "{\\rtf1 x}", "Letter");
    QCOMPARE(launch(f, settings), "Rich Text Editor for 'Letter'");
    QCOMPARE(f.workspace->editmode, EditMode::Rich);
    QVERIFY(!f.workspace->editpage);

    f.addPage(PageKind::HTML, "<p>", "index.htm");
    QCOMPARE(launch(f, settings), "HTML Editor for 'index.htm'");
    QCOMPARE(f.workspace->editmode, EditMode::Plain);

    // A rich text page the user wants as plain text opens in plain mode.
    settings.SaveSetting(Settings::Associations, "PEAe1", Settings::PlainTextEditor);
    f.binder.setCurIndex(1);
    QCOMPARE(launch(f, settings), "Plain Text Editor for 'Letter'");

    f.binder.setCurIndex(0);
    QCOMPARE(launch(f, settings), "");
    QVERIFY(f.dialogs.calls().isEmpty());

    // Other kinds go to the desktop's program, never the built-in editor.
    QStringList opened;
    setRunDocHandler([&opened](const QString &path) {
        opened << QFileInfo(path).fileName();
        return true;
    });
    f.addPage(PageKind::PICTURE, "GIF89a", "photo");
    QCOMPARE(launch(f, settings), "");
    setRunDocHandler({});
    QCOMPARE(opened, QStringList{"photo"});
}

void tst_editlaunch::unreadablePageIsReported()
{
    EditorFixture f;
    const int page = f.addPage(PageKind::TXT, "gone", "Lost");
    QFile::remove(f.binder.page(page).key.location);
    Settings settings(f.path("settings.ini"));
    QCOMPARE(launch(f, settings), "");
    QCOMPARE(f.messageTitles(), QStringList{"Page Editing Error"});
    QVERIFY(f.dialogs.lastText().startsWith(
        "An error occurred when attempting to launch the page 'Lost' - "));
    QVERIFY(!f.workspace->editpage);
}

namespace {

const QString waitTitle = QStringLiteral("Page Editing - Quillery");
const QByteArray editorLine = "added by the editor\n";

// Answers the wait message only once the outside program has finished, as a user would.
class WaitingDialogs : public ScriptedDialogs
{
public:
    QString doneMarker;

    MsgResult message(MsgIcon icon, MsgButtons buttons, const QString &title,
                      const QString &text) override
    {
        if (title == waitTitle && !doneMarker.isEmpty() &&
            !QTest::qWaitFor([this] { return QFileInfo::exists(doneMarker); }, 10000))
            qWarning("the editor did not finish");
        return ScriptedDialogs::message(icon, buttons, title, text);
    }
};

// A binder with one text page, opened, edited through a workspace whose dialogs wait
// for the outside editor; the editor script appends a line to the file it is given and
// records its folder and the file in the marker once done.
struct LaunchFixture : BinderFixture
{
    LaunchFixture()
        : editWorkspace(*temp, waiting, ui), settings(path("settings.ini")),
          script(path("editor script.sh")), marker(path("marker"))
    {
        binderPath = makeBinder("book.qly", {{"notes.txt", "first line\n"}});
        binder = open(binderPath);
        binder->setCurIndex(1);
        writeFile(script, "#!/bin/sh\nprintf 'added by the editor\\n' >> \"$1\"\n"
                          "{ pwd; printf '%s\\n' \"$1\"; } > '" +
                              marker.toUtf8() + ".part'\nmv '" + marker.toUtf8() + ".part' '" +
                              marker.toUtf8() + "'\n");
        QFile::setPermissions(script, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        waiting.doneMarker = marker;
    }

    // Runs Edit Page from a shown main window, which is hidden while the user works in
    // the other program.
    void launch(const std::function<void()> &showAssociations = {})
    {
        QFile::remove(marker);
        mainWindow.show();
        EditLaunch(editWorkspace, *binder, settings, &mainWindow, showAssociations);
    }
    // The folder the editor ran in and the file it was given.
    QStringList markerLines() const { return QString::fromUtf8(readFile(marker)).split('\n'); }
    QStringList titles() const
    {
        QStringList result;
        for (const DialogCall &call : waiting.calls())
            result << call.title;
        return result;
    }

    WaitingDialogs waiting;
    Workspace editWorkspace;
    Settings settings;
    QString script;
    QString marker;
    QString binderPath;
    std::unique_ptr<Binder> binder;
    QWidget mainWindow;
};

} // namespace

void tst_editlaunch::initTestCase()
{
    QVERIFY(m_desktop.isValid());
    qputenv("XDG_CONFIG_HOME", m_desktop.filePath("config").toUtf8());
    qputenv("XDG_DATA_HOME", m_desktop.filePath("data").toUtf8());
    qputenv("XDG_CURRENT_DESKTOP", "");
}

void tst_editlaunch::defaultProgramRoundTrip()
{
    LaunchFixture f;
    writeFile(m_desktop.filePath("data/applications/quillery-test-editor.desktop"),
              "[Desktop Entry]\nType=Application\nName=Test editor\nExec=\"" + f.script.toUtf8() +
                  "\" %f\n");
    writeFile(m_desktop.filePath("config/mimeapps.list"),
              "[Default Applications]\ntext/plain=quillery-test-editor.desktop\n");
    f.settings.SaveSetting(Settings::Associations, "PEAe2", Settings::DefaultProgram);
    // The desktop entry itself answers, not a system opener.
    QVERIFY(GetRegString(ClassesRoot, "text/plain\\shell\\Open\\command", QString())
                .contains(f.script));
    // A hostile title: it must neither leave the temporary folder nor split into arguments.
    PageRow row = f.binder->page(1);
    row.name = "../it's \"my\" $(touch x) notes";
    f.binder->pages.replace(0, row);
    const qint64 nextKey = f.binder->NextKey();

    f.launch();
    QVERIFY(f.mainWindow.isVisible());
    QCOMPARE(f.titles(), QStringList({waitTitle, "Save Page Changes"}));
    QCOMPARE(f.waiting.calls().at(1).text,
             "Do you want to save the changes you made to the page '" + row.name + "'?");
    const QFileInfo exported(f.markerLines().value(1));
    QCOMPARE(exported.absolutePath(), QDir(f.temp->path()).absolutePath());
    QVERIFY(exported.fileName().endsWith(" notes.txt"));
    QCOMPARE(f.binder->NextKey(), nextKey + 1);
    QVERIFY(f.binder->Changed());

    QVERIFY(SaveCommand(f.editWorkspace, *f.binder));
    f.binder.reset();
    const auto reopened = f.open(f.binderPath);
    QVERIFY(reopened);
    QCOMPARE(GetLumpString(*reopened, "1"), "first line\n" + editorLine);
}

void tst_editlaunch::namedProgramRunsInItsStartInFolder()
{
    LaunchFixture f;
    const QString startIn = f.path("start in");
    QVERIFY(QDir().mkpath(startIn));
    f.settings.SaveSetting(Settings::Associations, "PEAe2",
                           f.script + Settings::ProgramSeparator + startIn);
    const QString ownFolder = QDir::currentPath();
    const qint64 nextKey = f.binder->NextKey();

    f.launch();
    QCOMPARE(f.markerLines().value(0), startIn);
    QCOMPARE(QDir::currentPath(), ownFolder);
    const QString firstData = f.binder->page(1).key.location;

    // Taking changes back twice gives two data files and two serials.
    f.launch();
    QCOMPARE(f.titles().count("Save Page Changes"), 2);
    QVERIFY(f.binder->page(1).key.location != firstData);
    QCOMPARE(f.binder->NextKey(), nextKey + 2);
    QCOMPARE(GetLumpString(*f.binder, "1"), "first line\n" + editorLine + editorLine);
}

void tst_editlaunch::unchangedFileAsksNothing()
{
    LaunchFixture f;
    f.settings.SaveSetting(Settings::Associations, "PEAe2", "/bin/true");
    f.waiting.doneMarker.clear();
    const PageKey before = f.binder->page(1).key;

    f.launch();
    QCOMPARE(f.titles(), QStringList({waitTitle}));
    QCOMPARE(f.binder->page(1).key.toString(), before.toString());
    QVERIFY(!f.binder->Changed());
}

void tst_editlaunch::missingStartInFolderOpensAssociations()
{
    LaunchFixture f;
    f.settings.SaveSetting(Settings::Associations, "PEAe2",
                           f.script + Settings::ProgramSeparator + f.path("gone"));
    int shown = 0;
    f.launch([&shown] { ++shown; });
    QCOMPARE(f.titles(), QStringList({"Edit Error"}));
    QCOMPARE(shown, 1);
    QCOMPARE(f.editWorkspace.editmode, EditMode::ShowAssociations);
    QVERIFY(!QFileInfo::exists(f.marker));
}

void tst_editlaunch::missingProgramChangesNothing()
{
    LaunchFixture f;
    f.settings.SaveSetting(Settings::Associations, "PEAe2", "/nonexistent/editor");
    const qint64 nextKey = f.binder->NextKey();
    f.launch();
    QCOMPARE(f.titles(), QStringList({"Page Editing Error"}));
    const QString text = f.waiting.calls().at(0).text;
    QVERIFY2(text.startsWith("An error occurred when attempting to launch the page 'notes") &&
                 text.contains("'/nonexistent/editor'") && text.endsWith(", 53"),
             qPrintable(text));
    QCOMPARE(f.binder->NextKey(), nextKey);
    QVERIFY(!f.binder->Changed());
}

namespace {

// Stands in for the desktop's opener, which reports success once it has started.
class DesktopOpener : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> asked;
public Q_SLOTS:
    void open(const QUrl &url) { asked << url; }
};

} // namespace

void tst_editlaunch::noProgramForTheTypeIsSaidAtOnce()
{
    LaunchFixture f;
    f.settings.SaveSetting(Settings::Associations, "PEAe2", Settings::DefaultProgram);
    // A desktop with no applications at all, and an opener that would start anyway.
    QFile::remove(m_desktop.filePath("config/mimeapps.list"));
    QDir(m_desktop.filePath("data/applications")).removeRecursively();
    const QByteArray systemDirs = qgetenv("XDG_DATA_DIRS");
    qputenv("XDG_DATA_DIRS", m_desktop.filePath("no system").toUtf8());
    DesktopOpener opener;
    QDesktopServices::setUrlHandler("file", &opener, "open");

    f.launch();
    QDesktopServices::unsetUrlHandler("file");
    qputenv("XDG_DATA_DIRS", systemDirs);
    QCOMPARE(opener.asked, QList<QUrl>());
    QCOMPARE(f.titles(), QStringList({"Page Editing Error"}));
    QVERIFY2(f.waiting.calls().at(0).text.contains(" - no program on this computer opens '") &&
                 f.waiting.calls().at(0).text.contains("Page Editing Associations"),
             qPrintable(f.waiting.calls().at(0).text));
    QVERIFY(!f.binder->Changed());
}

QTEST_MAIN(tst_editlaunch)
#include "tst_editlaunch.moc"
