// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <functional>

namespace quillery {

class PassphrasePrompt;
class PasswordPrompt;

// What the binder procedures need from a person: the busy pointer, the progress window
// with its Cancel button, and the password prompt; plus the two things the shell hears
// of (a binder opened or saved, for the recent files). Each default does nothing, which
// is what the command-line tool and most tests want. The windows follow the binder's
// own signals, so showing pages and refreshing commands are not asked for here.
class Interaction
{
public:
    virtual ~Interaction() = default;

    virtual void setBusy(bool) {}
    virtual void beginProgress(const QString & /*caption*/, int /*maximum*/, bool /*cancellable*/)
    {
    }
    virtual void setProgress(int) {}
    virtual bool progressCancelled() { return false; }
    virtual void endProgress() {}
    // Lets pending interface events run during long loops.
    virtual void processEvents() {}
    // Runs work, which touches no object of the caller's thread, and returns once it is
    // done, passing on what it throws. A window runs it on a thread of its own and stays
    // painted meanwhile, taking no input, with a progress window of that caption (none
    // for an empty one) when the work takes long.
    virtual void runInBackground(const QString & /*caption*/, const std::function<void()> &work)
    {
        work();
    }

    // Shows the enter-password dialog modally; the prompt's ok() and cancel() decide.
    // Without a window there is nobody to ask, which is a cancel.
    virtual void askPassword(PasswordPrompt &prompt);
    // Shows the enter-passphrase dialog of an encrypted binder modally; the prompt's ok()
    // and cancel() decide. Without a window nobody is asked, which is a cancel.
    virtual void askPassphrase(PassphrasePrompt &prompt);
    // The password prompt of an opening binder was cancelled.
    virtual void openCancelled() {}

    // Makes way for a question: the splash window must not hide it.
    virtual void closeSplash() {}
    virtual void recordRecent(const QString & /*title*/, const QString & /*path*/) {}
};

// Shows the hourglass for as long as it lives, also when an error cuts the work short.
class BusyScope
{
public:
    explicit BusyScope(Interaction &ui) : m_ui(ui) { m_ui.setBusy(true); }
    ~BusyScope() { m_ui.setBusy(false); }
    BusyScope(const BusyScope &) = delete;
    BusyScope &operator=(const BusyScope &) = delete;

private:
    Interaction &m_ui;
};

// Shows the progress window for as long as it lives.
class ProgressScope
{
public:
    ProgressScope(Interaction &ui, const QString &caption, int maximum, bool cancellable) : m_ui(ui)
    {
        m_ui.beginProgress(caption, maximum, cancellable);
    }
    ~ProgressScope() { m_ui.endProgress(); }
    ProgressScope(const ProgressScope &) = delete;
    ProgressScope &operator=(const ProgressScope &) = delete;

private:
    Interaction &m_ui;
};

} // namespace quillery
