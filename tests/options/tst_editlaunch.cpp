// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/TestSupport.h"
#include "support/ui/EditorFixture.h"

#include "documents/BinderSaver.h"
#include "options/EditLaunch.h"
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

namespace {

// Launches the editor for the current page and returns the caption of the editor that
// opened ("" when none did), closing it at once.
QString launch(EditorFixture &f, Settings &settings)
{
    QString caption;
    QTimer::singleShot(0, [&caption] {
        if (auto *editor = qobject_cast<EditorWindow *>(QApplication::activeModalWidget())) {
            caption = editor->windowTitle().remove(QStringLiteral("[*]"));
            editor->close();
        }
    });
    launchPageEditor(*f.workspace, f.binder, settings, nullptr);
    QCoreApplication::processEvents();
    return caption;
}

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
        binder->setCurrentPosition(1);
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
        launchPageEditor(editWorkspace, *binder, settings, &mainWindow, showAssociations);
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

class tst_editlaunch : public QObject
{
    Q_OBJECT

    QTemporaryDir m_desktop; // a private desktop: its applications and default programs

private Q_SLOTS:
    void initTestCase()
    {
        qputenv("XDG_CONFIG_HOME", m_desktop.filePath("config").toUtf8());
        qputenv("XDG_DATA_HOME", m_desktop.filePath("data").toUtf8());
        qputenv("XDG_CURRENT_DESKTOP", "");
    }

    void builtInEditorsByAssociationAndAnUnreadablePage()
    {
        EditorFixture f;
        Settings settings(f.path("settings.ini"));
        f.addPage(PageKind::RTF, "{\\rtf1 x}", "Letter");
        QCOMPARE(launch(f, settings), "Rich Text Editor for 'Letter'");
        QVERIFY(!f.workspace->pageEditorOpen);

        // A rich text page the user wants as plain text opens in plain mode.
        settings.setValue(Settings::Associations, "PEAe1", Settings::PlainTextEditor);
        QCOMPARE(launch(f, settings), "Plain Text Editor for 'Letter'");
        f.binder.setCurrentPosition(0); // no page
        QCOMPARE(launch(f, settings), "");
        QVERIFY(f.dialogs.calls().isEmpty());

        // A page whose data file has gone is reported by its name.
        const int page = f.addPage(PageKind::TXT, "gone", "Lost");
        QFile::remove(f.binder.page(page).key.location);
        QCOMPARE(launch(f, settings), "");
        QCOMPARE(f.messageTitles(), QStringList{"Page Editing Error"});
        QVERIFY(f.dialogs.lastText().startsWith(
            "An error occurred when attempting to launch the page 'Lost' - "));
        QVERIFY(!f.workspace->pageEditorOpen);
    }

    // The desktop's program for the page's type, then a named program in its start-in folder.
    void outsideProgramsRoundTrip()
    {
        LaunchFixture f;
        writeFile(m_desktop.filePath("data/applications/quillery-test-editor.desktop"),
                  "[Desktop Entry]\nType=Application\nName=Test editor\nExec=\"" +
                      f.script.toUtf8() + "\" %f\n");
        writeFile(m_desktop.filePath("config/mimeapps.list"),
                  "[Default Applications]\ntext/plain=quillery-test-editor.desktop\n");
        f.settings.setValue(Settings::Associations, "PEAe2", Settings::DefaultProgram);
        // A hostile title: it must neither leave the temporary folder nor split into arguments.
        PageRow row = f.binder->page(1);
        row.name = "../it's \"my\" $(touch x) notes";
        f.binder->updatePage(1, row);
        const qint64 nextKey = f.binder->nextSerial();

        f.launch();
        QVERIFY(f.mainWindow.isVisible());
        QCOMPARE(f.titles(), QStringList({waitTitle, "Save Page Changes"}));
        QCOMPARE(f.waiting.calls().at(1).text,
                 "Do you want to save the changes you made to the page '" + row.name + "'?");
        const QFileInfo exported(f.markerLines().value(1));
        QCOMPARE(exported.absolutePath(), QDir(f.temp->path()).absolutePath());
        QVERIFY(exported.fileName().endsWith(" notes.txt"));
        QCOMPARE(f.binder->nextSerial(), nextKey + 1);
        QVERIFY(f.binder->isChanged());

        const QString startIn = f.path("start in");
        QVERIFY(QDir().mkpath(startIn));
        f.settings.setValue(Settings::Associations, "PEAe2",
                            f.script + Settings::ProgramSeparator + startIn);
        const QString ownFolder = QDir::currentPath();
        f.launch();
        QCOMPARE(f.markerLines().value(0), startIn);
        QCOMPARE(QDir::currentPath(), ownFolder);

        QVERIFY(saveBinder(f.editWorkspace, *f.binder));
        f.binder.reset();
        const auto reopened = f.open(f.binderPath);
        QVERIFY(reopened);
        QCOMPARE(pageBytes(*reopened, 1), "first line\n" + editorLine + editorLine);
    }

    // A program that leaves the page as it was, or that cannot run: the binder is not
    // changed, and the user hears why at once. "@" stands for the fixture's folder.
    void launchesThatChangeNothing_data()
    {
        QTest::addColumn<QString>("editor");
        QTest::addColumn<QString>("title"); // after the wait message, if any
        QTest::addColumn<QString>("said");
        QTest::newRow("page unchanged") << "/bin/true" << waitTitle << "";
        QTest::newRow("no such program") << "/nonexistent/editor"
                                         << "Page Editing Error"
                                         << "'/nonexistent/editor'";
        QTest::newRow("no start-in folder")
            << QString("@/editor script.sh") + Settings::ProgramSeparator + "@/gone"
            << "Edit Error"
            << "Page Editing Associations";
        // A desktop with no applications at all, and an opener that would start anyway.
        QTest::newRow("nothing opens the type") << Settings::DefaultProgram << "Page Editing Error"
                                                << " - no program on this computer opens '";
    }

    void launchesThatChangeNothing()
    {
        QFETCH(QString, editor);
        QFETCH(QString, title);
        QFETCH(QString, said);
        LaunchFixture f;
        f.waiting.doneMarker.clear();
        f.settings.setValue(Settings::Associations, "PEAe2", editor.replace("@", f.path(".")));
        QFile::remove(m_desktop.filePath("config/mimeapps.list"));
        QDir(m_desktop.filePath("data/applications")).removeRecursively();
        const QByteArray systemDirs = qgetenv("XDG_DATA_DIRS");
        qputenv("XDG_DATA_DIRS", m_desktop.filePath("no system").toUtf8());
        DesktopOpener opener;
        QDesktopServices::setUrlHandler("file", &opener, "open");
        const qint64 nextKey = f.binder->nextSerial();
        int associationsShown = 0;

        f.launch([&] { ++associationsShown; });
        QDesktopServices::unsetUrlHandler("file");
        qputenv("XDG_DATA_DIRS", systemDirs);
        QCOMPARE(opener.asked, QList<QUrl>());
        QCOMPARE(f.titles(), QStringList{title});
        QVERIFY2(f.waiting.calls().at(0).text.contains(said),
                 qPrintable(f.waiting.calls().at(0).text));
        QCOMPARE(associationsShown, title == "Edit Error" ? 1 : 0);
        QVERIFY(!QFileInfo::exists(f.marker));
        QCOMPARE(f.binder->nextSerial(), nextKey);
        QVERIFY(!f.binder->isChanged());
    }
};

QTEST_MAIN(tst_editlaunch)
#include "tst_editlaunch.moc"
