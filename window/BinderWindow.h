// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "documents/PageKey.h"
#include "window/BinderMenus.h"
#include "window/PageListView.h"
#include "window/StatusPanel.h"

#include <QWidget>

#include <memory>

class QSplitter;

namespace quillery {

class Binder;
class ShellCommands;
class ViewerPane;
class Workspace;

// The window of one open binder: its page list beside the viewer, its menus, and the
// commands that act on this binder. It shows the Binder and routes commands to the
// binder procedures; the logic lives there. It follows the binder's signals: the list's
// highlight, the viewer, the caption and the page's status panels always describe the
// current page, whichever command made it current.
class BinderWindow : public QWidget
{
    Q_OBJECT
public:
    BinderWindow(Workspace &workspace, ShellCommands &shell, std::unique_ptr<Binder> binder,
                 QWidget *parent = nullptr);
    ~BinderWindow() override;

    Binder &binder() const { return *m_binder; }
    Workspace &workspace() const { return m_workspace; }
    ShellCommands &shell() const { return m_shell; }
    PageListView *pageList() const { return m_list; }
    ViewerPane *viewer() const { return m_viewer; }
    const BinderMenus &menus() const { return m_menus; }
    // The 1-based position of the highlighted row; 0 for none.
    int selectedPosition() const;
    bool autoHide() const { return m_autoHide; }

    // Shows the binder's current page in the viewer, also when it shows already.
    void showCurrentPage();
    // Makes the selected row current and shows it, also after a link replaced it.
    void showSelectedPage();
    void applyPanePosition();
    void setView(PageListView::View view);
    // Moves the page list to that side of the viewer, as a step of the binder's history.
    void placePageList(PanePosition position);
    void setCaptionSuffix(const QString &suffix);
    // Sends the status panels that describe the current page.
    void showPageStatus();
    // Lets go of the binder file: its lock and the companion files beside it.
    void releaseBinderFile();

    void save();
    void saveAs();
    void toggleAutoHide();
    void closeWindow();
    // Finds in the current page: the find dialog for text pages, the browser's own find
    // for the others.
    void findInPage();
    void searchAll();
    void printPage();
    void previewPage();
    void showPageProperties(int position);
    // From the File menu the browser first lets go of any loaded document.
    void showFileProperties(bool blankViewer);
    // Copies the text pane's selection: plain text from plain text pages, else with its
    // formatting.
    void copyText();
    void selectAllText();

Q_SIGNALS:
    void statusText(StatusPanel panel, const QString &text);
    // Something the command state depends on changed: the main window runs updateCommandState
    // when this window is the active one.
    void stateChanged();

protected:
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void connectCommands();
    void connectList();
    void connectBinder();
    void followCurrentPage(int position);
    // Shows the current page again when its content is no longer what the viewer shows.
    void followCurrentContent();
    // Shows the current page again when it is shown in the text formats.
    void followTextFormats();
    void updateCaption();
    // Empties the viewer and the page's status panels.
    void clearPage();
    bool confirmClose();
    void showEmptySelection();
    void autoHideHover(bool overList);
    int expandedPaneLength() const;
    int paneLengthPixels() const;
    void updatePaneLength();
    bool currentPageIsText() const;

    Workspace &m_workspace;
    ShellCommands &m_shell;
    std::unique_ptr<Binder> m_binder;
    BinderMenus m_menus;
    QSplitter *m_splitter;
    PageListView *m_list;
    ViewerPane *m_viewer;
    PageKey m_shownKey;          // the page the viewer shows; empty when it shows none
    bool m_draggingPane = false; // the splitter is telling the binder its new length
    bool m_autoHide = false;
};

} // namespace quillery
