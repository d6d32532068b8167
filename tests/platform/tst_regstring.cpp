// SPDX-License-Identifier: GPL-3.0-or-later
#include "TestSupport.h"
#include "platform/RegString.h"
#include "platform/XdgDirs.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace quillery;
using test::writeFile;

namespace {

QByteArray application(const QByteArray &exec, const QByteArray &more = {})
{
    return "[Desktop Entry]\nType=Application\nName=App\nExec=" + exec + "\n" + more;
}

} // namespace

class tst_regstring : public QObject
{
    Q_OBJECT

    QTemporaryDir m_root;
    XdgDirs m_dirs;

    QString at(const QString &path) const { return m_root.filePath(path); }
    QString command(const QString &type) const
    {
        return readFileTypeKey(ClassesRoot, type + "\\shell\\Open\\command", QString(), m_dirs);
    }

private Q_SLOTS:
    void theFirstInstalledRunnableProgramOpens()
    {
        // A desktop installation of our own: user and system folders, lists and entries.
        m_dirs.configHome = at("home/config");
        m_dirs.configDirs = {at("etc")};
        m_dirs.dataHome = at("home/data");
        m_dirs.dataDirs = {at("usr"), at("opt")};

        writeFile(at("home/config/mimeapps.list"),
                  "# the user's own choices\n"
                  "[Default Applications]\n"
                  "text/plain=missing.desktop;hidden.desktop;writer.desktop;\n"
                  "image/png=cannot-run.desktop\n"
                  "[Added Associations]\n"
                  "application/pdf=browser.desktop;\n");
        writeFile(at("etc/mimeapps.list"),
                  "[Default Applications]\ntext/plain=system-editor.desktop\n"
                  "text/csv=system-editor.desktop\n");

        writeFile(at("usr/applications/writer.desktop"), application("writer --new-window %U"));
        writeFile(at("home/data/applications/writer.desktop"), application("my-writer %f"));
        writeFile(at("usr/applications/hidden.desktop"), application("hidden %f", "Hidden=true\n"));
        writeFile(at("usr/applications/cannot-run.desktop"),
                  application("viewer %f", "TryExec=/nonexistent/viewer\n"));
        writeFile(at("usr/applications/system-editor.desktop"), application("vi %f"));
        writeFile(at("usr/applications/browser.desktop"),
                  "[Desktop Entry]\nType=Application\nName=Web \"Browser\"\nIcon=web\n"
                  "Exec=browser %i --title=%c %u %d %k\n");
        writeFile(at("opt/applications/kde/office.desktop"),
                  application("office\\ssuite \"%f\" \\\\server",
                              "MimeType=application/vnd.oasis.opendocument.text;\n"));

        // missing.desktop is not installed and hidden.desktop is hidden; the user's copy of
        // writer.desktop hides the system's.
        QCOMPARE(command("text/plain"), QString("my-writer %f"));
        // A default whose program is not there gives way to the next list.
        QCOMPARE(command("image/png"), RegNotFound);
        QCOMPARE(command("text/csv"), QString("vi %f"));
        // As GLib does: a default for the parent type comes before mere associations.
        QCOMPARE(command("text/html"), QString("my-writer %f"));

        // Associations stand in for a default.
        QCOMPARE(command("application/pdf"),
                 "browser --icon \"web\" --title=\"Web \\\"Browser\\\"\" %u \"" +
                     at("usr/applications/browser.desktop") + "\"");
        // Entries in sub-folders count under their desktop file id.
        QCOMPARE(command("application/vnd.oasis.opendocument.text"),
                 QString("office suite \"%f\" \\server"));
    }
};

QTEST_MAIN(tst_regstring)
#include "tst_regstring.moc"
