// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

namespace quillery {

// A file in the freedesktop desktop entry format: desktop entries and mimeapps.list.
// Localised keys ("Name[de]") are not kept.
class DesktopFile
{
public:
    // An unreadable or missing file reads as an empty one.
    static DesktopFile read(const QString &path);
    static DesktopFile parse(const QByteArray &text);

    bool isEmpty() const { return m_groups.isEmpty(); }
    bool contains(const QString &group, const QString &key) const;
    // A string value with its escapes (\s \n \t \r \\) undone; empty when absent.
    QString value(const QString &group, const QString &key) const;
    // A list value split at its unescaped semicolons, empty items dropped.
    QStringList list(const QString &group, const QString &key) const;
    // A boolean value: true only for "true".
    bool isTrue(const QString &group, const QString &key) const;

private:
    QHash<QString, QHash<QString, QString>> m_groups;
};

} // namespace quillery
