// SPDX-License-Identifier: GPL-3.0-or-later
#include "options/EditorChoice.h"

#include "documents/PageKind.h"
#include "platform/Settings.h"

namespace quillery {

namespace {

// "." and the lower-cased text after the title's last dot; a title without a dot is
// taken whole.
QString titleExtension(const QString &title)
{
    return u'.' + title.mid(title.lastIndexOf(u'.') + 1).toLower();
}

} // namespace

QString chooseEditor(const Settings &settings, PageKind kind, const QString &title)
{
    const int kindRow = int(kind);
    if (kindRow < 1 || kindRow > Settings::KindRows)
        return QString();
    if (kindFromNumber(kindRow) == PageKind::FILE) {
        const QString extension = titleExtension(title);
        const int count = settings.associationCount();
        for (int row = Settings::KindRows + 1; row <= count; ++row) {
            if (settings.associationLabel(row).compare(extension, Qt::CaseInsensitive) == 0)
                return settings.associationEditor(row);
        }
    }
    return settings.associationEditor(kindRow);
}

ProgramEditor splitProgramEditor(const QString &editor)
{
    const qsizetype first = editor.indexOf(Settings::ProgramSeparator);
    if (first < 0)
        return {editor, QString()};
    return {editor.left(first), editor.mid(editor.lastIndexOf(Settings::ProgramSeparator) + 1)};
}

} // namespace quillery
