#pragma once

#include <QByteArray>
#include <QString>

namespace quillery::test {

// Writes bytes to a file, creating folders as needed; fails the test on error.
void writeFile(const QString &path, const QByteArray &bytes);
QByteArray readFile(const QString &path);

} // namespace quillery::test
