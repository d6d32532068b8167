// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/ClipInfo.h"

#include "documents/Binder.h"
#include "platform/FileError.h"
#include "platform/FileIo.h"
#include "platform/GeneralDate.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QStringList>

namespace quillery {

namespace {

constexpr int FieldCount = 4;

QString quoted(QString field)
{
    return u'"' + field.replace(u'"', QStringLiteral("\"\"")) + u'"';
}

// Splits at the commas outside quotes; a doubled quote inside quotes is one quote.
// Line breaks inside quotes belong to the field, one outside ends the line.
std::optional<QStringList> splitFields(const QString &text)
{
    QStringList fields;
    QString field;
    bool inQuotes = false;
    bool wasQuoted = false;
    qsizetype i = 0;
    for (; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (inQuotes) {
            if (c != u'"')
                field += c;
            else if (i + 1 < text.size() && text.at(i + 1) == u'"')
                field += text.at(++i);
            else
                inQuotes = false;
        } else if (c == u'"' && !wasQuoted && field.isEmpty()) {
            inQuotes = wasQuoted = true;
        } else if (c == u',') {
            fields << field;
            field.clear();
            wasQuoted = false;
        } else if (c == u'\r' || c == u'\n') {
            break;
        } else {
            return std::nullopt; // text outside the quotes
        }
    }
    if (inQuotes)
        return std::nullopt;
    fields << field;
    // Only line ends may follow the line.
    for (; i < text.size(); ++i) {
        if (text.at(i) != u'\r' && text.at(i) != u'\n')
            return std::nullopt;
    }
    return fields;
}

} // namespace

ClipInfo ClipInfo::of(const PageRow &row)
{
    return ClipInfo{row.name, row.comments, row.key.kind.name(), row.key.colour};
}

PageRow ClipInfo::toPage(Binder &binder, const QString &dataPath) const
{
    const StoredKind stored = StoredKind::fromName(kind);
    if (stored == PageKind::Unknown)
        throw FileError(
            FileError::InvalidFormat,
            QCoreApplication::translate("ClipInfo", "The page clipboard does not describe a page"));
    PageRow row;
    row.name = name;
    row.created = generalDate(QDateTime::currentDateTime());
    row.modified = QStringLiteral("Never");
    row.size = fileio::fileSize(dataPath);
    row.comments = comments;
    row.key.serial = binder.takeSerial();
    row.key.kind = stored;
    row.key.location = dataPath;
    row.key.colour = colourField(stored, colour);
    return row;
}

QByteArray ClipInfo::toLine() const
{
    const QStringList fields{quoted(name), quoted(comments), quoted(kind), quoted(colour)};
    return (fields.join(u',') + QStringLiteral("\r\n")).toUtf8();
}

std::optional<ClipInfo> ClipInfo::parse(const QByteArray &text)
{
    const std::optional<QStringList> fields = splitFields(QString::fromUtf8(text));
    if (!fields || fields->size() != FieldCount)
        return std::nullopt;
    return ClipInfo{fields->at(0), fields->at(1), fields->at(2), fields->at(3)};
}

} // namespace quillery
