// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/CommandLine.h"

#include "shell/AppInfo.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTextStream>

#include <sysexits.h>

namespace quillery {

namespace {

// The parser also knows "--help-all"; as this program takes none of Qt's own options, it
// prints the same help.
struct Parser
{
    QCommandLineParser parser;
    QCommandLineOption help = parser.addHelpOption();
    QCommandLineOption version = parser.addVersionOption();

    Parser()
    {
        parser.setApplicationDescription(
            QStringLiteral("Keeps documents, pictures and sounds together as the pages of one "
                           "binder file (.qly)."));
        parser.addPositionalArgument(
            QStringLiteral("file"),
            QStringLiteral("A binder to open; any other file becomes the only page of a new "
                           "binder. Without it a new, empty binder opens."),
            QStringLiteral("[file]"));
    }
};

} // namespace

CommandLineRequest readCommandLine(const QStringList &arguments)
{
    Parser options;
    CommandLineRequest request;
    if (!options.parser.parse(arguments)) {
        request.action = CommandLineRequest::Action::Wrong;
        request.error = options.parser.errorText();
    } else if (options.parser.isSet(options.help) ||
               options.parser.isSet(QStringLiteral("help-all"))) {
        request.action = CommandLineRequest::Action::Help;
    } else if (options.parser.isSet(options.version)) {
        request.action = CommandLineRequest::Action::Version;
    } else {
        request.words = options.parser.positionalArguments();
    }
    return request;
}

int answerCommandLine(const CommandLineRequest &request)
{
    const Parser options;
    switch (request.action) {
    case CommandLineRequest::Action::Help:
        QTextStream(stdout) << options.parser.helpText();
        return EXIT_SUCCESS;
    case CommandLineRequest::Action::Version:
        QTextStream(stdout) << AppInfo::productName() << ' ' << AppInfo::version() << '\n';
        return EXIT_SUCCESS;
    case CommandLineRequest::Action::Wrong:
        QTextStream(stderr) << QCoreApplication::arguments().constFirst() << ": " << request.error
                            << '\n'
                            << options.parser.helpText();
        return EX_USAGE;
    case CommandLineRequest::Action::Start:
        break;
    }
    return EXIT_SUCCESS;
}

} // namespace quillery
