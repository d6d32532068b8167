#pragma once

#include "window/BinderMenus.h"

#include <QWidget>

#include <memory>

class QSplitter;

namespace quillery {

class Binder;
class PageListView;
class ShellCommands;
class ViewerPane;
class Workspace;

// The window of one open binder: its page list beside the viewer, its menus, and the
// commands that act on this binder. It shows the Binder and routes commands to the
// binder procedures; the logic lives there.
class frmMDI : public QWidget
{
    Q_OBJECT
public:
    frmMDI(Workspace &workspace, ShellCommands &shell, std::unique_ptr<Binder> binder,
           QWidget *parent = nullptr);
    ~frmMDI() override;

    static frmMDI *of(const Binder &binder);

    Binder &binder() const { return *m_binder; }
    PageListView *lvwPages() const { return m_list; }
    ViewerPane *viewer() const { return m_viewer; }
    const BinderMenus &menus() const { return m_menus; }

    // Shows the binder's current page (CurIndex) in the viewer.
    void GetRTF();
    // Makes the selected row current and shows it.
    void lvwPages_ItemClick();
    void SetPanePos();
    void setView(int view);
    void setCaptionSuffix(const QString &suffix);
    // Empties the viewer and the page's status panels.
    void clearPage();

    void mnuSave_Click();
    void mnuSA_Click();
    void mnuSHPage_Click();

Q_SIGNALS:
    void captionChanged();
    void statusText(int panel, const QString &text);

protected:
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void connectMenus();
    void connectList();
    bool confirmClose();
    void showEmptySelection();
    void applyAutoHide(bool on);
    void autoHideHover(bool overList);
    int expandedPaneLength() const;
    int paneLengthPixels() const;
    void updatePaneLength();
    void checkMenus();
    void editCurrentPage();

    Workspace &m_workspace;
    ShellCommands &m_shell;
    std::unique_ptr<Binder> m_binder;
    BinderMenus m_menus;
    QSplitter *m_splitter;
    PageListView *m_list;
    ViewerPane *m_viewer;
};

} // namespace quillery
