#include "options/RunDoc.h"

#include <QDesktopServices>
#include <QProcess>
#include <QUrl>

namespace quillery::RunDoc {

bool run(const QString &document)
{
    return QDesktopServices::openUrl(QUrl::fromLocalFile(document));
}

bool run(const QString &program, const QStringList &arguments, const QString &workingFolder)
{
    QProcess process;
    process.setProgram(program);
    process.setArguments(arguments);
    process.setWorkingDirectory(workingFolder);
    process.setStandardInputFile(QProcess::nullDevice());
    return process.startDetached();
}

} // namespace quillery::RunDoc
