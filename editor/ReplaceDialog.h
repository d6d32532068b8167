// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace quillery {

class Dialogs;
class RichTextBox;

// The editor's find and replace dialog. It always works on the editor's text box; closing
// only hides it, so its texts and the case option last as long as the editor.
class ReplaceDialog : public QDialog
{
    Q_OBJECT
public:
    ReplaceDialog(RichTextBox &box, Dialogs &dialogs, QWidget *parent = nullptr);

    // Selects the next occurrence after the start of the selection (or the caret) and
    // returns its start; -1 after telling the user the search is done.
    int findNext();
    void replace();
    void replaceAll();
    void dismiss();

    QLineEdit *txtFind() const { return m_find; }
    QLineEdit *txtReplace() const { return m_replace; }
    QCheckBox *chkCase() const { return m_case; }
    // Selects the whole of both texts, as the dialog opens from the editor.
    void selectTexts();

Q_SIGNALS:
    // A search ran, so Find Next has something to repeat.
    void searched();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool matchCase() const;
    bool selectionMatches() const;
    void finished();

    RichTextBox &m_box;
    Dialogs &m_dialogs;
    QLineEdit *m_find;
    QLineEdit *m_replace;
    QCheckBox *m_case;
    QPushButton *m_cmdFind;
    QPushButton *m_cmdReplace;
    QPushButton *m_cmdAll;
};

} // namespace quillery
