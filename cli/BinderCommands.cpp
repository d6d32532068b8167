#include "cli/BinderCommands.h"

#include "cli/CliSession.h"
#include "documents/Binder.h"
#include "documents/BinderCheck.h"
#include "documents/BinderSaver.h"
#include "documents/CompanionFiles.h"
#include "documents/FileError.h"
#include "documents/LumpArchive.h"
#include "documents/NewBinder.h"
#include "transfer/FileNames.h"
#include "transfer/PageExport.h"
#include "transfer/PageImport.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>
#include <QTextStream>

#include <functional>

namespace quillery::cli {

namespace {

QTextStream &out()
{
    static QTextStream stream(stdout);
    return stream;
}

int fail(const QString &path, const QString &what)
{
    QTextStream(stderr) << path << ": " << what << '\n';
    return ExitFailed;
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

// A name in folder that no file has yet, and that no earlier page of this run took:
// base + n + extension, as names are made unique elsewhere.
QString freeName(const QDir &folder, const QString &name, QSet<QString> &taken)
{
    const qsizetype dot = name.lastIndexOf(u'.');
    const QString base = dot < 0 ? name : name.left(dot);
    const QString ext = dot < 0 ? QString() : name.mid(dot);
    QString candidate = name.isEmpty() ? QStringLiteral("page") : name;
    for (int n = 1; taken.contains(candidate) || folder.exists(candidate); ++n)
        candidate = base + QString::number(n) + ext;
    taken.insert(candidate);
    return candidate;
}

// Opens the binder named by the first of argCount arguments for reading only and runs
// work on it.
int inspect(CliSession &session, const QStringList &args, int argCount,
            const std::function<int(Binder &)> &work)
{
    if (args.size() != argCount)
        return ExitUsage;
    int code = ExitOk;
    auto binder = session.open(args.first(), OpenPurpose::Inspect, code);
    return binder ? work(*binder) : code;
}

} // namespace

int createBinder(CliSession &session, const QStringList &args)
{
    if (args.isEmpty())
        return ExitUsage;
    const QString target = QFileInfo(args.first()).absoluteFilePath();
    if (QFileInfo::exists(target))
        return fail(target, QStringLiteral("already exists; the tool never replaces a file"));
    Binder binder;
    NewFile(session.workspace(), binder, false);
    if (!importAll(session, binder, args.mid(1)))
        return ExitFailed;
    const bool saved = SavFile(session.workspace(), binder, target);
    binder.OpenNum.release();
    removeCompanions(target);
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
            out() << i + 1 << '\t' << page.key.kind << '\t' << page.size << '\t' << page.name
                  << '\n';
        }
        return int(ExitOk);
    });
}

int extractPages(CliSession &session, const QStringList &args)
{
    return inspect(session, args, 2, [&args](Binder &binder) {
        const QDir folder(args.at(1));
        if (!folder.exists() && !QDir().mkpath(folder.path()))
            return fail(folder.path(), QStringLiteral("cannot be made"));
        QSet<QString> taken;
        for (int i = 0; i < binder.pageCount(); ++i) {
            const PageRow &page = binder.pages.at(i);
            const QString target =
                folder.filePath(freeName(folder, FileFormat(page.name, false), taken));
            try {
                writePageFile(page.key, target);
            } catch (const FileError &error) {
                return fail(target, error.description());
            }
            out() << target << '\n';
        }
        return int(ExitOk);
    });
}

int showInfo(CliSession &session, const QStringList &args)
{
    return inspect(session, args, 1, [](Binder &binder) {
        InfoRecords records;
        records.loadText(LumpArchive("QLY4").ReadNamedLump(binder.CurFile(), "QUILLERY"));
        records.remove(QStringLiteral("Data"));
        out() << QString::fromUtf8(records.toText());
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
