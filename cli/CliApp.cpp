#include "cli/CliApp.h"

#include "cli/BinderCommands.h"
#include "cli/CliSession.h"
#include "cli/JpegCommand.h"
#include "documents/FileError.h"

#include <QCoreApplication>
#include <QFile>
#include <QTextStream>

#include <functional>
#include <map>
#include <optional>

namespace quillery::cli {

namespace {

const char *const Usage =
    R"(Usage: quillery-cli [--password-file FILE | --password TEXT] COMMAND ARGUMENTS

Commands:
  create OUT.qly [FILE...]   make a new binder with these files as pages
  add BINDER.qly FILE...     add the files as new last pages and save
  list BINDER.qly            one line per page: position, kind, size, name (tab-separated)
  extract BINDER.qly DIR     write every page's bytes into DIR
  info BINDER.qly            print the binder's records (without its password)
  check BINDER.qly           report every fault of the file; silent when it is sound
  jpeg IN OUT.jpg [--quality N] [--sampling H:V | --greyscale] [--comment TEXT]
                             encode any picture as a baseline JPEG file (never replaces OUT)

Page kinds come from the files' extensions.

A protected binder opens with its password:
  --password-file FILE       read it from the first line of FILE ("-": standard input)
  --password TEXT            give it on the command line, where other users of this
                             machine can see it (process lists); only for scripts that
                             accept that risk

Exit codes:
  0   success (check: the file is sound)
  1   an error, reported on standard error with the file named (check: faults found)
  2   the binder is protected and no password, or a wrong one, was given
  64  the command line is wrong
)";

// The first line of the file, without its line break; reports and gives nothing when the
// file cannot be read.
std::optional<QString> readPasswordFile(const QString &path)
{
    constexpr qint64 MaxLength = 64 * 1024;
    QFile file;
    const bool opened = path == u"-" ? file.open(stdin, QIODevice::ReadOnly)
                                     : (file.setFileName(path), file.open(QIODevice::ReadOnly));
    if (!opened) {
        QTextStream(stderr) << path << ": " << file.errorString() << '\n';
        return std::nullopt;
    }
    QByteArray line = file.readLine(MaxLength);
    while (line.endsWith('\n') || line.endsWith('\r'))
        line.chop(1);
    return QString::fromUtf8(line);
}

int usage(int code)
{
    QTextStream(code == ExitOk ? stdout : stderr) << Usage;
    return code;
}

} // namespace

int run(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QStringList args = QCoreApplication::arguments().mid(1);
    std::optional<QString> password;
    while (!args.isEmpty() && args.first().startsWith(QStringLiteral("--"))) {
        const QString option = args.takeFirst();
        if (option == u"--help")
            return usage(ExitOk);
        if ((option != u"--password" && option != u"--password-file") || args.isEmpty())
            return usage(ExitUsage);
        if (option == u"--password") {
            password = args.takeFirst();
            continue;
        }
        const QString file = args.takeFirst();
        password = readPasswordFile(file);
        if (!password)
            return ExitFailed;
    }
    if (args.isEmpty())
        return usage(ExitUsage);
    const QString command = args.takeFirst();
    if (command == u"jpeg")
        return runJpeg(args);
    if (command == u"check") {
        const int code = checkFile(args);
        return code == ExitUsage ? usage(ExitUsage) : code;
    }

    using Command = std::function<int(CliSession &, const QStringList &)>;
    const std::map<QString, Command> commands = {
        {QStringLiteral("create"), createBinder}, {QStringLiteral("add"), addPages},
        {QStringLiteral("list"), listPages},      {QStringLiteral("extract"), extractPages},
        {QStringLiteral("info"), showInfo},
    };
    const auto found = commands.find(command);
    if (found == commands.end())
        return usage(ExitUsage);
    try {
        CliSession session(password);
        const int code = found->second(session, args);
        return code == ExitUsage ? usage(ExitUsage) : code;
    } catch (const FileError &error) {
        QTextStream(stderr) << "quillery-cli: " << error.description() << '\n';
        return ExitFailed;
    }
}

} // namespace quillery::cli
