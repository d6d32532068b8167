// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/EditorWindow.h"

#include "documents/Interaction.h"
#include "documents/Workspace.h"
#include "editor/EditorBinder.h"
#include "editor/EditorRecovery.h"
#include "editor/FormatToolbar.h"
#include "editor/ReplaceDialog.h"
#include "platform/Colours.h"
#include "platform/Dialogs.h"
#include "platform/FileError.h"
#include "platform/PlainText.h"
#include "platform/Settings.h"
#include "platform_ui/RichTextBox.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDateTime>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>
#include <QMenuBar>
#include <QMimeData>
#include <QTextCursor>
#include <QTextDocument>
#include <QVBoxLayout>

namespace quillery {

namespace {

const QString PlacementKey = QStringLiteral("EditorPlacement");
// Half an inch, the indent of a bulleted paragraph.
constexpr int BulletIndent = 720;
// The largest size RTF can carry (half-points in 16 bits).
constexpr double MaxFontSize = 1638;

// Makes the edits made while it lives one undo step.
class UndoStep
{
public:
    enum Kind { New, JoinPrevious };
    UndoStep(QTextDocument *doc, Kind kind = New) : m_cursor(doc)
    {
        if (kind == JoinPrevious)
            m_cursor.joinPreviousEditBlock();
        else
            m_cursor.beginEditBlock();
    }
    ~UndoStep() { m_cursor.endEditBlock(); }
    UndoStep(const UndoStep &) = delete;
    UndoStep &operator=(const UndoStep &) = delete;

private:
    QTextCursor m_cursor;
};

std::optional<double> sizeFromText(const QString &text)
{
    bool ok = false;
    double size = QLocale().toDouble(text.trimmed(), &ok);
    if (!ok)
        size = text.trimmed().toDouble(&ok);
    if (!ok || size < 1 || size > MaxFontSize)
        return std::nullopt;
    return size;
}

bool isEnter(int key)
{
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

} // namespace

EditorWindow::EditorWindow(Workspace &workspace, Binder &binder, int position, Settings *settings,
                           QWidget *parent)
    : QDialog(parent), m_workspace(workspace), m_binder(binder), m_settings(settings),
      m_position(position), m_rich(workspace.editMode == EditMode::Rich),
      m_box(new RichTextBox(this)), m_unsaved(new UnsavedPageText(position, *m_box, m_rich)),
      m_toolbar(new FormatToolbar(this)), m_combos(new QWidget(this)),
      m_font(new QComboBox(m_combos)), m_size(new QComboBox(m_combos))
{
    setObjectName(QStringLiteral("EditorWindow"));
    setWindowFlags(windowFlags() | Qt::WindowMinMaxButtonsHint);
    m_box->setObjectName(QStringLiteral("rtfEdit"));
    m_font->setObjectName(QStringLiteral("cmbFont"));
    m_size->setObjectName(QStringLiteral("cmbSize"));

    auto *bar = new QMenuBar(this);
    buildMenus(bar);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->setMenuBar(bar);
    layout->addWidget(m_toolbar);
    auto *comboRow = new QHBoxLayout(m_combos);
    comboRow->setContentsMargins(4, 0, 4, 2);
    comboRow->addWidget(m_font);
    comboRow->addWidget(m_size);
    comboRow->addStretch();
    layout->addWidget(m_combos);
    layout->addWidget(m_box, 1);

    for (QComboBox *combo : {m_font, m_size}) {
        combo->setEditable(true);
        combo->setInsertPolicy(QComboBox::NoInsert);
        combo->installEventFilter(this);
        combo->lineEdit()->installEventFilter(this);
    }
    // A combo box is named by its value on Linux; the field typed into says what it is.
    m_font->lineEdit()->setAccessibleName(tr("Font"));
    m_size->lineEdit()->setAccessibleName(tr("Font size"));
    m_font->setToolTip(tr("Font"));
    m_font->setMinimumContentsLength(24);
    m_size->setToolTip(tr("Font Size"));
    for (int size : {8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 36, 48, 72})
        m_size->addItem(QString::number(size));
    m_size->setMinimumContentsLength(4);

    connect(m_toolbar, &FormatToolbar::buttonClicked, this, &EditorWindow::formatButtonClicked);
    connect(m_toolbar, &FormatToolbar::menuEntryChosen, this, &EditorWindow::formatMenuChosen);
    connect(m_font, &QComboBox::activated, this, &EditorWindow::applyFont);
    connect(m_size, &QComboBox::activated, this, &EditorWindow::applySize);
    connect(m_box, &QTextEdit::textChanged, this, &EditorWindow::followTextChange);
    connect(m_box, &QTextEdit::cursorPositionChanged, this, &EditorWindow::updateToolbar);
    connect(m_box, &QTextEdit::selectionChanged, this, &EditorWindow::updateToolbar);
    connect(m_box, &RichTextBox::focusGained, this, &EditorWindow::updateToolbar);
    connect(m_box, &RichTextBox::keyPressed, this, &EditorWindow::applyFormatShortcut);
    QClipboard *clipboard = QGuiApplication::clipboard();
    const auto readClipboard = [this, clipboard] {
        const QMimeData *data = clipboard->mimeData();
        m_clipboardHasText = data && data->hasText();
        m_toolbar->button(FormatToolbar::Paste)->setEnabled(m_clipboardHasText);
    };
    connect(clipboard, &QClipboard::dataChanged, this, readClipboard);
    readClipboard();

    load(position);
    // Undoing back to the loaded text emits no textChanged when only formatting was undone.
    connect(m_box->document(), &QTextDocument::modificationChanged, this,
            &EditorWindow::followChange);
    resize(800, 600);
    if (m_settings)
        restoreGeometry(
            QByteArray::fromBase64(m_settings->value(Settings::Main, PlacementKey).toLatin1()));
    m_box->setFocus();
}

EditorWindow::~EditorWindow()
{
    m_unsaved->follow(m_binder, false);
}

QAction *EditorWindow::menuItem(const char *name) const
{
    return findChild<QAction *>(QString::fromLatin1(name));
}

void EditorWindow::load(int position)
{
    const PageToEdit page = loadPageToEdit(m_binder, position);
    QString caption;
    if (m_rich) {
        caption = tr("Rich Text Editor for '");
        m_font->addItems(QFontDatabase::families());
        m_box->setBackColour(page.backColour);
        if (page.empty)
            applyDefaultFormat(*m_box, m_binder, QStringLiteral("RTF"));
        m_box->setRtf(page.data);
        setTextColour(SystemWindowText);
    } else {
        caption =
            page.kind == PageKind::HTML ? tr("HTML Editor for '") : tr("Plain Text Editor for '");
        m_toolbar->hide();
        m_combos->hide();
        for (QMenu *menu : {m_format, m_options}) {
            menu->menuAction()->setVisible(false);
            for (QAction *action : menu->actions())
                action->setEnabled(false);
        }
        m_box->setAcceptRichText(false);
        applyDefaultFormat(*m_box, m_binder, QStringLiteral("TXT"));
        m_box->setText(decodePlainText(page.data));
    }
    m_title = page.title;
    m_box->setAccessibleName(tr("Text of %1").arg(page.title));
    setWindowTitle(caption + page.title + QStringLiteral("'[*]"));
    m_box->setSelectionStart(0);
    m_lastLength = m_box->textLength();
    // Loading is no step to undo: undoing everything gives the page as it is stored.
    m_box->document()->clearUndoRedoStacks();
    markUnchanged();
    m_workspace.pageEditorOpen = true;
    updateToolbar();
}

bool EditorWindow::changed() const
{
    return m_box->document()->isModified() || m_box->backColour() != m_savedBackColour;
}

void EditorWindow::markUnchanged()
{
    m_box->document()->setModified(false);
    m_savedBackColour = m_box->backColour();
    followChange();
}

void EditorWindow::followChange()
{
    const bool now = changed();
    setWindowModified(now);
    m_unsaved->follow(m_binder, now);
}

void EditorWindow::updateToolbar()
{
    // Setting a combo's text repaints it, which typing must not pay for at every key.
    const auto show = [](QComboBox *combo, const QString &text) {
        if (combo->currentText() != text)
            combo->setEditText(text);
    };
    if (const auto name = m_box->selectionFontName())
        show(m_font, *name);
    if (const auto size = m_box->selectionFontSize())
        show(m_size, QString::number(*size));
    const bool selected = m_box->selectionLength() != 0;
    m_toolbar->button(FormatToolbar::Cut)->setEnabled(selected);
    m_toolbar->button(FormatToolbar::Copy)->setEnabled(selected);
    m_toolbar->button(FormatToolbar::Paste)->setEnabled(m_clipboardHasText);
    const std::pair<std::optional<bool>, int> styles[] = {
        {m_box->selectionBold(), FormatToolbar::Bold},
        {m_box->selectionItalic(), FormatToolbar::Italic},
        {m_box->selectionUnderline(), FormatToolbar::Underline},
        {m_box->selectionStrikeOut(), FormatToolbar::Strikeout},
        {m_box->selectionBullet(), FormatToolbar::Bullet},
    };
    for (const auto &[value, button] : styles) {
        if (value)
            m_toolbar->button(button)->setChecked(*value);
    }
    if (const auto alignment = m_box->selectionAlignment()) {
        m_toolbar->button(FormatToolbar::AlignLeft)
            ->setChecked(*alignment == RichTextBox::AlignLeft);
        m_toolbar->button(FormatToolbar::Centre)
            ->setChecked(*alignment == RichTextBox::AlignCentre);
        m_toolbar->button(FormatToolbar::AlignRight)
            ->setChecked(*alignment == RichTextBox::AlignRight);
    }
}

void EditorWindow::followTextChange()
{
    if (m_reformatting)
        return;
    followChange();
    if (m_rich)
        return;
    // Plain text keeps one format: an insertion of more than two characters (a paste)
    // brought its own, and so may the first character typed into an empty box.
    const int length = m_box->textLength();
    if (length > m_lastLength + 2 || length < 2) {
        m_reformatting = true;
        const int caret = m_box->selectionStart();
        {
            UndoStep step(m_box->document(), UndoStep::JoinPrevious);
            applyDefaultFormat(*m_box, m_binder, QStringLiteral("TXT"));
        }
        m_box->setSelectionStart(length < 2 ? 1 : caret);
        m_reformatting = false;
    }
    m_lastLength = length;
}

void EditorWindow::applyFormatShortcut(int key, Qt::KeyboardModifiers modifiers)
{
    if (!m_rich || (modifiers & ~Qt::KeypadModifier) != Qt::ControlModifier)
        return;
    if (key == Qt::Key_B) {
        if (const auto bold = m_box->selectionBold()) {
            m_toolbar->button(FormatToolbar::Bold)->setChecked(!*bold);
            m_box->setSelectionBold(!*bold);
        }
    } else if (key == Qt::Key_I) {
        if (const auto italic = m_box->selectionItalic()) {
            m_toolbar->button(FormatToolbar::Italic)->setChecked(!*italic);
            m_box->setSelectionItalic(!*italic);
        }
    } else if (key == Qt::Key_U) {
        if (const auto underline = m_box->selectionUnderline()) {
            m_toolbar->button(FormatToolbar::Underline)->setChecked(!*underline);
            m_box->setSelectionUnderline(!*underline);
        }
    }
}

void EditorWindow::formatButtonClicked(int index)
{
    m_box->setFocus();
    for (int b : {FormatToolbar::AlignLeft, FormatToolbar::Centre, FormatToolbar::AlignRight})
        m_toolbar->button(b)->setChecked(false);
    const bool on = m_toolbar->button(index)->isChecked();
    switch (index) {
    case FormatToolbar::Cut:
        m_box->cut();
        break;
    case FormatToolbar::Copy:
        m_box->copy();
        break;
    case FormatToolbar::Paste:
        m_box->paste();
        break;
    case FormatToolbar::Bold:
        m_box->setSelectionBold(on);
        break;
    case FormatToolbar::Italic:
        m_box->setSelectionItalic(on);
        break;
    case FormatToolbar::Underline:
        m_box->setSelectionUnderline(on);
        break;
    case FormatToolbar::Strikeout:
        m_box->setSelectionStrikeOut(on);
        break;
    case FormatToolbar::Colour:
        m_box->setSelectionColour(m_textColour);
        break;
    case FormatToolbar::AlignLeft:
        m_box->setSelectionAlignment(RichTextBox::AlignLeft);
        break;
    case FormatToolbar::Centre:
        m_box->setSelectionAlignment(RichTextBox::AlignCentre);
        break;
    case FormatToolbar::AlignRight:
        m_box->setSelectionAlignment(RichTextBox::AlignRight);
        break;
    case FormatToolbar::Bullet: {
        UndoStep step(m_box->document());
        m_box->setSelectionBullet(on);
        m_box->setSelectionIndent(on ? BulletIndent : 0);
        break;
    }
    case FormatToolbar::FindReplace:
        showReplace();
        break;
    default:
        break;
    }
    updateToolbar();
}

void EditorWindow::formatMenuChosen(int index, int entry, const QString &text)
{
    if (index == FormatToolbar::Paste) {
        m_box->setSelectedText(QGuiApplication::clipboard()->text());
    } else if (index == FormatToolbar::Colour) {
        std::optional<ColourCode> colour;
        if (entry == FormatToolbar::AutomaticEntry) {
            colour = SystemWindowText;
        } else if (entry == FormatToolbar::OtherEntry) {
            if (const auto chosen =
                    m_workspace.dialogs.colour(colourFromCode(m_textColour, m_box->palette())))
                colour = codeFromColour(*chosen);
        } else {
            colour = basicColourFromName(text);
        }
        if (!colour)
            return;
        m_box->setSelectionColour(*colour);
        setTextColour(*colour);
        updateToolbar();
    }
    followChange();
}

void EditorWindow::setTextColour(ColourCode colour)
{
    m_textColour = colour;
    m_toolbar->setColourTip(colour);
}

void EditorWindow::applyFont()
{
    const QString name = m_font->currentText().trimmed();
    if (!name.isEmpty())
        m_box->setSelectionFontName(name);
    m_box->setFocus();
    followChange();
}

void EditorWindow::applySize()
{
    if (const auto size = sizeFromText(m_size->currentText()))
        m_box->setSelectionFontSize(*size);
    m_box->setFocus();
    followChange();
}

// A size that is not a number, or not a size a font can have, gives way to the
// selection's size before the next key goes in.
void EditorWindow::checkSizeText()
{
    if (sizeFromText(m_size->currentText()))
        return;
    const auto size = m_box->selectionFontSize();
    m_size->setEditText(size ? QString::number(*size) : QString());
}

bool EditorWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return QDialog::eventFilter(watched, event);
    const int key = static_cast<QKeyEvent *>(event)->key();
    if (watched == m_size || watched == m_size->lineEdit()) {
        checkSizeText();
        if (isEnter(key)) {
            applySize();
            return true;
        }
    } else if ((watched == m_font || watched == m_font->lineEdit()) && isEnter(key)) {
        applyFont();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void EditorWindow::keyPressEvent(QKeyEvent *event)
{
    // Escape does not close an editor; its File menu does.
    if (event->key() == Qt::Key_Escape)
        return;
    QDialog::keyPressEvent(event);
}

ReplaceDialog &EditorWindow::replaceDialog()
{
    if (!m_replace) {
        m_replace = new ReplaceDialog(*m_box, m_workspace.dialogs, this);
        connect(m_replace, &ReplaceDialog::searched, this,
                [this] { menuItem("mnuFNext")->setEnabled(true); });
    }
    return *m_replace;
}

void EditorWindow::showReplace()
{
    ReplaceDialog &dialog = replaceDialog();
    dialog.selectTexts();
    dialog.exec();
}

void EditorWindow::findNext()
{
    replaceDialog().findNext();
}

bool EditorWindow::savePage()
{
    BusyScope busy(m_workspace.ui);
    const EditedPage page = pageAsStored(m_position, *m_box, m_rich);
    try {
        storeEditedPage(m_workspace, m_binder, m_position, page.bytes, page.colour);
    } catch (const FileError &error) {
        m_workspace.dialogs.message(MsgIcon::Critical, MsgButtons::Ok, tr("Save Error"),
                                    tr("An error occurred when attempting to save the page '") +
                                        m_title + QStringLiteral("' - ") + error.description() +
                                        QStringLiteral(", ") + QString::number(error.number()));
        return false;
    }
    markUnchanged();
    return true;
}

void EditorWindow::savePageAndBinder()
{
    if (savePage())
        saveEditedBinder(m_workspace, m_binder);
}

void EditorWindow::saveAndClose()
{
    if (savePage())
        closeEditor();
}

void EditorWindow::chooseBackColour()
{
    const auto chosen = m_workspace.dialogs.colour(colourFromCode(m_box->backColour()));
    if (!chosen)
        return;
    m_box->setBackColour(codeFromColour(*chosen));
    followChange();
}

void EditorWindow::applyDefaultRichFormat()
{
    if (m_workspace.dialogs.message(MsgIcon::Question, MsgButtons::YesNo,
                                    tr("Apply Default Rich Text Format"),
                                    tr("Discard all formatting and apply default rich "
                                       "text format?")) != MsgResult::Yes)
        return;
    {
        UndoStep step(m_box->document());
        applyDefaultFormat(*m_box, m_binder, QStringLiteral("RTF"));
    }
    m_box->setSelectionStart(0);
}

void EditorWindow::insertTimeAndDate()
{
    const QLocale locale = QLocale::system();
    const QDateTime now = QDateTime::currentDateTime();
    m_box->setSelectedText(locale.toString(now.time(), locale.timeFormat(QLocale::LongFormat)) +
                           u' ' + locale.toString(now.date(), QLocale::ShortFormat));
}

bool EditorWindow::confirmClose()
{
    if (!changed())
        return true;
    switch (m_workspace.dialogs.message(MsgIcon::Question, MsgButtons::YesNoCancel,
                                        tr("Page Editor"),
                                        tr("Do you want to save the changes you "
                                           "made?"))) {
    case MsgResult::Yes:
        return savePage();
    case MsgResult::No:
        markUnchanged();
        return true;
    default:
        return false;
    }
}

void EditorWindow::reject()
{
    if (confirmClose())
        closeEditor();
}

void EditorWindow::closeEditor()
{
    if (m_replace)
        m_replace->hide();
    QDialog::reject();
}

void EditorWindow::done(int result)
{
    if (m_settings)
        m_settings->setValue(Settings::Main, PlacementKey,
                             QString::fromLatin1(saveGeometry().toBase64()));
    m_workspace.pageEditorOpen = false;
    QDialog::done(result);
}

} // namespace quillery
