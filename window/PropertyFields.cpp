#include "window/PropertyFields.h"

#include <QFontDatabase>
#include <QFormLayout>
#include <QLineEdit>
#include <QPlainTextEdit>

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

QPlainTextEdit *sourceBox(QWidget *parent, const QString &text)
{
    auto *box = new QPlainTextEdit(text, parent);
    box->setObjectName(QStringLiteral("rtfSource"));
    box->setReadOnly(true);
    box->setLineWrapMode(QPlainTextEdit::NoWrap);
    box->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    return box;
}

} // namespace quillery
