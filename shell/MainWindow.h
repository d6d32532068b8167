// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "window/Command.h"
#include "window/ShellCommands.h"
#include "window/StatusPanel.h"

#include <QMainWindow>

#include <functional>
#include <memory>

class QLabel;
class QMdiArea;
class QMdiSubWindow;

namespace quillery {

class Binder;
class Dialogs;
class BinderWindow;
class RecentFilesWindow;
class MainToolbar;
class Settings;
class TempFolder;
class WindowUi;
class Workspace;

// The main window: binder windows inside it, the toolbar and the status bar, and the
// commands that need no binder. Everything it does for a binder it hands to that
// binder's window or to the binder procedures.
class MainWindow : public QMainWindow, public ShellCommands
{
    Q_OBJECT
public:
    MainWindow(TempFolder &temp, Dialogs &dialogs, Settings &settings, QWidget *parent = nullptr);
    ~MainWindow() override;

    Workspace &workspace() const { return *m_workspace; }
    BinderWindow *activeBinderWindow() const;
    QList<BinderWindow *> binderWindows() const;
    QMdiArea *mdiArea() const { return m_mdi; }
    MainToolbar *toolbar() const { return m_toolbar; }
    QString statusPanel(StatusPanel panel) const;
    // The recent-files window, made hidden on first use.
    RecentFilesWindow &recent();

    void openFile(const QString &fileName);
    // Makes the window of the binder file at path the active one; false when none has it.
    bool activateBinderWindow(const QString &path);
    // Shows a binder recovered from a snapshot in a window of its own.
    void showRecovered(std::unique_ptr<Binder> binder);
    // Brings the menus, the toolbar and the status bar in line with the active window;
    // it changes nothing else.
    void updateCommandState();
    // Closes the splash window, if one is still up.
    std::function<void()> closeSplash;
    std::function<int()> loadedSystemWindows; // the splash and other non-binder windows
    // Called for every binder that gets a window, before it is shown.
    std::function<void(Binder &)> watchBinder;

    void newBinder() override;
    void openBinder() override;
    void showRecentFiles() override;
    void changeAuthorName() override;
    void showHelp() override;
    void showAbout() override;
    void sendFeedback() override;
    void exit() override;
    void arrange(Arrangement arrangement) override;
    void showScanner(Binder &binder) override;
    void showOptions(Binder &binder) override;
    void editPage(Binder &binder) override;
    Settings &settings() override { return m_settings; }

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    BinderWindow *addBinderWindow(std::unique_ptr<Binder> binder);
    void showOpened(std::unique_ptr<Binder> binder);
    // Closes the blank binder made at start-up while the user has not touched it and the
    // start-up windows (with otherWindows more) are still around.
    void closeUntouchedNewBinder(int otherWindows);
    void buildMenus();
    void buildStatusBar();
    void activeWindowChanged();
    void toolbarChosen(Command command);
    void setStatus(StatusPanel panel, const QString &text);
    // Opens the Options dialog on its associations tab without blocking.
    void showAssociations(Binder &binder);

    Settings &m_settings;
    std::unique_ptr<WindowUi> m_ui;
    std::unique_ptr<RecentFilesWindow> m_recent;
    std::unique_ptr<Workspace> m_workspace;
    QMdiArea *m_mdi;
    MainToolbar *m_toolbar;
    QList<QLabel *> m_panels;
    QList<QMenu *> m_ownMenus;
};

} // namespace quillery
