// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace quillery {

class Dialogs;
class RichTextBox;

// Finds the next occurrence of a text in the page shown in the text pane and selects it.
// It stays open, so each press of Find Next goes on from the last occurrence found.
class FindDialog : public QDialog
{
    Q_OBJECT
public:
    FindDialog(Dialogs &dialogs, RichTextBox &pane, QWidget *parent = nullptr);

    // Selects the next occurrence in r and returns where it starts; at the end, says so
    // when FindMode is set and goes back to the top, returning -1.
    int findNext(bool announceEnd, RichTextBox &box);

    QLineEdit *txtFind;
    QCheckBox *chkCase;
    QPushButton *cmdFind;
    QPushButton *cmdCancel;

private:
    Dialogs &m_dialogs;
    RichTextBox &m_pane;
};

} // namespace quillery
