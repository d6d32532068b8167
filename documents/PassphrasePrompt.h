// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <memory>

namespace quillery {

class BinderKey;
class ContainerReader;
class Workspace;

// The logic of the enter-passphrase dialog of an encrypted binder: each passphrase typed
// makes a key, which must open the binder's first chunk. After three that do not, the
// prompt is over and the binder is not opened.
class PassphrasePrompt
{
public:
    static constexpr int Tries = 3;

    PassphrasePrompt(Workspace &workspace, const QString &fileName, const ContainerReader &reader);

    const QString &fileName() const { return m_fileName; }
    QString label() const;
    // OK pressed: true when the passphrase opens the binder. Otherwise the user has been
    // told, and the dialog stays unless that was the last try (finished()).
    bool ok(const QString &typed);
    // Cancel pressed, or the dialog closed any other way.
    void cancel() { m_triesLeft = 0; }
    // A passphrase given once, as from a file, is the only try: no "tries left" to tell of.
    void allowOneTry() { m_triesLeft = 1; }
    bool finished() const { return m_key || m_triesLeft == 0; }
    // The key, once a passphrase was accepted.
    const std::shared_ptr<const BinderKey> &key() const { return m_key; }

private:
    Workspace &m_workspace;
    QString m_fileName;
    const ContainerReader &m_reader;
    int m_triesLeft = Tries;
    std::shared_ptr<const BinderKey> m_key;
};

} // namespace quillery
