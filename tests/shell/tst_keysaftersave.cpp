// SPDX-License-Identifier: GPL-3.0-or-later
// The keyboard after a save, on a desktop with a window manager: the real program, driven by
// real key events, renames pages or edits one in the editor, saves with Ctrl+S and goes on
// with keys alone, several times over, then leaves through the File menu. A window that
// keeps the focus after a save (the progress window, shown for a moment) would swallow every
// key after it. The test runs itself again under xvfb-run as the driver.
#include "BinderFixture.h"
#include "XDesktop.h"
#include "transfer/BinderOpener.h"

#include <QApplication>
#include <QTest>

using namespace quillery;
using namespace quillery::test;

namespace {

const char DriverVariable[] = "QUILLERY_KEYS_DRIVER";
const QString EditorTitle = QStringLiteral("Editor for '");

// The pages of the binder as its file holds them now: name and data.
QStringList pagesOf(BinderFixture &f, const QString &path)
{
    QStringList pages;
    const std::unique_ptr<Binder> binder = openFile(*f.workspace, path, OpenPurpose::Inspect);
    for (int i = 0; binder && i < binder->pageCount(); ++i)
        pages << binder->pages().at(i).name + u'=' +
                     QString::fromUtf8(pageData(binder->pages().at(i).key));
    return pages;
}

} // namespace

class tst_keysaftersave : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void keysWorkAfterEverySave()
    {
        const QString missing = XDesktop::missingTools();
        if (!missing.isEmpty())
            QSKIP(qPrintable(missing));
        const QString failure = XDesktop::runUnderXvfb(DriverVariable);
        QVERIFY2(failure.isEmpty(), qPrintable(failure));
    }
};

// Runs on the X server.
class tst_keysaftersavedriver : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void renameSaveAndMoveOn()
    {
        BinderFixture f;
        const QString path = f.makeBinder(
            "keys.qly",
            {{"a.txt", "one"}, {"b.txt", "two"}, {"c.txt", "three"}, {"d.txt", "four"}});
        XDesktop desktop;
        QVERIFY(desktop.startProgram(QUILLERY_APP, path));
        QStringList expected = {"a=one", "b=two", "c=three", "d=four"};
        for (int i = 0; i < 3; ++i) {
            const QString name = QString("renamed %1").arg(i + 1);
            desktop.keys({"F2"});
            desktop.type(name);
            desktop.keys({"Return", "ctrl+s"});
            expected[i] = name + expected[i].mid(1);
            QTRY_COMPARE_WITH_TIMEOUT(pagesOf(f, path), expected, 15000);
            desktop.keys({"Right"});
        }
        desktop.keys({"alt+f", "x"});
        QCOMPARE(desktop.waitForExit(), 0);
    }

    void editSaveAndMoveOn()
    {
        BinderFixture f;
        const QString path = f.makeBinder("keys.qly", {{"a.txt", "one"}, {"b.txt", "two"}});
        XDesktop desktop;
        QVERIFY(desktop.startProgram(QUILLERY_APP, path));
        QString text = "one";
        for (int i = 1; i <= 3; ++i) {
            desktop.keys({"Return"});
            QVERIFY(desktop.waitForWindow(EditorTitle));
            const QString typed = QString("edit %1 ").arg(i);
            desktop.type(typed);
            desktop.keys({"F2"});
            QVERIFY(desktop.waitForNoWindow(EditorTitle));
            desktop.keys({"ctrl+s"});
            text.prepend(typed);
            QTRY_COMPARE_WITH_TIMEOUT(pagesOf(f, path).value(0), "a=" + text, 15000);
        }
        desktop.keys({"alt+f", "x"});
        QCOMPARE(desktop.waitForExit(), 0);
    }
};

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (qEnvironmentVariableIsSet(DriverVariable)) {
        tst_keysaftersavedriver driver;
        return QTest::qExec(&driver, argc, argv);
    }
    tst_keysaftersave test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_keysaftersave.moc"
