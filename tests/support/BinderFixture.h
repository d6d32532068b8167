// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ScriptedDialogs.h"

#include "documents/Binder.h"
#include "documents/Interaction.h"
#include "documents/Workspace.h"
#include "platform/TempFolder.h"

#include <QStringList>
#include <QTemporaryDir>

#include <functional>

#include <memory>

namespace quillery::test {

// The person at the keyboard, for tests: answers password and passphrase prompts from
// queues (an exhausted queue cancels), can cancel a progress window after some steps and counts
// progress windows.
class ScriptedUi : public Interaction
{
public:
    QStringList passwords;
    QStringList passphrases;
    int cancelProgressAfter = -1;               // steps after which Cancel is pressed; -1 never
    std::function<void()> duringPasswordPrompt; // runs while the prompt is up

    void askPassword(PasswordPrompt &prompt) override;
    void askPassphrase(PassphrasePrompt &prompt) override;
    void beginProgress(const QString &caption, int maximum, bool cancellable) override;
    void setProgress(int value) override { m_progress = value; }
    bool progressCancelled() override;

private:
    int m_progress = 0;
};

// Records what a binder announces, in order: "page 2" (the current page), "changed true",
// "caption", "read-only true", "file /path".
class BinderAnnouncements
{
public:
    explicit BinderAnnouncements(Binder &binder);
    ~BinderAnnouncements();
    BinderAnnouncements(const BinderAnnouncements &) = delete;
    BinderAnnouncements &operator=(const BinderAnnouncements &) = delete;

    QStringList seen;

private:
    QList<QMetaObject::Connection> m_connections;
};

// A private folder with a temporary folder, scripted dialogs and window hooks, and a
// workspace over them, plus helpers that make binders through the program's own code.
struct BinderFixture
{
    BinderFixture();
    // Waits for the shadow copies being deleted in the background, which would otherwise
    // race the removal of the folder.
    ~BinderFixture();
    BinderFixture(const BinderFixture &) = delete;
    BinderFixture &operator=(const BinderFixture &) = delete;

    QTemporaryDir dir;
    std::unique_ptr<TempFolder> temp;
    ScriptedDialogs dialogs;
    ScriptedUi ui;
    std::unique_ptr<Workspace> workspace;

    QString path(const QString &name) const { return dir.filePath(name); }
    // Writes a file of the given bytes in the fixture folder and returns its path.
    QString file(const QString &name, const QByteArray &bytes) const;
    // A new binder with one imported page per (name, bytes) pair, saved to binderName.
    QString makeBinder(const QString &binderName, const QList<QPair<QString, QByteArray>> &pages,
                       const QString &password = QString());
    std::unique_ptr<Binder> open(const QString &binderPath);
    // Message titles shown so far, in order.
    QStringList messageTitles() const;
};

} // namespace quillery::test
