// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/BinderWindow.h"

#include "documents/Binder.h"
#include "documents/BinderFormat.h"
#include "documents/BinderSaver.h"
#include "documents/CompanionFiles.h"
#include "documents/Interaction.h"
#include "documents/PageKind.h"
#include "documents/RecordsCommand.h"
#include "documents/SizeText.h"
#include "documents/Workspace.h"
#include "platform/Dialogs.h"
#include "platform/GeneralDate.h"
#include "platform/TempFolder.h"
#include "platform/Twips.h"
#include "platform_ui/RichTextBox.h"
#include "window/BrowserView.h"
#include "window/CommandGuard.h"
#include "window/FilePropertiesDialog.h"
#include "window/FindDialog.h"
#include "window/PageDisplay.h"
#include "window/PageDrops.h"
#include "window/PageListView.h"
#include "window/PagePrint.h"
#include "window/PagePropertiesDialog.h"
#include "window/PrintCommand.h"
#include "window/RenameDelegate.h"
#include "window/SearchAllDialog.h"
#include "window/ShellCommands.h"
#include "window/ViewerPane.h"

#include <QAction>
#include <QClipboard>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QMenu>
#include <QPointer>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QResizeEvent>
#include <QSplitter>
#include <QTreeView>

namespace quillery {

namespace {

constexpr int AutoHideLength = 160;

int toPixels(int twips, const QWidget *widget)
{
    return qRound(twipsToPixels(twips, widget->logicalDpiX()));
}

int toTwips(int pixels, const QWidget *widget)
{
    return qRound(pixelsToTwips(pixels, widget->logicalDpiX()));
}

} // namespace

BinderWindow::BinderWindow(Workspace &workspace, ShellCommands &shell,
                           std::unique_ptr<Binder> binder, QWidget *parent)
    : QWidget(parent), m_workspace(workspace), m_shell(shell), m_binder(std::move(binder)),
      m_menus(this), m_splitter(new QSplitter(this)),
      m_list(new PageListView(m_binder->pageModel(), m_splitter)),
      m_viewer(new ViewerPane(workspace.dialogs, m_splitter))
{
    setObjectName(QStringLiteral("BinderWindow"));
    m_binder->setParent(this);
    setAttribute(Qt::WA_DeleteOnClose);
    m_splitter->setChildrenCollapsible(false);
    m_splitter->setHandleWidth(qMax(4, toPixels(70, this)));
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_splitter);

    m_list->setView(
        PageListView::viewFromNumber(m_binder->records().value(RecordKey::ListView).toInt()));
    QVector<int> widths;
    for (int twips : m_binder->columnWidths())
        widths << (twips > 0 ? toPixels(twips, this) : -1);
    m_list->setColumnWidths(widths);
    // The widths go back into the binder as the user drags them, so a save keeps them.
    connect(m_list->detailsView()->header(), &QHeaderView::sectionResized, this,
            [this](int column, int, int pixels) {
                if (column >= 0 && column < m_binder->columnWidths().size())
                    m_binder->setColumnWidth(column, toTwips(pixels, this));
            });
    m_list->setNameDelegates([this, &workspace](QObject *parent) {
        return new RenameDelegate(workspace, *m_binder, parent);
    });
    applyPanePosition();
    connectCommands();
    connect(m_viewer, &ViewerPane::remoteContentAllowedForBinder, this, [this] {
        const QVector<RecordChange> allow{{RecordKey::RemoteContent, QStringLiteral("Allow")}};
        m_binder->push(std::make_unique<RecordsCommand>(*m_binder, allow, std::nullopt,
                                                        tr("Allow Remote Content")));
    });
    connectList();
    connectBinder();
    if (m_binder->records().value(RecordKey::AutoHide) == u"1")
        toggleAutoHide();
    followCurrentPage(m_binder->currentPosition());
}

BinderWindow::~BinderWindow() = default;

void BinderWindow::connectCommands()
{
    for (int c = 0; c < CommandCount; ++c) {
        const auto run = commandSpec(Command(c)).run;
        connect(m_menus.action(Command(c)), &QAction::triggered, this, [this, run] {
            const QPointer<BinderWindow> self(this);
            guarded(m_workspace.dialogs, [this, run] { run(*this); });
            // What a command changed outside the binder (the view, the clipboard, the
            // offline mode) shows in the command state too.
            if (self)
                Q_EMIT stateChanged();
        });
    }
}

void BinderWindow::connectList()
{
    // Whatever moves the highlight (a click, an arrow key, Home, Page Down, code) makes
    // that row the current page; the binder then tells everything else.
    connect(m_list, &PageListView::selectedRowChanged, this,
            [this](int row) { m_binder->setCurrentPosition(row + 1); });
    connect(m_list, &PageListView::itemClicked, this, [this] { showSelectedPage(); });
    // Double-click and Enter edit the page, as Edit Page does.
    connect(m_list, &PageListView::activated, this, [this] {
        if (m_binder->currentPosition() > 0)
            m_menus.action(Command::EditPage)->trigger();
    });
    connect(m_list, &PageListView::released, this,
            [this](int row, Qt::MouseButton button, const QPoint &at) {
                if (row < 0) {
                    showEmptySelection();
                    if (button == Qt::RightButton)
                        m_menus.listMenu->popup(at);
                    return;
                }
                if (button == Qt::RightButton)
                    m_menus.pageMenu->popup(at);
            });
    connect(m_list, &PageListView::contextKey, this, [this](const QPoint &at) {
        Q_EMIT stateChanged();
        (m_list->selectedRow() < 0 ? m_menus.listMenu : m_menus.pageMenu)->popup(at);
    });
    auto *drops = new PageDrops(m_workspace, *m_binder, this);
    m_list->setDropTarget(*drops);
    connect(drops, &PageDrops::refused, this,
            [this](const QString &why) { Q_EMIT statusText(StatusPanel::Link, why); });
    connect(m_list, &PageListView::hovered, this, [this] { autoHideHover(true); });
    connect(m_viewer, &ViewerPane::hovered, this, [this] { autoHideHover(false); });
    connect(m_viewer, &ViewerPane::captionSuffixChanged, this, &BinderWindow::setCaptionSuffix);
    connect(m_viewer, &ViewerPane::pageInView, this, &BinderWindow::updateCaption);
    connect(m_viewer, &ViewerPane::linkClicked, this, [this](const QUrl &url) {
        if (m_list->selectedRow() < 0)
            return;
        // The row stays current and highlighted; clicking it shows the page again.
        if (!m_viewer->followLink(url))
            return;
        m_shownKey = PageKey();
        Q_EMIT stateChanged();
    });
    connect(m_viewer, &ViewerPane::statusTextChanged, this,
            [this](const QString &text) { Q_EMIT statusText(StatusPanel::Link, text); });
    connect(m_splitter, &QSplitter::splitterMoved, this, &BinderWindow::updatePaneLength);
    connect(m_viewer->textPane(), &QWidget::customContextMenuRequested, this, [this] {
        Q_EMIT stateChanged();
        m_menus.textMenu->popup(QCursor::pos());
    });
    m_viewer->textPane()->setContextMenuPolicy(Qt::CustomContextMenu);
}

void BinderWindow::connectBinder()
{
    Binder &binder = *m_binder;
    connect(&binder, &Binder::currentPageChanged, this, &BinderWindow::followCurrentPage);
    const auto follow = [this] {
        updateCaption();
        Q_EMIT stateChanged();
    };
    connect(&binder, &Binder::captionChanged, this, follow);
    connect(&binder, &Binder::panePositionChanged, this, [this] {
        if (!m_draggingPane)
            applyPanePosition();
    });
    connect(&binder, &Binder::textFormatsChanged, this, &BinderWindow::followTextFormats);
    setWindowModified(binder.isChanged());
    connect(&binder, &Binder::changedChanged, this, [this, follow](bool changed) {
        setWindowModified(changed);
        follow();
    });
    connect(&binder, &Binder::readOnlyChanged, this, follow);
    connect(&binder, &Binder::fileNameChanged, this, follow);
    // Undo and Redo say what they take back or do again.
    connect(&binder.history(), &QUndoStack::indexChanged, this, &BinderWindow::stateChanged);
    // Page counts, names, times and sizes show in the caption and the status panels.
    connect(&binder.pages(), &PageList::rowsSettled, this, follow);
    connect(&binder.pages(), &QAbstractItemModel::dataChanged, this,
            [this, follow](const QModelIndex &first, const QModelIndex &last) {
                const int row = m_binder->currentPosition() - 1;
                if (row >= first.row() && row <= last.row())
                    followCurrentContent();
                follow();
            });
}

void BinderWindow::followCurrentPage(int position)
{
    if (position == 0) {
        if (m_list->selectedRow() >= 0)
            m_list->clearSelection();
        clearPage();
    } else {
        if (m_list->selectedRow() != position - 1)
            m_list->selectRow(position - 1);
        followCurrentContent();
    }
    updateCaption();
    Q_EMIT stateChanged();
}

void BinderWindow::followTextFormats()
{
    if (!m_binder->hasPage(0))
        return;
    // Plain text pages, and rich ones still empty, are shown in the binder's text formats.
    const PageRow &page = m_binder->page(0);
    const PageKind kind = page.key.kind;
    if (kind == PageKind::TXT || (kind == PageKind::RTF && page.size == 0))
        showCurrentPage();
}

void BinderWindow::followCurrentContent()
{
    // Edited pages get new content under a new key; renames and moves keep the key.
    if (sameContent(m_shownKey, m_binder->page(0).key))
        showPageStatus();
    else
        showCurrentPage();
}

void BinderWindow::showCurrentPage()
{
    BusyScope busy(m_workspace.ui);
    m_shownKey = PageKey();
    if (!m_binder->hasPage(0)) {
        m_viewer->clear();
        return;
    }
    m_shownKey = m_binder->page(0).key;
    try {
        const PageDisplay display = preparePageDisplay(m_workspace, *m_binder);
        m_viewer->setRemoteContent(m_shell.settings().remoteContent());
        m_viewer->showPage(display, *m_binder);
    } catch (const std::exception &) {
        // A page whose data cannot be read shows nothing of the page before it.
        m_viewer->clear();
    }
    showPageStatus();
}

void BinderWindow::showPageStatus()
{
    if (!m_binder->hasPage(0)) {
        for (StatusPanel panel : PagePanels)
            Q_EMIT statusText(panel, QString());
        return;
    }
    const PageRow &row = m_binder->page(0);
    Q_EMIT statusText(StatusPanel::Created, tr("Created: ") + shownDate(row.created));
    Q_EMIT statusText(StatusPanel::Modified, tr("Modified: ") + shownDate(row.modified));
    Q_EMIT statusText(StatusPanel::Size, tr("Size: ") + sizeText(row.size));
}

void BinderWindow::showSelectedPage()
{
    const int row = m_list->selectedRow();
    if (row < 0)
        return;
    m_binder->setCurrentPosition(row + 1);
    // A followed link may have replaced the page in the viewer.
    if (!sameContent(m_shownKey, m_binder->page(0).key)) {
        showCurrentPage();
        updateCaption();
        Q_EMIT stateChanged();
    }
}

void BinderWindow::showEmptySelection()
{
    m_list->clearSelection();
    m_binder->setCurrentPosition(0);
    // Also when no page was current: a followed link leaves the viewer.
    clearPage();
    updateCaption();
    Q_EMIT stateChanged();
}

void BinderWindow::clearPage()
{
    m_shownKey = PageKey();
    for (StatusPanel panel : PagePanels)
        Q_EMIT statusText(panel, QString());
    m_viewer->clear();
    m_viewer->hideBoth();
}

void BinderWindow::updateCaption()
{
    setCaptionSuffix(m_binder->hasPage(0) ? m_binder->page(0).name : QString());
}

void BinderWindow::setCaptionSuffix(const QString &suffix)
{
    // The mark of unsaved changes goes with the binder's part of the caption.
    const QString binder = m_binder->caption() + QStringLiteral("[*]");
    setWindowTitle(suffix.isEmpty() ? binder : binder + QStringLiteral(" - ") + suffix);
    m_viewer->nameShown(suffix);
}

void BinderWindow::setView(PageListView::View view)
{
    m_list->setView(view);
    m_binder->setRecord(RecordKey::ListView, QString::number(int(view)));
}

int BinderWindow::paneLengthPixels() const
{
    return toPixels(m_binder->paneLength(), this);
}

void BinderWindow::applyPanePosition()
{
    const PanePosition pos = m_binder->panePosition();
    if (pos < PanePosition::ListAbove || pos > PanePosition::ListRight)
        return;
    const bool stacked = Binder::stacked(pos);
    m_splitter->setOrientation(stacked ? Qt::Vertical : Qt::Horizontal);
    const bool listFirst = pos == PanePosition::ListAbove || pos == PanePosition::ListLeft;
    m_splitter->insertWidget(listFirst ? 0 : 1, m_list);
    const int total = stacked ? m_splitter->height() : m_splitter->width();
    const int list = paneLengthPixels();
    const int viewer = qMax(1, total - list - m_splitter->handleWidth());
    m_splitter->setSizes(listFirst ? QList<int>{list, viewer} : QList<int>{viewer, list});
}

void BinderWindow::updatePaneLength()
{
    const int index = m_splitter->indexOf(m_list);
    // The splitter shows the new length already.
    m_draggingPane = true;
    m_binder->setPaneLength(toTwips(m_splitter->sizes().value(index), this));
    m_draggingPane = false;
}

void BinderWindow::placePageList(PanePosition position)
{
    if (position == m_binder->panePosition())
        return;
    const PaneLayout pane{position, Binder::paneLengthFor(position)};
    m_binder->push(std::make_unique<RecordsCommand>(*m_binder, QVector<RecordChange>(), pane,
                                                    tr("Page List Position")));
}

void BinderWindow::toggleAutoHide()
{
    m_autoHide = !m_autoHide;
    m_binder->setRecord(RecordKey::AutoHide,
                        m_autoHide ? QStringLiteral("1") : QStringLiteral("0"));
    m_binder->setPaneLength(m_autoHide ? AutoHideLength : expandedPaneLength());
}

int BinderWindow::expandedPaneLength() const
{
    return Binder::paneLengthFor(m_binder->panePosition());
}

void BinderWindow::autoHideHover(bool overList)
{
    if (!m_autoHide)
        return;
    const int length = overList ? expandedPaneLength() : AutoHideLength;
    m_binder->setPaneLength(length);
}

void BinderWindow::save()
{
    saveBinder(m_workspace, *m_binder);
}

void BinderWindow::saveAs()
{
    saveBinderAs(m_workspace, *m_binder);
}

void BinderWindow::closeWindow()
{
    // Inside the main window the frame around this window closes.
    if (parentWidget())
        parentWidget()->close();
    else
        close();
}

int BinderWindow::selectedPosition() const
{
    return m_list->selectedRow() + 1;
}

void BinderWindow::copyText()
{
    RichTextBox *pad = m_viewer->textPane();
    pad->setFocus();
    if (m_binder->hasPage(0) && m_binder->page(0).key.kind == PageKind::TXT)
        QGuiApplication::clipboard()->setText(pad->selectedText());
    else
        pad->copy();
}

void BinderWindow::findInPage()
{
    if (!m_binder->hasPage(0))
        return;
    if (!currentPageIsText()) {
        m_viewer->findInBrowser();
        return;
    }
    FindDialog dialog(m_workspace.dialogs, *m_viewer->textPane(), window());
    dialog.exec();
}

void BinderWindow::searchAll()
{
    SearchAllDialog dialog(
        m_workspace.dialogs, m_workspace.ui, *m_binder, m_shell.settings(),
        [this] { findInPage(); }, m_list->columnWidths(), window());
    dialog.exec();
}

void BinderWindow::selectAllText()
{
    m_viewer->textPane()->setFocus();
    m_viewer->textPane()->selectAll();
}

bool BinderWindow::currentPageIsText() const
{
    if (!m_binder->hasPage(0))
        return false;
    const PageKind kind = m_binder->page(0).key.kind;
    return kind == PageKind::RTF || kind == PageKind::TXT;
}

void BinderWindow::printPage()
{
    if (!m_binder->hasPage(0))
        return;
    if (currentPageIsText()) {
        QPrinter printer;
        printTextPage(m_workspace.dialogs, printer, *m_viewer->textPane()->document(),
                      m_binder->page(0).name, m_workspace.defaultDocFolder);
        return;
    }
    // Other pages print as the browser shows them; the printer lives until it is done.
    auto *printer = new QPrinter;
    if (!choosePrinter(m_workspace.dialogs, *printer, m_workspace.defaultDocFolder)) {
        delete printer;
        return;
    }
    BrowserView *browser = m_viewer->browser();
    if (!browser) {
        delete printer;
        return;
    }
    browser->print(printer, [printer] { delete printer; });
}

void BinderWindow::previewPage()
{
    if (!currentPageIsText())
        return;
    const std::unique_ptr<QTextDocument> text(m_viewer->textPane()->document()->clone());
    const QString title = m_binder->page(0).name;
    const QString date = localDate(QDateTime::currentDateTime());
    QPrintPreviewDialog preview(window());
    connect(&preview, &QPrintPreviewDialog::paintRequested, this, [&](QPrinter *printer) {
        printTextDocument(*printer, *text, PrintMargins(), title, date);
    });
    preview.exec();
}

void BinderWindow::showPageProperties(int position)
{
    if (position < 1 || !m_binder->hasPage(position))
        return;
    PagePropertiesDialog dialog(m_workspace, *m_binder, position, *m_viewer->textPane(), window());
    dialog.exec();
}

void BinderWindow::showFileProperties(bool blankViewer)
{
    // A loaded document in the browser is let go before the binder's details are shown.
    if (blankViewer && m_viewer->browserShowsPage)
        m_viewer->blankBrowser();
    FilePropertiesDialog dialog(*m_binder, window());
    dialog.exec();
}

bool BinderWindow::confirmClose()
{
    m_workspace.ui.closeSplash();
    if (m_binder->isChanged()) {
        QString text = tr("The Quillery file '") + m_binder->title() + u'\'';
        if (!m_binder->fileName().isEmpty())
            text += QStringLiteral(" ('") + m_binder->fileName() + QStringLiteral("')");
        text += tr(" has changed.  Do you want to save the changes?");
        const MsgResult answer = m_workspace.dialogs.message(
            MsgIcon::Question, MsgButtons::YesNoCancel, tr("Save Changes"), text);
        if (answer == MsgResult::Cancel)
            return false;
        if (answer == MsgResult::Yes)
            saveBinder(m_workspace, *m_binder);
        else
            m_binder->discardChanges();
        if (m_binder->isChanged())
            return false;
    }
    releaseBinderFile();
    return true;
}

void BinderWindow::releaseBinderFile()
{
    if (!m_binder->isReadOnly() && !m_binder->fileName().isEmpty())
        removeCompanions(m_binder->fileName());
    m_binder->fileLock().release();
}

void BinderWindow::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    // The page list keeps its length; the viewer takes whatever the window gains or loses.
    applyPanePosition();
}

void BinderWindow::closeEvent(QCloseEvent *event)
{
    if (confirmClose()) {
        m_viewer->clear();
        // The history goes with the window, and with it the page files only it still held.
        m_binder->discardChanges();
        // Another name of the binder's bytes left behind would make the next window's save
        // of the same file take it for a reader and rewrite the file whole.
        m_workspace.temp.deleteFile(m_binder->workingCopy());
        event->accept();
    } else {
        event->ignore();
    }
}

} // namespace quillery
