#include "BinderFixture.h"

#include "TestSupport.h"
#include "documents/BinderOpener.h"
#include "documents/BinderSaver.h"
#include "documents/NewBinder.h"
#include "documents/Password.h"
#include "transfer/PageImport.h"

#include <QTest>

namespace quillery::test {

void ScriptedUi::askPassword(PasswordPrompt &prompt)
{
    passwordLabels << prompt.label();
    if (duringPasswordPrompt)
        duringPasswordPrompt();
    while (!passwords.isEmpty()) {
        if (prompt.ok(passwords.takeFirst()))
            return;
    }
    prompt.cancel();
}

void ScriptedUi::beginProgress(const QString &caption, int, bool)
{
    ++progressWindows;
    progressCaptions << caption;
    m_progress = 0;
}

void ScriptedUi::record(const char *hook, const Binder &binder)
{
    pageHooks << QStringLiteral("%1 %2").arg(QLatin1String(hook)).arg(binder.CurIndex);
}

bool ScriptedUi::progressCancelled()
{
    return cancelProgressAfter >= 0 && m_progress >= cancelProgressAfter;
}

BinderFixture::BinderFixture()
    : temp(std::make_unique<TempFolder>(dir.filePath(QStringLiteral("tmp")))),
      workspace(std::make_unique<Workspace>(*temp, dialogs, ui))
{
    workspace->authorName = QStringLiteral("tester");
}

QString BinderFixture::file(const QString &name, const QByteArray &bytes) const
{
    const QString p = path(name);
    writeFile(p, bytes);
    return p;
}

QString BinderFixture::makeBinder(const QString &binderName,
                                  const QList<QPair<QString, QByteArray>> &pages,
                                  const QString &password)
{
    Binder binder;
    NewFile(*workspace, binder, false);
    for (const auto &[name, bytes] : pages)
        ImportFile(*workspace, binder, file(QStringLiteral("src/") + name, bytes),
                   PageKind::Unknown);
    if (!password.isEmpty())
        changePassword(*workspace, binder, password, password);
    const QString target = path(binderName);
    if (!SavFile(*workspace, binder, target))
        qWarning("could not save %s", qPrintable(target));
    return target;
}

std::unique_ptr<Binder> BinderFixture::open(const QString &binderPath)
{
    return OpenFile(*workspace, binderPath);
}

QStringList BinderFixture::messageTitles() const
{
    QStringList titles;
    for (const DialogCall &call : dialogs.calls()) {
        if (call.kind == DialogCall::Kind::Message)
            titles << call.title;
    }
    return titles;
}

} // namespace quillery::test
