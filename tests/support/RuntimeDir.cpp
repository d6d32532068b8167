// SPDX-License-Identifier: GPL-3.0-or-later
#include "RuntimeDir.h"

#include <QFile>

#include <linux/magic.h>
#include <sys/stat.h>
#include <sys/vfs.h>

namespace quillery::test {

RuntimeDir::RuntimeDir()
    : m_dir(QStringLiteral("/dev/shm/quillery-test-XXXXXX")),
      m_previous(qgetenv("XDG_RUNTIME_DIR")),
      m_hadPrevious(qEnvironmentVariableIsSet("XDG_RUNTIME_DIR"))
{
    struct statfs fs;
    m_valid = m_dir.isValid() && ::statfs(QFile::encodeName(m_dir.path()).constData(), &fs) == 0 &&
              fs.f_type == TMPFS_MAGIC &&
              ::chmod(QFile::encodeName(m_dir.path()).constData(), 0700) == 0;
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(m_dir.path()));
}

RuntimeDir::~RuntimeDir()
{
    if (m_hadPrevious)
        qputenv("XDG_RUNTIME_DIR", m_previous);
    else
        qunsetenv("XDG_RUNTIME_DIR");
}

} // namespace quillery::test
