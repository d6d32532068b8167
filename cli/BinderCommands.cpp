// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/BinderCommands.h"

#include "cli/CliSession.h"
#include "documents/Binder.h"
#include "documents/BinderCheck.h"
#include "documents/BinderSaver.h"
#include "documents/CompanionFiles.h"
#include "documents/LumpArchive.h"
#include "documents/NewBinder.h"
#include "pagetext/PageSearch.h"
#include "platform/FileError.h"
#include "platform/FileIo.h"
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
        if (!ImportFile(session.workspace(), binder, QFileInfo(file).absoluteFilePath(),
                        PageKind::Unknown))
            return false;
    }
    return true;
}

// The file a page is extracted to is named as Edit Page names its file, so other programs
// know it by its extension; a page without a usable name is called "page".
QString extractName(const PageRow &page)
{
    const QString name =
        FileFormat(page.name, false).isEmpty() ? QStringLiteral("page") : page.name;
    return FileFormat(exportFileName(name, kindFromString(page.key.kind)), false);
}

// Text from a binder as one safe output line: a name holding a line break or terminal
// control codes cannot forge or hide lines of the tool's output.
QString printable(const QString &text)
{
    QString result;
    result.reserve(text.size());
    for (const QChar c : text) {
        const char16_t code = c.unicode();
        if (code == u'\\')
            result += QStringLiteral("\\\\");
        else if (code < 0x20 || (code >= 0x7f && code < 0xa0) || code == 0x2028 || code == 0x2029)
            result += QStringLiteral("\\x%1").arg(int(code), 2, 16, QLatin1Char('0'));
        else
            result += c;
    }
    return result;
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

} // namespace

int fail(const QString &path, const QString &what)
{
    QTextStream(stderr) << path << ": " << what << '\n';
    return ExitFailed;
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
    if (args.isEmpty())
        return ExitUsage;
    const QString target = QFileInfo(args.first()).absoluteFilePath();
    // The name is taken first, so that nothing there (a file, a link, even a dangling one)
    // is ever written through or replaced.
    try {
        fileio::createNew(target);
    } catch (const FileError &error) {
        if (error.number() == FileError::FileExists)
            return fail(target, QStringLiteral("already exists; the tool never replaces a file"));
        return fail(target, error.description());
    }
    Binder binder;
    NewFile(session.workspace(), binder, false);
    const bool saved =
        importAll(session, binder, args.mid(1)) && SavFile(session.workspace(), binder, target);
    binder.OpenNum.release();
    removeCompanions(target);
    if (!saved)
        fileio::removeIfExists(target);
    return saved ? ExitOk : ExitFailed;
}

int addPages(CliSession &session, const QStringList &args)
{
    if (args.size() < 2)
        return ExitUsage;
    int code = ExitOk;
    auto binder = session.open(args.first(), OpenPurpose::Edit, code);
    if (!binder)
        return code;
    if (binder->ro())
        return fail(args.first(), QStringLiteral("is in use; nothing was added"));
    const QString path = binder->CurFile();
    const bool saved =
        importAll(session, *binder, args.mid(1)) && SavFile(session.workspace(), *binder, path);
    binder.reset();
    removeCompanions(path);
    return saved ? ExitOk : ExitFailed;
}

int listPages(CliSession &session, const QStringList &args)
{
    return inspect(session, args, 1, [](Binder &binder) {
        for (int i = 0; i < binder.pageCount(); ++i) {
            const PageRow &page = binder.pages.at(i);
            out() << i + 1 << '\t' << page.key.kind << '\t' << page.size << '\t'
                  << printable(page.name) << '\n';
        }
        return int(ExitOk);
    });
}

int searchBinder(CliSession &session, const QStringList &args)
{
    QStringList rest = args;
    const bool matchCase = rest.removeAll(QStringLiteral("--match-case")) > 0;
    if (rest.size() != 2)
        return ExitUsage;
    return inspect(session, rest, 2, [&session, &rest, matchCase](Binder &binder) {
        const SearchResult found =
            searchPages(session.workspace().ui, binder, rest.at(1), matchCase);
        for (int position : found.positions) {
            const PageRow &page = binder.pages.at(position - 1);
            out() << position << '\t' << page.key.kind << '\t' << printable(page.name) << '\n';
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
            const PageRow &page = binder.pages.at(i);
            const QString name = extractName(page);
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
                code = fail(printable(target), error.description());
                continue;
            }
            out() << printable(target) << '\n';
        }
        return code;
    });
}

int showInfo(CliSession &session, const QStringList &args)
{
    return inspect(session, args, 1, [](Binder &binder) {
        // Lump 1 holds the records, as opening reads them, whatever other lumps are named.
        LumpArchive archive("QLY4");
        archive.OpenArchive(binder.CurFile());
        const Lump &records = archive.lump(1);
        InfoRecords info;
        info.loadText(LumpArchive::ReadBytes(binder.CurFile(), records.offset, records.length));
        info.remove(QStringLiteral("Data"));
        const QStringList lines = QString::fromUtf8(info.toText()).split(u'\n', Qt::SkipEmptyParts);
        for (const QString &line : lines)
            out() << printable(line) << '\n';
        return int(ExitOk);
    });
}

int checkFile(const QStringList &args)
{
    if (args.size() != 1)
        return ExitUsage;
    const QStringList faults = checkBinder(args.first());
    for (const QString &fault : faults)
        out() << args.first() << ": " << fault << '\n';
    return faults.isEmpty() ? ExitOk : ExitFailed;
}

} // namespace quillery::cli
