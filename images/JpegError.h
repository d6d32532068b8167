// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <stdexcept>

namespace quillery {

// An error raised by the JPEG encoder: a number (1 for the encoder's own
// checks, the file error code for failed writes) and a description for the
// caller to show.
class JpegError : public std::runtime_error
{
public:
    JpegError(int number, const QString &description)
        : std::runtime_error(description.toStdString()), number_(number), description_(description)
    {
    }

    int number() const { return number_; }
    QString description() const { return description_; }

private:
    int number_;
    QString description_;
};

} // namespace quillery
