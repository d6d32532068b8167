// SPDX-License-Identifier: GPL-3.0-or-later
#include "BinderFixture.h"

#include "TestSupport.h"
#include "documents/BinderSaver.h"
#include "documents/CompanionFiles.h"
#include "documents/NewBinder.h"
#include "documents/PassphrasePrompt.h"
#include "documents/Password.h"
#include "transfer/BinderOpener.h"
#include "transfer/PageImport.h"

#include <QTest>

namespace quillery::test {

void ScriptedUi::askPassword(PasswordPrompt &prompt)
{
    if (duringPasswordPrompt)
        duringPasswordPrompt();
    while (!passwords.isEmpty()) {
        if (prompt.ok(passwords.takeFirst()))
            return;
    }
    prompt.cancel();
}

void ScriptedUi::askPassphrase(PassphrasePrompt &prompt)
{
    while (!passphrases.isEmpty() && !prompt.finished())
        prompt.ok(passphrases.takeFirst());
    if (!prompt.finished())
        prompt.cancel();
}

void ScriptedUi::beginProgress(const QString &, int, bool)
{
    m_progress = 0;
}

BinderAnnouncements::BinderAnnouncements(Binder &binder)
{
    const auto yesNo = [](bool on) {
        return on ? QStringLiteral("true") : QStringLiteral("false");
    };
    m_connections << QObject::connect(&binder, &Binder::currentPageChanged, [this](int page) {
        seen << QStringLiteral("page %1").arg(page);
    }) << QObject::connect(&binder, &Binder::changedChanged, [this, yesNo](bool on) {
        seen << "changed " + yesNo(on);
    }) << QObject::connect(&binder, &Binder::captionChanged, [this] {
        seen << QStringLiteral("caption");
    }) << QObject::connect(&binder, &Binder::readOnlyChanged, [this, yesNo](bool on) {
        seen << "read-only " + yesNo(on);
    }) << QObject::connect(&binder, &Binder::fileNameChanged, [this](const QString &path) {
        seen << "file " + path;
    });
}

BinderAnnouncements::~BinderAnnouncements()
{
    for (const QMetaObject::Connection &connection : std::as_const(m_connections))
        QObject::disconnect(connection);
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

BinderFixture::~BinderFixture()
{
    finishRetiringShadowCopies();
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
    makeNewBinder(*workspace, binder, false);
    for (const auto &[name, bytes] : pages)
        importFile(*workspace, binder, file(QStringLiteral("src/") + name, bytes),
                   PageKind::Unknown);
    if (!password.isEmpty())
        changePassword(*workspace, binder, password, password);
    const QString target = path(binderName);
    if (!saveBinderFile(*workspace, binder, target))
        qWarning("could not save %s", qPrintable(target));
    // Nothing reads the binder through its working copy any more.
    temp->deleteFile(binder.workingCopy());
    return target;
}

std::unique_ptr<Binder> BinderFixture::open(const QString &binderPath)
{
    return openFile(*workspace, binderPath);
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
