#pragma once

#include <QString>

class QFormLayout;
class QLineEdit;
class QPlainTextEdit;
class QWidget;

namespace quillery {

// A read-only box on a properties form, under its label and object name.
QLineEdit *addField(QFormLayout *form, const QString &label, const QString &name,
                    const QString &text);
// Text shown as it is stored, in a fixed-pitch font.
QPlainTextEdit *sourceBox(QWidget *parent, const QString &text);

} // namespace quillery
