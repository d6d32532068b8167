// SPDX-License-Identifier: GPL-3.0-or-later
// The editor's menu bar. Edit and Format offer what the formatting toolbar does, through
// the toolbar's own buttons where they can, so each is enabled and checked in one place.
#include "editor/EditorWindow.h"

#include "editor/FormatToolbar.h"
#include "platform_ui/RichTextBox.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>

#include <tuple>

namespace quillery {

void EditorWindow::buildMenus(QMenuBar *bar)
{
    const auto add = [this](QMenu *menu, const char *name, const QString &caption,
                            const QKeySequence &shortcut, auto slot) {
        QAction *action = menu->addAction(caption);
        action->setObjectName(QString::fromLatin1(name));
        action->setShortcut(shortcut);
        connect(action, &QAction::triggered, this, slot);
        return action;
    };
    QMenu *file = bar->addMenu(tr("&File"));
    add(file, "mnuSaveQLY", tr("Save Page and Quillery"), QKeySequence(QStringLiteral("Ctrl+S")),
        &EditorWindow::savePageAndBinder);
    add(file, "mnuSave", tr("Save &and Exit"), Qt::Key_F2, &EditorWindow::saveAndClose);
    add(file, "mnuExit", tr("&Exit without Saving"), Qt::Key_F4, &EditorWindow::reject);

    QMenu *edit = bar->addMenu(tr("&Edit"));
    edit->setObjectName(QStringLiteral("mnuEdit"));
    QAction *undo = edit->addAction(tr("&Undo"), m_box, &QTextEdit::undo);
    undo->setObjectName(QStringLiteral("mnuUndo"));
    undo->setShortcut(QKeySequence::Undo);
    undo->setEnabled(false);
    connect(m_box, &QTextEdit::undoAvailable, undo, &QAction::setEnabled);
    QAction *redo = edit->addAction(tr("&Redo"), m_box, &QTextEdit::redo);
    redo->setObjectName(QStringLiteral("mnuRedo"));
    redo->setShortcuts(
        {QKeySequence(QStringLiteral("Ctrl+Y")), QKeySequence(QStringLiteral("Ctrl+Shift+Z"))});
    redo->setEnabled(false);
    connect(m_box, &QTextEdit::redoAvailable, redo, &QAction::setEnabled);
    edit->addSeparator();
    shareButton(edit, FormatToolbar::Cut, tr("Cu&t"), QKeySequence::Cut);
    shareButton(edit, FormatToolbar::Copy, tr("&Copy"), QKeySequence::Copy);
    // The Paste button carries the Paste Plain Text drop-down, which a menu would show as
    // a submenu; the menu has items of its own that follow the button.
    QAction *pasteButton = m_toolbar->button(FormatToolbar::Paste);
    QAction *paste = add(edit, "mnuPaste", tr("&Paste"), QKeySequence::Paste,
                         [this] { formatButtonClicked(FormatToolbar::Paste); });
    QAction *pastePlain = add(edit, "mnuPastePlain", tr("Paste Plain Te&xt"),
                              QKeySequence(QStringLiteral("Ctrl+Shift+V")),
                              [this] { formatMenuChosen(FormatToolbar::Paste, 1, QString()); });
    for (QAction *item : {paste, pastePlain}) {
        item->setEnabled(pasteButton->isEnabled());
        connect(pasteButton, &QAction::enabledChanged, item, &QAction::setEnabled);
    }
    edit->addSeparator();
    add(edit, "mnuSelectAll", tr("Select &All"), QKeySequence::SelectAll, [this] {
        m_box->setFocus();
        m_box->selectAll();
    });
    edit->addSeparator();

    m_format = bar->addMenu(tr("For&mat"));
    m_format->setObjectName(QStringLiteral("mnuFormat"));
    add(m_format, "mnuFont", tr("&Font"), QKeySequence(), [this] { focusCombo(m_font); });
    add(m_format, "mnuSize", tr("Font Si&ze"), QKeySequence(), [this] { focusCombo(m_size); });
    QMenu *colours = m_toolbar->buttonMenu(FormatToolbar::Colour);
    colours->setTitle(tr("C&olour"));
    m_format->addMenu(colours);
    m_format->addSeparator();
    // The box takes Ctrl+B, I and U itself, so the menu only shows them: they leave a mixed
    // selection as it is.
    const std::tuple<int, const char *, const char *> styles[] = {
        {FormatToolbar::Bold, QT_TR_NOOP("&Bold"), "Ctrl+B"},
        {FormatToolbar::Italic, QT_TR_NOOP("&Italic"), "Ctrl+I"},
        {FormatToolbar::Underline, QT_TR_NOOP("&Underline"), "Ctrl+U"}};
    for (const auto &[button, caption, keys] : styles)
        shareButton(m_format, button, tr(caption), QKeySequence(QString::fromLatin1(keys)))
            ->setShortcutContext(Qt::WidgetShortcut);
    shareButton(m_format, FormatToolbar::Strikeout, tr("Stri&keout"), QKeySequence());
    m_format->addSeparator();
    shareButton(m_format, FormatToolbar::AlignLeft, tr("Align &Left"), QKeySequence());
    shareButton(m_format, FormatToolbar::Centre, tr("&Centre"), QKeySequence());
    shareButton(m_format, FormatToolbar::AlignRight, tr("Align &Right"), QKeySequence());
    m_format->addSeparator();
    shareButton(m_format, FormatToolbar::Bullet, tr("Bulle&ts"), QKeySequence());

    m_options = bar->addMenu(tr("&Options"));
    m_options->setObjectName(QStringLiteral("mnuOptions"));
    add(m_options, "mnuColour", tr("&Background Colour..."), Qt::Key_F6,
        &EditorWindow::chooseBackColour);
    add(m_options, "mnuDefColour", tr("&Default Background Colour"), Qt::Key_F7, [this] {
        m_box->setBackColour(SystemWindowBackground);
        followChange();
    });
    m_options->addSeparator()->setObjectName(QStringLiteral("div2"));
    add(m_options, "mnuDefaultRTF", tr("&Apply Default Rich Text Format"), Qt::Key_F8,
        &EditorWindow::applyDefaultRichFormat);

    QMenu *tools = bar->addMenu(tr("&Tools"));
    tools->setObjectName(QStringLiteral("mnuTools"));
    QAction *find = add(tools, "mnuFind", tr("&Find and Replace..."),
                        QKeySequence(QStringLiteral("Ctrl+F")), &EditorWindow::showReplace);
    QAction *findNext =
        add(tools, "mnuFNext", tr("Find &Next"), Qt::Key_F3, &EditorWindow::findNext);
    findNext->setEnabled(false);
    tools->addSeparator()->setObjectName(QStringLiteral("div1"));
    add(tools, "mnuTime", tr("&Insert Time and Date"), Qt::Key_F5,
        &EditorWindow::insertTimeAndDate);
    edit->addActions({find, findNext});
}

QAction *EditorWindow::shareButton(QMenu *menu, int button, const QString &caption,
                                   const QKeySequence &shortcut)
{
    QAction *action = m_toolbar->button(button);
    // The toolbar shows the button's tooltip, the menu its caption.
    action->setText(caption);
    action->setShortcut(shortcut);
    menu->addAction(action);
    return action;
}

void EditorWindow::focusCombo(QComboBox *combo)
{
    combo->setFocus(Qt::ShortcutFocusReason);
    combo->lineEdit()->selectAll();
}

} // namespace quillery
