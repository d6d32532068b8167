// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Colours.h"

#include <QDialog>

class QLineEdit;
class QPlainTextEdit;

namespace quillery {

class Binder;
class RichTextBox;
class Workspace;

// The properties of one page: its name and comments can be changed, and a rich text
// page's background colour, which the text pane shows at once and Cancel takes back.
class PagePropertiesDialog : public QDialog
{
    Q_OBJECT
public:
    PagePropertiesDialog(Workspace &workspace, Binder &binder, int position, RichTextBox &pane,
                         QWidget *parent = nullptr);

    QLineEdit *txtPage;
    QLineEdit *txtComments;
    QLineEdit *txtColour = nullptr; // rich text pages only: the colour's name
    QPlainTextEdit *rtfSource = nullptr;

    void chooseColour();
    void resetColour();
    // Applies what the dialog shows, then closes it.
    void accept() override;

    // The page's colour value as it will be stored.
    QString colourValue() const { return m_colour; }

private:
    void showColour(const QString &stored);
    void setColour(ColourCode colour);

    Workspace &m_workspace;
    Binder &m_binder;
    int m_position;
    RichTextBox &m_pane;
    ColourCode m_shownColour;
    QString m_colour;
};

} // namespace quillery
