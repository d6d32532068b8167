// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QDialog;
class QDialogButtonBox;
class QFormLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QWidget;

namespace quillery {

// A read-only box on a properties form, under its label and object name.
QLineEdit *addField(QFormLayout *form, const QString &label, const QString &name,
                    const QString &text);
// A frame "fraSource" holding text shown as it is stored, in a fixed-pitch box
// "rtfSource", which box is set to.
QGroupBox *sourceFrame(QWidget *parent, const QString &caption, const QString &text,
                       QPlainTextEdit *&box);
// OK ("cmdOK") and Cancel ("cmdCancel"); Cancel rejects the dialog, OK is the caller's.
QDialogButtonBox *okCancelButtons(QDialog *dialog);

// Gives the label a caption that came from a binder: its own "&" shown as they are, and
// an access key on its first letter that no other control of the window uses.
void setFreeAccessKey(QLabel *label, const QString &caption);

} // namespace quillery
