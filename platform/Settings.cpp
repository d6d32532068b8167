// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Settings.h"

#include <QSettings>
#include <QStringList>

namespace quillery {

namespace {

QString keyPath(const QString &section, const QString &key)
{
    QString path = section;
    path.replace(u'\\', u'/');
    return key.isEmpty() ? path : path + u'/' + key;
}

// A hand-edited file may hold an unquoted value with commas, which the INI reader
// returns as a list; the program wants the text as written.
QString toText(const QVariant &value)
{
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(QStringLiteral(", "));
    return value.toString();
}

const QString kindRowLabels[Settings::KindRows] = {
    QStringLiteral("Rich Text Page"), QStringLiteral("Plain Text Page"),
    QStringLiteral("HTML Page"),      QStringLiteral("Picture"),
    QStringLiteral("Sound"),          QStringLiteral("Default File Action"),
};

} // namespace

const QString Settings::Organisation = QStringLiteral("Tamsin Orde");
const QString Settings::Application = QStringLiteral("Quillery");
const QString Settings::Main = QStringLiteral("Quillery");
const QString Settings::Associations = QStringLiteral("Quillery\\Page Editing Associations");
const QString Settings::RichTextEditor = QStringLiteral("Quillery Rich Text Editor");
const QString Settings::PlainTextEditor = QStringLiteral("Quillery Plain Text Editor");
const QString Settings::DefaultProgram = QStringLiteral("Default Program");

Settings::Settings()
    : m_store(std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope, Organisation,
                                          Application))
{
}

Settings::Settings(const QString &iniPath)
    : m_store(std::make_unique<QSettings>(iniPath, QSettings::IniFormat))
{
}

Settings::~Settings() = default;

QString Settings::fileName() const
{
    return m_store->fileName();
}

QString Settings::value(const QString &section, const QString &key,
                        const QString &defaultValue) const
{
    const QVariant value = m_store->value(keyPath(section, key));
    return value.isValid() ? toText(value) : defaultValue;
}

void Settings::setValue(const QString &section, const QString &key, const QString &value)
{
    m_store->setValue(keyPath(section, key), value);
}

void Settings::removeSection(const QString &section)
{
    m_store->remove(keyPath(section, QString()));
}

void Settings::sync()
{
    m_store->sync();
}

std::optional<double> Settings::number(const QString &section, const QString &key,
                                       const QString &defaultValue) const
{
    bool ok = false;
    const double number = value(section, key, defaultValue).trimmed().toDouble(&ok);
    if (!ok)
        return std::nullopt;
    return number;
}

QString Settings::authorName() const
{
    return value(Main, QStringLiteral("AuthorName"));
}

void Settings::setAuthorName(const QString &name)
{
    setValue(Main, QStringLiteral("AuthorName"), name);
}

QString Settings::openFolder() const
{
    return value(Main, QStringLiteral("OpenFolder"));
}

void Settings::setOpenFolder(const QString &folder)
{
    setValue(Main, QStringLiteral("OpenFolder"), folder);
}

QString Settings::defaultDocFolder() const
{
    return value(Main, QStringLiteral("DefDocFol"));
}

void Settings::setDefaultDocFolder(const QString &folder)
{
    setValue(Main, QStringLiteral("DefDocFol"), folder);
}

void Settings::setJpegQuality(int quality)
{
    setValue(Main, QStringLiteral("JPEGQuality"), QString::number(quality));
}

bool Settings::confirmDeletes() const
{
    return value(Main, QStringLiteral("ConfirmDelete")).trimmed() != u"0";
}

void Settings::setConfirmDeletes(bool confirm)
{
    setValue(Main, QStringLiteral("ConfirmDelete"),
             confirm ? QStringLiteral("1") : QStringLiteral("0"));
}

bool Settings::searchShownText() const
{
    return value(Main, QStringLiteral("SearchShownText")).trimmed() == u"1";
}

void Settings::setSearchShownText(bool shown)
{
    setValue(Main, QStringLiteral("SearchShownText"),
             shown ? QStringLiteral("1") : QStringLiteral("0"));
}

RemoteContent Settings::remoteContent() const
{
    const QString stored = value(Main, QStringLiteral("RemoteContent")).trimmed();
    if (stored == u"Always")
        return RemoteContent::Always;
    return stored == u"Never" ? RemoteContent::Never : RemoteContent::Ask;
}

void Settings::setRemoteContent(RemoteContent choice)
{
    const char *const names[] = {"Ask", "Always", "Never"};
    setValue(Main, QStringLiteral("RemoteContent"), QLatin1String(names[int(choice)]));
}

int Settings::recoveryDelayMs() const
{
    constexpr double DefaultSeconds = 5;
    constexpr double MostSeconds = 3600;
    const auto seconds = number(Main, QStringLiteral("RecoveryDelay"), QStringLiteral("5"));
    if (!seconds || !(*seconds >= 0)) // also not a number
        return int(DefaultSeconds * 1000);
    return int(qMin(*seconds, MostSeconds) * 1000);
}

int Settings::associationCount() const
{
    // A damaged count must not send the readers round billions of rows.
    constexpr double most = 32767;
    const auto count = number(Associations, QStringLiteral("PEAs"), QStringLiteral("0"));
    return count && *count > 0 ? int(qMin(*count, most)) : 0;
}

QString Settings::associationLabel(int row) const
{
    return value(Associations, QStringLiteral("PEAt%1").arg(row));
}

QString Settings::associationEditor(int row) const
{
    return value(Associations, QStringLiteral("PEAe%1").arg(row), defaultAssociationEditor(row));
}

QString Settings::defaultAssociationLabel(int row)
{
    return row >= 1 && row <= KindRows ? kindRowLabels[row - 1] : QString();
}

QString Settings::defaultAssociationEditor(int row)
{
    if (row == 1)
        return RichTextEditor;
    if (row == 2 || row == 3)
        return PlainTextEditor;
    return DefaultProgram;
}

} // namespace quillery
