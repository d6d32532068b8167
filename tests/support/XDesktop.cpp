// SPDX-License-Identifier: GPL-3.0-or-later
#include "XDesktop.h"

#include "TestSupport.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QThread>

namespace quillery::test {

namespace {

QString run(const QString &program, const QStringList &args)
{
    QProcess process;
    process.start(program, args);
    process.waitForFinished(10000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

QString xdotool(const QStringList &args)
{
    return run("xdotool", args);
}

} // namespace

QString XDesktop::missingTools()
{
    for (const QString &tool : QStringList{"xvfb-run", "openbox", "xdotool"}) {
        if (QStandardPaths::findExecutable(tool).isEmpty())
            return tool + " is not installed (scripts/setup installs it)";
    }
    return QString();
}

QString XDesktop::runUnderXvfb(const char *variable, const QString &screen)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QString::fromLatin1(variable), QStringLiteral("1"));
    const ProgramRun run =
        runProgram(QStandardPaths::findExecutable("xvfb-run"),
                   {"-a", "-s", "-screen 0 " + screen, QCoreApplication::applicationFilePath()}, {},
                   environment);
    return run.code == 0 ? QString() : run.out.right(3000) + run.err.right(3000);
}

XDesktop::XDesktop()
{
    m_windowManager.start("openbox", {});
    // Openbox names a window of its own once it manages the screen.
    const QDeadlineTimer deadline(10000);
    while (xdotool({"search", "--name", "^Openbox$"}).isEmpty() && !deadline.hasExpired())
        QThread::msleep(50);
}

XDesktop::~XDesktop()
{
    for (QProcess *process : {&m_program, &m_windowManager}) {
        if (process->state() != QProcess::NotRunning) {
            process->kill();
            process->waitForFinished();
        }
    }
}

bool XDesktop::startProgram(const QString &program, const QString &file)
{
    const QDir home(m_home.path());
    for (const QString &folder :
         QStringList{"config/Tamsin Orde", "data", "state", "cache", "tmp", "runtime"})
        home.mkpath(folder);
    QFile::setPermissions(home.filePath("runtime"),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QFile settings(home.filePath("config/Tamsin Orde/Quillery.ini"));
    if (!settings.open(QIODevice::WriteOnly) ||
        settings.write("[Quillery]\nAuthorName=Tester\n") < 0)
        return false;
    settings.close();

    QProcessEnvironment environment =
        withoutGraphicsChoices(QProcessEnvironment::systemEnvironment());
    environment.insert("QT_QPA_PLATFORM", "xcb");
    environment.insert("HOME", home.path());
    environment.insert("XDG_CONFIG_HOME", home.filePath("config"));
    environment.insert("XDG_DATA_HOME", home.filePath("data"));
    environment.insert("XDG_STATE_HOME", home.filePath("state"));
    environment.insert("XDG_CACHE_HOME", home.filePath("cache"));
    environment.insert("XDG_RUNTIME_DIR", home.filePath("runtime"));
    environment.insert("TMPDIR", home.filePath("tmp"));
    m_program.setProcessEnvironment(environment);
    m_program.start(program, {file});
    return waitForWindow("^Quillery$", 30000);
}

void XDesktop::keys(const QStringList &keys)
{
    xdotool(QStringList{"key", "--delay", "60"} + keys);
}

void XDesktop::type(const QString &text)
{
    xdotool({"type", "--delay", "60", text});
}

void XDesktop::drag(const QPoint &from, const QPoint &to)
{
    QPoint origin;
    const QString id = windows("^Quillery$").value(0);
    for (const QString &line : xdotool({"getwindowgeometry", "--shell", id}).split(u'\n')) {
        if (line.startsWith("X="))
            origin.setX(line.mid(2).toInt());
        else if (line.startsWith("Y="))
            origin.setY(line.mid(2).toInt());
    }
    const auto moveTo = [&origin](const QPoint &at) {
        const QPoint screen = origin + at;
        xdotool({"mousemove", QString::number(screen.x()), QString::number(screen.y())});
        QThread::msleep(100);
    };
    moveTo(from);
    xdotool({"mousedown", "1"});
    constexpr int Steps = 8;
    for (int step = 1; step <= Steps; ++step)
        moveTo(from + (to - from) * step / Steps);
    QThread::msleep(300);
    xdotool({"mouseup", "1"});
}

QStringList XDesktop::windows(const QString &titlePattern)
{
    return xdotool({"search", "--onlyvisible", "--name", titlePattern})
        .split(u'\n', Qt::SkipEmptyParts);
}

bool XDesktop::waitForWindow(const QString &titlePattern, int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    while (windows(titlePattern).isEmpty()) {
        if (deadline.hasExpired())
            return false;
        QThread::msleep(50);
    }
    return true;
}

bool XDesktop::waitForActiveWindow(const QString &titlePattern, int timeoutMs)
{
    const QRegularExpression title(titlePattern);
    const QDeadlineTimer deadline(timeoutMs);
    while (!title.match(xdotool({"getactivewindow", "getwindowname"}).trimmed()).hasMatch()) {
        if (deadline.hasExpired())
            return false;
        QThread::msleep(50);
    }
    return true;
}

bool XDesktop::waitForNoWindow(const QString &titlePattern, int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    while (!windows(titlePattern).isEmpty()) {
        if (deadline.hasExpired())
            return false;
        QThread::msleep(50);
    }
    return true;
}

int XDesktop::waitForExit(int timeoutMs)
{
    if (!m_program.waitForFinished(timeoutMs))
        return -1;
    return m_program.exitStatus() == QProcess::NormalExit ? m_program.exitCode() : -1;
}

QString XDesktop::programErrors()
{
    return QString::fromUtf8(m_program.readAllStandardError());
}

} // namespace quillery::test
