// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CliApp.h"

#include "cli/BinderCommands.h"
#include "cli/CliSession.h"
#include "cli/EncryptionCommands.h"
#include "cli/JpegCommand.h"
#include "cli/PrintPages.h"
#include "cli/RecoverCommand.h"
#include "cli/SalvageCommand.h"
#include "documents/EncryptedBinder.h"
#include "platform/FileError.h"

#include <QCoreApplication>
#include <QFile>
#include <QGuiApplication>
#include <QTextStream>

#include <functional>
#include <map>
#include <memory>
#include <optional>

namespace quillery::cli {

namespace {

const char *const Usage =
    R"(Usage: quillery-cli [--password-file FILE | --password TEXT] COMMAND ARGUMENTS
       quillery-cli --help | --version

Commands:
  create OUT.qly [--title TEXT] [--author NAME] [FILE...]
                             make a new binder with these files as pages, titled with
                             TEXT (or OUT's name) and by NAME (or the program's author
                             name)
  add BINDER.qly FILE...     add the files as new last pages and save
  list BINDER.qly            one line per page: position, kind, size, name (tab-separated)
  extract BINDER.qly DIR     write every page's bytes into DIR
  info BINDER.qly            print the binder's records (without its password)
  check BINDER.qly           report every fault of the file; silent when it is sound
  salvage DAMAGED OUT.qly    write the pages a damaged binder still holds into a new
                             binder (never replaces OUT, never changes DAMAGED); names
                             each page it could not save; an encrypted binder gives what
                             its sound chunks hold, encrypted again with its passphrase
  search BINDER.qly TEXT [--match-case] [--shown]
                             one line per text page whose stored data (RTF markup, HTML
                             source) holds TEXT: position, kind, name (tab-separated);
                             with --shown, the text rich text and HTML pages show
  print BINDER.qly OUT.pdf [--pages LIST]
                             lay the text pages (all, or LIST such as 1,4-6) out as printing
                             does, each from a new sheet, into one PDF (never replaces OUT)
  jpeg IN OUT.jpg [--quality N] [--sampling H:V | --greyscale] [--comment TEXT] [--fast]
                             encode any picture as a baseline JPEG file (never replaces OUT)
                             (--fast: one pass with standard tables, a larger file)
  encrypt BINDER [OUT] [--kdf interactive|moderate|sensitive]
                             encrypt the binder with a passphrase, in place or into OUT
                             (never replaces OUT); --kdf sets how costly the key is to make
                             (moderate unless given: about a second and 256 MiB)
  decrypt BINDER [OUT]       turn an encrypted binder back into a plain one, in place or
                             into OUT (never replaces OUT)
  recover --list             one line per unsaved-work snapshot the program left: its
                             name, when kept, changed/all pages, whether the binder file
                             changed on disk since, title, binder path (tab-separated)
  recover SNAPSHOT OUT.qly   write a snapshot (its name or folder) out as a binder (never
                             replaces OUT)

Page kinds come from the files' extensions.
extract names rich text, plain text and HTML files so other programs know them: ".rtf"
or ".txt" is added unless the name ends so already (in any case), and an HTML page keeps
".htm", ".html" or ".php" and gets ".htm" otherwise. Pictures, sounds and other files
keep their names; a name already taken in DIR gets a number before its extension.
Control characters are left out of the files' names, and a name that would begin
with "." or "-" gets "_" before it. Printed names have control characters escaped.

A protected binder opens with its password:
  --password-file FILE       read it from the first line of FILE ("-": standard input)
  --password TEXT            give it on the command line, where other users of this
                             machine can see it (process lists); only for scripts that
                             accept that risk, and warned about on standard error
An encrypted binder (recognised by its first bytes, whatever its name) opens with its
passphrase: from --password-file (never empty), or typed at the terminal when asked;
never from --password. Its plain copy is kept only in memory, in a file that no folder
names and that goes with the tool however it ends.

Exit codes:
  0   success (check: the file is sound; search: a page matched; salvage: every page
      saved)
  1   an error, reported on standard error with the file named (check: faults found;
      search: no page matched; salvage: a page could not be saved)
  2   the binder is protected and no password, or a wrong one, was given (or encrypted
      and no passphrase, or a wrong one)
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

// What was wrong in one line, and where the help is, rather than the whole help.
int unknownWord(const char *what, const QString &word)
{
    QTextStream(stderr) << "quillery-cli: unknown " << what << " '" << word
                        << "'; 'quillery-cli --help' lists the commands and options\n";
    return ExitUsage;
}

// A command's line of the usage: its name and arguments, without what it does.
QString synopsis(const QString &command)
{
    const QString start = QStringLiteral("  ") + command + u' ';
    for (const QString &line : QString::fromLatin1(Usage).split(u'\n')) {
        if (line.startsWith(start))
            return line.trimmed().section(QStringLiteral("  "), 0, 0);
    }
    return command;
}

// A wrong command line of a command is named in one line, for the script that ran it.
int commandUsage(const QString &command)
{
    QTextStream(stderr) << "usage: quillery-cli " << synopsis(command) << '\n';
    return ExitUsage;
}

// The options before the command word; each takes the argument after it as its value.
bool isValueOption(QStringView arg)
{
    return arg == u"--password" || arg == u"--password-file";
}

// The command word: the first argument that is not an option or an option's value.
QString commandWord(int argc, char *argv[])
{
    for (int i = 1; i < argc; ++i) {
        const QString arg = QString::fromLocal8Bit(argv[i]);
        if (isValueOption(arg))
            ++i;
        else if (!arg.startsWith(u"--"))
            return arg;
    }
    return QString();
}

QtMessageHandler previousHandler = nullptr;

// Starting a GUI application without a desktop session (a script, cron, ssh) warns that
// there is no XDG_RUNTIME_DIR; printing to a file needs no runtime folder, so a script
// is not told.
void withoutRuntimeFolderWarning(QtMsgType type, const QMessageLogContext &context,
                                 const QString &message)
{
    if (!message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR not set")))
        previousHandler(type, context, message);
}

// Laying text out needs fonts, so printing runs a GUI application; it never shows a window.
// No translation is ever installed here: the core's messages, which go through
// QCoreApplication::translate, stay English in every locale, as the scripts that read the
// tool's output expect.
std::unique_ptr<QCoreApplication> makeApplication(int &argc, char *argv[])
{
    if (commandWord(argc, argv) != u"print")
        return std::make_unique<QCoreApplication>(argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    previousHandler = qInstallMessageHandler(withoutRuntimeFolderWarning);
    auto application = std::make_unique<QGuiApplication>(argc, argv);
    qInstallMessageHandler(previousHandler);
    return application;
}

} // namespace

int run(int argc, char *argv[])
{
    const auto app = makeApplication(argc, argv);
    QStringList args = QCoreApplication::arguments().mid(1);
    std::optional<QString> password;
    bool passwordOnCommandLine = false;
    while (!args.isEmpty() && args.first().startsWith(QStringLiteral("--"))) {
        const QString option = args.takeFirst();
        if (option == u"--help")
            return usage(ExitOk);
        if (option == u"--version") {
            QTextStream(stdout) << "quillery-cli " << QUILLERY_VERSION << '\n';
            return ExitOk;
        }
        if (!isValueOption(option))
            return unknownWord("option", option);
        if (args.isEmpty())
            return usage(ExitUsage);
        if (option == u"--password") {
            password = args.takeFirst();
            passwordOnCommandLine = true;
            QTextStream(stderr) << "quillery-cli: warning: --password shows the password to "
                                   "other users of this machine (in process lists); give it "
                                   "with --password-file FILE, or --password-file - to read "
                                   "standard input\n";
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
        return code == ExitUsage ? commandUsage(command) : code;
    }

    using Command = std::function<int(CliSession &, const QStringList &)>;
    const std::map<QString, Command> commands = {
        {QStringLiteral("create"), createBinder},    {QStringLiteral("add"), addPages},
        {QStringLiteral("list"), listPages},         {QStringLiteral("extract"), extractPages},
        {QStringLiteral("info"), showInfo},          {QStringLiteral("search"), searchBinder},
        {QStringLiteral("print"), printBinder},      {QStringLiteral("encrypt"), encryptCommand},
        {QStringLiteral("decrypt"), decryptCommand}, {QStringLiteral("recover"), recoverCommand},
        {QStringLiteral("salvage"), salvageFile},
    };
    const auto found = commands.find(command);
    if (found == commands.end())
        return unknownWord("command", command);
    // Plain pages of encrypted binders that a killed program could not remove.
    removeStaleEncryptionFolders();
    try {
        CliSession session(password, passwordOnCommandLine);
        const int code = found->second(session, args);
        return code == ExitUsage ? commandUsage(command) : code;
    } catch (const UsageFault &fault) {
        QTextStream(stderr) << "quillery-cli " << command << ": " << fault.what << '\n';
        return ExitUsage;
    } catch (const FileError &error) {
        QTextStream(stderr) << "quillery-cli: " << error.description() << '\n';
        return ExitFailed;
    }
}

} // namespace quillery::cli
