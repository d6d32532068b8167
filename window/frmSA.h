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
class BinderUi;
class Dialogs;

// Search All: lists every text page of a binder whose stored data holds a text, and
// shows the page the user picks in the binder window behind the dialog.
class frmSA : public QDialog
{
    Q_OBJECT
public:
    struct Hooks
    {
        std::function<void(int position)> showPage; // makes the page current and shows it
        std::function<void()> findOnPage;           // the binder window's Find
    };

    frmSA(Dialogs &dialogs, BinderUi &ui, const Binder &binder, Hooks hooks,
          const QVector<int> &columnWidths, QWidget *parent = nullptr);

    void cmdSA_Click();

    QLineEdit *txtSA;
    QCheckBox *chkCase;
    QPushButton *cmdSA;
    QPushButton *cmdFind;
    QPushButton *cmdClose;
    QTreeWidget *lvSA;

private:
    void addResult(int position);
    void lvSA_ItemClick(QTreeWidgetItem *item);

    Dialogs &m_dialogs;
    BinderUi &m_ui;
    const Binder &m_binder;
    Hooks m_hooks;
};

} // namespace quillery
