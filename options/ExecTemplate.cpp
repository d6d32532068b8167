// SPDX-License-Identifier: GPL-3.0-or-later
#include "options/ExecTemplate.h"

#include <optional>

namespace quillery {

namespace {

bool isFilePlaceholder(QChar code)
{
    return code == u'f' || code == u'F' || code == u'u' || code == u'U' || code == u'1';
}

// The characters a backslash escapes inside a quoted argument; before any other it is
// itself.
bool isQuotedEscape(QChar c)
{
    return c == u'"' || c == u'`' || c == u'$' || c == u'\\';
}

struct Argument
{
    QString text;
    bool hasFieldCode = false;
};

// Splits the template into arguments, undoing its quoting and expanding its field codes.
// A quoted argument is often a script for a shell ("sh -c \"edit %f\""), so a file name
// expanded inside one is written shell-quoted, as GLib does; outside quotes it is the
// argument as it is.
std::optional<QList<Argument>> expandArguments(const QString &text, const QString &path)
{
    const QString shellQuotedPath = shellQuoted(path);
    QList<Argument> arguments;
    std::optional<Argument> current;
    bool quoted = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (!quoted && (c == u' ' || c == u'\t' || c == u'\n')) {
            if (current)
                arguments.append(*current);
            current.reset();
            continue;
        }
        if (!current)
            current.emplace();
        if (c == u'"') {
            quoted = !quoted;
        } else if (quoted && c == u'\\' && i + 1 < text.size() && isQuotedEscape(text.at(i + 1))) {
            current->text += text.at(++i);
        } else if (c == u'%' && i + 1 < text.size()) {
            const QChar code = text.at(++i);
            if (code == u'%') {
                current->text += u'%';
            } else {
                current->hasFieldCode = true;
                if (isFilePlaceholder(code))
                    current->text += quoted ? shellQuotedPath : path;
            }
        } else {
            current->text += c;
        }
    }
    if (quoted)
        return std::nullopt;
    if (current)
        arguments.append(*current);
    return arguments;
}

} // namespace

QString shellQuoted(const QString &text)
{
    QString result = QStringLiteral("'");
    for (const QChar c : text) {
        if (c == u'\'')
            result += QStringLiteral("'\\''");
        else
            result += c;
    }
    return result + u'\'';
}

QStringList commandArguments(const QString &commandTemplate, const QString &path)
{
    if (commandTemplate.trimmed().startsWith(QLatin1String("%1")))
        return {path};
    const std::optional<QList<Argument>> parts = expandArguments(commandTemplate, path);
    if (!parts || parts->isEmpty())
        return {};
    QStringList arguments;
    for (const Argument &part : *parts) {
        // A field code with nothing to stand for takes its argument with it.
        if (!part.text.isEmpty() || !part.hasFieldCode)
            arguments.append(part.text);
    }
    if (!commandTemplate.contains(u'%'))
        arguments.append(path);
    if (arguments.isEmpty() || arguments.first().isEmpty())
        return {};
    return arguments;
}

} // namespace quillery
