// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/RecentFiles.h"

#include "documents/LumpArchive.h"
#include "platform/Dialogs.h"
#include "platform/FileDetails.h"
#include "platform/FileError.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace quillery {

namespace {

const QByteArray header = QByteArrayLiteral("QLRF");

double widthFrom(const QByteArray &text)
{
    bool ok = false;
    const double width = QString::fromUtf8(text).trimmed().toDouble(&ok);
    if (!ok)
        throw FileError::damaged(
            QCoreApplication::translate("RecentFiles", "a column width is not a number"));
    return width;
}

QByteArray widthText(double width)
{
    return QByteArray::number(width, 'g', 7);
}

void report(Dialogs &dialogs, const QString &lead, const QString &path, const QString &advice,
            const FileError &error)
{
    dialogs.message(MsgIcon::Critical, MsgButtons::Ok,
                    QCoreApplication::translate("RecentFiles", "Recent Files Error"),
                    lead + path + QStringLiteral("').  ") + advice + error.description() +
                        QStringLiteral(", ") + QString::number(error.number()));
}

} // namespace

QString RecentFiles::defaultPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
           QStringLiteral("/Recent.dat");
}

RecentFiles::RecentFiles(const QString &path) : m_path(path)
{
}

int RecentFiles::positionOf(const QString &path) const
{
    for (int i = 0; i < count(); ++i) {
        if (m_items[i].path.compare(path, Qt::CaseInsensitive) == 0)
            return i + 1;
    }
    return 0;
}

void RecentFiles::addItem(const QString &title, const QString &path)
{
    if (const int duplicate = positionOf(path))
        remove(duplicate);
    m_items.prepend({title, path});
}

void RecentFiles::remove(int position)
{
    if (position >= 1 && position <= count())
        m_items.removeAt(position - 1);
}

void RecentFiles::clear()
{
    m_items.clear();
}

bool RecentFiles::load(Dialogs &dialogs)
{
    m_items.clear();
    titleWidth = DefaultTitleWidth;
    fileWidth = DefaultFileWidth;
    if (!isFile(m_path))
        return true;
    try {
        read();
        return true;
    } catch (const FileError &error) {
        report(dialogs,
               QCoreApplication::translate("RecentFiles",
                                           "Quillery could not open the recent file list file ('"),
               m_path,
               QCoreApplication::translate(
                   "RecentFiles", "Make sure that the file is not being used by another program if "
                                  "you want the recent file list feature to work.  "),
               error);
        return false;
    }
}

void RecentFiles::read()
{
    LumpArchive archive(header);
    archive.open(m_path);
    const auto data = [&](int number) {
        const Lump &lump = archive.lump(number);
        return LumpArchive::readBytes(m_path, lump.offset, lump.length);
    };
    // Title and path lumps come in pairs before the two widths.
    const int rowLumps = archive.lumpCount() - 2;
    int i = 1;
    for (; i <= rowLumps; i += 2)
        m_items.append({QString::fromUtf8(data(i)), QString::fromUtf8(data(i + 1))});
    titleWidth = widthFrom(data(i));
    fileWidth = widthFrom(data(i + 1));
}

bool RecentFiles::save(Dialogs &dialogs) const
{
    try {
        write();
        return true;
    } catch (const FileError &error) {
        report(dialogs,
               QCoreApplication::translate("RecentFiles",
                                           "Quillery could not save the recent file list file ('"),
               m_path,
               QCoreApplication::translate(
                   "RecentFiles",
                   "Make sure that the file is not read-only or it is not being used "
                   "by another program if you want the recent file list feature to "
                   "work.  "),
               error);
        return false;
    }
}

void RecentFiles::write() const
{
    LumpArchive archive(header);
    const int rows = count();
    archive.setLumpCount(2 * rows + 2);
    for (int k = 1; k <= rows; ++k) {
        archive.setLumpName(2 * k - 1, QByteArrayLiteral("TITLE"));
        archive.setLumpData(2 * k - 1, m_items[k - 1].title.toUtf8());
        archive.setLumpName(2 * k, QByteArrayLiteral("FILENAME"));
        archive.setLumpData(2 * k, m_items[k - 1].path.toUtf8());
    }
    archive.setLumpName(2 * rows + 1, QByteArrayLiteral("T_WIDTH"));
    archive.setLumpData(2 * rows + 1, widthText(titleWidth));
    archive.setLumpName(2 * rows + 2, QByteArrayLiteral("F_WIDTH"));
    archive.setLumpData(2 * rows + 2, widthText(fileWidth));
    QDir().mkpath(QFileInfo(m_path).absolutePath());
    archive.write(m_path);
}

} // namespace quillery
