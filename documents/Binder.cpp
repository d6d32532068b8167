#include "documents/Binder.h"

#include "documents/FileError.h"
#include "documents/LumpArchive.h"
#include "platform/FileIo.h"

namespace quillery {

Binder::Binder(QObject *parent) : QObject(parent)
{
}

bool Binder::hasPage(int position) const
{
    if (position == 0)
        position = CurIndex;
    return position >= 1 && position <= pages.count();
}

const PageRow &Binder::page(int position) const
{
    if (position == 0)
        position = CurIndex;
    if (!hasPage(position))
        throw FileError(9, QStringLiteral("Subscript out of range"));
    return pages.at(position - 1);
}

QString GetInfo(const Binder &binder, int field, int &position)
{
    if (position == 0)
        position = binder.CurIndex;
    return binder.page(position).key.field(field);
}

QByteArray pageData(const PageKey &key)
{
    if (key.inWorkingCopy())
        return LumpArchive::ReadBytes(key.dataPath(), qMax<qint64>(key.offset, 0),
                                      qMax<qint64>(key.length, 0));
    if (key.location.isEmpty())
        return QByteArray();
    return fileio::readWhole(key.location);
}

QByteArray GetLumpString(const Binder &binder, const QString &position)
{
    const int index = position.isEmpty() ? 0 : position.toInt();
    return pageData(binder.page(index).key);
}

} // namespace quillery
