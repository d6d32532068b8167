// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>

#include <optional>

namespace quillery {

class Settings;

// One page editing association: a page kind's label (rows 1 to 6) or an extension with
// its dot, and the editor value.
struct Association
{
    QString label;
    QString editor;
    bool operator==(const Association &) const = default;
};

// The stored rows, or the six kind rows with their default editors when none are stored.
QList<Association> loadAssociations(const Settings &settings);
// Replaces the stored section with the rows in their order, numbered from 1 without gaps.
void saveAssociations(Settings &settings, const QList<Association> &rows);

// An answer to "Enter new file extension:" as a row label: dots and spaces dropped and
// one dot in front. No value for an answer that leaves nothing.
std::optional<QString> extensionLabel(const QString &answer);
// True when a row already has the label, in any letter case.
bool hasLabel(const QList<Association> &rows, const QString &label);
// The label a row takes when renamed in place (row is 1-based): the kind rows refuse,
// extension rows get a leading dot when the text has none.
std::optional<QString> renamedLabel(int row, const QString &text);
// The editor value naming a program and its start-in folder; middle dots inside either
// are dropped so the value splits back the same way.
QString programEditorValue(const QString &program, const QString &startIn);

} // namespace quillery
