#pragma once

#include "documents/Binder.h"
#include "documents/BinderUi.h"
#include "documents/Workspace.h"
#include "platform/ScriptedDialogs.h"
#include "platform/TempFolder.h"

#include <QStringList>
#include <QTemporaryDir>

#include <functional>

#include <memory>

namespace quillery::test {

// Window hooks for tests: answers password prompts from a queue (an exhausted queue
// cancels), can cancel a progress window after some steps, counts progress windows and
// records the page hooks called.
class ScriptedUi : public BinderUi
{
public:
    QStringList passwords;
    QStringList passwordLabels;
    int cancelProgressAfter = -1;               // steps after which Cancel is pressed; -1 never
    std::function<void()> duringPasswordPrompt; // runs while the prompt is up
    int progressWindows = 0;
    QStringList progressCaptions;

    // The page hooks called, in order, each with the binder's CurIndex at the call:
    // "show 1", "check 0", "edit 2", "clear 1".
    QStringList pageHooks;

    void showPage(Binder &binder) override { record("show", binder); }
    void checkMenus(Binder &binder) override { record("check", binder); }
    void editPage(Binder &binder) override { record("edit", binder); }
    void clearPage(Binder &binder) override { record("clear", binder); }
    void askPassword(PasswordPrompt &prompt) override;
    void beginProgress(const QString &caption, int maximum, bool cancellable) override;
    void setProgress(int value) override { m_progress = value; }
    bool progressCancelled() override;

private:
    void record(const char *hook, const Binder &binder);

    int m_progress = 0;
};

// A private folder with a temporary folder, scripted dialogs and window hooks, and a
// workspace over them, plus helpers that make binders through the program's own code.
struct BinderFixture
{
    BinderFixture();

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
