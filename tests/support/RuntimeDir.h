// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

namespace quillery::test {

// A runtime folder for a test: a private folder (mode 0700) on the memory file system of
// /dev/shm, which XDG_RUNTIME_DIR names while it lives. Not valid where /dev/shm is no
// memory file system.
class RuntimeDir
{
public:
    RuntimeDir();
    ~RuntimeDir();
    RuntimeDir(const RuntimeDir &) = delete;
    RuntimeDir &operator=(const RuntimeDir &) = delete;

    bool isValid() const { return m_valid; }
    QString path() const { return m_dir.path(); }

private:
    QTemporaryDir m_dir;
    QByteArray m_previous;
    bool m_hadPrevious;
    bool m_valid = false;
};

} // namespace quillery::test

// Skips the test where no runtime folder can be had.
#define REQUIRE_RUNTIME(runtime)                                                                   \
    if (!(runtime).isValid())                                                                      \
    QSKIP("/dev/shm is not a memory file system here")
