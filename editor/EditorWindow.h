// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Colours.h"

#include <QDialog>

class QComboBox;
class QKeySequence;
class QMenu;
class QMenuBar;

namespace quillery {

class Binder;
class FormatToolbar;
class RichTextBox;
class Settings;
class UnsavedPageText;
class Workspace;
class ReplaceDialog;

// The built-in editor of one text page, in rich mode (EditMode::Rich) with the
// formatting toolbar, or in plain mode where the whole text keeps the binder's plain
// text format. It edits its own copy of the page and writes it back only on savePage.
class EditorWindow : public QDialog
{
    Q_OBJECT
public:
    // Loads the page at the 1-based position; throws FileError when its data cannot be
    // read. settings, when given, keeps the window's size and position.
    EditorWindow(Workspace &workspace, Binder &binder, int position, Settings *settings,
                 QWidget *parent = nullptr);
    ~EditorWindow() override;

    // Writes the text back as the page's new content; false, with the editor unchanged,
    // when it cannot be written.
    bool savePage();
    // Brings the combos and the toolbar into line with the selection.
    void updateToolbar();

    // The text or the background differs from what the page holds: edits undone count
    // as none.
    bool changed() const;
    RichTextBox *textBox() const { return m_box; }
    FormatToolbar *formatToolbar() const { return m_toolbar; }
    QComboBox *sizeBox() const { return m_size; }
    QAction *menuItem(const char *name) const;
    // The find and replace dialog, made on first use.
    ReplaceDialog &replaceDialog();

protected:
    void reject() override;
    void done(int result) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildMenus(QMenuBar *bar);
    // Puts the toolbar's button into the menu under a caption of its own.
    QAction *shareButton(QMenu *menu, int button, const QString &caption,
                         const QKeySequence &shortcut);
    void focusCombo(QComboBox *combo);
    void load(int position);
    // What the box holds now counts as the page's content (loaded, saved or discarded).
    void markUnchanged();
    // Shows whether there are changes and lets the recovery snapshot keep them.
    void followChange();
    bool confirmClose();
    void closeEditor();
    void followTextChange();
    void applyFormatShortcut(int key, Qt::KeyboardModifiers modifiers);
    void formatButtonClicked(int index);
    void formatMenuChosen(int index, int entry, const QString &text);
    void setTextColour(ColourCode colour);
    void applyFont();
    void applySize();
    void checkSizeText();
    void showReplace();
    void savePageAndBinder();
    void saveAndClose();
    void chooseBackColour();
    void applyDefaultRichFormat();
    void insertTimeAndDate();
    void findNext();

    Workspace &m_workspace;
    Binder &m_binder;
    Settings *m_settings;
    const int m_position;
    const bool m_rich;
    RichTextBox *m_box;
    UnsavedPageText *m_unsaved;
    FormatToolbar *m_toolbar;
    QWidget *m_combos;
    QComboBox *m_font;
    QComboBox *m_size;
    QString m_title;
    QMenu *m_format = nullptr;
    QMenu *m_options = nullptr;
    ReplaceDialog *m_replace = nullptr;
    ColourCode m_savedBackColour = SystemWindowBackground;
    bool m_reformatting = false;
    bool m_clipboardHasText = false;
    ColourCode m_textColour = SystemWindowText;
    int m_lastLength = 0;
};

} // namespace quillery
