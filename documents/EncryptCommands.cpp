// SPDX-License-Identifier: GPL-3.0-or-later
#include "documents/EncryptCommands.h"

#include "documents/Binder.h"
#include "documents/BinderKey.h"
#include "documents/BinderSaver.h"
#include "documents/EncryptedBinder.h"
#include "documents/ErrorReport.h"
#include "documents/Interaction.h"
#include "documents/Workspace.h"
#include "platform/Dialogs.h"
#include "platform/FileError.h"
#include <QCoreApplication>

namespace quillery {

namespace {

const QString EncryptTitle = QCoreApplication::translate("EncryptCommands", "Encrypt This Binder");

} // namespace

bool encryptBinder(Workspace &workspace, Binder &binder, const QString &passphrase,
                   const QString &confirmation)
{
    if (passphrase != confirmation) {
        workspace.dialogs.message(
            MsgIcon::Exclamation, MsgButtons::Ok, EncryptTitle,
            QCoreApplication::translate("EncryptCommands",
                                        "Both passphrase boxes must contain the same "
                                        "text"));
        return false;
    }
    if (passphrase.isEmpty()) {
        workspace.dialogs.message(MsgIcon::Exclamation, MsgButtons::Ok, EncryptTitle,
                                  QCoreApplication::translate(
                                      "EncryptCommands", "Type the passphrase the binder is to be "
                                                         "encrypted with"));
        return false;
    }
    try {
        BusyScope busy(workspace.ui);
        setPassphrase(workspace, binder, passphrase);
    } catch (const FileError &error) {
        reportFileError(
            workspace.dialogs, QCoreApplication::translate("EncryptCommands", "Encrypt Error"),
            QCoreApplication::translate("EncryptCommands",
                                        "An error occurred when trying to encrypt the file '"),
            binder.fileName().isEmpty() ? binder.title() : binder.fileName(), error);
        return true;
    }
    binder.markChangedOutsideHistory();
    saveBinder(workspace, binder);
    return true;
}

bool saveAsChoosingEncryption(Workspace &workspace, Binder &binder,
                              const std::function<bool()> &save)
{
    if (!isEncrypted(binder) || binder.fileName().isEmpty())
        return save();
    const MsgResult answer = workspace.dialogs.message(
        MsgIcon::Question, MsgButtons::YesNoCancel,
        QCoreApplication::translate("EncryptCommands", "Save Encrypted"),
        u'\'' + binder.fileName() +
            QCoreApplication::translate(
                "EncryptCommands",
                "' is encrypted.  Click Yes to encrypt the new file with the same "
                "passphrase, No to save it as a plain binder that anyone who gets "
                "the file can read, or Cancel to save nothing."));
    if (answer == MsgResult::Yes)
        return save();
    if (answer != MsgResult::No)
        return false;
    std::shared_ptr<const BinderKey> key = std::move(binder.encryption()->key);
    binder.encryption()->key.reset();
    const bool saved = save();
    if (!saved)
        binder.encryption()->key = std::move(key);
    return saved;
}

} // namespace quillery
