// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

#include <initializer_list>

#include <sys/resource.h>

namespace quillery::test {

// Writes bytes to a file, creating folders as needed; fails the test on error.
void writeFile(const QString &path, const QByteArray &bytes);
QByteArray readFile(const QString &path);
// Bytes from a list of values 0 ... 255.
QByteArray bytesOf(std::initializer_list<int> values);

// Limits the size of any file this process and the programs it starts write, as a full
// disk would, while it lives.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;

private:
    rlimit m_old{};
};

// What a program run by a test printed, and its exit code.
struct ProgramRun
{
    int code = -1;
    QString out;
    QString err;
};
// Runs a program with input on its standard input and environment, and waits for it. Its
// temporary folder is one of its own, removed afterwards, so that it leaves nothing behind.
ProgramRun runProgram(const QString &program, const QStringList &args,
                      const QByteArray &input = QByteArray(),
                      QProcessEnvironment environment = QProcessEnvironment::systemEnvironment());

// The environment less every setting by which a user chooses how the program draws (Qt's
// OpenGL on X11 and Wayland, Qt Quick's graphics, the browser's defaults), so that a program
// started with it draws as it does by default.
QProcessEnvironment withoutGraphicsChoices(QProcessEnvironment environment);

// Whether a library whose file name contains name is mapped into this process.
bool libraryLoaded(const QByteArray &name);
// The kind of OpenGL driver mapped into this process (a vendor's OpenGL library or one of
// Mesa's drivers); empty when there is none.
QByteArray loadedOpenGlDriver();

} // namespace quillery::test
