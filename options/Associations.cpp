// SPDX-License-Identifier: GPL-3.0-or-later
#include "options/Associations.h"

#include "platform/Settings.h"

namespace quillery {

QList<Association> loadAssociations(const Settings &settings)
{
    QList<Association> rows;
    const int count = settings.associationCount();
    for (int row = 1; row <= count; ++row)
        rows.append({settings.associationLabel(row), settings.associationEditor(row)});
    if (rows.isEmpty()) {
        for (int row = 1; row <= Settings::KindRows; ++row)
            rows.append(
                {Settings::defaultAssociationLabel(row), Settings::defaultAssociationEditor(row)});
    }
    return rows;
}

void saveAssociations(Settings &settings, const QList<Association> &rows)
{
    settings.removeSection(Settings::Associations);
    settings.setValue(Settings::Associations, QStringLiteral("PEAs"), QString::number(rows.size()));
    for (qsizetype n = 1; n <= rows.size(); ++n) {
        const Association &row = rows.at(n - 1);
        settings.setValue(Settings::Associations, QStringLiteral("PEAt%1").arg(n), row.label);
        settings.setValue(Settings::Associations, QStringLiteral("PEAe%1").arg(n), row.editor);
    }
}

std::optional<QString> extensionLabel(const QString &answer)
{
    QString extension = answer;
    extension.remove(u'.').remove(u' ');
    if (extension.isEmpty())
        return std::nullopt;
    return u'.' + extension;
}

bool hasLabel(const QList<Association> &rows, const QString &label)
{
    for (const Association &row : rows) {
        if (row.label.compare(label, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

std::optional<QString> renamedLabel(int row, const QString &text)
{
    if (row <= Settings::KindRows)
        return std::nullopt;
    return text.startsWith(u'.') ? text : u'.' + text;
}

QString programEditorValue(const QString &program, const QString &startIn)
{
    return QString(program).remove(Settings::ProgramSeparator) + Settings::ProgramSeparator +
           QString(startIn).remove(Settings::ProgramSeparator);
}

} // namespace quillery
