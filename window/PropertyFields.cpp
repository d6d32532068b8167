// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/PropertyFields.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace quillery {

QLineEdit *addField(QFormLayout *form, const QString &label, const QString &name,
                    const QString &text)
{
    auto *box = new QLineEdit(text, form->parentWidget());
    box->setObjectName(name);
    box->setReadOnly(true);
    form->addRow(label, box);
    return box;
}

QGroupBox *sourceFrame(QWidget *parent, const QString &caption, const QString &text,
                       QPlainTextEdit *&box)
{
    auto *frame = new QGroupBox(caption, parent);
    frame->setObjectName(QStringLiteral("fraSource"));
    box = new QPlainTextEdit(text, frame);
    box->setObjectName(QStringLiteral("rtfSource"));
    box->setReadOnly(true);
    box->setLineWrapMode(QPlainTextEdit::NoWrap);
    box->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    (new QVBoxLayout(frame))->addWidget(box);
    return frame;
}

QDialogButtonBox *okCancelButtons(QDialog *dialog)
{
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("cmdOK"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("cmdCancel"));
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return buttons;
}

} // namespace quillery
