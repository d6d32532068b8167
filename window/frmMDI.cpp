#include "window/frmMDI.h"

#include "documents/Binder.h"
#include "documents/BinderImport.h"
#include "documents/BinderSaver.h"
#include "documents/BinderUi.h"
#include "documents/CompanionFiles.h"
#include "documents/SizeText.h"
#include "documents/Workspace.h"
#include "platform/Dialogs.h"
#include "platform/RichTextBox.h"
#include "platform/Twips.h"
#include "transfer/PageExport.h"
#include "transfer/PageImport.h"
#include "window/PageDisplay.h"
#include "window/PageListView.h"
#include "window/PageOperations.h"
#include "window/PasswordDialogs.h"
#include "window/RenameDelegate.h"
#include "window/ShellCommands.h"
#include "window/ViewerPane.h"

#include <QAction>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QMenu>
#include <QResizeEvent>
#include <QSplitter>

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

frmMDI::frmMDI(Workspace &workspace, ShellCommands &shell, std::unique_ptr<Binder> binder,
               QWidget *parent)
    : QWidget(parent), m_workspace(workspace), m_shell(shell), m_binder(std::move(binder)),
      m_menus(this), m_splitter(new QSplitter(this)),
      m_list(new PageListView(m_binder->pages, m_splitter)),
      m_viewer(new ViewerPane(workspace, m_splitter))
{
    setObjectName(QStringLiteral("frmMDI"));
    m_binder->setParent(this);
    setAttribute(Qt::WA_DeleteOnClose);
    m_splitter->setChildrenCollapsible(false);
    m_splitter->setHandleWidth(qMax(4, toPixels(70, this)));
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_splitter);

    m_list->setView(m_binder->CF.value(QStringLiteral("LVView")).toInt());
    m_list->setColumnWidths(m_binder->columnWidths);
    m_list->setNameDelegate(new RenameDelegate(workspace, *m_binder, this));
    SetPanePos();
    connectMenus();
    connectList();
    if (m_binder->CF.value(QStringLiteral("AutoHide")) == u"1")
        mnuSHPage_Click();
}

frmMDI::~frmMDI() = default;

frmMDI *frmMDI::of(const Binder &binder)
{
    return qobject_cast<frmMDI *>(binder.parent());
}

void frmMDI::connectMenus()
{
    const auto on = [this](const char *name, auto slot) {
        connect(m_menus[name], &QAction::triggered, this, slot);
    };
    Workspace &ws = m_workspace;
    Binder &b = *m_binder;
    on("mnuNew", [this] { m_shell.mnuNew_Click(); });
    on("mnuOpen", [this] { m_shell.mnuOpen_Click(); });
    on("mnuSave", [this] { mnuSave_Click(); });
    on("mnuSA", [this] { mnuSA_Click(); });
    on("mnuRF", [this] { m_shell.mnuRF_Click(); });
    on("mnuFileAuthorName", [this] { m_shell.mnuFileAuthorName_Click(); });
    on("mnuClose", [this] { parentWidget() ? parentWidget()->close() : close(); });
    on("mnuExit", [this] { m_shell.mnuExit_Click(); });
    on("mnuContents", [this] { m_shell.mnuContents_Click(); });
    on("mnuAbout", [this] { m_shell.mnuAbout_Click(); });
    on("mnuSF", [this] { m_shell.mnuSF_Click(); });
    on("mnuTH", [this] { m_shell.Arrange(1); });
    on("mnuTV", [this] { m_shell.Arrange(2); });
    on("mnuCascade", [this] { m_shell.Arrange(0); });
    on("mnuAI", [this] { m_shell.Arrange(3); });
    connect(m_menus["mnuSHPage"], &QAction::toggled, this, &frmMDI::applyAutoHide);

    const auto importer = [&](const char *name, const char *type, PageKind kind) {
        on(name, [&ws, &b, type, kind] { ImportDialog(ws, b, QString::fromLatin1(type), kind); });
    };
    importer("mnuImportRTF", "Rich Text Format", PageKind::RTF);
    importer("mnuImportTXT", "Text Document", PageKind::TXT);
    importer("mnuImportHTML", "HTML", PageKind::HTML);
    importer("mnuIPicture", "Picture", PageKind::PICTURE);
    importer("mnuISound", "Sound", PageKind::SOUND);
    importer("mnuIFile", "File", PageKind::FILE);
    const auto adder = [&](const char *name, PageKind kind) {
        on(name, [&ws, &b, kind] { addPage(ws, b, kind); });
    };
    adder("mnuNewRTF", PageKind::RTF);
    adder("mnuNewTXT", PageKind::TXT);
    adder("mnuNewHTML", PageKind::HTML);
    adder("mnuPNRTF", PageKind::RTF);
    adder("mnuPNTXT", PageKind::TXT);
    adder("mnuPNHTML", PageKind::HTML);
    adder("mnuPNPicture", PageKind::PICTURE);
    adder("mnuPNSound", PageKind::SOUND);
    adder("mnuPNFile", PageKind::FILE);
    const auto selected = [this] {
        return m_list->selectedRow() + 1;
    };
    for (const char *name : {"mnuEditDelete", "mnuPDelete"})
        on(name, [&ws, &b, selected] { deletePage(ws, b, selected()); });
    on("mnuEditDelAll", [&ws, &b] { deleteAllPages(ws, b); });
    on("mnuUp", [&ws, &b, selected] { movePage(ws, b, selected(), MoveDirection::Up); });
    on("mnuDown", [&ws, &b, selected] { movePage(ws, b, selected(), MoveDirection::Down); });
    for (const char *name : {"mnuEP", "mnuPEdit"})
        on(name, [this] { editCurrentPage(); });
    for (const char *name : {"mnuRename", "mnuPRename"})
        on(name, [this] { m_list->editCurrentName(); });
    on("mnuImportFolder", [&ws, &b] { importFolder(ws, b); });
    on("mnuImportQuillery", [&ws, &b] { ImportQLY(ws, b); });
    for (const char *name : {"mnuImportTWAIN", "mnuPNTWAIN"})
        on(name, [this] { m_shell.showScanner(*m_binder); });
    on("mnuEditOptions", [this] { m_shell.mnuEditOptions_Click(*m_binder); });

    const auto exporter = [&](const char *name, const char *type, const char *ext) {
        on(name, [&ws, &b, type, ext] {
            ExportFile(ws, b, QString::fromLatin1(type), QString::fromLatin1(ext));
        });
    };
    exporter("mnuExportRTF", "Rich Text Format", "rtf");
    exporter("mnuExportTXT", "Text Document", "txt");
    exporter("mnuExportHTML", "HTML", "htm;*.html;*.php");
    exporter("mnuExportFile", "Selected Page", "*");

    on("mnuPassword", [this] {
        frmPassword dialog(m_workspace, *m_binder, this);
        dialog.exec();
        checkMenus();
    });
    on("mnuOffline", [this] { m_viewer->setOffline(m_menus["mnuOffline"]->isChecked()); });
    const char *views[] = {"mnuPVLarge", "mnuPVSmall", "mnuPVList", "mnuPVDetails"};
    for (int v = 0; v < 4; ++v)
        on(views[v], [this, v] { setView(v); });
    // Commands whose windows this program does not have yet stay out of the menus.
    for (const char *name : {"mnuPrint", "mnuPProperties", "mnuFProperties", "mnuEditCut",
                             "mnuEditCopy", "mnuEditPaste", "mnuFind", "mnuSearch", "mnuPCut",
                             "mnuPCopy", "mnuPPaste", "mnuPPProperties", "mnuPFProperties"})
        m_menus[name]->setVisible(false);
    on("mnuCopy", [this] { m_viewer->txtPad()->copy(); });
    on("mnuSelectAll", [this] {
        m_viewer->txtPad()->setFocus();
        m_viewer->txtPad()->selectAll();
    });
}

void frmMDI::connectList()
{
    connect(m_list, &PageListView::itemClicked, this, [this] { lvwPages_ItemClick(); });
    connect(m_list, &PageListView::released, this,
            [this](int row, Qt::MouseButton button, const QPoint &at) {
                if (row < 0) {
                    showEmptySelection();
                    if (button == Qt::RightButton)
                        m_menus.mnuPage->popup(at);
                    return;
                }
                m_binder->CurIndex = row + 1;
                checkMenus();
                if (button == Qt::RightButton)
                    m_menus.mnuIcon->popup(at);
            });
    connect(m_list, &PageListView::contextKey, this, [this](const QPoint &at) {
        checkMenus();
        (m_list->selectedRow() < 0 ? m_menus.mnuPage : m_menus.mnuIcon)->popup(at);
    });
    connect(m_list, &PageListView::activated, this, [this] { editCurrentPage(); });
    connect(m_list, &PageListView::hovered, this, [this] { autoHideHover(true); });
    connect(m_viewer, &ViewerPane::hovered, this, [this] { autoHideHover(false); });
    connect(m_viewer, &ViewerPane::captionSuffixChanged, this, &frmMDI::setCaptionSuffix);
    connect(m_viewer, &ViewerPane::linkClicked, this, [this](const QUrl &url) {
        if (m_list->selectedRow() < 0)
            return;
        m_viewer->followLink(url);
        checkMenus();
        m_list->clearSelection();
    });
    connect(m_viewer, &ViewerPane::statusTextChanged, this,
            [this](const QString &text) { Q_EMIT statusText(5, text); });
    connect(m_splitter, &QSplitter::splitterMoved, this, &frmMDI::updatePaneLength);
    connect(m_viewer->txtPad(), &QWidget::customContextMenuRequested, this, [this] {
        m_menus["mnuCopy"]->setEnabled(m_viewer->txtPad()->textCursor().hasSelection());
        checkMenus();
        m_menus.mnuRTF->popup(QCursor::pos());
    });
    m_viewer->txtPad()->setContextMenuPolicy(Qt::CustomContextMenu);
}

void frmMDI::editCurrentPage()
{
    if (m_binder->CurIndex > 0)
        m_workspace.ui.editPage(*m_binder);
}

void frmMDI::checkMenus()
{
    m_workspace.ui.checkMenus(*m_binder);
}

void frmMDI::GetRTF()
{
    BusyScope busy(m_workspace.ui);
    m_viewer->clear();
    try {
        const PageDisplay display = preparePageDisplay(m_workspace, *m_binder);
        m_viewer->showPage(display, *m_binder);
    } catch (const std::exception &) {
        // A page whose data cannot be read shows what could be shown.
    }
    if (!m_binder->hasPage(0)) {
        m_list->clearSelection();
        return;
    }
    {
        const PageRow &row = m_binder->page(0);
        Q_EMIT statusText(1, QStringLiteral("Created: ") + row.created);
        Q_EMIT statusText(2, QStringLiteral("Modified: ") + row.modified);
        Q_EMIT statusText(3, QStringLiteral("Size: ") + GetSize(row.size));
        m_list->selectRow(m_binder->CurIndex - 1);
    }
}

void frmMDI::lvwPages_ItemClick()
{
    const int row = m_list->selectedRow();
    if (row < 0)
        return;
    m_binder->CurIndex = row + 1;
    GetRTF();
    checkMenus();
}

void frmMDI::showEmptySelection()
{
    if (m_binder->pageCount() > 0)
        m_list->clearSelection();
    m_binder->CurIndex = 0;
    clearPage();
    setCaptionSuffix(QString());
    checkMenus();
}

void frmMDI::clearPage()
{
    for (int panel : {1, 2, 3, 5})
        Q_EMIT statusText(panel, QString());
    m_viewer->clear();
    m_viewer->hideBoth();
}

void frmMDI::setCaptionSuffix(const QString &suffix)
{
    setWindowTitle(suffix.isEmpty() ? m_binder->WCaption
                                    : m_binder->WCaption + QStringLiteral(" - ") + suffix);
    Q_EMIT captionChanged();
}

void frmMDI::setView(int view)
{
    m_list->setView(view);
    m_binder->CF.write(QStringLiteral("LVView"), view);
}

int frmMDI::paneLengthPixels() const
{
    return toPixels(m_binder->PaneLength, this);
}

void frmMDI::SetPanePos()
{
    const int pos = m_binder->PanePos;
    if (pos < 0 || pos > 3)
        return;
    m_splitter->setOrientation(pos <= 1 ? Qt::Vertical : Qt::Horizontal);
    const bool listFirst = pos == 0 || pos == 2;
    m_splitter->insertWidget(listFirst ? 0 : 1, m_list);
    const int total = pos <= 1 ? m_splitter->height() : m_splitter->width();
    const int list = paneLengthPixels();
    const int viewer = qMax(1, total - list - m_splitter->handleWidth());
    m_splitter->setSizes(listFirst ? QList<int>{list, viewer} : QList<int>{viewer, list});
}

void frmMDI::updatePaneLength()
{
    const int index = m_splitter->indexOf(m_list);
    m_binder->PaneLength = toTwips(m_splitter->sizes().value(index), this);
}

void frmMDI::mnuSHPage_Click()
{
    m_menus["mnuSHPage"]->toggle();
}

int frmMDI::expandedPaneLength() const
{
    return Binder::paneLengthFor(m_binder->PanePos);
}

void frmMDI::applyAutoHide(bool on)
{
    m_binder->CF.write(QStringLiteral("AutoHide"), on ? "1" : "0");
    m_binder->PaneLength = on ? AutoHideLength : expandedPaneLength();
    SetPanePos();
}

void frmMDI::autoHideHover(bool overList)
{
    if (!m_menus["mnuSHPage"]->isChecked())
        return;
    const int length = overList ? expandedPaneLength() : AutoHideLength;
    if (m_binder->PaneLength == length)
        return;
    m_binder->PaneLength = length;
    SetPanePos();
}

void frmMDI::mnuSave_Click()
{
    SaveCommand(m_workspace, *m_binder);
    setCaptionSuffix(QString());
    checkMenus();
}

void frmMDI::mnuSA_Click()
{
    SaveAsCommand(m_workspace, *m_binder);
    setCaptionSuffix(QString());
    checkMenus();
}

bool frmMDI::confirmClose()
{
    m_workspace.ui.closeSplash();
    if (m_binder->Changed) {
        QString text = QStringLiteral("The Quillery file '") + m_binder->title() + u'\'';
        if (!m_binder->CurFile.isEmpty())
            text += QStringLiteral(" ('") + m_binder->CurFile + QStringLiteral("')");
        text += QStringLiteral(" has changed.  Do you want to save the changes?");
        const MsgResult answer = m_workspace.dialogs.message(
            MsgIcon::Question, MsgButtons::YesNoCancel, QStringLiteral("Save Changes"), text);
        if (answer == MsgResult::Cancel)
            return false;
        if (answer == MsgResult::Yes)
            SaveCommand(m_workspace, *m_binder);
        else
            m_binder->Changed = false;
        if (m_binder->Changed)
            return false;
    }
    if (!m_binder->ro && !m_binder->CurFile.isEmpty())
        removeCompanions(m_binder->CurFile);
    m_binder->OpenNum.release();
    return true;
}

void frmMDI::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    // The page list keeps its length; the viewer takes whatever the window gains or loses.
    SetPanePos();
}

void frmMDI::closeEvent(QCloseEvent *event)
{
    if (confirmClose()) {
        m_viewer->clear();
        event->accept();
    } else {
        event->ignore();
    }
}

} // namespace quillery
