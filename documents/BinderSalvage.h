// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "documents/LumpArchive.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVector>

namespace quillery {

// A page of a damaged binder whose bytes are intact.
struct SalvagedPage
{
    qint64 position = 0; // in the damaged binder, from 1
    QByteArray kind;
    qint64 offset = 0;
    qint64 length = 0;
};

// What a damaged binder file still gives back.
struct Salvage
{
    QString source;       // how the pages were found, for the report
    QByteArray records;   // the records lump; empty when none was found
    qint64 pageCount = 0; // the pages the damaged binder held, as far as it tells
    QVector<SalvagedPage> pages;
    QStringList lost;    // the pages not saved, each line saying which and why
    QStringList guessed; // pages saved whose end had to be guessed
};

// Reads what a damaged binder still holds, changing nothing: the pages of the newest
// complete directory it holds (else of the newest partial one), else the pages that
// follow its records and can be told apart by their data. Throws FileError when nothing
// of a binder can be found, and for an encrypted binder.
Salvage findSalvage(const QString &path);

// The salvaged pages of the damaged binder at path as a binder archive ready to write,
// with the damaged one's records (its title when they are lost); each page keeps its
// name, times, colour and comments where the records hold them.
LumpArchive salvagedArchive(const Salvage &salvage, const QString &path);
// Writes that archive to target.
void writeSalvage(const Salvage &salvage, const QString &path, const QString &target);

// True when the file is a plain binder that cannot be opened because its bytes make no
// sense (rather than because it is missing, locked or not allowed).
bool isDamagedBinder(const QString &path);

} // namespace quillery
