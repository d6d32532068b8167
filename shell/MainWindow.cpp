// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/MainWindow.h"

#include "documents/Binder.h"
#include "documents/CompanionFiles.h"
#include "documents/NewBinder.h"
#include "documents/PageKind.h"
#include "documents/Workspace.h"
#include "images_ui/ScannerWindow.h"
#include "options/EditLaunch.h"
#include "options/OptionsDialog.h"
#include "platform/Dialogs.h"
#include "platform/Settings.h"
#include "platform/TempFolder.h"
#include "platform_ui/RichTextBox.h"
#include "platform_ui/TextureReadyWindow.h"
#include "shell/AppInfo.h"
#include "shell/AuthorName.h"
#include "shell/Feedback.h"
#include "shell/HelpWindow.h"
#include "shell/Icons.h"
#include "shell/MainToolbar.h"
#include "shell/MdiLayout.h"
#include "shell/RecentFiles.h"
#include "shell/RecentFilesWindow.h"
#include "transfer/BinderOpener.h"
#include "transfer/BinderRescue.h"
#include "window/BinderMenus.h"
#include "window/BinderWindow.h"
#include "window/BrowserModule.h"
#include "window/CommandGuard.h"
#include "window/CommandState.h"
#include "window/PageListView.h"
#include "window/ViewerPane.h"
#include "window/WindowUi.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QFileInfo>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QStatusBar>
#include <QUrl>

namespace quillery {

MainWindow::MainWindow(TempFolder &temp, Dialogs &dialogs, Settings &settings, QWidget *parent)
    : QMainWindow(parent), m_settings(settings), m_mdi(new QMdiArea(this)),
      m_toolbar(new MainToolbar(smallPicture, this))
{
    setObjectName(QStringLiteral("MainWindow"));
    setWindowTitle(tr("Quillery"));
    WindowUi::Hooks hooks;
    hooks.parent = [this] {
        return static_cast<QWidget *>(this);
    };
    hooks.closeSplash = [this] {
        if (closeSplash)
            closeSplash();
    };
    hooks.openCancelled = [this] {
        updateCommandState();
    };
    hooks.recordRecent = [this](const QString &title, const QString &path) {
        recent().addItem(title, path);
    };
    m_ui = std::make_unique<WindowUi>(hooks);
    m_workspace = std::make_unique<Workspace>(temp, dialogs, *m_ui);
    m_workspace->authorName = m_settings.authorName();
    m_workspace->defaultDocFolder = m_settings.defaultDocFolder();
    m_workspace->confirmDeletes = m_settings.confirmDeletes();
    setWindowIcon(binderIcon());

    m_mdi->setObjectName(QStringLiteral("mdiArea"));
    m_mdi->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_mdi->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(m_mdi);
    addToolBar(m_toolbar);
    connect(m_toolbar, &MainToolbar::commandChosen, this, &MainWindow::toolbarChosen);
    connect(m_mdi, &QMdiArea::subWindowActivated, this, &MainWindow::activeWindowChanged);
    buildMenus();
    buildStatusBar();
    activeWindowChanged();
    resize(1000, 700);
    // Views that draw through OpenGL need a window made for them, or the first web page
    // makes it anew.
    if (browserViewsUseOpenGl())
        makeTextureReadyWindow(*this);
}

RecentFilesWindow &MainWindow::recent()
{
    if (!m_recent)
        m_recent = std::make_unique<RecentFilesWindow>(
            m_workspace->dialogs, [this](const QString &path) { openFile(path); },
            [this] { openBinder(); }, RecentFiles::defaultPath(), this);
    return *m_recent;
}

MainWindow::~MainWindow()
{
    // The binder windows go after this object; nothing of theirs may call back into it.
    m_mdi->disconnect(this);
}

void MainWindow::buildMenus()
{
    auto *file = new QMenu(tr("&File"), this);
    const auto add = [this](QMenu *menu, const char *name, const QString &caption,
                            const char *shortcut, void (MainWindow::*slot)()) {
        QAction *action = menu->addAction(caption);
        action->setObjectName(QString::fromLatin1(name));
        action->setShortcut(QKeySequence(QString::fromLatin1(shortcut)));
        connect(action, &QAction::triggered, this,
                [this, slot] { guarded(m_workspace->dialogs, [this, slot] { (this->*slot)(); }); });
    };
    add(file, "mnuNew", tr("&New"), "Ctrl+N", &MainWindow::newBinder);
    add(file, "mnuOpen", tr("&Open..."), "Ctrl+O", &MainWindow::openBinder);
    file->addSeparator();
    add(file, "mnuFileAuthorName", tr("&Author Name..."), "Ctrl+U", &MainWindow::changeAuthorName);
    file->addSeparator();
    add(file, "mnuRF", tr("&Recent files..."), "Ctrl+I", &MainWindow::showRecentFiles);
    file->addSeparator();
    add(file, "mnuExit", tr("E&xit"), "", &MainWindow::exit);
    auto *help = new QMenu(tr("&Help"), this);
    add(help, "mnuContents", tr("&Contents"), "F1", &MainWindow::showHelp);
    add(help, "mnuAbout", tr("&About"), "Ctrl+F1", &MainWindow::showAbout);
    add(help, "mnuSF", tr("&Send feedback..."), "Ctrl+F2", &MainWindow::sendFeedback);
    m_ownMenus = {file, help};
}

void MainWindow::buildStatusBar()
{
    for (int panel = 1; panel <= StatusPanelCount; ++panel) {
        auto *label = new QLabel(this);
        label->setObjectName(QStringLiteral("Stat%1").arg(panel));
        label->setMinimumWidth(StatusPanel(panel) == StatusPanel::Pages ? 110 : 60);
        // The link panel takes the room left over.
        statusBar()->addWidget(label, StatusPanel(panel) == StatusPanel::Link ? 1 : 0);
        m_panels << label;
    }
}

QString MainWindow::statusPanel(StatusPanel panel) const
{
    return m_panels.at(int(panel) - 1)->text();
}

void MainWindow::setStatus(StatusPanel panel, const QString &text)
{
    m_panels.at(int(panel) - 1)->setText(text);
}

BinderWindow *MainWindow::activeBinderWindow() const
{
    QMdiSubWindow *sub = m_mdi->activeSubWindow();
    if (!sub) {
        const QList<QMdiSubWindow *> all = m_mdi->subWindowList(QMdiArea::ActivationHistoryOrder);
        sub = all.isEmpty() ? nullptr : all.last();
    }
    return sub ? qobject_cast<BinderWindow *>(sub->widget()) : nullptr;
}

QList<BinderWindow *> MainWindow::binderWindows() const
{
    QList<BinderWindow *> windows;
    for (QMdiSubWindow *sub : m_mdi->subWindowList()) {
        if (auto *window = qobject_cast<BinderWindow *>(sub->widget()))
            windows << window;
    }
    return windows;
}

BinderWindow *MainWindow::addBinderWindow(std::unique_ptr<Binder> binder)
{
    if (watchBinder)
        watchBinder(*binder);
    auto *window = new BinderWindow(*m_workspace, *this, std::move(binder));
    QMdiSubWindow *sub = m_mdi->addSubWindow(window);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->setWindowIcon(QApplication::windowIcon());
    sub->setWindowTitle(window->windowTitle());
    connect(window, &QWidget::windowTitleChanged, sub, &QWidget::setWindowTitle);
    // Only the active window speaks through the status bar and the toolbar.
    connect(window, &BinderWindow::statusText, this,
            [this, window](StatusPanel panel, const QString &text) {
                if (window == activeBinderWindow())
                    setStatus(panel, text);
            });
    connect(window, &BinderWindow::stateChanged, this, [this, window] {
        if (window == activeBinderWindow())
            updateCommandState();
    });
    placeNewSubWindow(*m_mdi, *sub);
    sub->show();
    m_mdi->setActiveSubWindow(sub);
    window->applyPanePosition();
    return window;
}

void MainWindow::activeWindowChanged()
{
    menuBar()->clear();
    BinderWindow *window = activeBinderWindow();
    const QList<QMenu *> menus = window ? window->menus().barMenus() : m_ownMenus;
    for (QMenu *menu : menus)
        menuBar()->addMenu(menu);
    if (window)
        window->showPageStatus();
    updateCommandState();
}

void MainWindow::newBinder()
{
    auto binder = std::make_unique<Binder>();
    makeNewBinder(*m_workspace, *binder, true);
    addBinderWindow(std::move(binder));
}

void MainWindow::closeUntouchedNewBinder(int otherWindows)
{
    BinderWindow *active = activeBinderWindow();
    const int loaded = 1 + int(binderWindows().size()) + otherWindows +
                       (loadedSystemWindows ? loadedSystemWindows() : 0);
    if (active && isUntouchedNewBinder(active->binder(), loaded))
        active->parentWidget()->close();
}

void MainWindow::openFile(const QString &fileName)
{
    const bool binderFile = isBinderFile(fileName);
    if (binderFile)
        closeUntouchedNewBinder(0);
    auto binder = quillery::openFile(*m_workspace, fileName);
    if (!binder) {
        const QString rescued = binderFile ? offerRescue(*m_workspace, fileName) : QString();
        if (!rescued.isEmpty())
            openFile(rescued);
        return;
    }
    // A binder opens on its remembered page when that is text or a file; pictures,
    // sounds and HTML wait until the user picks them. A file opened on its own is shown.
    if (binderFile && binder->hasPage(0)) {
        const PageKind kind = binder->page(0).key.kind;
        if (kind != PageKind::RTF && kind != PageKind::TXT && kind != PageKind::FILE)
            binder->setCurrentPosition(0);
    }
    showOpened(std::move(binder));
}

bool MainWindow::activateBinderWindow(const QString &path)
{
    for (BinderWindow *window : binderWindows()) {
        if (window->binder().fileName() == path) {
            m_mdi->setActiveSubWindow(qobject_cast<QMdiSubWindow *>(window->parentWidget()));
            return true;
        }
    }
    return false;
}

void MainWindow::showRecovered(std::unique_ptr<Binder> binder)
{
    // The recovery window is one of the start-up windows still around.
    closeUntouchedNewBinder(1);
    showOpened(std::move(binder));
}

void MainWindow::showOpened(std::unique_ptr<Binder> binder)
{
    addBinderWindow(std::move(binder));
    updateCommandState();
}

void MainWindow::updateCommandState()
{
    BinderWindow *window = activeBinderWindow();
    if (!window) {
        // With no binder left, nothing acts on one.
        for (int panel = 1; panel <= StatusPanelCount; ++panel)
            setStatus(StatusPanel(panel), QString());
        m_toolbar->follow(nullptr);
        return;
    }
    const Binder &binder = window->binder();
    ListState list;
    list.selected = window->pageList()->selectedRow() + 1;
    list.html = window->viewer()->browserShowsPage;
    list.offline = window->viewer()->offline();
    list.pageOnClipboard = pageOnClipboard(m_workspace->temp);
    list.textSelected = window->viewer()->textPane()->textCursor().hasSelection();
    list.view = window->pageList()->view();
    list.autoHide = window->autoHide();
    const CommandState state = commandState(binder, list);
    window->menus().apply(state);
    m_toolbar->follow(&window->menus());
    if (state.clearPageStatus) {
        for (StatusPanel panel : PagePanels)
            setStatus(panel, QString());
    }
    setStatus(StatusPanel::Pages, state.pagesStatus);
}

void MainWindow::openBinder()
{
    m_workspace->ui.closeSplash();
    FileDialogRequest request;
    request.title = tr("Open a Quillery");
    request.filter = tr("Quillery (*.qly)|*.qly|All files (*.*)|*.*");
    const QString openFolder = m_settings.openFolder();
    const QString docFolder = m_settings.defaultDocFolder();
    if (!openFolder.isEmpty() && QFileInfo(openFolder).isDir())
        request.initialFolder = openFolder;
    else if (!docFolder.isEmpty() && QFileInfo(docFolder).isDir())
        request.initialFolder = docFolder;
    const QString chosen = m_workspace->dialogs.openFile(request);
    if (chosen.isEmpty())
        return;
    m_settings.setOpenFolder(QFileInfo(chosen).absolutePath());
    openFile(chosen);
}

void MainWindow::showRecentFiles()
{
    recent().exec();
}

void MainWindow::changeAuthorName()
{
    m_workspace->ui.closeSplash();
    const std::optional<QString> answer = askAuthorName(m_settings, m_workspace->dialogs);
    if (!answer)
        return;
    m_workspace->authorName = *answer;
    for (BinderWindow *window : binderWindows()) {
        const Binder &binder = window->binder();
        if (QFileInfo(binder.fileName()).isFile() && !binder.isReadOnly()) {
            try {
                createCompanionFiles(*m_workspace, binder, binder.fileName(), false);
            } catch (const std::exception &) {
                // The lock note only names the holder; the binder is unaffected.
            }
        }
    }
}

void MainWindow::showHelp()
{
    HelpWindow::showHelp();
}

void MainWindow::showAbout()
{
    m_workspace->ui.closeSplash();
    m_workspace->dialogs.message(MsgIcon::Information, MsgButtons::Ok, tr("About Quillery"),
                                 AppInfo::aboutText());
}

void MainWindow::sendFeedback()
{
    quillery::sendFeedback(m_workspace->dialogs,
                           [](const QUrl &url) { return QDesktopServices::openUrl(url); });
}

void MainWindow::exit()
{
    close();
}

void MainWindow::showScanner(Binder &binder)
{
    showScannerWindow(*m_workspace, binder, m_settings, this);
}

void MainWindow::showOptions(Binder &binder)
{
    m_workspace->ui.closeSplash();
    OptionsDialog dialog(*m_workspace, m_settings, binder, this);
    dialog.exec();
}

void MainWindow::editPage(Binder &binder)
{
    launchPageEditor(*m_workspace, binder, m_settings, this,
                     [this, &binder] { showAssociations(binder); });
}

void MainWindow::showAssociations(Binder &binder)
{
    auto *dialog = new OptionsDialog(*m_workspace, m_settings, binder, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    // The options act on this binder: they go when its window goes.
    if (QObject *window = binder.parent())
        connect(window, &QObject::destroyed, dialog, &QWidget::close);
    dialog->show();
}

void MainWindow::arrange(Arrangement arrangement)
{
    switch (arrangement) {
    case Arrangement::Cascade:
        cascadeSubWindows(*m_mdi);
        break;
    case Arrangement::TileHorizontally:
        tileSubWindows(*m_mdi, Qt::Horizontal);
        break;
    case Arrangement::TileVertically:
        tileSubWindows(*m_mdi, Qt::Vertical);
        break;
    case Arrangement::ArrangeIcons:
        arrangeIcons(*m_mdi);
        break;
    }
}

void MainWindow::toolbarChosen(Command command)
{
    // New and Open need no binder; the rest are the active window's commands.
    if (command == Command::New || command == Command::Open) {
        guarded(m_workspace->dialogs,
                [&] { command == Command::New ? newBinder() : openBinder(); });
        return;
    }
    if (BinderWindow *window = activeBinderWindow())
        window->menus().action(command)->trigger();
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    for (QMdiSubWindow *sub : m_mdi->subWindowList()) {
        m_mdi->setActiveSubWindow(sub);
        if (!sub->close()) {
            event->ignore();
            return;
        }
    }
    event->accept();
}

} // namespace quillery
