// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/PropertyFields.h"

#include "platform_ui/QtDialogs.h"

#include <QCoreApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
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
    // Named here, not by the desktop's theme, whose access keys could take the fields'.
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("cmdOK"));
    buttons->button(QDialogButtonBox::Cancel)
        ->setText(QCoreApplication::translate("PropertyFields", "Cancel"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("cmdCancel"));
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return buttons;
}

void setFreeAccessKey(QLabel *label, const QString &caption)
{
    QString taken;
    for (const QObject *control : label->window()->findChildren<QObject *>()) {
        if (const auto *other = qobject_cast<const QLabel *>(control))
            taken += accessKey(other->text());
        else if (const auto *button = qobject_cast<const QAbstractButton *>(control))
            taken += accessKey(button->text());
        else if (const auto *frame = qobject_cast<const QGroupBox *>(control))
            taken += accessKey(frame->title());
    }
    QString text = caption;
    text.replace(u'&', QStringLiteral("&&"));
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i).isLetterOrNumber() && !taken.contains(text.at(i).toLower())) {
            text.insert(i, u'&');
            break;
        }
        if (text.at(i) == u'&')
            ++i; // the second of an escaped pair
    }
    label->setText(text);
}

} // namespace quillery
