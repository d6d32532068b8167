// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/BrowserModule.h"

#include "window/PageProxy.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>
#include <QOpenGLContext>

#include <cstdio>
#include <utility>

// Qt's hook for the context every GL surface shares. The web engine checks for it when its
// library is loaded, and Qt makes it only when asked before the application starts: asking
// then would load the GL driver at every start, browser or not.
Q_GUI_EXPORT void qt_gl_set_global_share_context(QOpenGLContext *context);

namespace quillery {

namespace {

QStringList &folderOverride()
{
    static QStringList folders;
    return folders;
}

struct ModuleEntries
{
    MakeBrowserView make = nullptr;
    PreloadBrowser preload = nullptr;
};

ModuleEntries loaded;

QtMessageHandler previousHandler = nullptr;

// Drawing in software, the engine still says when it is loaded that the program shares no
// OpenGL context, and when it starts that it found no OpenGL: expected, and of no use to the
// user reading the terminal.
void quietOpenGlComplaints(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (type == QtWarningMsg &&
        (text.startsWith(u"Qt WebEngine seems to be initialized from a plugin") ||
         text.startsWith(u"No suitable graphics backend found")))
        return;
    if (previousHandler)
        previousHandler(type, context, text);
    else
        std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, text)));
}

void prepareEngineOpenGl()
{
    if (!browserViewsUseOpenGl()) {
        static bool quieted = false;
        if (!std::exchange(quieted, true))
            previousHandler = qInstallMessageHandler(quietOpenGlComplaints);
        return;
    }
    if (QOpenGLContext::globalShareContext())
        return;
    auto *context = new QOpenGLContext(QCoreApplication::instance());
    context->create();
    qt_gl_set_global_share_context(context);
}

ModuleEntries loadModule(QString &error)
{
    const QString fileName = browserModuleFileName();
    QStringList tried;
    for (const QString &folder : browserModuleFolders()) {
        const QString path = QDir(folder).filePath(fileName);
        if (!QFileInfo(path).isFile()) {
            tried << QDir::toNativeSeparators(path);
            continue;
        }
        prepareEngineOpenGl();
        // Never unloaded: the browser's widgets run the module's code until the program ends.
        auto *library = new QLibrary(path);
        const auto version =
            reinterpret_cast<BrowserInterface>(library->resolve(BrowserInterfaceSymbol));
        ModuleEntries entries;
        entries.make = reinterpret_cast<MakeBrowserView>(library->resolve(MakeBrowserViewSymbol));
        entries.preload = reinterpret_cast<PreloadBrowser>(library->resolve(PreloadBrowserSymbol));
        QString why = library->errorString();
        if (version && version() != BrowserInterfaceVersion)
            why = QCoreApplication::translate(
                      "BrowserModule",
                      "it was built for another version of the program (interface %1, "
                      "this program needs %2)")
                      .arg(version())
                      .arg(BrowserInterfaceVersion);
        else if (version && entries.make && entries.preload)
            return entries;
        error = QCoreApplication::translate("BrowserModule", "%1 is not a browser module: %2")
                    .arg(QDir::toNativeSeparators(path), why);
        delete library;
        return {};
    }
    error = QCoreApplication::translate("BrowserModule",
                                        "The browser module was not found; looked for %1.")
                .arg(tried.join(QStringLiteral(", ")));
    return {};
}

// One for the whole program, as the engine has one set of network settings.
const ProxyAccess &proxyAccess()
{
    static const PageProxy *proxy = new PageProxy(QCoreApplication::instance());
    return proxy->access();
}

bool ensureModule(QString &error)
{
    if (!loaded.make)
        loaded = loadModule(error);
    return loaded.make != nullptr;
}

} // namespace

bool browserViewsUseOpenGl()
{
    return !engineMemorySavingWanted() || qEnvironmentVariableIsSet("QT_QUICK_BACKEND") ||
           qEnvironmentVariableIsSet("QSG_RHI_BACKEND");
}

QString browserModuleFileName()
{
    return QStringLiteral(QUILLERY_BROWSER_MODULE_FILE);
}

QStringList browserModuleFolders()
{
    if (!folderOverride().isEmpty())
        return folderOverride();
    const QString programFolder = QCoreApplication::applicationDirPath();
    QStringList folders{
        QDir::cleanPath(programFolder + u'/' + QStringLiteral(QUILLERY_BROWSER_MODULE_DIR))};
    // A program run from its build tree uses the module built beside it; an installed
    // program never looks into a build tree.
    const QString buildFolder = QStringLiteral(QUILLERY_BROWSER_MODULE_BUILD_DIR);
    const QString fromBuild = QDir(buildFolder).relativeFilePath(programFolder);
    if (!fromBuild.startsWith(QStringLiteral("..")) && QDir::isRelativePath(fromBuild))
        folders << buildFolder;
    return folders;
}

void setBrowserModuleFolders(const QStringList &folders)
{
    folderOverride() = folders;
    loaded = {};
}

BrowserView *makeBrowserView(QWidget *parent, SchemeSource source, AddressRule rule, QString &error)
{
    return ensureModule(error)
               ? loaded.make(parent, std::move(source), std::move(rule), proxyAccess())
               : nullptr;
}

void preloadBrowser()
{
    QString error;
    if (ensureModule(error))
        loaded.preload(proxyAccess());
}

} // namespace quillery
