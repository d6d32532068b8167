// SPDX-License-Identifier: GPL-3.0-or-later
#include "options/ExecTemplate.h"

#include <optional>

namespace quillery {

namespace {

std::optional<QStringList> splitArguments(const QString &text)
{
    QStringList arguments;
    QString current;
    bool inArgument = false;
    bool quoted = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (quoted) {
            if (c == u'"')
                quoted = false;
            else if (c == u'\\' && i + 1 < text.size())
                current += text.at(++i);
            else
                current += c;
        } else if (c == u' ' || c == u'\t' || c == u'\n') {
            if (inArgument)
                arguments.append(current);
            current.clear();
            inArgument = false;
        } else {
            inArgument = true;
            if (c == u'"')
                quoted = true;
            else
                current += c;
        }
    }
    if (quoted)
        return std::nullopt;
    if (inArgument)
        arguments.append(current);
    return arguments;
}

bool isFilePlaceholder(QChar code)
{
    return code == u'f' || code == u'F' || code == u'u' || code == u'U' || code == u'1';
}

QString expandFieldCodes(const QString &argument, const QString &path)
{
    QString result;
    for (qsizetype i = 0; i < argument.size(); ++i) {
        if (argument.at(i) != u'%' || i + 1 == argument.size()) {
            result += argument.at(i);
            continue;
        }
        const QChar code = argument.at(++i);
        if (code == u'%')
            result += u'%';
        else if (isFilePlaceholder(code))
            result += path;
    }
    return result;
}

} // namespace

QStringList commandArguments(const QString &commandTemplate, const QString &path)
{
    if (commandTemplate.trimmed().startsWith(QLatin1String("%1")))
        return {path};
    const std::optional<QStringList> parts = splitArguments(commandTemplate);
    if (!parts || parts->isEmpty())
        return {};
    QStringList arguments;
    for (const QString &part : *parts) {
        // A field code with nothing to stand for takes its argument with it.
        const QString argument = expandFieldCodes(part, path);
        if (!argument.isEmpty() || part.isEmpty())
            arguments.append(argument);
    }
    if (!commandTemplate.contains(u'%'))
        arguments.append(path);
    if (arguments.isEmpty() || arguments.first().isEmpty())
        return {};
    return arguments;
}

} // namespace quillery
