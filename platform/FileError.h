// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <stdexcept>

namespace quillery {

// A failed file or binder operation, with a description and a number that the
// messages show ("... - Permission denied, 70"). The numbers follow the classic
// run-time error numbers, so that messages read the same as users know them.
class FileError : public std::runtime_error
{
public:
    enum Number {
        BadFileName = 52,
        FileNotFound = 53,
        DeviceIo = 57,
        FileExists = 58,
        DiskFull = 61,
        PastEnd = 62,
        PermissionDenied = 70,
        PathFileAccess = 75,
        PathNotFound = 76,
        InvalidFormat = 321,
    };

    FileError(int number, const QString &description);

    // Builds the error for a failed system call from its errno value; the path, when
    // given, is added to the description.
    static FileError fromErrno(int err, const QString &path = QString());
    // A binder or archive whose bytes make no sense.
    static FileError damaged(const QString &what);

    int number() const { return m_number; }
    const QString &description() const { return m_description; }
    bool isPermissionDenied() const { return m_number == PermissionDenied; }

private:
    int m_number;
    QString m_description;
};

} // namespace quillery
