// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/DefaultApplication.h"

#include "platform/DesktopFile.h"
#include "platform/XdgDirs.h"

#include <QDirIterator>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QSet>
#include <QStandardPaths>

#include <algorithm>

namespace quillery {

namespace {

const QString entryGroup = QStringLiteral("Desktop Entry");

// Installed desktop entries by desktop file id; an earlier folder hides a later one.
class ApplicationIndex
{
public:
    explicit ApplicationIndex(const QStringList &folders)
    {
        for (const QString &folder : folders) {
            QStringList paths;
            QDirIterator it(folder, {QStringLiteral("*.desktop")}, QDir::Files,
                            QDirIterator::Subdirectories);
            while (it.hasNext())
                paths.append(it.next());
            std::sort(paths.begin(), paths.end());
            for (const QString &path : std::as_const(paths)) {
                // applications/kde/editor.desktop has the id kde-editor.desktop.
                QString id = path.mid(folder.size() + 1);
                id.replace(u'/', u'-');
                if (!m_paths.contains(id)) {
                    m_paths.insert(id, path);
                    m_order.append(id);
                }
            }
        }
    }

    QString path(const QString &id) const { return m_paths.value(id); }
    const QStringList &ids() const { return m_order; }

private:
    QHash<QString, QString> m_paths;
    QStringList m_order;
};

bool usable(const DesktopFile &entry)
{
    if (entry.value(entryGroup, QStringLiteral("Type")) != QLatin1String("Application") ||
        entry.isTrue(entryGroup, QStringLiteral("Hidden")) ||
        entry.value(entryGroup, QStringLiteral("Exec")).isEmpty())
        return false;
    const QString tryExec = entry.value(entryGroup, QStringLiteral("TryExec"));
    if (tryExec.isEmpty())
        return true;
    if (QFileInfo(tryExec).isAbsolute())
        return QFileInfo(tryExec).isExecutable();
    return !QStandardPaths::findExecutable(tryExec).isEmpty();
}

// The type, its canonical name when it was an alias, then the types it is a kind of.
// Every type is in the end a kind of application/octet-stream, whose applications
// (byte viewers) are no choice for a document.
QStringList typesFor(const QString &mimeType)
{
    QStringList types{mimeType};
    const QMimeType type = QMimeDatabase().mimeTypeForName(mimeType);
    if (type.isValid()) {
        types.append(type.name());
        types += type.allAncestors();
    }
    types.removeDuplicates();
    types.removeAll(QStringLiteral("application/octet-stream"));
    return types;
}

class Lookup
{
public:
    explicit Lookup(const XdgDirs &dirs) : m_index(dirs.applicationDirs())
    {
        for (const QString &path : dirs.mimeappsLists()) {
            DesktopFile list = DesktopFile::read(path);
            if (!list.isEmpty())
                m_lists.append(std::move(list));
        }
    }

    QString defaultFor(const QStringList &types) const
    {
        for (const QString &type : types) {
            for (const DesktopFile &list : m_lists) {
                for (const QString &id : list.list(QStringLiteral("Default Applications"), type)) {
                    if (const QString path = usablePath(id); !path.isEmpty())
                        return path;
                }
            }
        }
        return QString();
    }

    QString associatedWith(const QString &type) const
    {
        QSet<QString> removed;
        for (const DesktopFile &list : m_lists) {
            for (const QString &id : list.list(QStringLiteral("Removed Associations"), type))
                removed.insert(id);
        }
        for (const DesktopFile &list : m_lists) {
            for (const QString &id : list.list(QStringLiteral("Added Associations"), type)) {
                const QString path = usablePath(id);
                if (!path.isEmpty() && !removed.contains(id))
                    return path;
            }
        }
        for (const QString &id : m_index.ids()) {
            if (removed.contains(id))
                continue;
            const QString path = m_index.path(id);
            const DesktopFile entry = DesktopFile::read(path);
            if (entry.list(entryGroup, QStringLiteral("MimeType")).contains(type) && usable(entry))
                return path;
        }
        return QString();
    }

private:
    QString usablePath(const QString &id) const
    {
        const QString path = m_index.path(id);
        return !path.isEmpty() && usable(DesktopFile::read(path)) ? path : QString();
    }

    ApplicationIndex m_index;
    QList<DesktopFile> m_lists;
};

// A value as one argument of an Exec line: in double quotes, with the characters that
// are special inside them escaped.
QString quoted(const QString &value)
{
    QString out = QStringLiteral("\"");
    for (const QChar c : value) {
        if (c == u'"' || c == u'`' || c == u'$' || c == u'\\')
            out += u'\\';
        out += c;
    }
    return out + u'"';
}

// A field code that expands to nothing takes one of the spaces around it along.
void dropSpace(QString &command, const QString &exec, qsizetype codeEnd)
{
    const bool spaceFollows = codeEnd + 1 == exec.size() || exec[codeEnd + 1] == u' ';
    if (command.endsWith(u' ') && spaceFollows)
        command.chop(1);
}

} // namespace

QString defaultApplicationFor(const QString &mimeType, const XdgDirs &dirs)
{
    const Lookup lookup(dirs);
    const QStringList types = typesFor(mimeType);
    QString path = lookup.defaultFor(types);
    for (qsizetype i = 0; path.isEmpty() && i < types.size(); ++i)
        path = lookup.associatedWith(types[i]);
    return path;
}

QString execCommand(const QString &desktopEntryPath)
{
    const DesktopFile entry = DesktopFile::read(desktopEntryPath);
    const QString exec = entry.value(entryGroup, QStringLiteral("Exec"));
    QString command;
    for (qsizetype i = 0; i < exec.size(); ++i) {
        if (exec[i] != u'%' || i + 1 == exec.size()) {
            command += exec[i];
            continue;
        }
        const QChar code = exec[++i];
        switch (code.unicode()) {
        case u'i': {
            const QString icon = entry.value(entryGroup, QStringLiteral("Icon"));
            if (!icon.isEmpty())
                command += QStringLiteral("--icon ") + quoted(icon);
            else
                dropSpace(command, exec, i);
            break;
        }
        case u'c':
            command += quoted(entry.value(entryGroup, QStringLiteral("Name")));
            break;
        case u'k':
            command += quoted(desktopEntryPath);
            break;
        case u'd':
        case u'D':
        case u'n':
        case u'N':
        case u'v':
        case u'm':
            dropSpace(command, exec, i);
            break;
        default:
            command += u'%';
            command += code;
            break;
        }
    }
    return command.trimmed();
}

} // namespace quillery
