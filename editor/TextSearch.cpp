// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/TextSearch.h"

#include "platform_ui/RichTextBox.h"

#include <QList>
#include <QTextCursor>

namespace quillery {

namespace {

Qt::CaseSensitivity sensitivity(bool matchCase)
{
    return matchCase ? Qt::CaseSensitive : Qt::CaseInsensitive;
}

} // namespace

qsizetype findText(QStringView haystack, QStringView needle, qsizetype from, bool matchCase)
{
    if (needle.isEmpty() || from < 0 || from > haystack.size())
        return -1;
    return haystack.indexOf(needle, from, sensitivity(matchCase));
}

bool sameText(QStringView a, QStringView b, bool matchCase)
{
    return a.compare(b, sensitivity(matchCase)) == 0;
}

int replaceEvery(RichTextBox &box, const QString &find, const QString &replacement, bool matchCase)
{
    const QString text = box.text();
    QList<qsizetype> found;
    for (qsizetype at = findText(text, find, 0, matchCase); at >= 0;
         at = findText(text, find, at + find.size(), matchCase))
        found << at;
    if (found.isEmpty())
        return 0;

    // From the last occurrence back, so the positions still to come stay where they were;
    // the document lays itself out once, when the edit block ends.
    QTextCursor cursor(box.document());
    cursor.beginEditBlock();
    for (auto it = found.crbegin(); it != found.crend(); ++it) {
        cursor.setPosition(box.documentPosition(int(*it)));
        cursor.setPosition(box.documentPosition(int(*it + find.size())), QTextCursor::KeepAnchor);
        if (replacement.isEmpty())
            cursor.removeSelectedText();
        else
            cursor.insertText(replacement);
    }
    cursor.endEditBlock();
    return int(found.size());
}

} // namespace quillery
