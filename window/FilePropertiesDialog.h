// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QLineEdit;
class QPlainTextEdit;

namespace quillery {

class Binder;

// The binder's properties: its title (the one thing that can be changed), page count,
// author, file details and its records as text, without the password.
class FilePropertiesDialog : public QDialog
{
    Q_OBJECT
public:
    explicit FilePropertiesDialog(Binder &binder, QWidget *parent = nullptr);

    QLineEdit *txtTitle;
    QLineEdit *txtPages;
    QLineEdit *txtFilename;
    QPlainTextEdit *rtfSource;

    // Applies what the dialog shows, then closes it.
    void accept() override;

private:
    Binder &m_binder;
};

} // namespace quillery
