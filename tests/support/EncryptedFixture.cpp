// SPDX-License-Identifier: GPL-3.0-or-later
#include "EncryptedFixture.h"

#include "TestSupport.h"
#include "documents/BinderKey.h"
#include "documents/BinderSaver.h"
#include "documents/CompanionFiles.h"
#include "documents/EncryptedBinder.h"
#include "documents/SecretStream.h"
#include "platform/FileIo.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>

namespace quillery::test {

const QList<QPair<QString, QByteArray>> EveryKind = {
    {"okapi-7f3c notes.rtf", "{\\rtf1 okapi-7f3c rich}"},
    {"plain.txt", "okapi-7f3c plain"},
    {"page.htm", "<p>okapi-7f3c html</p>"},
    {"picture.png", "PNG okapi-7f3c"},
    {"sound.wav", "RIFF okapi-7f3c"},
    {"other.bin", QByteArray("\0\1okapi-7f3c\2", 13)},
};

QString makeEncrypted(BinderFixture &f, const QString &name,
                      const QList<QPair<QString, QByteArray>> &pages, const QString &password)
{
    const QString plain = f.makeBinder(QStringLiteral("plain-") + name, pages, password);
    if (!password.isEmpty())
        f.ui.passwords << password;
    auto binder = f.open(plain);
    if (!binder)
        return QString();
    setPassphrase(*f.workspace, *binder, TestPassphrase, KdfLimits::lowest());
    const QString target = f.path(name);
    if (!saveBinderFile(*f.workspace, *binder, target))
        return QString();
    binder.reset();
    removeCompanions(target);
    removeCompanions(plain);
    QFile::remove(plain);
    QDir(f.path(QStringLiteral("src"))).removeRecursively();
    // The scratch files of making the plain binder go too.
    f.temp->deleteRegistered();
    return target;
}

std::unique_ptr<Binder> Encrypted::open()
{
    f.ui.passphrases << TestPassphrase;
    return f.open(path);
}

bool useOwnTempAndStateFolders(const QTemporaryDir &folders)
{
    if (!folders.isValid() || !QDir().mkdir(folders.filePath(QStringLiteral("tmp"))) ||
        !QDir().mkdir(folders.filePath(QStringLiteral("state"))))
        return false;
    qputenv("TMPDIR", QFile::encodeName(folders.filePath(QStringLiteral("tmp"))));
    qputenv("XDG_STATE_HOME", QFile::encodeName(folders.filePath(QStringLiteral("state"))));
    return true;
}

QByteArray decrypted(const QString &path, const QString &passphrase)
{
    const ContainerReader reader(path);
    const BinderKey key(passphrase, reader.header().salt, reader.header().limits);
    const QString out = path + QStringLiteral(".plain");
    SafeFileWriter writer(out);
    reader.decryptInto(key, writer.fd(), out);
    writer.commit();
    const QByteArray bytes = readFile(out);
    QFile::remove(out);
    return bytes;
}

QStringList filesHoldingMarker(const QString &folder)
{
    QStringList found;
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString file = it.next();
        QFile f(file);
        if (f.open(QIODevice::ReadOnly) && f.readAll().contains(EncryptedMarker))
            found << file;
    }
    return found;
}

} // namespace quillery::test
