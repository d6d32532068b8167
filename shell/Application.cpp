#include "shell/Application.h"

#include "documents/FileError.h"
#include "platform/QtDialogs.h"
#include "platform/TempFolder.h"
#include "shell/StartupReport.h"
#include "shell/frmMain.h"
#include "transfer/NewPage.h"

#include <QApplication>
#include <QFileInfo>
#include <QMessageBox>

#include <unistd.h>

namespace quillery {

int runApplication(int argc, char *argv[])
{
    // The browser's sandbox cannot run as root.
    if (::geteuid() == 0)
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quillery"));
    QApplication::setOrganizationName(QStringLiteral("Tamsin Orde"));
    QApplication::setApplicationVersion(QStringLiteral(QUILLERY_VERSION));

    std::unique_ptr<TempFolder> temp;
    try {
        temp = std::make_unique<TempFolder>();
    } catch (const FileError &error) {
        QMessageBox::critical(nullptr, QStringLiteral("Quillery"), error.description());
        return 1;
    }
    QtDialogs dialogs;
    frmMain window(*temp, dialogs);
    writeBlankHtml(window.workspace());
    reportStartupPaint();
    window.show();

    const QStringList args = QApplication::arguments().mid(1);
    if (!args.isEmpty())
        window.OpenFile(QFileInfo(args.first()).absoluteFilePath());
    else
        window.mnuNew_Click();
    const int code = app.exec();
    temp->DeleteTempFiles();
    return code;
}

} // namespace quillery
