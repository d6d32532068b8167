// SPDX-License-Identifier: GPL-3.0-or-later
#include "ScriptedDialogs.h"
#include "TestSupport.h"
#include "shell/AppInfo.h"
#include "shell/Feedback.h"
#include "shell/HelpWindow.h"
#include "shell/Icons.h"
#include "shell/ShellResources.h"
#include "shell/frmSplash.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QMessageBox>
#include <QMimeDatabase>
#include <QPointer>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>

#include <optional>

using namespace quillery;

namespace {

const QString desktopFolder = QDir::cleanPath(QStringLiteral(QUILLERY_TEST_DATA "/../../desktop"));

// Runs a program; its standard output when it exits with 0, nothing (and a warning with
// what it said) otherwise.
std::optional<QString> runChecked(const QString &program, const QStringList &args,
                                  const QString &folder = {})
{
    QProcess process;
    process.setWorkingDirectory(folder);
    process.start(program, args);
    if (!process.waitForFinished(60000))
        process.kill();
    const QString out = QString::fromUtf8(process.readAllStandardOutput());
    const QString err = QString::fromUtf8(process.readAllStandardError());
    if (process.exitCode() == 0 && process.exitStatus() == QProcess::NormalExit)
        return out;
    qWarning("%s: %s%s", qPrintable(program), qPrintable(out), qPrintable(err));
    return std::nullopt;
}

// The words a manual page shows, with its escapes for dashes and fonts undone.
QString manualText(const QString &name)
{
    QString text = QString::fromUtf8(test::readFile(desktopFolder + '/' + name));
    text.replace("\\-", "-");
    text.remove(QRegularExpression(R"(\\f[BIR])"));
    return text;
}

QImage image(const QIcon &icon, int size)
{
    return icon.pixmap(size, size).toImage().convertToFormat(QImage::Format_ARGB32);
}

int opaquePixels(const QImage &picture)
{
    int count = 0;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            count += qAlpha(picture.pixel(x, y)) > 128;
    return count;
}

} // namespace

class tst_desktop : public QObject
{
    Q_OBJECT

    QTemporaryDir m_xdg;

private Q_SLOTS:
    void initTestCase()
    {
        // Only our own type in the MIME database, before anything reads it.
        QDir().mkpath(m_xdg.filePath("data/mime/packages"));
        QVERIFY(QFile::copy(desktopFolder + "/quillery-mime.xml",
                            m_xdg.filePath("data/mime/packages/quillery-mime.xml")));
        qputenv("XDG_DATA_DIRS", QFile::encodeName(m_xdg.filePath("data")));
        qputenv("XDG_DATA_HOME", QFile::encodeName(m_xdg.filePath("home")));
        // No desktop theme: every icon must come from our drawings.
        QIcon::setThemeName("quillery-no-such-theme");
        QIcon::setFallbackThemeName("quillery-no-such-theme");
        initShellResources();
    }

    void binderFilesAreKnownByNameAndContent()
    {
        const QMimeDatabase db;
        QCOMPARE(db.mimeTypeForFile("notes.qly", QMimeDatabase::MatchExtension).name(),
                 QString("application/x-quillery"));
        QCOMPARE(db.mimeTypeForData(QByteArray("QLY4\x02\0\0\0", 8)).name(),
                 QString("application/x-quillery"));
        QVERIFY(db.mimeTypeForData(QByteArray("QLRF\x02\0\0\0", 8)).name() !=
                "application/x-quillery");
    }

    void theDesktopEntryIsValid()
    {
        const QByteArray entry = test::readFile(desktopFolder + "/quillery.desktop");
        QVERIFY(entry.contains("\nMimeType=application/x-quillery;\n"));
        QVERIFY(entry.contains("\nExec=quillery %f\n"));
        const QString validator = QStandardPaths::findExecutable("desktop-file-validate");
        if (validator.isEmpty())
            QSKIP("desktop-file-validate is not installed");
        QVERIFY(runChecked(validator, {desktopFolder + "/quillery.desktop"}));
    }

    void theSoftwareCentreEntryIsValid()
    {
        const QByteArray metainfo =
            test::readFile(desktopFolder + "/io.github.quillery.Quillery.metainfo.xml");
        QVERIFY(metainfo.contains("<mediatype>application/x-quillery</mediatype>"));
        QVERIFY(metainfo.contains("<launchable type=\"desktop-id\">quillery.desktop<"));
        QVERIFY(metainfo.contains("<release version=\"" QUILLERY_VERSION "\""));
        const QString validator = QStandardPaths::findExecutable("appstreamcli");
        if (validator.isEmpty())
            QSKIP("appstreamcli is not installed");
        QVERIFY(
            runChecked(validator, {"validate", "--no-net",
                                   desktopFolder + "/io.github.quillery.Quillery.metainfo.xml"}));
    }

    // The address is written once, in the build; the metadata, the package's copyright
    // file and the About box all name it, and every screenshot the metadata names is kept
    // under its address in the repository.
    void everythingNamesTheOneProjectAddress()
    {
        const QString address = AppInfo::projectAddress();
        QVERIFY(address.startsWith("https://") && !address.contains("example"));
        const QString metainfo = QString::fromUtf8(
            test::readFile(desktopFolder + "/io.github.quillery.Quillery.metainfo.xml"));
        QVERIFY(metainfo.contains("<url type=\"homepage\">" + address + "</url>"));
        QVERIFY(metainfo.contains("<url type=\"bugtracker\">" + AppInfo::feedbackAddress()));
        const QString copyright =
            QString::fromUtf8(test::readFile(desktopFolder + "/../cmake/debian/copyright"));
        QVERIFY(copyright.contains("\nSource: " + address + "\n"));
        QVERIFY(copyright.contains("\nUpstream-Contact: " + AppInfo::feedbackAddress() + "\n"));
        QVERIFY(AppInfo::aboutText().contains(address));

        // The raw files of the repository's main branch, under the project's own name.
        const QString raw =
            "https://raw.githubusercontent.com/" + QUrl(address).path().mid(1) + "/main/desktop/";
        static const QRegularExpression image("<image>([^<]*)</image>");
        int shots = 0;
        for (const auto &match : image.globalMatch(metainfo)) {
            const QString url = match.captured(1);
            QVERIFY2(url.startsWith(raw), qPrintable(url));
            const QImage picture(desktopFolder + '/' + url.mid(raw.size()));
            QVERIFY2(picture.width() >= 640 && picture.height() >= 400, qPrintable(url));
            ++shots;
        }
        QCOMPARE(shots, 3);
    }

    // Feedback goes to the project's page for reports; when no browser starts, the user is
    // told so, with the address to open by hand.
    void feedbackOpensTheReportPageOrSaysWhereItIs()
    {
        ScriptedDialogs dialogs;
        QList<QUrl> opened;
        sendFeedback(dialogs, [&](const QUrl &url) {
            opened << url;
            return true;
        });
        QCOMPARE(opened, QList<QUrl>{QUrl(AppInfo::feedbackAddress())});
        QVERIFY(dialogs.calls().isEmpty());

        sendFeedback(dialogs, [](const QUrl &) { return false; });
        QCOMPARE(dialogs.calls().size(), 1);
        QVERIFY(dialogs.calls().at(0).text.endsWith(AppInfo::feedbackAddress()));
    }

    // The manuals must render without complaint and name every command and option the
    // programs' own usage texts name.
    void theManualsCoverTheCommandLine()
    {
        const QString cliManual = manualText("quillery-cli.1");
        const QString cliUsage = runChecked(QUILLERY_CLI, {"--help"}).value_or(QString());
        const QString commands = cliUsage.section("Commands:", 1).section("\n\n", 0, 0);
        int named = 0;
        for (const auto &match :
             QRegularExpression(R"(^  ([a-z]+) )", QRegularExpression::MultilineOption)
                 .globalMatch(commands)) {
            QVERIFY2(cliManual.contains("\n.BI " + match.captured(1) + ' ') ||
                         cliManual.contains("\n" + match.captured(1) + ' '),
                     qPrintable(match.captured(1)));
            ++named;
        }
        QCOMPARE(named, 13);
        for (const auto &match : QRegularExpression(R"(--[a-z]+)").globalMatch(cliUsage))
            QVERIFY2(cliManual.contains(match.captured(0)), qPrintable(match.captured(0)));
        for (const QString &code : QStringList{"0", "1", "2", "64"})
            QVERIFY(cliManual.contains("\n.B " + code + '\n'));

        const QString manual = manualText("quillery.1");
        QStringList options;
        for (const auto &match :
             QRegularExpression(R"((?:^|\s)(--?[a-z-]+))")
                 .globalMatch(runChecked(QUILLERY_APP, {"--help"}).value_or(QString())))
            options << match.captured(1);
        QVERIFY(options.contains("--version") && options.contains("-h"));
        for (const QString &option : options)
            QVERIFY2(manual.contains(option), qPrintable(option));

        const QString groff = QStandardPaths::findExecutable("groff");
        if (groff.isEmpty())
            QSKIP("groff is not installed");
        for (const QString &page : QStringList{"quillery.1", "quillery-cli.1"}) {
            QProcess render;
            render.start(groff, {"-man", "-Tutf8", "-ww", "-z", desktopFolder + '/' + page});
            QVERIFY(render.waitForFinished());
            QCOMPARE(render.readAllStandardError(), QByteArray());
            QCOMPARE(render.exitCode(), 0);
        }
    }

    void theToolCompletesCommandsOptionsAndBinders()
    {
        const QString completion = desktopFolder + "/quillery-cli.bash-completion";
        const QString bash = QStandardPaths::findExecutable("bash");
        QVERIFY(!bash.isEmpty());
        QVERIFY(runChecked(bash, {"-n", completion}));
        const QString library = "/usr/share/bash-completion/bash_completion";
        if (!QFile::exists(library))
            QSKIP("bash-completion is not installed");
        QTemporaryDir folder;
        test::writeFile(folder.filePath("a.qly"), "");
        test::writeFile(folder.filePath("b.txt"), "");
        // Completes each line as bash would at its end and prints the candidates.
        const QString script = R"(
source "$1"; source "$2"
complete_line() {
    read -ra COMP_WORDS <<<"$1"
    [[ $1 == *' ' ]] && COMP_WORDS+=('')
    COMP_CWORD=$((${#COMP_WORDS[@]} - 1)) COMP_LINE=$1 COMP_POINT=${#1} COMPREPLY=()
    _quillery_cli quillery-cli "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD-1]}"
    printf '%s ' $(printf '%s\n' "${COMPREPLY[@]}" | sort); echo
}
complete_line 'quillery-cli ex'
complete_line 'quillery-cli --'
complete_line 'quillery-cli --password x l'
complete_line 'quillery-cli info '
complete_line 'quillery-cli add a.qly '
complete_line 'quillery-cli jpeg in.png out.jpg --g'
)";
        const std::optional<QString> answers =
            runChecked(bash, {"-c", script, "bash", library, completion}, folder.path());
        QCOMPARE(answers.value_or(QString()).split('\n'),
                 QStringList({"extract ", "--help --password --password-file --version ", "list ",
                              "a.qly ", "a.qly b.txt ", "--greyscale ", ""}));
    }

    // Pictures 10 to 15 are the page kinds, which the page list also shows at 32 pixels.
    void everyIconIsDrawnAndDistinct()
    {
        QList<QImage> seen;
        for (int picture = 1; picture <= 21; ++picture) {
            const QImage drawn = image(smallPicture(picture), 16);
            QVERIFY(opaquePixels(drawn) > 16);
            QVERIFY2(!seen.contains(drawn), qPrintable(QString::number(picture)));
            seen << drawn;
        }
        for (int number = 1; number <= 6; ++number) {
            const QIcon icon = pageKindIcon(kindFromNumber(number));
            QCOMPARE(image(icon, 16), image(smallPicture(9 + number), 16));
            QVERIFY(opaquePixels(image(icon, 32)) > 32 * 32 / 4);
        }
        QVERIFY(pageKindIcon(PageKind::Unknown).isNull());
        QVERIFY(smallPicture(0).isNull() && smallPicture(22).isNull());
        QVERIFY(!binderIcon().isNull());
    }

    void everyHelpLinkLeadsSomewhere()
    {
        const QString help = QString::fromUtf8(test::readFile(":/help/index.html"));
        QSet<QString> anchors;
        for (const auto &match : QRegularExpression(R"re(<a name="([^"]+)")re").globalMatch(help))
            anchors << match.captured(1);
        int links = 0;
        for (const auto &match : QRegularExpression(R"re(href="#([^"]+)")re").globalMatch(help)) {
            QVERIFY2(anchors.contains(match.captured(1)), qPrintable(match.captured(1)));
            ++links;
        }
        QVERIFY(links >= 10);
    }

    // The help opens on a topic, and closes from the keyboard whatever inside it has the
    // focus.
    void theHelpWindowOpensOnATopicAndClosesWithEscapeOrCtrlW()
    {
        QCOMPARE(HelpWindow::startPage(), QUrl("qrc:/help/index.html"));
        HelpWindow *window = HelpWindow::showHelp("keys");
        QCOMPARE(window->browser()->source().fragment(), QString("keys"));
        QVERIFY(window->browser()->toPlainText().contains("Ctrl+F3"));
        QCOMPARE(HelpWindow::showHelp(), window);
        QCOMPARE(window->browser()->source().fragment(), QString());
        for (const QKeyCombination key :
             {QKeyCombination(Qt::Key_Escape), QKeyCombination(Qt::ControlModifier, Qt::Key_W)}) {
            QPointer<HelpWindow> shown = HelpWindow::showHelp();
            QApplication::setActiveWindow(shown);
            QVERIFY(QTest::qWaitForWindowActive(shown));
            shown->browser()->setFocus();
            QTest::keyClick(shown->browser(), key.key(), key.keyboardModifiers());
            QTRY_VERIFY(!shown); // closed and deleted
        }
    }

    void theSplashGoesAway()
    {
        frmSplash *splash = frmSplash::showSplash();
        QVERIFY(frmSplash::isOpen());
        QVERIFY(splash->windowFlags() & Qt::WindowStaysOnTopHint);

        QTest::keyClick(splash, Qt::Key_Space);
        QVERIFY(!frmSplash::isOpen());

        frmSplash::showSplash();
        QTest::mouseClick(frmSplash::showSplash()->findChild<QLabel *>("imgBook"), Qt::LeftButton);
        QVERIFY(!frmSplash::isOpen());

        // A message shown over the splash outlives it.
        QPointer<QMessageBox> box = new QMessageBox(frmSplash::showSplash());
        box->show();
        QTRY_VERIFY_WITH_TIMEOUT(!frmSplash::isOpen(), frmSplash::Interval + 2000);
        QTest::qWait(20);
        QVERIFY(box && box->isVisible());
        delete box;
        frmSplash::closeSplash();
    }
};

QTEST_MAIN(tst_desktop)
#include "tst_desktop.moc"
