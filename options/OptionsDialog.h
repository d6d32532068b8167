// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "options/FormatTable.h"

#include <QDialog>

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabBar;
class QTabWidget;
class QTreeWidget;
class QTreeWidgetItem;

namespace quillery {

class Binder;
class RichTextBox;
class Settings;
class Workspace;

// The Options dialog: the binder's default text formats, pane position and comments
// column, and the user's default document folder, whether deleting pages asks first and
// the page editing associations. All edits stay in the dialog until OK; Cancel writes
// nothing. What OK changes in the binder is one step of its history.
class OptionsDialog : public QDialog
{
    Q_OBJECT
public:
    // Opens on the associations tab when workspace.editMode asks for it, and resets it.
    OptionsDialog(Workspace &workspace, Settings &settings, Binder &binder,
                  QWidget *parent = nullptr);

    // Applies what the dialog shows, then closes it.
    void accept() override;

private:
    void buildGeneralTab(QWidget *page);
    void buildAssociationsTab(QWidget *page);
    QGroupBox *buildRemoteContent(QWidget *page);
    void load();

    int base() const;
    void showFormat();
    void formatTouched();
    void setAlignment(int alignment);
    void chooseFont();
    void chooseColour(int offset);
    void setSystemColour(int offset, qint32 code);
    void resetFormats();
    void chooseDefaultFolder();

    QTreeWidgetItem *addRow(const QString &label, const QString &editor);
    int selectedRow() const;
    void showSelectedAssociation();
    void setRowEditor(const QString &editor);
    void setProgramControlsEnabled(bool enabled);
    void programTextChanged();
    void chooseProgram();
    void chooseStartFolder();
    void addExtension();
    void removeExtension();
    void rowRenamed(QTreeWidgetItem *item, int column);

    Workspace &m_workspace;
    Settings &m_settings;
    Binder &m_binder;
    FormatTable m_table;
    int m_panePos = 0;
    bool m_binderChanged = false;
    bool m_loaded = false;
    bool m_updating = false; // the dialog itself is filling controls

    QTabWidget *tabMain;
    QTabBar *tabFormats;
    RichTextBox *txtSample;
    QRadioButton *optLeft;
    QRadioButton *optRight;
    QRadioButton *optCentre;
    QButtonGroup *optPos;
    QButtonGroup *optRemote;
    QLineEdit *txtComments;
    QLineEdit *txtDefDocFol;
    QCheckBox *chkConfirmDelete;
    QTreeWidget *lvExts;
    QPushButton *cmdRemove;
    QRadioButton *optRTF;
    QRadioButton *optTXT;
    QRadioButton *optDefault;
    QRadioButton *optEXE;
    QLineEdit *txtEXE;
    QPushButton *cmdEXE;
    QLabel *lblEXESI;
    QLineEdit *txtEXESI;
    QPushButton *cmdEXESI;
};

} // namespace quillery
