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
        return GetRegString(ClassesRoot, type + "\\shell\\Open\\command", QString(), m_dirs);
    }

private Q_SLOTS:
    // A desktop installation of our own: user and system folders, lists and entries.
    void initTestCase()
    {
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
                  "application/pdf=browser.desktop;\n"
                  "[Removed Associations]\n"
                  "audio/x-wav=player.desktop;\n");
        writeFile(at("home/config/gnome-mimeapps.list"),
                  "[Default Applications]\ntext/plain=gnome-editor.desktop\n");
        writeFile(at("etc/mimeapps.list"),
                  "[Default Applications]\ntext/plain=system-editor.desktop\n"
                  "text/csv=system-editor.desktop\n");

        writeFile(at("usr/applications/writer.desktop"),
                  application("writer --new-window %U", "Name[de]=Schreiber\n"));
        writeFile(at("home/data/applications/writer.desktop"), application("my-writer %f"));
        writeFile(at("usr/applications/hidden.desktop"), application("hidden %f", "Hidden=true\n"));
        writeFile(at("usr/applications/cannot-run.desktop"),
                  application("viewer %f", "TryExec=/nonexistent/viewer\n"));
        writeFile(at("usr/applications/gnome-editor.desktop"), application("gedit %U"));
        writeFile(at("usr/applications/system-editor.desktop"), application("vi %f"));
        writeFile(at("usr/applications/browser.desktop"),
                  "[Desktop Entry]\nType=Application\nName=Web \"Browser\"\nIcon=web\n"
                  "Exec=browser %i --title=%c %u %d %k\n");
        writeFile(at("usr/applications/player.desktop"),
                  application("player %f", "MimeType=audio/x-wav;audio/mpeg;\n"));
        writeFile(at("opt/applications/kde/office.desktop"),
                  application("office\\ssuite \"%f\" \\\\server",
                              "MimeType=application/vnd.oasis.opendocument.text;\n"));
        writeFile(at("opt/applications/long.desktop"),
                  application("long " + QByteArray(260, 'x') + " %f",
                              "MimeType=application/x-long-command;\n"));
    }

    void extensionsGiveTheirMimeType()
    {
        QCOMPARE(GetRegString(ClassesRoot, ".txt", QString(), m_dirs), QString("text/plain"));
        QCOMPARE(GetRegString(ClassesRoot, ".png", QString(), m_dirs), QString("image/png"));
        for (const char *key : {".nosuchextension", ".", ".a/b", ""})
            QCOMPARE(GetRegString(ClassesRoot, QString::fromLatin1(key), QString(), m_dirs),
                     RegNotFound);
        // Only the default value of the classes root is known.
        QCOMPARE(GetRegString(0x80000001, ".txt", QString(), m_dirs), RegNotFound);
        QCOMPARE(GetRegString(ClassesRoot, ".txt", "Content Type", m_dirs), RegNotFound);
        QCOMPARE(GetRegString(ClassesRoot, "text/plain\\shell\\Edit\\command", QString(), m_dirs),
                 RegNotFound);
        QCOMPARE(GetRegString(ClassesRoot, "\\shell\\open\\command", QString(), m_dirs),
                 RegNotFound);
    }

    void theFirstInstalledRunnableDefaultOpens()
    {
        // missing.desktop is not installed and hidden.desktop is hidden; the user's copy of
        // writer.desktop hides the system's.
        QCOMPARE(command("text/plain"), QString("my-writer %f"));
        QCOMPARE(GetRegString(ClassesRoot, "text/plain\\SHELL\\open\\Command", QString(), m_dirs),
                 QString("my-writer %f"));
        // A default whose program is not there gives way to the next list.
        QCOMPARE(command("image/png"), RegNotFound);
        QCOMPARE(command("text/csv"), QString("vi %f"));

        // The desktop's own list comes first.
        XdgDirs gnome = m_dirs;
        gnome.desktops = {"gnome"};
        QCOMPARE(GetRegString(ClassesRoot, "text/plain\\shell\\open\\command", QString(), gnome),
                 QString("gedit %U"));
        // Kinds of a type use its application.
        QCOMPARE(command("text/x-csrc"), QString("my-writer %f"));
        // As GLib does: a default for the parent type comes before mere associations.
        QCOMPARE(command("text/html"), QString("my-writer %f"));
    }

    void associationsStandInForADefault()
    {
        QCOMPARE(command("application/pdf"),
                 "browser --icon \"web\" --title=\"Web \\\"Browser\\\"\" %u \"" +
                     at("usr/applications/browser.desktop") + "\"");
        // An alias finds the application of its canonical type.
        QCOMPARE(command("application/x-pdf"), command("application/pdf"));
        // Entries in sub-folders count under their desktop file id.
        QCOMPARE(command("application/vnd.oasis.opendocument.text"),
                 QString("office suite \"%f\" \\server"));
        QCOMPARE(command("audio/mpeg"), QString("player %f"));
        QCOMPARE(command("audio/x-wav"), RegNotFound);
        QCOMPARE(command("application/x-nobody-opens-this"), RegNotFound);
        // Commands past 255 characters never fitted; the desktop's opener takes over.
        QCOMPARE(command("application/x-long-command"), RegNotFound);
    }
};

QTEST_MAIN(tst_regstring)
#include "tst_regstring.moc"
