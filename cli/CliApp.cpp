#include "cli/CliApp.h"

#include <QCoreApplication>
#include <QTextStream>

namespace quillery::cli {

int run(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream(stderr) << "quillery-cli: no command given\n";
    return 2;
}

} // namespace quillery::cli
