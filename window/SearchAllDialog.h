// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QVector>

#include <functional>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace quillery {

class Binder;
class Interaction;
class Dialogs;
class Settings;

// Search All: lists every text page of a binder whose stored data holds a text (or, when
// asked, whose shown text does), and makes the page the user picks current, which the
// binder window behind it then shows. The choice of stored or shown text is remembered.
class SearchAllDialog : public QDialog
{
    Q_OBJECT
public:
    // findOnPage is the binder window's Find.
    SearchAllDialog(Dialogs &dialogs, Interaction &ui, Binder &binder, Settings &settings,
                    std::function<void()> findOnPage, const QVector<int> &columnWidths,
                    QWidget *parent = nullptr);

    void search();

    QLineEdit *txtSA;
    QCheckBox *chkCase;
    QCheckBox *chkShown;
    QPushButton *cmdSA;
    QPushButton *cmdFind;
    QPushButton *cmdClose;
    QTreeWidget *lvSA;

private:
    void addResult(int position);
    void showResult(QTreeWidgetItem *item);

    Dialogs &m_dialogs;
    Interaction &m_ui;
    Binder &m_binder;
    Settings &m_settings;
    std::function<void()> m_findOnPage;
};

} // namespace quillery
