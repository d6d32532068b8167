// SPDX-License-Identifier: GPL-3.0-or-later
#include "documents/PassphrasePrompt.h"

#include "documents/BinderKey.h"
#include "documents/ErrorReport.h"
#include "documents/Interaction.h"
#include "documents/SecretStream.h"
#include "documents/Workspace.h"
#include "platform/Dialogs.h"
#include "platform/FileError.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace quillery {

PassphrasePrompt::PassphrasePrompt(Workspace &workspace, const QString &fileName,
                                   const ContainerReader &reader)
    : m_workspace(workspace), m_fileName(fileName), m_reader(reader)
{
}

QString PassphrasePrompt::label() const
{
    return QCoreApplication::translate("PassphrasePrompt",
                                       "&Enter the passphrase of the encrypted binder '%1':")
        .arg(QFileInfo(m_fileName).fileName());
}

bool PassphrasePrompt::ok(const QString &typed)
{
    if (finished())
        return bool(m_key);
    std::shared_ptr<const BinderKey> key;
    try {
        BusyScope busy(m_workspace.ui);
        const ContainerHeader &header = m_reader.header();
        key = std::make_shared<const BinderKey>(typed, header.salt, header.limits);
        if (!m_reader.opensWith(*key))
            key.reset();
    } catch (const FileError &error) {
        // No other passphrase would fare better.
        m_triesLeft = 0;
        reportFileError(m_workspace.dialogs,
                        QCoreApplication::translate("PassphrasePrompt", "Open Error"),
                        QCoreApplication::translate(
                            "PassphrasePrompt", "An error occurred when trying to open the file '"),
                        m_fileName, error);
        return false;
    }
    if (key) {
        m_key = std::move(key);
        return true;
    }
    --m_triesLeft;
    const QString lead =
        QCoreApplication::translate("PassphrasePrompt",
                                    "The passphrase does not open '%1': it is wrong, or the "
                                    "file is damaged.  ")
            .arg(m_fileName);
    m_workspace.dialogs.message(
        MsgIcon::Exclamation, MsgButtons::Ok,
        QCoreApplication::translate("PassphrasePrompt", "Wrong Passphrase"),
        lead + (m_triesLeft == 0
                    ? QCoreApplication::translate("PassphrasePrompt", "The binder is not opened.")
                    : QCoreApplication::translate("PassphrasePrompt", "Tries left: %1.")
                          .arg(m_triesLeft)));
    return false;
}

} // namespace quillery
