// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "documents/Interaction.h"
#include <QElapsedTimer>

#include <functional>
#include <memory>

class QWidget;

namespace quillery {

class ProgressWindow;

// The window side of the binder procedures: the hourglass, the progress window and the
// password prompt.
class WindowUi : public Interaction
{
public:
    struct Hooks
    {
        std::function<QWidget *()> parent;
        std::function<void()> closeSplash;
        std::function<void(const QString &, const QString &)> recordRecent;
        std::function<void()> openCancelled;
    };

    explicit WindowUi(Hooks hooks);
    ~WindowUi() override;

    void setBusy(bool busy) override;
    void beginProgress(const QString &caption, int maximum, bool cancellable) override;
    void setProgress(int value) override;
    bool progressCancelled() override;
    void endProgress() override;
    void processEvents() override;
    void runInBackground(const QString &caption, const std::function<void()> &work) override;
    void askPassword(PasswordPrompt &prompt) override;
    void askPassphrase(PassphrasePrompt &prompt) override;
    void openCancelled() override;
    void closeSplash() override;
    void recordRecent(const QString &title, const QString &path) override;

private:
    Hooks m_hooks;
    std::unique_ptr<ProgressWindow> m_progress;
    int m_progressDepth = 0;
    QElapsedTimer m_sinceEvents;
};

} // namespace quillery
