// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "shell/RecentFiles.h"

#include <QDialog>

#include <functional>

class QPushButton;
class QTreeWidget;

namespace quillery {

class Dialogs;

// The recent-files window: the binders the user opened or saved, newest first, to reopen
// or remove. It is made hidden at start-up (reading the list), shown modally on demand,
// hides itself after each command, and writes the list when it is unloaded: at
// shut-down, or at once when the user closes it by its close box.
class RecentFilesWindow : public QDialog
{
    Q_OBJECT

public:
    using OpenFileCall = std::function<void(const QString &path)>;
    using OpenOtherCall = std::function<void()>;

    // openFile opens a binder (MainWindow::openFile), openOther runs File > Open.
    RecentFilesWindow(Dialogs &dialogs, OpenFileCall openFile, OpenOtherCall openOther,
                      const QString &listPath = RecentFiles::defaultPath(),
                      QWidget *parent = nullptr);

    // Called whenever a binder is opened or saved, also while the window is hidden.
    void addItem(const QString &title, const QString &path);
    int positionOf(const QString &path) const { return m_list.positionOf(path); }
    // Selects row 1 when there are rows and enables the commands that need one.
    void updateButtons();
    // Writes the list with the current column widths.
    void unload();

    const RecentFiles &list() const { return m_list; }

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void openSelected();
    void removeSelectedItem();
    void removeAllItems();
    void openOther();
    void refill();
    void removeSelected();
    int selectedRow() const; // 1-based, 0 none

    Dialogs &m_dialogs;
    OpenFileCall m_openFile;
    OpenOtherCall m_openOther;
    RecentFiles m_list;

    QTreeWidget *LV;
    QPushButton *cmdOK;
    QPushButton *cmdCancel;
    QPushButton *cmdDel;
    QPushButton *cmdDelAll;
    QPushButton *cmdOther;
};

} // namespace quillery
