// SPDX-License-Identifier: GPL-3.0-or-later
#include "ScriptedDialogs.h"
#include "TestSupport.h"
#include "shell/AppInfo.h"
#include "shell/Feedback.h"
#include "shell/HelpWindow.h"
#include "shell/ShellResources.h"
#include "shell/SplashWindow.h"

#include <QDir>
#include <QMessageBox>
#include <QMimeDatabase>
#include <QPointer>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>

using namespace quillery;

namespace {

const QString desktopFolder = QDir::cleanPath(QStringLiteral(QUILLERY_TEST_DATA "/../../desktop"));

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
        const test::ProgramRun validated =
            test::runProgram(validator, {desktopFolder + "/quillery.desktop"});
        QVERIFY2(validated.code == 0, qPrintable(validated.out + validated.err));
    }

    // When no browser starts, the user is told so, with the address to open by hand.
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

    void theHelpWindowOpensOnATopic()
    {
        HelpWindow *window = HelpWindow::showHelp("keys");
        QCOMPARE(window->browser()->source().fragment(), QString("keys"));
        QVERIFY(window->browser()->toPlainText().contains("Ctrl+F3"));
        QCOMPARE(HelpWindow::showHelp(), window);
        QCOMPARE(window->browser()->source().fragment(), QString());
        delete window;
    }

    void theSplashStaysInFront()
    {
        const SplashWindow *splash = SplashWindow::showSplash();
        QVERIFY(splash->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(splash->isVisible());
        SplashWindow::closeSplash();
    }

    void aMessageOverTheSplashOutlivesIt()
    {
        QPointer<QMessageBox> box = new QMessageBox(SplashWindow::showSplash());
        box->show();
        QTRY_VERIFY_WITH_TIMEOUT(!SplashWindow::isOpen(), SplashWindow::Interval + 2000);
        QTest::qWait(20);
        QVERIFY(box && box->isVisible());
        delete box;
        SplashWindow::closeSplash();
    }
};

QTEST_MAIN(tst_desktop)
#include "tst_desktop.moc"
