// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

#include <initializer_list>

namespace quillery::test {

// Writes bytes to a file, creating folders as needed; fails the test on error.
void writeFile(const QString &path, const QByteArray &bytes);
QByteArray readFile(const QString &path);
// Bytes from a list of values 0 ... 255.
QByteArray bytesOf(std::initializer_list<int> values);

} // namespace quillery::test
