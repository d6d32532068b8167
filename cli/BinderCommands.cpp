// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/BinderCommands.h"

#include "cli/CliSession.h"
#include "documents/Binder.h"
#include "documents/BinderCheck.h"
#include "documents/BinderFormat.h"
#include "documents/BinderSaver.h"
#include "documents/CompanionFiles.h"
#include "documents/LumpArchive.h"
#include "documents/NewBinder.h"
#include "pagetext/PageSearch.h"
#include "platform/ConsoleText.h"
#include "platform/FileError.h"
#include "platform/FileIo.h"
#include "platform/FileLock.h"
#include "transfer/FileNames.h"
#include "transfer/PageExport.h"
#include "transfer/PageImport.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QTextStream>

#include <functional>

namespace quillery::cli {

namespace {

QTextStream &out()
{
    static QTextStream stream(stdout);
    return stream;
}

bool importAll(CliSession &session, Binder &binder, const QStringList &files)
{
    for (const QString &file : files) {
        if (!importFile(session.workspace(), binder, QFileInfo(file).absoluteFilePath(),
                        PageKind::Unknown))
            return false;
    }
    return true;
}

// New files in the output folder, each under a name no file there has yet: the page's
// name, or its base with the first free number before the extension. The last number
// tried for each name is kept, so that many pages of one name cost no more than many
// pages of different names.
class OutputFolder
{
public:
    explicit OutputFolder(const QString &path) : m_path(path) {}

    // Creates the file, never through a link or over anything there; returns its path.
    UniqueFd create(const QString &pageName, QString &path)
    {
        const QString name = pageName.isEmpty() ? QStringLiteral("page") : pageName;
        const qsizetype dot = name.lastIndexOf(u'.');
        QString ext = dot <= 0 ? QString() : name.mid(dot);
        if (ext.toUtf8().size() > MaxExtensionBytes)
            ext.clear();
        // Room is kept for the number, so that every candidate fits the file system.
        const QString base =
            fileio::fitName(name.left(name.size() - ext.size()),
                            fileio::MaxNameBytes - NumberRoom - ext.toUtf8().size());
        int &number = m_lastNumber[name];
        for (;;) {
            path = m_path + u'/' + base + (number == 0 ? QString() : QString::number(number)) + ext;
            ++number;
            try {
                return fileio::createNew(path);
            } catch (const FileError &error) {
                if (error.number() != FileError::FileExists)
                    throw;
            }
        }
    }

private:
    static constexpr qsizetype MaxExtensionBytes = 32;
    static constexpr qsizetype NumberRoom = 10;
    QString m_path;
    QHash<QString, int> m_lastNumber;
};

// A binder another program holds is not changed.
int notAdded(const QString &path)
{
    const QString user = readLockNote(QFileInfo(path).absoluteFilePath());
    return fail(path, (user.isEmpty() ? QStringLiteral("is in use")
                                      : QStringLiteral("is in use by ") + user) +
                          QStringLiteral("; nothing was added"));
}

} // namespace

std::optional<QString> takeOption(QStringList &args, const QString &option,
                                  const QString &valueName)
{
    const qsizetype at = args.indexOf(option);
    if (at < 0)
        return std::nullopt;
    if (at + 1 >= args.size())
        throw UsageFault{option + QStringLiteral(" takes ") + valueName};
    const QString value = args.at(at + 1);
    args.remove(at, 2);
    return value;
}

int fail(const QString &path, const QString &what)
{
    QTextStream(stderr) << consoleText(path + QStringLiteral(": ") + what) << '\n';
    return ExitFailed;
}

int takeNewName(const QString &target)
{
    // Taken before anything is written, so that nothing there (a file, a link, even a
    // dangling one) is ever written through or replaced.
    try {
        fileio::createNew(target);
    } catch (const FileError &error) {
        if (error.number() == FileError::FileExists)
            return fail(target, QStringLiteral("already exists; the tool never replaces a file"));
        return fail(target, error.description());
    }
    return ExitOk;
}

int inspect(CliSession &session, const QStringList &args, int argCount,
            const std::function<int(Binder &)> &work)
{
    if (args.size() != argCount)
        return ExitUsage;
    int code = ExitOk;
    auto binder = session.open(args.first(), OpenPurpose::Inspect, code);
    return binder ? work(*binder) : code;
}

int createBinder(CliSession &session, const QStringList &args)
{
    QStringList rest = args;
    const std::optional<QString> title =
        takeOption(rest, QStringLiteral("--title"), QStringLiteral("a title"));
    const std::optional<QString> author =
        takeOption(rest, QStringLiteral("--author"), QStringLiteral("a name"));
    if (rest.isEmpty())
        return ExitUsage;
    const QString target = QFileInfo(rest.first()).absoluteFilePath();
    if (const int code = takeNewName(target))
        return code;
    Workspace &workspace = session.workspace();
    if (author)
        workspace.authorName = *author;
    Binder binder;
    makeNewBinder(workspace, binder, false);
    // A script makes many binders: each is known by its own title, not "New File 1".
    binder.setRecord(RecordKey::Title, title.value_or(QFileInfo(target).completeBaseName()));
    const bool saved =
        importAll(session, binder, rest.mid(1)) && saveBinderFile(workspace, binder, target);
    binder.fileLock().release();
    removeCompanions(target);
    if (!saved)
        fileio::removeIfExists(target);
    return saved ? ExitOk : ExitFailed;
}

int addPages(CliSession &session, const QStringList &args)
{
    if (args.size() < 2)
        return ExitUsage;
    // Told here in a line for scripts; opening would tell it as the window does.
    if (FileLock::isHeldElsewhere(args.first()))
        return notAdded(args.first());
    int code = ExitOk;
    auto binder = session.open(args.first(), OpenPurpose::Edit, code);
    if (!binder)
        return code;
    if (binder->isReadOnly())
        return notAdded(args.first());
    const QString path = binder->fileName();
    const bool saved = importAll(session, *binder, args.mid(1)) &&
                       saveBinderFile(session.workspace(), *binder, path);
    binder.reset();
    removeCompanions(path);
    return saved ? ExitOk : ExitFailed;
}

int listPages(CliSession &session, const QStringList &args)
{
    return inspect(session, args, 1, [](Binder &binder) {
        for (int i = 0; i < binder.pageCount(); ++i) {
            const PageRow &page = binder.pages().at(i);
            out() << i + 1 << '\t' << consoleText(page.key.kind.name()) << '\t' << page.size << '\t'
                  << consoleText(page.name) << '\n';
        }
        return int(ExitOk);
    });
}

int searchBinder(CliSession &session, const QStringList &args)
{
    QStringList rest = args;
    SearchOptions options;
    options.matchCase = rest.removeAll(QStringLiteral("--match-case")) > 0;
    options.shownText = rest.removeAll(QStringLiteral("--shown")) > 0;
    if (rest.size() != 2)
        return ExitUsage;
    return inspect(session, rest, 2, [&session, &rest, options](Binder &binder) {
        const SearchResult found = searchPages(session.workspace().ui, binder, rest.at(1), options);
        for (int position : found.positions) {
            const PageRow &page = binder.pages().at(position - 1);
            out() << position << '\t' << consoleText(page.key.kind.name()) << '\t'
                  << consoleText(page.name) << '\n';
        }
        return int(found.positions.isEmpty() ? ExitFailed : ExitOk);
    });
}

int extractPages(CliSession &session, const QStringList &args)
{
    return inspect(session, args, 2, [&args](Binder &binder) {
        const QDir folder(args.at(1));
        if (!folder.exists() && !QDir().mkpath(folder.path()))
            return fail(folder.path(), QStringLiteral("cannot be made"));
        OutputFolder output(folder.path());
        int code = ExitOk;
        // A page that cannot be written is reported and the others still come out.
        for (int i = 0; i < binder.pageCount(); ++i) {
            const PageRow &page = binder.pages().at(i);
            const QString name = pageFileName(page.name, page.key.kind);
            QString target = folder.filePath(name);
            try {
                UniqueFd fd = output.create(name, target);
                try {
                    writePageData(page.key, fd.get(), target);
                } catch (const FileError &) {
                    fileio::removeIfExists(target);
                    throw;
                }
            } catch (const FileError &error) {
                code = fail(target, error.description());
                continue;
            }
            out() << consoleText(target) << '\n';
        }
        return code;
    });
}

int showInfo(CliSession &session, const QStringList &args)
{
    if (args.size() != 1)
        return ExitUsage;
    QByteArray text;
    {
        // Opening checks the file and the password. Lump 1 holds the records, as opening
        // reads them, whatever other lumps are named; the pages are not needed after.
        int code = ExitOk;
        const auto binder = session.open(args.first(), OpenPurpose::Inspect, code);
        if (!binder)
            return code;
        LumpArchive archive(BinderHeader);
        archive.open(binder->workingCopy());
        const Lump &records = archive.lump(1);
        text = LumpArchive::readBytes(binder->workingCopy(), records.offset, records.length);
    }
    InfoRecords info;
    info.loadText(text);
    text.clear();
    info.remove(RecordKey::Password);
    // Each record is printed as stored (its value's escapes kept), made one safe line.
    info.forEach([](QByteArrayView key, QByteArrayView value) {
        out() << consoleText(QString::fromUtf8(key) + u'=' + QString::fromUtf8(value)) << '\n';
    });
    return ExitOk;
}

int checkFile(const QStringList &args)
{
    if (args.size() != 1)
        return ExitUsage;
    const QStringList faults = checkBinder(args.first());
    for (const QString &fault : faults)
        out() << consoleText(args.first() + QStringLiteral(": ") + fault) << '\n';
    return faults.isEmpty() ? ExitOk : ExitFailed;
}

} // namespace quillery::cli
