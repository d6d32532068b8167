#pragma once

#include <QString>

namespace quillery {

class Binder;
class PasswordPrompt;

// What the binder procedures need from the windows: the hourglass, the progress window,
// the password prompt, showing a page and refreshing command state. Each default does
// nothing, which is what the command-line tool and most tests want.
class BinderUi
{
public:
    virtual ~BinderUi() = default;

    virtual void setBusy(bool) {}
    virtual void beginProgress(const QString & /*caption*/, int /*maximum*/, bool /*cancellable*/)
    {
    }
    virtual void setProgress(int) {}
    virtual bool progressCancelled() { return false; }
    virtual void endProgress() {}
    // Lets pending interface events run during long loops.
    virtual void processEvents() {}

    // Shows the enter-password dialog modally; the prompt's ok() and cancel() decide.
    // Without a window there is nobody to ask, which is a cancel.
    virtual void askPassword(PasswordPrompt &prompt);
    // The password prompt of an opening binder was cancelled.
    virtual void openCancelled() {}

    virtual void closeSplash() {}
    virtual void recordRecent(const QString & /*title*/, const QString & /*path*/) {}
    // Shows the binder's current page in its viewer.
    virtual void showPage(Binder &) {}
    virtual void checkMenus(Binder &) {}
    // Shows no page: hides the viewer, empties its text pane and the status panels that
    // describe a page (1, 2, 3 and 5).
    virtual void clearPage(Binder &) {}
    // Clears the binder's HTML viewer to the blank page.
    virtual void showBlankHtml(Binder &) {}
    // Opens the binder's current page for editing.
    virtual void editPage(Binder &) {}
};

// Shows the hourglass for as long as it lives, also when an error cuts the work short.
class BusyScope
{
public:
    explicit BusyScope(BinderUi &ui) : m_ui(ui) { m_ui.setBusy(true); }
    ~BusyScope() { m_ui.setBusy(false); }
    BusyScope(const BusyScope &) = delete;
    BusyScope &operator=(const BusyScope &) = delete;

private:
    BinderUi &m_ui;
};

// Shows the progress window for as long as it lives.
class ProgressScope
{
public:
    ProgressScope(BinderUi &ui, const QString &caption, int maximum, bool cancellable) : m_ui(ui)
    {
        m_ui.beginProgress(caption, maximum, cancellable);
    }
    ~ProgressScope() { m_ui.endProgress(); }
    ProgressScope(const ProgressScope &) = delete;
    ProgressScope &operator=(const ProgressScope &) = delete;

private:
    BinderUi &m_ui;
};

} // namespace quillery
