// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <stdexcept>
#include <string>

namespace quillery {

// An error raised by the JPEG encoder: a number (1 for the encoder's own
// checks, the system's error number for failed writes) and a description for
// the caller to show.
class JpegError : public std::runtime_error
{
public:
    JpegError(int number, const std::string &description)
        : std::runtime_error(description), number_(number)
    {
    }

    int number() const { return number_; }

private:
    int number_;
};

} // namespace quillery
