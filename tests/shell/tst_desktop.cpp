#include "TestSupport.h"
#include "shell/AppInfo.h"
#include "shell/HelpWindow.h"
#include "shell/Icons.h"
#include "shell/ShellResources.h"
#include "shell/frmSplash.h"

#include <QDir>
#include <QLabel>
#include <QMessageBox>
#include <QMimeDatabase>
#include <QPointer>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>

using namespace quillery;

namespace {

const QString desktopFolder = QDir::cleanPath(QStringLiteral(QUILLERY_TEST_DATA "/../../desktop"));

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
        QProcess check;
        check.start(validator, {desktopFolder + "/quillery.desktop"});
        QVERIFY(check.waitForFinished());
        QVERIFY2(check.exitCode() == 0, check.readAllStandardOutput().constData());
    }

    void everyDrawingRenders()
    {
        const QStringList drawings = QDir(":/icons").entryList({"*.svg"});
        QCOMPARE(drawings.size(), 23);
        for (const QString &name : drawings)
            QVERIFY2(QSvgRenderer(":/icons/" + name).isValid(), qPrintable(name));
    }

    void pageKindsHaveTheirOwnIconsInBothSizes()
    {
        QList<QImage> seen;
        for (int number = 1; number <= 6; ++number) {
            const QIcon icon = pageKindIcon(kindFromNumber(number));
            for (int size : {16, 32}) {
                const QImage picture = image(icon, size);
                QCOMPARE(picture.size(), QSize(size, size));
                QVERIFY(opaquePixels(picture) > size * size / 4);
            }
            QVERIFY2(!seen.contains(image(icon, 16)), qPrintable(QString::number(number)));
            seen << image(icon, 16);
        }
        QVERIFY(pageKindIcon(PageKind::Unknown).isNull());
        QVERIFY(!binderIcon().isNull());
    }

    void toolbarPicturesAreNumberedAsTheToolbarNamesThem()
    {
        QList<QImage> seen;
        for (int i = 0; i <= int(ToolIcon::Scanner); ++i) {
            const QImage picture = image(toolIcon(ToolIcon(i)), 16);
            QVERIFY(opaquePixels(picture) > 16);
            QVERIFY2(!seen.contains(picture), qPrintable(QString::number(i)));
            seen << picture;
        }
        const QList<QPair<int, ToolIcon>> pictures = {
            {1, ToolIcon::New},        {3, ToolIcon::Save},     {4, ToolIcon::Rename},
            {6, ToolIcon::Edit},       {7, ToolIcon::List},     {8, ToolIcon::LargeIcons},
            {9, ToolIcon::SmallIcons}, {16, ToolIcon::Details}, {17, ToolIcon::Scanner},
            {18, ToolIcon::Back},      {21, ToolIcon::Refresh}};
        for (const auto &[picture, icon] : pictures)
            QCOMPARE(image(smallPicture(picture), 16), image(toolIcon(icon), 16));
        QCOMPARE(image(smallPicture(10), 16), image(pageKindIcon(PageKind::RTF), 16));
        QCOMPARE(image(smallPicture(15), 16), image(pageKindIcon(PageKind::FILE), 16));
        for (int none : {0, 22})
            QVERIFY(smallPicture(none).isNull());
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

    void theHelpWindowOpensOnATopic()
    {
        QCOMPARE(HelpWindow::startPage(), QUrl("qrc:/help/index.html"));
        HelpWindow *window = HelpWindow::showHelp("keys");
        QVERIFY(window->isVisible());
        QCOMPARE(window->browser()->source().fragment(), QString("keys"));
        QCOMPARE(window->browser()->documentTitle(), QString("Quillery Help"));
        QVERIFY(window->browser()->toPlainText().contains("Ctrl+F3"));
        QCOMPARE(HelpWindow::showHelp(), window);
        QCOMPARE(window->browser()->source().fragment(), QString());
        window->close();
    }

    void theSplashNamesTheProgramAndGoesAway()
    {
        frmSplash *splash = frmSplash::showSplash();
        QVERIFY(frmSplash::isOpen());
        QVERIFY(splash->windowFlags() & Qt::WindowStaysOnTopHint);
        QCOMPARE(splash->findChild<QLabel *>("lblTitle")->text(), QString("Quillery"));
        QCOMPARE(splash->findChild<QLabel *>("lblVersion")->text(), AppInfo::version());
        QVERIFY(splash->findChild<QLabel *>("lblName")->text().endsWith("\nTamsin Orde"));
        QCOMPARE(AppInfo::version().count('.'), 2);
        QVERIFY(AppInfo::aboutText().startsWith("Quillery version " + AppInfo::version() +
                                                ".  Tamsin Orde\n\n"));

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
